// Reading a load back: the faults of damaged files at their file, line and
// column, the values a record implies, the joins by code, the encodings and
// the detection of the model.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <random>
#include <sstream>

#include "apoio/carga.h"
#include "catalogue/propriedades.h"
#include "generator/ler_carga.h"
#include "generator/modelos.h"
#include "platform/cp1252.h"

namespace quelb {
namespace {

using teste::DiretorioTemporario;

// The files a real generation of AGerador writes, as a reading gets them.
std::vector<TArquivoCarga> Gerar(TQuelbCargaBal& AGerador) {
    DiretorioTemporario d;
    AGerador.GerarArquivos(d.Texto());
    std::vector<TArquivoCarga> r;
    for (const std::string& nome : teste::ArquivosEm(d)) {
        std::ifstream f(d.Caminho() / nome, std::ios::binary);
        std::ostringstream bytes;
        bytes << f.rdbuf();
        r.push_back({DeUtf8(nome), bytes.str()});
    }
    return r;
}

TQuelbCargaBalItem& Item(TQuelbCargaBal& AGerador, int32_t ACodigo) {
    TQuelbCargaBalItem& i = AGerador.Produtos().New();
    i.Codigo = ACodigo;
    i.Descricao = u"Queijo minas";
    i.ValorVenda = TValorFixo::DeDezMilesimos(12'5000);
    i.Validade = 10;
    return i;
}

// The lines of a file's bytes (Windows-1252, CR LF) and back.
std::vector<std::string> Linhas(const std::string& ABytes) {
    std::vector<std::string> r;
    size_t inicio = 0, fim;
    while ((fim = ABytes.find("\r\n", inicio)) != std::string::npos) {
        r.push_back(ABytes.substr(inicio, fim - inicio));
        inicio = fim + 2;
    }
    return r;
}
std::string Bytes(const std::vector<std::string>& ALinhas) {
    std::string r;
    for (const std::string& l : ALinhas) r += l + "\r\n";
    return r;
}

TArquivoCarga& Arquivo(std::vector<TArquivoCarga>& AArquivos, std::u16string_view ANome) {
    for (TArquivoCarga& a : AArquivos)
        if (a.Nome == ANome) return a;
    throw std::logic_error("no such file in the load");
}

std::vector<std::string> Achados(const TLeituraCarga& ALeitura) {
    std::vector<std::string> r;
    for (const TAchadoCarga& a : ALeitura.Achados) r.push_back(ParaUtf8(LinhaDoAchado(a)));
    return r;
}

struct TDano {
    const char* Nome;
    TQuelbCargaBalModelo Modelo;
    std::function<void(TQuelbCargaBal&)> Catalogo;
    std::u16string_view Arquivo;
    // Changes the lines of that file.
    std::function<void(std::vector<std::string>&)> Danificar;
    const char* Achado;  // the finding expected among those of the reading
    bool Danificada = true;
};

const TDano Danos[] = {
    {"flipped checksum digit", modUrano, [](auto& g) { Item(g, 42); }, u"PRODUTOS.TXT",
     [](auto& l) { l[0][44] = l[0][44] == '0' ? '1' : '0'; },
     "PRODUTOS.TXT:1:43: erro: soma de verificação"},
    {"line cut short", modToledoMGV6, [](auto& g) { Item(g, 42); }, u"ITENSMGV.TXT", [](auto& l) { l[0].resize(140); },
     "ITENSMGV.TXT:1:141: erro: a linha tem 140 caracteres; o registro item tem 150"},
    {"missing nutrition record", modToledoMGV6,
     [](auto& g) {
         Item(g, 42).Nutricional.Codigo = 7;
         Item(g, 43).Nutricional.Codigo = 8;
     },
     u"INFNUTRI.TXT", [](auto& l) { l.erase(l.begin()); },
     "ITENSMGV.TXT:1:79: aviso: Nutricional.Codigo: 1 item cita 1 código sem registro em INFNUTRI.TXT (o primeiro, 7); "
     "os códigos ficam no catálogo",
     false},
    {"letter in a price", modFilizola, [](auto& g) { Item(g, 42); }, u"CADTXT.TXT", [](auto& l) { l[0][33] = 'A'; },
     "CADTXT.TXT:1:30: erro: campo preco: \"0001A50\" não é um número"},
    {"code outside the table", modToledo, [](auto& g) { Item(g, 42); }, u"TXITENS.TXT", [](auto& l) { l[0][4] = '7'; },
     "TXITENS.TXT:1:5: erro: campo tipo: \"7\" não é um código deste campo"},
    {"repeated item code", modToledo,
     [](auto& g) {
         Item(g, 42);
         Item(g, 43);
     },
     u"TXITENS.TXT", [](auto& l) { l[1].replace(5, 6, "000042"); },
     "TXITENS.TXT:2:6: erro: o código 42 repete o do item da linha 1"},
    {"two sector records under one code", modToledoMGV6,
     [](auto& g) {
         Item(g, 42).Setor = {3, u"Frios"};
         Item(g, 43).Setor = {4, u"Padaria"};
     },
     u"DEPTO.TXT", [](auto& l) { l[1].replace(0, 2, "03"); },
     "DEPTO.TXT:2:1: erro: o código 3 já tem um registro na linha 1"},
    {"a record of an item that is not there", modFilizola, [](auto& g) { Item(g, 42).Nutricional.Descricao = u"Porção"; },
     u"NUTRI.TXT", [](auto& l) { l[0].replace(0, 6, "000099"); },
     "NUTRI.TXT:1:1: erro: nenhum item tem o código 99 (em CADTXT.TXT)"},
    {"recipe laid out for a nutrition record that is not there", modUrano,
     [](auto& g) {
         TQuelbCargaBalItem& a = Item(g, 42);
         a.Nutricional.Qtd = 30;
         a.InformacaoExtra.Receita = u"Farinha";
     },
     u"PRODUTOS.TXT", [](auto& l) { l.erase(l.begin() + 1); },
     "PRODUTOS.TXT:2:1: erro: o item da linha 1 teria aqui o registro receita, não o registro "
     "receita_apos_nutricional"},
    {"validity beyond a 16-bit property", modUranoURF32, [](auto& g) { Item(g, 42); }, u"PRODUTOS.TXT",
     [](auto& l) { l[0].replace(37, 5, "40000"); },
     "PRODUTOS.TXT:1:38: erro: campo validade: 40000 não cabe em Validade, inteiro de 16 bits"},
    {"running number out of place", modRamuza, [](auto& g) { Item(g, 42); }, u"RAMUZA_ORIGINAL.TXT",
     [](auto& l) { l[0].replace(0, 4, "0002"); },
     "RAMUZA_ORIGINAL.TXT:1:1: aviso: o número 2 não é a posição do item na carga (1); uma nova geração grava 1",
     false},
    // A character without a byte is written as "?", and the sum counts the
    // character itself: the record is what the generation wrote.
    {"question mark in a checksummed record", modUranoS, [](auto& g) { Item(g, 42).Descricao = u"Pão 中"; },
     u"PRODUTOS.TXT", [](auto&) {}, "PRODUTOS.TXT:1:86: aviso: soma de verificação", false},
};

class CargaDanificada : public testing::TestWithParam<TDano> {};

TEST_P(CargaDanificada, GivesItsFindingAtFileLineAndColumn) {
    const TDano& d = GetParam();
    TQuelbCargaBal g;
    g.Modelo = d.Modelo;
    d.Catalogo(g);
    std::vector<TArquivoCarga> arquivos = Gerar(g);
    TArquivoCarga& alvo = Arquivo(arquivos, d.Arquivo);
    std::vector<std::string> linhas = Linhas(alvo.Bytes);
    d.Danificar(linhas);
    alvo.Bytes = Bytes(linhas);

    TQuelbCargaBalItens itens;
    const TLeituraCarga leitura = LerCarga(d.Modelo, arquivos, itens);
    const std::vector<std::string> achados = Achados(leitura);
    EXPECT_TRUE(std::any_of(achados.begin(), achados.end(),
                            [&](const std::string& a) { return a.starts_with(d.Achado); }))
        << testing::PrintToString(achados);
    EXPECT_EQ(leitura.Erros() > 0, d.Danificada) << testing::PrintToString(achados);
    // What could be read is there all the same.
    EXPECT_GE(itens.Count(), 1);
}

INSTANTIATE_TEST_SUITE_P(Danos, CargaDanificada, testing::ValuesIn(Danos),
                         [](const testing::TestParamInfo<TDano>& i) {
                             std::string nome;
                             for (const char c : std::string_view(i.param.Nome)) nome += std::isalnum(c) ? c : '_';
                             return nome;
                         });

// Reads the load of g back, checks it is clean, and generates it again:
// the same files, byte for byte.
TQuelbCargaBalItens LerDeVolta(TQuelbCargaBal& g) {
    const std::vector<TArquivoCarga> arquivos = Gerar(g);
    TQuelbCargaBalItens itens;
    const TLeituraCarga leitura = LerCarga(g.Modelo, arquivos, itens);
    EXPECT_EQ(leitura.Erros(), 0u) << testing::PrintToString(Achados(leitura));
    TQuelbCargaBal outro;
    outro.Modelo = g.Modelo;
    for (int32_t i = 0; i < itens.Count(); ++i) outro.Produtos().New() = itens.GetItem(i);
    const std::vector<TArquivoCarga> denovo = Gerar(outro);
    EXPECT_EQ(denovo.size(), arquivos.size());
    for (size_t i = 0; i < std::min(denovo.size(), arquivos.size()); ++i) {
        EXPECT_EQ(ParaUtf8(denovo[i].Nome), ParaUtf8(arquivos[i].Nome));
        EXPECT_EQ(denovo[i].Bytes, arquivos[i].Bytes) << ParaUtf8(arquivos[i].Nome);
    }
    return itens;
}

TEST(LerCarga, ARecordImpliesTheSmallestValueThatWritesIt) {
    TQuelbCargaBal g;
    g.Modelo = modUrano;
    TQuelbCargaBalItem& a = Item(g, 42);
    a.Nutricional.Qtd = 30;
    a.InformacaoExtra.Receita = u"   ";
    const TQuelbCargaBalItens itens = LerDeVolta(g);
    ASSERT_EQ(itens.Count(), 1);
    EXPECT_EQ(itens.GetItem(0).Nutricional.Qtd, 1);  // the record exists only above 0
    EXPECT_EQ(itens.GetItem(0).InformacaoExtra.Receita, u" ");

    TQuelbCargaBal f;
    f.Modelo = modFilizola;
    Item(f, 42).Setor.Descricao = u"  ";                    // a sector record for a blank name
    Item(f, 43).InformacaoExtra.Receita = u"ab\r\nc";       // a line break inside a closed record
    Item(f, 44).Nutricional.Descricao = u" ";
    const TQuelbCargaBalItens filizola = LerDeVolta(f);
    ASSERT_EQ(filizola.Count(), 3);
    EXPECT_EQ(filizola.GetItem(0).Setor.Descricao, u" ");
    EXPECT_EQ(filizola.GetItem(1).InformacaoExtra.Receita, u"ab\r\nc");
    EXPECT_EQ(filizola.GetItem(2).Nutricional.Descricao, u" ");
}

// Stores send the item file alone; the scale software keeps the other
// records. For every model: read alone, the item file keeps every code it
// cites, the values of the records left behind are not given (not zeros),
// and a new generation writes that item file again, byte for byte, and no
// other file: no record is invented for a code.
TEST(LerCarga, TheItemFileAloneKeepsItsCodesAndGivesNoOtherRecord) {
    const size_t receita = IndicePropriedade("InformacaoExtra.Receita"),
                 descricaoSetor = IndicePropriedade("Setor.Descricao"), qtd = IndicePropriedade("Nutricional.Qtd"),
                 tara = IndicePropriedade("Tara.Descricao"), fornecedor = IndicePropriedade("Fornecedor.Descricao1");
    for (const TDefinicaoModelo& m : Modelos()) {
        SCOPED_TRACE(m.Apelido);
        TQuelbCargaBal g;
        g.Modelo = m.Modelo;
        TQuelbCargaBalItem& a = Item(g, 42);
        a.Setor = {3, u"Frios"};
        a.Nutricional.Codigo = 7;
        a.Nutricional.Qtd = 30;
        a.Nutricional.ValorEnergetico = 98;
        a.InformacaoExtra = {3, u"", u"Leite, sal, coalho."};
        a.Tara = {2, u"Bandeja", TValorFixo::DeDezMilesimos(150)};
        a.CodigoTara = 2;
        a.Fornecedor.Codigo = 5;
        a.Fornecedor.Descricao1 = u"Laticínios Serra";
        a.CodigoFornecedor = 5;
        std::vector<TArquivoCarga> arquivos = Gerar(g);
        const TArquivoCarga& itemFile = Arquivo(arquivos, m.Arquivos[0].Nome);
        const std::vector<TArquivoCarga> soItens{itemFile};

        TQuelbCargaBalItens itens;
        const TLeituraCarga leitura = LerCarga(m.Modelo, soItens, itens);
        EXPECT_EQ(leitura.Erros(), 0u) << testing::PrintToString(Achados(leitura));
        ASSERT_EQ(itens.Count(), 1);
        const TQuelbCargaBalItem& lido = itens.GetItem(0);
        // A code the item record shows stays as it was written.
        for (const char* codigo : {"Setor.Codigo", "Nutricional.Codigo", "InformacaoExtra.Codigo", "CodigoTara", "CodigoFornecedor"})
            if (m.ItemMostra(codigo)) {
                EXPECT_EQ(ProcurarPropriedade(codigo)->Numero(lido), ProcurarPropriedade(codigo)->Numero(a)) << codigo;
                EXPECT_FALSE(lido.Ausentes[IndicePropriedade(codigo)]) << codigo;
            }
        // What only the other files hold is not given.
        for (const size_t p : {descricaoSetor, tara, fornecedor})
            if (m.Arquivos.size() > 1) EXPECT_TRUE(lido.Ausentes[p]) << Propriedades[p].Nome;
        if (m.ItemMostra("Nutricional.Codigo")) EXPECT_TRUE(lido.Ausentes[qtd]);
        if (m.ItemMostra("InformacaoExtra.Codigo")) EXPECT_TRUE(lido.Ausentes[receita]);

        TQuelbCargaBal outro;
        outro.Modelo = m.Modelo;
        outro.Produtos().New() = lido;
        const std::vector<TArquivoCarga> denovo = Gerar(outro);
        ASSERT_EQ(denovo.size(), 1u) << ParaUtf8(denovo.back().Nome);
        EXPECT_EQ(denovo[0].Bytes, itemFile.Bytes);
    }
}

// Tare records are keyed by their own code, which the items name by
// CodigoTara: each item takes the record it names, unless that puts the
// file out of order; a record no item names goes to an item all the same.
TEST(LerCarga, TareRecordsGoToTheItemsThatNameThemInTheFilesOrder) {
    TQuelbCargaBal g;
    g.Modelo = modToledoMGV6;
    TQuelbCargaBalItem& a = Item(g, 1);
    a.Tara = {5, u"Bandeja", TValorFixo::DeDezMilesimos(150)};
    a.CodigoTara = 5;
    Item(g, 2).CodigoTara = 5;  // names the tare of item 1
    TQuelbCargaBalItem& c = Item(g, 3);
    c.Tara = {9, u"Pote", TValorFixo::DeDezMilesimos(300)};  // no item names it
    const TQuelbCargaBalItens itens = LerDeVolta(g);
    ASSERT_EQ(itens.Count(), 3);
    EXPECT_EQ(itens.GetItem(0).Tara.Codigo, 5);
    EXPECT_EQ(itens.GetItem(0).Tara.Descricao, u"Bandeja");
    EXPECT_EQ(itens.GetItem(1).Tara.Codigo, 5);
    EXPECT_EQ(itens.GetItem(2).Tara.Codigo, 9);
}

// The last items must carry the records left, even one naming a record
// already written.
TEST(LerCarga, EveryTareRecordGoesToAnItemWhenItemsRunShort) {
    TQuelbCargaBal g;
    g.Modelo = modToledoMGV7;
    TQuelbCargaBalItem& a = Item(g, 1);
    a.Tara = {233, u"", TValorFixo()};
    a.CodigoTara = 233;
    Item(g, 2).Tara = {999, u"Pote", TValorFixo()};
    TQuelbCargaBalItem& c = Item(g, 3);
    c.Tara = {5, u"Bandeja", TValorFixo()};
    c.CodigoTara = 999;
    const TQuelbCargaBalItens itens = LerDeVolta(g);
    ASSERT_EQ(itens.Count(), 3);
    EXPECT_EQ(itens.GetItem(2).Tara.Codigo, 5);
}

// Loads with random bytes changed, cut or inserted (line ends and the Urano
// framing characters among them) are read without fault, for every model;
// a fixed seed and a fixed number of rounds bound the test.
TEST(LerCarga, RandomDamageIsReadSafely) {
    std::mt19937 aleatorio(20261210);
    const char especiais[] = {'\r', '\n', '\x02', '\x03', '\x0A', '\x0B', '\x0C', '\x10', '?', '-', ' ', 'x', '\xEF'};
    for (int m = 0; m < QuantidadeModelos; ++m) {
        TQuelbCargaBal g;
        g.Modelo = static_cast<TQuelbCargaBalModelo>(m);
        TQuelbCargaBalItem& a = Item(g, 42);
        a.Nutricional = {};
        a.Nutricional.Codigo = 3;
        a.Nutricional.Qtd = 30;
        a.Nutricional.Descricao = u"Porção";
        a.InformacaoExtra.Receita = u"Farinha, água e sal.";
        a.Tara = {2, u"Bandeja", TValorFixo::DeDezMilesimos(150)};
        a.CodigoTara = 2;
        a.Fornecedor.Codigo = 4;
        a.CodigoFornecedor = 4;
        a.Setor = {5, u"Padaria"};
        Item(g, 43).CodigoTara = 2;
        const std::vector<TArquivoCarga> originais = Gerar(g);
        for (int rodada = 0; rodada < 300; ++rodada) {
            std::vector<TArquivoCarga> arquivos = originais;
            TArquivoCarga& alvo = arquivos[aleatorio() % arquivos.size()];
            for (int n = 1 + static_cast<int>(aleatorio() % 4); n > 0 && !alvo.Bytes.empty(); --n) {
                const size_t i = aleatorio() % alvo.Bytes.size();
                const char c = especiais[aleatorio() % sizeof especiais];
                switch (aleatorio() % 3) {
                    case 0: alvo.Bytes[i] = c; break;
                    case 1: alvo.Bytes.insert(i, 1, c); break;
                    default: alvo.Bytes.resize(i); break;
                }
            }
            TQuelbCargaBalItens itens;
            const TLeituraCarga leitura = LerCarga(g.Modelo, arquivos, itens);
            for (const TAchadoCarga& f : leitura.Achados) EXPECT_FALSE(f.Descricao.empty());
        }
    }
}

TEST(LerCarga, Utf8WithAByteOrderMarkReadsAsWindows1252) {
    TQuelbCargaBal g;
    g.Modelo = modToledoMGV6;
    Item(g, 42).Descricao = u"Pão de açúcar";
    std::vector<TArquivoCarga> arquivos = Gerar(g);
    for (TArquivoCarga& a : arquivos) a.Bytes = "\xEF\xBB\xBF" + ParaUtf8(plataforma::cp1252::Decodificar(a.Bytes));
    TQuelbCargaBalItens itens;
    EXPECT_EQ(LerCarga(modToledoMGV6, arquivos, itens).Erros(), 0u);
    ASSERT_EQ(itens.Count(), 1);
    EXPECT_EQ(itens.GetItem(0).Descricao, u"Pão de açúcar");
}

TEST(LerCarga, TheModelComesFromTheFileNamesAndTheRecordWidths) {
    const struct {
        TQuelbCargaBalModelo Gerado, Detectado;
        bool Ambiguo;
    } casos[] = {
        {modFilizola, modFilizola, false},     {modToledo, modToledo, false},
        {modUrano, modUrano, false},           {modUranoS, modUranoS, false},
        {modToledoMGV5, modToledoMGV6, true},  {modToledoMGV6, modToledoMGV6, true},
        {modUranoURF32, modUranoURF32, false}, {modRamuza, modRamuza, false},
        {modToledoMGV5Ver1, modToledoMGV5Ver1, false}, {modToledoMGV7, modToledoMGV7, false},
    };
    for (const auto& c : casos) {
        TQuelbCargaBal g;
        g.Modelo = c.Gerado;
        Item(g, 42);
        std::vector<TArquivoCarga> arquivos = Gerar(g);
        for (TArquivoCarga& a : arquivos)
            for (char16_t& ch : a.Nome) ch = ch >= u'A' && ch <= u'Z' ? ch + 32 : ch;  // names in lower case
        bool ambiguo = false;
        EXPECT_EQ(DetectarModelo(arquivos, ambiguo), c.Detectado) << int(c.Gerado);
        EXPECT_EQ(ambiguo, c.Ambiguo) << int(c.Gerado);
    }
    bool ambiguo = false;
    EXPECT_EQ(DetectarModelo(std::vector<TArquivoCarga>{{u"LEIAME.TXT", "x\r\n"}}, ambiguo), std::nullopt);
}

}  // namespace
}  // namespace quelb
