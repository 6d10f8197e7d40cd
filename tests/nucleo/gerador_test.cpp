#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <stdexcept>
#include <tuple>
#include <vector>

#include "apoio/diretorio_temporario.h"
#include "generator/gerador.h"
#include "generator/modelos.h"
#include "generator/salvar.h"

namespace quelb {
namespace {

namespace fs = std::filesystem;
using teste::DiretorioTemporario;
using teste::LerArquivo;

std::u16string Mensagem(const std::function<void()>& f) {
    try {
        f();
    } catch (const EQuelbErro& e) {
        return e.Mensagem();
    }
    return u"(nenhum erro)";
}

TEST(ModeloStr, DisplayNameOfEveryModel) {
    const std::pair<TQuelbCargaBalModelo, const char16_t*> nomes[] = {
        {modFilizola, u"Filizola"},         {modToledo, u"Toledo"},           {modUrano, u"Urano"},
        {modUranoS, u"Urano (S)"},          {modToledoMGV5, u"Toledo MGV5"},  {modToledoMGV6, u"Toledo MGV6"},
        {modUranoURF32, u"Urano URF32"},    {modRamuza, u"Ramuza"},           {modToledoMGV5Ver1, u""},
        {modToledoMGV7, u"Toledo MGV7"}};
    TQuelbCargaBal g;
    EXPECT_EQ(g.Modelo, modFilizola);
    for (auto [modelo, nome] : nomes) {
        g.Modelo = modelo;
        EXPECT_EQ(g.ModeloStr(), nome);
    }
}

TEST(TabelaModelos, EachModelHasItsNamesAndItsFilesInSaveOrder) {
    const std::vector<std::u16string_view> mgv = {u"ITENSMGV.TXT", u"DEPTO.TXT", u"TXINFO.TXT",
                                                   u"INFNUTRI.TXT", u"TARA.TXT",  u"TXFORN.TXT"};
    const struct {
        TQuelbCargaBalModelo modelo;
        std::string_view nome, apelido;
        std::vector<std::u16string_view> arquivos;
    } casos[] = {
        {modFilizola, "modFilizola", "filizola", {u"CADTXT.TXT", u"SETORTXT.TXT", u"REC_ASS.TXT", u"NUTRI.TXT"}},
        {modToledo, "modToledo", "toledo", {u"TXITENS.TXT"}},
        {modUrano, "modUrano", "urano", {u"PRODUTOS.TXT"}},
        {modUranoS, "modUranoS", "urano-s", {u"PRODUTOS.TXT"}},
        {modToledoMGV5, "modToledoMGV5", "toledo-mgv5", mgv},
        {modToledoMGV6, "modToledoMGV6", "toledo-mgv6", mgv},
        {modUranoURF32, "modUranoURF32", "urano-urf32",
         {u"PRODUTOS.TXT", u"RECEITAS.TXT", u"INFORMACOESNUTRICIONAIS.TXT", u"PRODUTOSINFORMACOESNUTRICIONAIS.TXT",
          u"PRODUTOSRECEITAS.TXT"}},
        {modRamuza, "modRamuza", "ramuza", {u"RAMUZA_ORIGINAL.TXT"}},
        {modToledoMGV5Ver1, "modToledoMGV5Ver1", "toledo-mgv5-v1", mgv},
        {modToledoMGV7, "modToledoMGV7", "toledo-mgv7", mgv},
    };
    ASSERT_EQ(Modelos().size(), std::size(casos));
    for (const auto& c : casos) {
        const TDefinicaoModelo* d = DefinicaoModelo(c.modelo);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->NomeEnumeracao, c.nome);
        EXPECT_EQ(d->Apelido, c.apelido);
        std::vector<std::u16string_view> arquivos;
        for (const TArquivoModelo& a : d->Arquivos) {
            arquivos.push_back(a.Nome);
            EXPECT_FALSE(a.Registros.empty()) << c.nome;
        }
        EXPECT_EQ(arquivos, c.arquivos) << c.nome;
        // The save order is the order of what the files hold.
        for (size_t i = 1; i < d->Arquivos.size(); ++i)
            EXPECT_LT(d->Arquivos[i - 1].Conteudo, d->Arquivos[i].Conteudo) << c.nome;
    }
    EXPECT_EQ(DefinicaoModelo(static_cast<TQuelbCargaBalModelo>(QuantidadeModelos)), nullptr);
}

class Geracao : public testing::Test {
protected:
    TQuelbCargaBalItem& Adicionar(int32_t codigo, const char16_t* descricao) {
        TQuelbCargaBalItem& item = g.Produtos().New();
        item.Codigo = codigo;
        item.Descricao = descricao;
        return item;
    }
    std::vector<std::u16string> ArquivosNoDiretorio() const {
        std::vector<std::u16string> r;
        for (const std::string& nome : teste::NomesDaCarga(dir.Caminho())) r.push_back(fs::path(nome).u16string());
        return r;
    }

    TQuelbCargaBal g;
    DiretorioTemporario dir;
};

TEST_F(Geracao, ValidationRunsInOrderAndChangesNothing) {
    Adicionar(1, u"a");
    g.Modelo = modUrano;
    g.GerarArquivos(dir.Texto());
    ASSERT_EQ(g.ArquivosGerados().size(), 1u);

    g.Produtos().Clear();
    const std::u16string informe = u"Informe o diretório onde serão gerados os arquivos de carga!";
    EXPECT_EQ(Mensagem([&] { g.GerarArquivos(u""); }), informe);
    EXPECT_EQ(Mensagem([&] { g.GerarArquivos(u"   "); }), informe);
    EXPECT_EQ(Mensagem([&] { g.GerarArquivos(u" \t\r\n"); }), informe);
    EXPECT_EQ(Mensagem([&] { g.GerarArquivos(dir.Texto() + u"/nao_existe"); }), u"Diretorio informado não existe!");
    // Not trimmed for the existence test.
    EXPECT_EQ(Mensagem([&] { g.GerarArquivos(u" " + dir.Texto()); }), u"Diretorio informado não existe!");
    EXPECT_EQ(Mensagem([&] { g.GerarArquivos(dir.Texto()); }), u"Não foram informados os produtos para a geração!");
    // The paths of the generation before are not this one's.
    EXPECT_TRUE(g.ArquivosGerados().empty());
}

TEST_F(Geracao, ProgressFramesTheWritersEvents) {
    Adicionar(1, u"Pão");
    Adicionar(2, u"Queijo");
    Adicionar(1234567, u"Presunto");
    g.Modelo = modUrano;
    std::vector<std::tuple<std::u16string, int32_t, int32_t>> eventos;
    g.OnProgresso = [&](const Texto& m, int32_t atual, int32_t total) { eventos.emplace_back(m, atual, total); };
    g.GerarArquivos(dir.Texto());
    const std::vector<std::tuple<std::u16string, int32_t, int32_t>> esperados = {
        {u"Iniciando a geração dos arquivos", 0, 3},
        {u"Gerando produto 000001 Pão", 0, 3},
        {u"Gerando produto 000002 Queijo", 1, 3},
        {u"Gerando produto 1234567 Presunto", 2, 3},
        {u"Terminado", 3, 3}};
    EXPECT_EQ(eventos, esperados);
}

TEST(MensagemProduto, CodeHasAtLeastSixDigits) {
    EXPECT_EQ(MensagemGerandoProduto(-5, u"x"), u"Gerando produto -000005 x");
    EXPECT_EQ(MensagemGerandoProduto(0, u""), u"Gerando produto 000000 ");
    EXPECT_EQ(MensagemGerandoProduto(INT32_MIN, u"Пирог"), u"Gerando produto -2147483648 Пирог");
    EXPECT_EQ(MensagemGerandoProduto(123456789, u"Pão"), u"Gerando produto 123456789 Pão");
}

TEST_F(Geracao, UranoWritesOneFileAndTheSameWithoutHandler) {
    Adicionar(1, u"a");
    g.Modelo = modUrano;
    g.GerarArquivos(dir.Texto());
    const std::string comHandler = LerArquivo(dir.Caminho() / "PRODUTOS.TXT");
    ASSERT_EQ(g.ArquivosGerados(), std::vector<Texto>{dir.Texto() + u"/PRODUTOS.TXT"});
    EXPECT_EQ(ArquivosNoDiretorio(), std::vector<std::u16string>{u"PRODUTOS.TXT"});
    g.OnProgresso = [](const Texto&, int32_t, int32_t) {};
    g.GerarArquivos(dir.Texto());
    EXPECT_EQ(LerArquivo(dir.Caminho() / "PRODUTOS.TXT"), comHandler);
}

TEST_F(Geracao, TrailingDelimiterGivesTheSamePaths) {
    Adicionar(1, u"a");
    g.Modelo = modUrano;
    g.GerarArquivos(dir.Texto());
    const auto sem = g.ArquivosGerados();
    g.GerarArquivos(dir.Texto() + u"/");
    EXPECT_EQ(g.ArquivosGerados(), sem);
}

TEST_F(Geracao, AnotherModelLeavesTheFilesItDoesNotWrite) {
    Adicionar(1, u"a").Setor.Codigo = 3;
    g.Modelo = modToledoMGV5;
    g.GerarArquivos(dir.Texto());
    EXPECT_EQ(ArquivosNoDiretorio(), (std::vector<std::u16string>{u"DEPTO.TXT", u"ITENSMGV.TXT"}));
    g.Modelo = modUrano;
    g.GerarArquivos(dir.Texto());
    EXPECT_EQ(ArquivosNoDiretorio(), (std::vector<std::u16string>{u"DEPTO.TXT", u"ITENSMGV.TXT", u"PRODUTOS.TXT"}));
    EXPECT_EQ(g.ArquivosGerados().size(), 1u);
}

TEST_F(Geracao, AFileThatCannotBeCreatedStopsTheWholeSet) {
    Adicionar(1, u"a").Setor.Codigo = 3;
    g.Modelo = modToledoMGV5;
    fs::create_directory(dir.Caminho() / "DEPTO.TXT");  // in the way of the sector file
    bool terminou = false;
    g.OnProgresso = [&](const Texto& m, int32_t, int32_t) { terminou |= m == u"Terminado"; };
    const std::u16string depto = dir.Texto() + u"/DEPTO.TXT";
    EXPECT_EQ(Mensagem([&] { g.GerarArquivos(dir.Texto()); }), u"Cannot create file \"" + depto + u"\". Is a directory");
    EXPECT_TRUE(g.ArquivosGerados().empty());
    EXPECT_EQ(ArquivosNoDiretorio(), std::vector<std::u16string>{u"DEPTO.TXT"});
    EXPECT_FALSE(terminou);
}

TEST_F(Geracao, AnErrorFromTheHandlerStopsTheGeneration) {
    Adicionar(1, u"a");
    g.Modelo = modUrano;
    for (const char16_t* onde : {u"Iniciando a geração dos arquivos", u"Terminado"}) {
        g.OnProgresso = [&](const Texto& m, int32_t, int32_t) {
            if (m == onde) throw std::runtime_error("parou");
        };
        EXPECT_THROW(g.GerarArquivos(dir.Texto()), std::runtime_error);
    }
    // Raised at the first event nothing was written; at the last, all was.
    EXPECT_EQ(g.ArquivosGerados().size(), 1u);
    EXPECT_TRUE(fs::exists(dir.Caminho() / "PRODUTOS.TXT"));
}

TEST(Salvar, EveryLineEndsWithCrLfAndAnOldFileIsReplaced) {
    DiretorioTemporario dir;
    const fs::path caminho = dir.Caminho() / "CADTXT.TXT";
    { std::ofstream(caminho) << std::string(500, 'x'); }
    TListaLinhas lista;
    lista.Adicionar(std::u16string(39, u'a'));
    SalvarLista(lista, caminho.u16string());
    const std::string bytes = LerArquivo(caminho);
    ASSERT_EQ(bytes.size(), 41u);
    EXPECT_EQ(bytes.substr(39), "\r\n");

    lista.Adicionar(u"Maçã\u0002\u4E2D");  // control characters stay; the ideograph has no byte
    SalvarLista(lista, caminho.u16string());
    EXPECT_EQ(LerArquivo(caminho).substr(41), "Ma\xE7\xE3\x02?\r\n");
}

TEST(Salvar, MissingFolderGivesTheCreationMessage) {
    DiretorioTemporario dir;
    TListaLinhas lista;
    lista.Adicionar(u"x");
    const std::u16string caminho = dir.Texto() + u"/não/existe.txt";
    EXPECT_EQ(Mensagem([&] { SalvarLista(lista, caminho); }),
              u"Cannot create file \"" + caminho + u"\". No such file or directory");
}

}  // namespace
}  // namespace quelb
