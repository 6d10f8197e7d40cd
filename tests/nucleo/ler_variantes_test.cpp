// Loads as stores and other writers have them: trimmed trailing spaces, an
// empty last line, a DOS end-of-file mark, names in another letter case,
// values that cannot be read. Each is read without inventing or dropping a
// value, with its aviso or erro.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "apoio/diretorio_temporario.h"
#include "catalogue/escritor_catalogo.h"
#include "catalogue/propriedades.h"
#include "generator/gerador.h"
#include "generator/ler_carga.h"
#include "platform/cp1252.h"

namespace quelb {
namespace {

namespace fs = std::filesystem;

std::string Espacos(size_t n) { return std::string(n, ' '); }
std::string Pad(std::string t, size_t n) {
    t.resize(n, ' ');
    return t;
}

// A full TXITENS.TXT record: sector 01, label 01, by weight, code, price
// 14.90, validity 0, the description and no text.
std::string ItemToledo(const std::string& ACodigo, const std::string& ADescricao, const std::string& ATipo = "0",
                       const std::string& APreco = "001490") {
    return "0101" + ATipo + ACodigo + APreco + "000" + Pad(ADescricao, 50) + Espacos(250);
}
// An ITENSMGV.TXT record of MGV5 and MGV6 without companion records, with
// the vendor columns DV (column 85) and G (103-113) as given.
std::string ItemMGV6(const std::string& ASetor, const std::string& ADescricao, const std::string& ADV = "1",
                     const std::string& AG = std::string(11, '0'), const std::string& ACodigo = "000031") {
    return ASetor + "0" + ACodigo + "000795" "000" + Pad(ADescricao, 50) + "000000" "0000" "000000" + ADV + "1" "0000" +
           std::string(12, '0') + AG + "0" "0000" "0000" + std::string(16, '0') + std::string(12, '0');
}
// An ITENSMGV.TXT record of MGV7 (version 4) of sector 01 with its lists as
// given, and the last vendor columns or not.
std::string ItemMGV7(const std::string& ADepartamentos, const std::string& AFornecedores, bool AFinal = true) {
    return ItemMGV6("01", "BATATA") + "000000|" + ADepartamentos + "|" + Espacos(70) + std::string(24, '0') + "0|" +
           AFornecedores + "|0||" + (AFinal ? std::string(22, '0') : "");
}
const char* const SemDepto = "ITENSMGV.TXT: aviso: DEPTO.TXT não está na pasta: 1 item cita 1 código dele em Setor.Codigo; os "
                             "códigos ficam no catálogo, e os registros são os que o programa da balança já tem";
// The same record as a writer that trims trailing spaces leaves it.
std::string Aparado(const std::string& ARegistro) { return ARegistro.substr(0, ARegistro.find_last_not_of(' ') + 1); }

// A Windows-1252 text in UTF-8, as an editor saves it.
std::string Utf8(const std::string& AWindows1252) { return ParaUtf8(plataforma::cp1252::Decodificar(AWindows1252)); }
const char* const Acucar = "A\xC7\xDA" "CAR";  // "AÇÚCAR" in Windows-1252: not valid UTF-8

std::vector<std::string> Achados(const TLeituraCarga& ALeitura) {
    std::vector<std::string> r;
    for (const TAchadoCarga& a : ALeitura.Achados) r.push_back(ParaUtf8(LinhaDoAchado(a)));
    return r;
}

struct TVariante {
    const char* Nome;
    TQuelbCargaBalModelo Modelo;
    std::vector<TArquivoCarga> Arquivos;
    std::vector<std::string> Descricoes;  // of the items read, in order
    std::vector<std::string> Esperados;   // every finding, in order
};

void PrintTo(const TVariante& v, std::ostream* os) { *os << v.Nome; }

const TVariante Variantes[] = {
    {"empty last line", modToledo, {{u"TXITENS.TXT", ItemToledo("000001", "PAO") + "\r\n\r\n"}}, {"PAO"},
     {"TXITENS.TXT:2: aviso: linha vazia no fim do arquivo: não é um registro"}},
    {"empty line between records", modToledo,
     {{u"TXITENS.TXT", ItemToledo("000001", "PAO") + "\r\n\r\n" + ItemToledo("000002", "LEITE") + "\r\n"}},
     {"PAO", "LEITE"},
     {"TXITENS.TXT:2: aviso: linha vazia: não é um registro"}},
    {"DOS end-of-file mark", modToledo, {{u"TXITENS.TXT", ItemToledo("000001", "PAO") + "\r\n\x1A"}}, {"PAO"},
     {"TXITENS.TXT:2: aviso: o arquivo termina com o caractere 0x1A (fim de arquivo do DOS), que não é lido"}},
    {"end-of-file mark right after the record", modToledo, {{u"TXITENS.TXT", ItemToledo("000001", "PAO") + "\x1A"}},
     {"PAO"},
     {"TXITENS.TXT:1: aviso: a última linha não termina com CR LF",
      "TXITENS.TXT:1: aviso: o arquivo termina com o caractere 0x1A (fim de arquivo do DOS), que não é lido"}},
    {"LF endings and no final line end", modToledo,
     {{u"TXITENS.TXT", ItemToledo("000001", "PAO") + "\n" + ItemToledo("000002", "LEITE")}}, {"PAO", "LEITE"},
     {"TXITENS.TXT:1: aviso: as linhas terminam só com LF, sem CR",
      "TXITENS.TXT:2: aviso: a última linha não termina com CR LF"}},
    {"trailing spaces trimmed", modToledo,
     {{u"txitens.txt", Aparado(ItemToledo("000001", "PAO FRANCES")) + "\r\n" +
                           Aparado(ItemToledo("000002", "MINI PAO FRANCES")) + "\r\n"}},
     {"PAO FRANCES", "MINI PAO FRANCES"},
     {"txitens.txt:1: aviso: 2 linhas terminam antes das 320 colunas do registro, no texto final (os espaços do fim "
      "foram cortados): o texto que há é mantido"}},
    {"record cut after the first description line", modToledo,
     {{u"TXITENS.TXT", ItemToledo("000001", "CARNE DE BODE OU CARNEIRO PROMO").substr(0, 45) + "\r\n"}},
     {"CARNE DE BODE OU CARNEIRO"},
     {"TXITENS.TXT:1: aviso: 1 linha termina antes das 320 colunas do registro, no texto final (os espaços do fim "
      "foram cortados): o texto que há é mantido"}},
    // Short of the texts: a field that holds a number is missing.
    {"line cut inside the numbers", modToledo, {{u"TXITENS.TXT", ItemToledo("000001", "PAO").substr(0, 18) + "\r\n"}},
     {""},
     {"TXITENS.TXT:1:19: erro: a linha tem 18 caracteres; o registro item tem 320"}},
    {"names in two letter cases", modToledo,
     {{u"txitens.txt", ItemToledo("000001", "VELHO") + "\r\n"}, {u"TXITENS.TXT", ItemToledo("000001", "NOVO") + "\r\n"}},
     {"NOVO"},
     {"TXITENS.TXT: aviso: a pasta também tem txitens.txt, que difere só nas maiúsculas e minúsculas; lido "
      "TXITENS.TXT, não txitens.txt"}},
    {"vendor columns set by the store", modToledoMGV6,
     {{u"ITENSMGV.TXT", ItemMGV6("01", "BATATA", "0", Espacos(11)) + "\r\n" + ItemMGV6("02", "CEBOLA", "0", std::string(11, '0'), "000032") + "\r\n"}},
     {"BATATA", "CEBOLA"},
     {"ITENSMGV.TXT: aviso: DEPTO.TXT não está na pasta: 2 itens citam 2 códigos dele em Setor.Codigo; os códigos ficam "
      "no catálogo, e os registros são os que o programa da balança já tem"}},
    {"a vendor column with a value it does not take", modToledoMGV6,
     {{u"ITENSMGV.TXT", ItemMGV6("00", "BATATA", "x", "0000000000A") + "\r\n"}},
     {"BATATA"},
     {"ITENSMGV.TXT:1:85: erro: campo DV, imprime data de validade: \"x\" não é um código deste campo: o valor não é "
      "lido, e uma nova geração grava \"1\"",
      "ITENSMGV.TXT:1:103: erro: campo G: \"0000000000A\" não são só dígitos e espaços: o valor não é lido, e uma nova "
      "geração grava \"00000000000\""}},
    {"MGV6 records without their last 4 columns", modToledoMGV6,
     {{u"ITENSMGV.TXT", ItemMGV6("00", "BATATA").substr(0, 146) + "\n" + ItemMGV6("00", "CEBOLA", "0", std::string(11, '0'), "000032").substr(0, 146)}},
     {"BATATA", "CEBOLA"},
     {"ITENSMGV.TXT:1: aviso: as linhas terminam só com LF, sem CR",
      "ITENSMGV.TXT:1: aviso: 2 registros têm 146 caracteres: o registro de 150 sem as suas 4 últimas colunas, as do "
      "fim do campo EAN-13 do fornecedor, que é de zeros: lidos com essas colunas em zeros, que uma nova geração grava",
      "ITENSMGV.TXT:2: aviso: a última linha não termina com CR LF"}},
    // One short line among whole ones is damage, not the file's form.
    {"one MGV6 record 4 columns short among whole ones", modToledoMGV6,
     {{u"ITENSMGV.TXT", ItemMGV6("00", "BATATA") + "\r\n" + ItemMGV6("00", "CEBOLA", "1", std::string(11, '0'), "000032").substr(0, 146) + "\r\n"}},
     {"BATATA", "CEBOLA"},
     {"ITENSMGV.TXT:2:147: erro: a linha tem 146 caracteres; o registro item tem 150"}},
    {"one item under two departments", modToledoMGV6,
     {{u"ITENSMGV.TXT", ItemMGV6("01", "BATATA") + "\r\n" + ItemMGV6("00", "BATATA") + "\r\n"}},
     {"BATATA"},
     {"ITENSMGV.TXT: aviso: DEPTO.TXT não está na pasta: 1 item cita 1 código dele em Setor.Codigo; os códigos ficam no "
      "catálogo, e os registros são os que o programa da balança já tem"}},
    {"the same code with another description", modToledoMGV6,
     {{u"ITENSMGV.TXT", ItemMGV6("00", "BATATA") + "\r\n" + ItemMGV6("00", "CEBOLA") + "\r\n"}},
     {"BATATA", "CEBOLA"},
     {"ITENSMGV.TXT:2:4: erro: o código 31 repete o do item da linha 1"}},
    // A line short of a number field: the shift is named; the vendor
    // columns it moves take the digits that moved there.
    {"a description ten characters short", modToledoMGV6,
     {{u"ITENSMGV.TXT", ItemMGV6("00", "BATATA").erase(30, 10) + "\r\n"}},
     {"BATATA                                  0000000000"},
     {"ITENSMGV.TXT:1:141: erro: a linha tem 140 caracteres; o registro item tem 150; o campo descricao (coluna 19) "
      "parece ter 10 caracteres a menos, que deslocam os campos seguintes: com ele na sua largura, eles conferem"}},
    {"MGV7 record of 260 characters", modToledoMGV7, {{u"ITENSMGV.TXT", ItemMGV7("01", "", false) + "\r\n"}},
     {"BATATA"},
     {SemDepto,
      "ITENSMGV.TXT:1: aviso: 1 registro termina depois do último \"|\", sem G1, PG e PPPPPP: lidos com esses campos "
      "em zeros, que uma nova geração grava"}},
    {"MGV7 lists found by their marks", modToledoMGV7, {{u"ITENSMGV.TXT", ItemMGV7("0102", "000123") + "\r\n"}},
     {"BATATA"},
     {SemDepto}},
    {"MGV7 item under two departments", modToledoMGV7,
     {{u"ITENSMGV.TXT", ItemMGV7("01", "") + "\r\n" + "02" + ItemMGV7("02", "").substr(2) + "\r\n"}},
     {"BATATA"},
     {SemDepto}},
    {"MGV7 item under its department and under 00", modToledoMGV7,
     {{u"ITENSMGV.TXT", ItemMGV7("01", "") + "\r\n" + "00" + ItemMGV7("00", "").substr(2) + "\r\n"}},
     {"BATATA"},
     {SemDepto,
      "ITENSMGV.TXT:2: aviso: 1 linha do departamento 00 de um item de outro departamento tem a lista de departamentos "
      "\"00\": uma nova geração grava essas linhas com a lista vazia"}},
    {"MGV7 list empty on a record with a department", modToledoMGV7, {{u"ITENSMGV.TXT", ItemMGV7("", "") + "\r\n"}},
     {"BATATA"},
     {SemDepto,
      "ITENSMGV.TXT:1: aviso: 1 registro tem a lista de departamentos vazia, mas um departamento no início: uma nova "
      "geração grava esse departamento na lista"}},
    // The encoding: UTF-8 is found by its bytes, with or without a mark.
    {"UTF-8 without a byte-order mark", modToledo, {{u"TXITENS.TXT", Utf8(ItemToledo("000001", Acucar)) + "\r\n"}},
     {"AÇÚCAR"},
     {"TXITENS.TXT: aviso: o arquivo está em UTF-8 (sem marca de ordem de bytes), não em Windows-1252, como as "
      "balanças o leem: lido como UTF-8; uma nova geração grava Windows-1252"}},
    {"UTF-8 with a byte-order mark", modToledo,
     {{u"TXITENS.TXT", "\xEF\xBB\xBF" + Utf8(ItemToledo("000001", Acucar)) + "\r\n"}},
     {"AÇÚCAR"},
     {"TXITENS.TXT: aviso: o arquivo está em UTF-8 (com marca de ordem de bytes), não em Windows-1252, como as "
      "balanças o leem: lido como UTF-8; uma nova geração grava Windows-1252"}},
    {"Windows-1252 that is not valid UTF-8", modToledo, {{u"TXITENS.TXT", ItemToledo("000001", Acucar) + "\r\n"}},
     {"AÇÚCAR"}, {}},
    {"a byte-order mark before bytes that are not UTF-8", modToledo,
     {{u"TXITENS.TXT", "\xEF\xBB\xBF" + ItemToledo("000001", Acucar) + "\r\n"}},
     {"A\xEF\xBF\xBD\xEF\xBF\xBD" "CAR"},
     {"TXITENS.TXT: erro: o arquivo começa com a marca de UTF-8, mas não é UTF-8 válido"}},
};

class VarianteReal : public testing::TestWithParam<TVariante> {};

TEST_P(VarianteReal, KeepsEveryValueWithItsFinding) {
    const TVariante& v = GetParam();
    TQuelbCargaBalItens itens;
    const TLeituraCarga leitura = LerCarga(v.Modelo, v.Arquivos, itens);
    EXPECT_EQ(Achados(leitura), v.Esperados);
    std::vector<std::string> descricoes;
    for (int32_t i = 0; i < itens.Count(); ++i) descricoes.push_back(ParaUtf8(itens.GetItem(i).Descricao.Utf16()));
    EXPECT_EQ(descricoes, v.Descricoes);
}

INSTANTIATE_TEST_SUITE_P(Variantes, VarianteReal, testing::ValuesIn(Variantes),
                         [](const testing::TestParamInfo<TVariante>& i) {
                             std::string nome;
                             for (const char c : std::string_view(i.param.Nome)) nome += std::isalnum(c) ? c : '_';
                             return nome;
                         });

// The records decide the model where they read as another model's without
// erro and not as the names say; otherwise the names do.
TEST(LerVariante, TheRecordsDecideTheModelOverTheNames) {
    const struct {
        const char* Caso;
        TArquivoCarga Arquivo;
        TQuelbCargaBalModelo Modelo;
    } casos[] = {
        {"TXITENS records under an MGV name", {u"ITENSMGV.txt", Aparado(ItemToledo("000001", "PAO")) + "\n"}, modToledo},
        {"MGV6 records under their name", {u"ITENSMGV.TXT", ItemMGV6("00", "PAO") + "\r\n"}, modToledoMGV6},
        {"MGV7 records of 260 characters", {u"ITENSMGV.TXT", ItemMGV7("01", "", false) + "\r\n"}, modToledoMGV7},
        // Wider in bytes than MGV6, not in characters; damaged (a letter in
        // the price), so that the width decides.
        {"damaged MGV6 records in UTF-8", {u"ITENSMGV.TXT", Utf8(ItemMGV6("00", Acucar)).replace(9, 1, "X") + "\r\n"},
         modToledoMGV6},
        // Damaged as any model: the name says.
        {"damaged MGV6 records", {u"ITENSMGV.TXT", ItemMGV6("00", "PAO").substr(0, 146) + "\r\n"}, modToledoMGV6},
    };
    for (const auto& c : casos) {
        bool ambiguo = false;
        EXPECT_EQ(DetectarModelo(std::span(&c.Arquivo, 1), ambiguo), c.Modelo) << c.Caso;
    }
}

// In a record whose lists widen it (MGV7), the shifted text field is found
// all the same.
TEST(LerVariante, AShortMgv7LineNamesTheFieldThatShifted) {
    const std::vector<TArquivoCarga> arquivos = {{u"ITENSMGV.TXT", ItemMGV7("01", "", false).erase(30, 10) + "\r\n"}};
    TQuelbCargaBalItens itens;
    const std::vector<std::string> achados = Achados(LerCarga(modToledoMGV7, arquivos, itens));
    EXPECT_NE(std::find(achados.begin(), achados.end(),
                        "ITENSMGV.TXT:1:251: erro: a linha tem 250 caracteres; o registro item tem ao menos 280; o "
                        "campo descricao (coluna 19) parece ter 10 caracteres a menos, que deslocam os campos "
                        "seguintes: com ele na sua largura, eles conferem"),
              achados.end())
        << testing::PrintToString(achados);
}

// A TXINFO text not padded to its width keeps what it has.
TEST(LerVariante, AShortExtraInformationTextIsKept) {
    const std::string item = "00" "0" "000001" "001490" "000" + Pad("PAO", 50) + "000007" "0000" "000000" "1" "1" "0000" +
                             std::string(12, '0') + std::string(11, '0') + "0" "0000" "0000" + std::string(16, '0') +
                             std::string(12, '0');
    ASSERT_EQ(item.size(), 150u);
    const std::vector<TArquivoCarga> arquivos = {{u"ITENSMGV.TXT", item + "\r\n"},
                                                 {u"TXINFO.TXT", "000007CONTEM GLUTEN\r\n"}};
    TQuelbCargaBalItens itens;
    const TLeituraCarga leitura = LerCarga(modToledoMGV6, arquivos, itens);
    EXPECT_EQ(leitura.Erros(), 0u) << testing::PrintToString(Achados(leitura));
    ASSERT_EQ(itens.Count(), 1);
    EXPECT_EQ(ParaUtf8(itens.GetItem(0).InformacaoExtra.Observacao.Utf16()), "CONTEM GLUTEN");
}

// A value that cannot be read is an erro, and the catalogue written from
// the reading leaves it out instead of writing a default in its place.
TEST(LerVariante, AnUnreadableValueStaysOutOfTheCatalogue) {
    const std::vector<TArquivoCarga> arquivos = {
        {u"TXITENS.TXT", ItemToledo("000001", "PAO", "u") + "\r\n" + ItemToledo("000002", "LEITE", "1", "      ") +
                             "\r\n" + ItemToledo("000003", "QUEIJO", "1") + "\r\n"}};
    TQuelbCargaBalItens itens;
    const TLeituraCarga leitura = LerCarga(modToledo, arquivos, itens);
    EXPECT_EQ(Achados(leitura), (std::vector<std::string>{
                                    "TXITENS.TXT:1:5: erro: campo tipo: \"u\" não é um código deste campo",
                                    "TXITENS.TXT:2:12: erro: campo preco: \"      \" não é um número",
                                }));
    const size_t tipo = IndicePropriedade("Tipo"), preco = IndicePropriedade("ValorVenda");
    EXPECT_EQ(leitura.NaoLidos, (std::vector<std::pair<int32_t, size_t>>{{0, tipo}, {1, preco}}));

    std::string json;
    const std::vector<size_t> propriedades = {IndicePropriedade("Codigo"), tipo, preco};
    EscreverCatalogo(itens, propriedades, TFormatoCatalogo::Json, [&](std::string_view t) { json += t; },
                     [&](int32_t i, size_t p) { return leitura.NaoLido(i, p); });
    EXPECT_EQ(json, "{\n  \"produtos\": [\n"
                    "    {\"Codigo\": 1, \"ValorVenda\": \"14.9\"},\n"
                    "    {\"Codigo\": 2, \"Tipo\": \"tpvUnidade\"},\n"
                    "    {\"Codigo\": 3, \"Tipo\": \"tpvUnidade\", \"ValorVenda\": \"14.9\"}\n"
                    "  ]\n}\n");
    std::string csv;
    EscreverCatalogo(itens, propriedades, TFormatoCatalogo::Csv, [&](std::string_view t) { csv += t; },
                     [&](int32_t i, size_t p) { return leitura.NaoLido(i, p); });
    EXPECT_EQ(csv, "\xEF\xBB\xBF" "Codigo;Tipo;ValorVenda\r\n1;;14,9\r\n2;tpvUnidade;\r\n3;tpvUnidade;14,9\r\n");
}

// A file of the load under another letter case: the generation replaces it,
// and an old file of the model under another case is pointed out (and
// removed with LimparArquivosAntigos).
TEST(LerVariante, AGenerationReplacesANameInAnotherLetterCase) {
#ifdef _WIN32
    GTEST_SKIP() << "file names ignore letter case on Windows: another case names the same file";
#endif
    for (const bool limpar : {false, true}) {
        SCOPED_TRACE(limpar ? "removing old files" : "keeping old files");
        teste::DiretorioTemporario dir;
        for (const char* nome : {"itensmgv.txt", "tara.txt"}) std::ofstream(dir.Caminho() / nome) << "antigo\r\n";
        TQuelbCargaBal g;
        g.Modelo = modToledoMGV6;
        g.LimparArquivosAntigos = limpar;
        TQuelbCargaBalItem& i = g.Produtos().New();
        i.Codigo = 1;
        i.Descricao = u"PAO";
        g.GerarArquivos(dir.Texto());
        EXPECT_FALSE(fs::exists(dir.Caminho() / "itensmgv.txt"));
        EXPECT_TRUE(fs::exists(dir.Caminho() / "ITENSMGV.TXT"));
        EXPECT_EQ(fs::exists(dir.Caminho() / "tara.txt"), !limpar);
        ASSERT_EQ(g.ArquivosAntigos().size(), 1u);
        EXPECT_EQ(fs::path(g.ArquivosAntigos()[0]).filename(), "tara.txt");
    }
}

}  // namespace
}  // namespace quelb
