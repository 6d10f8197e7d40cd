// The four exported functions called as a host calls them, with 8-bit texts.
// One generator lives for the whole program, so the cases run in order.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "apoio/diretorio_temporario.h"
#include "interface/exportadas.h"
#include "quelb/cargabal.h"

namespace quelb {
namespace {

std::string Chamar(const char* resultado) { return resultado ? resultado : "(nulo)"; }

const char* Adicionar(const char* etiqueta, const char* tipo, const char* codigo, double preco = 1.0,
                      const char* validade = "", const char* tecla = "", const char* setor = "0") {
    return AdicionarItem(etiqueta, tipo, codigo, "Produto", validade, 0, tecla, setor, "Setor", preco);
}

TQuelbCargaBalItem& Ultimo() {
    auto& produtos = GeradorCompartilhado()->Produtos();
    return produtos.GetItem(produtos.Count() - 1);
}

// Must run first: no Inicializar yet.
TEST(FuncoesExportadas, BeforeInicializarTheCallsAskForIt) {
    ASSERT_EQ(GeradorCompartilhado(), nullptr);
    const std::string msg = Chamar(LimparItems());
    EXPECT_NE(msg.find("Inicializar"), std::string::npos) << msg;
    EXPECT_NE(Chamar(Adicionar("0", "tpvPeso", "1")).find("Inicializar"), std::string::npos);
    // GerarArquivos still checks the directory first.
    EXPECT_EQ(Chamar(GerarArquivos("")), "Informe o diret\xF3rio onde ser\xE3o gerados os arquivos de carga!");
    EXPECT_EQ(Chamar(GerarArquivos(nullptr)), "Informe o diret\xF3rio onde ser\xE3o gerados os arquivos de carga!");
    EXPECT_EQ(Chamar(GerarArquivos("/nao/existe")), "Diretorio informado n\xE3o existe!");
    teste::DiretorioTemporario dir;
    EXPECT_NE(Chamar(GerarArquivos(dir.Utf8().c_str())).find("Inicializar"), std::string::npos);
    EXPECT_EQ(GeradorCompartilhado(), nullptr);
}

TEST(FuncoesExportadas, InicializarSelectsByExactNameAndKeepsTheItems) {
    EXPECT_EQ(Chamar(Inicializar("modToledoMGV5")), "OK");
    EXPECT_EQ(GeradorCompartilhado()->Modelo, modToledoMGV5);
    EXPECT_EQ(Chamar(LimparItems()), "OK");
    EXPECT_EQ(Chamar(Adicionar("0", "tpvPeso", "1")), "OK");

    for (const char* nome : {"MODTOLEDO", " modToledo", "", "modToledo "}) {
        const std::string msg = Chamar(Inicializar(nome));
        EXPECT_NE(msg.find(std::string("\"") + nome + "\""), std::string::npos) << msg;
        EXPECT_NE(msg.find("modToledoMGV5Ver1"), std::string::npos) << msg;  // lists the accepted names
        EXPECT_EQ(GeradorCompartilhado()->Modelo, modToledoMGV5);
    }
    EXPECT_NE(Chamar(Inicializar(nullptr)), "OK");
    const char* nomes[] = {"modFilizola", "modToledo", "modUrano", "modUranoS", "modToledoMGV5",
                           "modToledoMGV6", "modUranoURF32", "modRamuza", "modToledoMGV5Ver1", "modToledoMGV7"};
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(Chamar(Inicializar(nomes[i])), "OK");
        EXPECT_EQ(GeradorCompartilhado()->Modelo, i);
    }
    EXPECT_EQ(GeradorCompartilhado()->Produtos().Count(), 1);
}

TEST(FuncoesExportadas, AdicionarItemStoresEveryArgument) {
    ASSERT_EQ(Chamar(LimparItems()), "OK");
    ASSERT_EQ(Chamar(AdicionarItem("-32768", "tpvUnidade", " 42", "P\xE3o franc\xEAs", "$10", 0, "+7", "3",
                                   "Padaria", 1.99)),
              "OK");
    const TQuelbCargaBalItem& item = Ultimo();
    EXPECT_EQ(item.ModeloEtiqueta, -32768);
    EXPECT_EQ(item.Tipo, tpvUnidade);
    EXPECT_EQ(item.Codigo, 42);
    EXPECT_EQ(item.Descricao, u"Pão francês");
    EXPECT_EQ(item.Validade, 16);
    EXPECT_EQ(item.Tecla, 7);
    EXPECT_EQ(item.Setor.Codigo, 3);
    EXPECT_EQ(item.Setor.Descricao, u"Padaria");
    EXPECT_EQ(item.ValorVenda.DezMilesimos(), 19900);
    EXPECT_EQ(item.TipoValidade, tpvDias);

    ASSERT_EQ(Chamar(AdicionarItem("32767", "tpvEAN13Und", "1", nullptr, nullptr, 0, nullptr, "0", nullptr, 0.0)),
              "OK");
    EXPECT_EQ(Ultimo().ModeloEtiqueta, 32767);
    EXPECT_EQ(Ultimo().Tipo, tpvEAN13Und);
    EXPECT_EQ(Ultimo().Validade, 0);  // empty or null: not parsed
    EXPECT_EQ(Ultimo().Tecla, 0);
    EXPECT_TRUE(Ultimo().Descricao.empty());
}

TEST(FuncoesExportadas, AFailureLeavesTheItemWithTheFieldsSetBeforeIt) {
    ASSERT_EQ(Chamar(LimparItems()), "OK");
    EXPECT_EQ(Chamar(Adicionar("5", "tpvUnidade", "abc")), "'abc' is not a valid integer value");
    ASSERT_EQ(GeradorCompartilhado()->Produtos().Count(), 1);
    EXPECT_EQ(Ultimo().ModeloEtiqueta, 5);
    EXPECT_EQ(Ultimo().Tipo, tpvUnidade);
    EXPECT_EQ(Ultimo().Codigo, 0);

    EXPECT_EQ(Chamar(Adicionar("", "tpvPeso", "1")), "'' is not a valid integer value");
    EXPECT_EQ(Chamar(Adicionar(nullptr, "tpvPeso", "1")), "'' is not a valid integer value");

    const std::string tipo = Chamar(Adicionar("0", "tpvKilo", "1"));
    EXPECT_NE(tipo.find("\"tpvKilo\""), std::string::npos) << tipo;

    EXPECT_EQ(Chamar(Adicionar("0", "tpvPeso", "9", std::numeric_limits<double>::quiet_NaN())),
              "Invalid floating point operation");
    EXPECT_EQ(Ultimo().Codigo, 9);                     // set before the price
    EXPECT_EQ(Chamar(Adicionar("0", "tpvPeso", "9", 1.0, "12 ")), "'12 ' is not a valid integer value");
    EXPECT_EQ(Ultimo().ValorVenda.DezMilesimos(), 10000);  // set before the shelf life
    EXPECT_EQ(Chamar(Adicionar("0", "tpvPeso", "9", 1.0, "1", "1", "x")), "'x' is not a valid integer value");
    EXPECT_EQ(GeradorCompartilhado()->Produtos().Count(), 7);  // retries add items
}

// The 16-bit fields take what DefinirCampo takes: a value out of range is
// refused by both with one message, never cut to its low 16 bits.
TEST(FuncoesExportadas, SixteenBitFieldsRefuseWhatDoesNotFit) {
    const struct {
        const char* campo;
        const char* valor;
    } casos[] = {
        {"ModeloEtiqueta", "70000"}, {"ModeloEtiqueta", "40000"},  {"ModeloEtiqueta", "-32769"},
        {"ModeloEtiqueta", "$FFFF"}, {"Validade", "40000"},         {"Validade", "-40000"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(std::string(c.campo) + " = " + c.valor);
        const std::string mensagem =
            std::string(c.campo) + ": esperado inteiro de 16 bits, encontrado \"" + c.valor + "\".";
        ASSERT_EQ(Chamar(LimparItems()), "OK");
        const bool etiqueta = std::string(c.campo) == "ModeloEtiqueta";
        EXPECT_EQ(Chamar(AdicionarItem(etiqueta ? c.valor : "0", "tpvPeso", "1", "P", etiqueta ? "" : c.valor, 0, "",
                                       "0", "S", 1.0)),
                  mensagem);
        EXPECT_EQ(Ultimo().ModeloEtiqueta, 0);
        EXPECT_EQ(Ultimo().Validade, 0);
        EXPECT_EQ(Chamar(DefinirCampo(c.campo, c.valor)), mensagem);
    }
}

TEST(FuncoesExportadas, ErrorTextsComeInTheCodePageAndLastUntilTheNextCall) {
    ASSERT_EQ(Chamar(Inicializar("modFilizola")), "OK");
    const char* texto = GerarArquivos("/nao/existe");
    EXPECT_EQ(std::string(texto), "Diretorio informado n\xE3o existe!");  // the "ã" is one byte, 0xE3
    const std::string copia = texto;
    EXPECT_EQ(std::string(texto), copia);
    // A message with characters outside the code page and an accented argument.
    const std::string msg = Chamar(Adicionar("\xE7", "tpvPeso", "1"));
    EXPECT_EQ(msg, "'\xE7' is not a valid integer value");
}

TEST(FuncoesExportadas, GerarArquivosWritesTheLoad) {
    teste::DiretorioTemporario dir;
    ASSERT_EQ(Chamar(Inicializar("modUrano")), "OK");
    ASSERT_EQ(Chamar(LimparItems()), "OK");
    EXPECT_EQ(Chamar(GerarArquivos(dir.Utf8().c_str())), "N\xE3o foram informados os produtos para a gera\xE7\xE3o!");
    ASSERT_EQ(Chamar(Adicionar("0", "tpvPeso", "1")), "OK");
    EXPECT_EQ(Chamar(GerarArquivos(dir.Utf8().c_str())), "OK");
    EXPECT_TRUE(std::filesystem::exists(dir.Caminho() / "PRODUTOS.TXT"));
}

}  // namespace
}  // namespace quelb
