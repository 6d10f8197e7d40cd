// Values not given: a key absent from a JSON catalogue or an empty CSV cell
// stays apart from a zero or a blank given. A record of another file than
// the item file is written only when some of its content was given; a code
// given alone leaves the record to the scale software, said once per file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "apoio/carga.h"
#include "catalogue/leitor_catalogo.h"
#include "catalogue/propriedades.h"
#include "generator/gerador.h"

namespace quelb {
namespace {

using teste::DiretorioTemporario;

// The items of a catalogue text read into g, and the files g writes, sorted.
std::vector<std::string> Gerar(TQuelbCargaBal& g, const std::string& ACatalogo, const char* ANome) {
    const TRelatorioCatalogo r = LerCatalogo(ACatalogo, ANome, {}, g.Produtos());
    EXPECT_TRUE(r.Ok()) << r.TextoErros();
    DiretorioTemporario d;
    teste::GerarEm(g, d);
    return teste::ArquivosEm(d);
}

struct TCaso {
    const char* Nome;
    TQuelbCargaBalModelo Modelo;
    const char* Arquivo;    // catalogue.json or catalogue.csv
    std::string Catalogo;
    std::vector<std::string> Arquivos;  // the load's files, sorted
};

const std::string Json = R"({"Codigo": 1, "Descricao": "Queijo", "ValorVenda": "12.5")";
const std::string Csv = "Codigo;Descricao;ValorVenda;Setor.Codigo;Setor.Descricao\r\n";

// clang-format off
const TCaso Casos[] = {
    {"sector code alone", modToledoMGV6, "c.json", "[" + Json + R"(, "Setor": {"Codigo": 3}}])", {"ITENSMGV.TXT"}},
    {"blank sector name given", modToledoMGV6, "c.json", "[" + Json + R"(, "Setor": {"Codigo": 3, "Descricao": ""}}])",
     {"DEPTO.TXT", "ITENSMGV.TXT"}},
    {"nutrition code alone", modToledoMGV7, "c.json", "[" + Json + R"(, "Nutricional": {"Codigo": 7}}])", {"ITENSMGV.TXT"}},
    {"a zero nutrient given", modToledoMGV7, "c.json", "[" + Json + R"(, "Nutricional": {"Codigo": 7, "Sodio": 0}}])",
     {"INFNUTRI.TXT", "ITENSMGV.TXT"}},
    {"tare code alone", modToledoMGV5, "c.json", "[" + Json + R"(, "CodigoTara": 2, "Tara": {"Codigo": 2}}])", {"ITENSMGV.TXT"}},
    {"supplier code alone", modToledoMGV5Ver1, "c.json", "[" + Json + R"(, "CodigoFornecedor": 5, "Fornecedor": {"Codigo": 5}}])",
     {"ITENSMGV.TXT"}},
    {"no nutrition in URF32", modUranoURF32, "c.json", "[" + Json + "}]", {"PRODUTOS.TXT"}},
    {"a zero portion in URF32", modUranoURF32, "c.json", "[" + Json + R"(, "Nutricional": {"Qtd": 0}}])",
     {"INFORMACOESNUTRICIONAIS.TXT", "PRODUTOS.TXT"}},
    {"empty CSV cell", modToledoMGV6, "c.csv", Csv + "1;Queijo;12,5;3;\r\n", {"ITENSMGV.TXT"}},
    {"quoted empty CSV cell", modToledoMGV6, "c.csv", Csv + "1;Queijo;12,5;3;\"\"\r\n", {"DEPTO.TXT", "ITENSMGV.TXT"}},
};
// clang-format on

void PrintTo(const TCaso& c, std::ostream* os) { *os << c.Nome; }

class ConteudoAusente : public testing::TestWithParam<TCaso> {};

TEST_P(ConteudoAusente, WritesTheRecordOnlyWithItsContentGiven) {
    TQuelbCargaBal g;
    g.Modelo = GetParam().Modelo;
    EXPECT_EQ(Gerar(g, GetParam().Catalogo, GetParam().Arquivo), GetParam().Arquivos);
}

INSTANTIATE_TEST_SUITE_P(Casos, ConteudoAusente, testing::ValuesIn(Casos), [](const testing::TestParamInfo<TCaso>& i) {
    std::string n;
    for (const char c : std::string(i.param.Nome)) n += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return n;
});

// The extra-information code names the record the scale software has when
// the text is not given; a text given shorter than 3 characters still
// writes no code, as for a host.
TEST(ValoresAusentes, TheExtraInformationCodeWithoutItsTextStaysAsGiven) {
    for (const auto& [receita, codigo] : {std::pair{"", u"000003"}, std::pair{R"(, "Receita": "ab")", u"000000"}}) {
        TQuelbCargaBal g;
        g.Modelo = modToledoMGV6;
        ASSERT_TRUE(LerCatalogo("[" + Json + R"(, "InformacaoExtra": {"Codigo": 3)" + receita + "}}]", "c.json", {},
                                g.Produtos())
                        .Ok());
        const teste::TLinhasArquivos arquivos = teste::GerarLinhas(g);
        ASSERT_EQ(arquivos.count("ITENSMGV.TXT"), 1u);
        EXPECT_EQ(arquivos.at("ITENSMGV.TXT").at(0).substr(68, 6), codigo) << receita;
        EXPECT_EQ(arquivos.count("TXINFO.TXT"), 0u);
    }
}

// Many items citing records the catalogue does not give: one aviso per
// file, naming the codes, about the catalogue and no one item (listed
// first, and kept when only the first findings are); a host's item (every
// value given) that cites a tare nobody gives keeps its own aviso.
TEST(ValoresAusentes, TheRecordsLeftToTheScaleSoftwareAreSaidOncePerFile) {
    TQuelbCargaBal g;
    g.Modelo = modToledoMGV6;
    std::string catalogo = "[";
    for (int i = 1; i <= 30; ++i)
        catalogo += (i > 1 ? ", " : "") + std::string(R"({"Codigo": )") + std::to_string(i) +
                    R"(, "Descricao": "Queijo", "ValorVenda": 1, "Setor": {"Codigo": )" + std::to_string(i % 3 + 1) +
                    R"(}, "CodigoTara": 4})";
    ASSERT_TRUE(LerCatalogo(catalogo + "]", "c.json", {}, g.Produtos()).Ok());
    TQuelbCargaBalItem& host = g.Produtos().New();
    host.Codigo = 31;
    host.CodigoTara = 9;
    std::vector<std::string> avisos;
    for (const TAchado& a : g.VerificarItens()) avisos.push_back(ParaUtf8(LinhaDoAchado(a)));
    EXPECT_EQ(avisos, (std::vector<std::string>{
                          "aviso: catálogo, Setor.Codigo: 30 itens citam 3 códigos (2, 3, 1) cujo registro o "
                          "catálogo não traz: DEPTO.TXT fica sem eles, e valem os registros que o programa da balança já tem",
                          "aviso: catálogo, CodigoTara: 30 itens citam 1 código (4) cujo registro o catálogo "
                          "não traz: TARA.TXT fica sem eles, e valem os registros que o programa da balança já tem",
                          "aviso: produtos[30] (código 31), CodigoTara: 9 não corresponde a nenhum registro do catálogo em "
                          "TARA.TXT",
                      }));
    const TResumoVerificacao primeiro = g.VerificarItens(1);
    ASSERT_EQ(primeiro.Primeiros.size(), 1u);
    EXPECT_EQ(primeiro.Primeiros[0].Posicao, -1);
    EXPECT_TRUE(ParaUtf8(primeiro.Primeiros[0].Descricao).starts_with("Setor.Codigo: 30 itens citam"));
    EXPECT_EQ(primeiro.Avisos, 3u);
}

}  // namespace
}  // namespace quelb
