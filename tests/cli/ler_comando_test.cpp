// "cargabal ler" from a real process on real files: the catalogue it writes
// generates the same load, a damaged load exits 4 with its findings, the
// model is detected, and a load of one make migrates to another.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "apoio/diretorio_temporario.h"
#include "cli/processo.h"

namespace quelb::teste {
namespace {

using testing::HasSubstr;
using testing::Not;
namespace fs = std::filesystem;

const std::string Catalogo = R"({"produtos": [
  {"Codigo": 42, "Descricao": "Queijo minas", "ValorVenda": "12.5", "Validade": 10, "Tecla": 3,
   "Setor": {"Descricao": "Frios"},
   "Nutricional": {"Descricao": "Porcao 30 g", "ValorEnergetico": 98, "Carboidrato": "0.9", "Sodio": "171"},
   "InformacaoExtra": {"Receita": "Leite, sal, coalho."}},
  {"Codigo": 43, "Descricao": "Pão francês", "Tipo": "tpvUnidade", "ValorVenda": "0.75", "Validade": 1}]})";

std::string Ler(const fs::path& ACaminho) {
    std::ifstream f(ACaminho, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

void Gravar(const fs::path& ACaminho, const std::string& ABytes) { std::ofstream(ACaminho, std::ios::binary) << ABytes; }

// Generates the catalogue ACatalogo (JSON on standard input) for AModelo into APasta.
void Gerar(const std::string& AModelo, const std::string& ACatalogo, const DiretorioTemporario& APasta) {
    const TResultadoProcesso r =
        ExecutarCargabal({"gerar", "-m", AModelo, "-e", "-", "-s", APasta.Utf8(), "--silencioso"}, ACatalogo);
    ASSERT_EQ(r.Saida, 0) << r.Erros;
}

TEST(LerComando, TheCatalogueReadGeneratesTheSameLoad) {
    DiretorioTemporario a, b;
    Gerar("filizola", Catalogo, a);
    const TResultadoProcesso lido = ExecutarCargabal({"ler", "-m", "filizola", "-e", a.Utf8(), "-s", "-"});
    ASSERT_EQ(lido.Saida, 0) << lido.Erros;
    EXPECT_THAT(lido.SaidaPadrao, HasSubstr(R"("Codigo": 42, "Descricao": "Queijo minas")"));
    EXPECT_THAT(lido.SaidaPadrao, HasSubstr(R"("ValorVenda": "12.5")"));
    EXPECT_THAT(lido.Erros, HasSubstr("filizola: 2 itens lidos de 4 arquivos; 0 erros, 0 avisos."));
    Gerar("filizola", lido.SaidaPadrao, b);
    for (const char* nome : {"CADTXT.TXT", "SETORTXT.TXT", "NUTRI.TXT", "REC_ASS.TXT"})
        EXPECT_EQ(Ler(b.Caminho() / nome), Ler(a.Caminho() / nome)) << nome;

    // Without --saida: a table of the items.
    const TResultadoProcesso tabela = ExecutarCargabal({"ler", "-e", a.Utf8()});
    EXPECT_EQ(tabela.Saida, 0);
    EXPECT_THAT(tabela.SaidaPadrao, HasSubstr("        43  tpvUnidade           0,75         1  Pão francês\n"));
    EXPECT_THAT(tabela.Erros, HasSubstr("modelo detectado: filizola\n"));
}

// The vendor columns of the Toledo item record are properties: written by
// gerar, read by ler, carried by JSON and CSV; a value the column cannot
// take stops gerar.
TEST(LerComando, TheVendorColumnsOfTheToledoItemRecordComeBackThroughBothCatalogues) {
    const std::string catalogo = R"({"produtos": [
      {"Codigo": 42, "Descricao": "Queijo", "ValorVenda": "1", "Toledo": {"DV": "0", "G": "           ", "FR": "1600"}},
      {"Codigo": 43, "Descricao": "Pão", "ValorVenda": "2"}]})";
    for (const char* modelo : {"toledo-mgv6", "toledo-mgv7"}) {
        SCOPED_TRACE(modelo);
        DiretorioTemporario a, b, c;
        Gerar(modelo, catalogo, a);
        const std::string itens = Ler(a.Caminho() / "ITENSMGV.TXT");
        const size_t segunda = itens.find("\r\n") + 2;
        EXPECT_EQ(itens.substr(84, 1), "0");
        EXPECT_EQ(itens.substr(102, 11), std::string(11, ' '));
        EXPECT_EQ(itens.substr(122, 4), "1600");
        // Not given: the usual constants.
        EXPECT_EQ(itens.substr(segunda + 84, 1), "1");
        EXPECT_EQ(itens.substr(segunda + 102, 11), std::string(11, '0'));
        EXPECT_EQ(itens.substr(segunda + 122, 4), "0000");

        const TResultadoProcesso json = ExecutarCargabal({"ler", "-m", modelo, "-e", a.Utf8(), "-s", "-"});
        ASSERT_EQ(json.Saida, 0) << json.Erros;
        EXPECT_THAT(json.SaidaPadrao, HasSubstr(R"("Toledo": {"DV": "0", "G": "           ", "FR": "1600"}})"));
        EXPECT_THAT(json.SaidaPadrao, Not(HasSubstr(R"("Codigo": 43, "Descricao": "Pão", "Toledo")")));
        Gerar(modelo, json.SaidaPadrao, b);
        EXPECT_EQ(Ler(b.Caminho() / "ITENSMGV.TXT"), itens);

        const fs::path csv = c.Caminho() / "catalogo.csv";
        ASSERT_EQ(ExecutarCargabal({"ler", "-m", modelo, "-e", a.Utf8(), "-s", csv.string()}).Saida, 0);
        const fs::path saida = c.Caminho() / "carga";
        fs::create_directories(saida);
        const TResultadoProcesso r = ExecutarCargabal({"gerar", "-m", modelo, "-e", csv.string(), "-s", saida.string()});
        ASSERT_EQ(r.Saida, 0) << r.Erros;
        EXPECT_EQ(Ler(saida / "ITENSMGV.TXT"), itens);
    }
    for (const char* valor : {R"("DV": "2")", R"("FR": "16")", R"("FR": "16A0")"}) {
        DiretorioTemporario d;
        const TResultadoProcesso r = ExecutarCargabal(
            {"gerar", "-m", "toledo-mgv6", "-e", "-", "-s", d.Utf8()},
            std::string(R"({"produtos": [{"Codigo": 42, "Descricao": "Queijo", "ValorVenda": "1", "Toledo": {)") + valor + "}}]}");
        EXPECT_NE(r.Saida, 0) << valor;
        EXPECT_THAT(r.Erros, HasSubstr("não serve à coluna")) << valor;
    }
}

TEST(LerComando, ADamagedLoadExitsFourAndTheCatalogueIsWrittenAllTheSame) {
    DiretorioTemporario a;
    Gerar("toledo-mgv6", Catalogo, a);
    std::string itens = Ler(a.Caminho() / "ITENSMGV.TXT");
    itens[12] = 'x';  // a letter in the first item's price
    Gravar(a.Caminho() / "ITENSMGV.TXT", itens);
    const fs::path catalogo = a.Caminho() / "lido.csv";
    const TResultadoProcesso r = ExecutarCargabal({"ler", "-e", a.Utf8(), "-s", catalogo.string()});
    EXPECT_EQ(r.Saida, 4);
    EXPECT_THAT(r.Erros, HasSubstr("ITENSMGV.TXT:1:10: erro: campo preco: \"001x50\" não é um número\n"));
    EXPECT_THAT(r.Erros, HasSubstr("as cargas da MGV5 e da MGV6 são iguais"));
    EXPECT_THAT(Ler(catalogo), HasSubstr("Codigo;Descricao;"));
    EXPECT_THAT(Ler(catalogo), HasSubstr("43;\"Pão francês\";"));

    EXPECT_EQ(ExecutarCargabal({"ler", "-e", (a.Caminho() / "nada").string()}).Saida, 2);
    EXPECT_EQ(ExecutarCargabal({"ler", "-m", "toledo-mgv9", "-e", a.Utf8()}).Saida, 2);
}

TEST(LerComando, OneFileIsReadAsTheModelsItemFile) {
    DiretorioTemporario a;
    Gerar("ramuza", R"([{"Codigo": 43, "Descricao": "Pão francês", "ValorVenda": 0.75}])", a);
    fs::rename(a.Caminho() / "RAMUZA_ORIGINAL.TXT", a.Caminho() / "carga.txt");
    const TResultadoProcesso r =
        ExecutarCargabal({"ler", "-m", "ramuza", "-e", (a.Caminho() / "carga.txt").string(), "-s", "-"});
    EXPECT_EQ(r.Saida, 0) << r.Erros;
    EXPECT_THAT(r.SaidaPadrao, HasSubstr(R"("Codigo": 43, "Descricao": "Pão francês")"));
}

// A Filizola load read back and written as a Toledo MGV7 load, as the README shows.
TEST(LerComando, AFilizolaLoadMigratesToToledoMgv7) {
    DiretorioTemporario filizola, mgv7;
    Gerar("filizola", Catalogo, filizola);
    const fs::path catalogo = filizola.Caminho() / "produtos.json";
    ASSERT_EQ(ExecutarCargabal({"ler", "-e", filizola.Utf8(), "-s", catalogo.string(), "--silencioso"}).Saida, 0);
    const TResultadoProcesso r =
        ExecutarCargabal({"gerar", "-m", "toledo-mgv7", "-e", catalogo.string(), "-s", mgv7.Utf8(), "--silencioso"});
    ASSERT_EQ(r.Saida, 0) << r.Erros;
    const std::string itens = Ler(mgv7.Caminho() / "ITENSMGV.TXT");
    EXPECT_THAT(itens, HasSubstr("000000420012500"));  // code and price
    EXPECT_THAT(Ler(mgv7.Caminho() / "TXINFO.TXT"), HasSubstr("Leite, sal, coalho."));
}

}  // namespace
}  // namespace quelb::teste
