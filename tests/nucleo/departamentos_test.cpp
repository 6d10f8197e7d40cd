// The departments of a Toledo item: the MGV7 lists between "|" marks and an
// item listed under several departments (its line repeated, the same but for
// the department). Each is read into the item's properties and a new
// generation writes the lines back as they were.
#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <string>
#include <vector>

#include "apoio/carga.h"
#include "catalogue/propriedades.h"
#include "generator/gerador.h"
#include "generator/ler_carga.h"
#include "generator/verificacao.h"

namespace quelb {
namespace {

std::string Pad(std::string t, size_t n) {
    t.resize(n, ' ');
    return t;
}

// An ITENSMGV.TXT record of MGV5 and MGV6 of that department and code.
std::string ItemMGV6(const std::string& ADepartamento, const std::string& ACodigo = "000031",
                     const std::string& ADescricao = "BATATA") {
    return ADepartamento + "0" + ACodigo + "000795" "000" + Pad(ADescricao, 50) + "000000" "0000" "000000" "11" "0000" +
           std::string(12, '0') + std::string(11, '0') + "0" "0000" "0000" + std::string(16, '0') + std::string(12, '0');
}
// The MGV7 record (version 4) with its three lists as given.
std::string ItemMGV7(const std::string& ADepartamento, const std::string& ADepartamentos,
                     const std::string& AFornecedores = "", const std::string& AInativas = "",
                     const std::string& ACodigo = "000031") {
    return ItemMGV6(ADepartamento, ACodigo) + "000000|" + ADepartamentos + "|" + std::string(70, ' ') +
           std::string(24, '0') + "0|" + AFornecedores + "|0|" + AInativas + "|" + std::string(22, '0');
}
// A TXITENS.TXT record of plain Toledo.
std::string ItemToledo(const std::string& ADepartamento) {
    return ADepartamento + "01" "0" "000031" "001490" "000" + Pad("PAO", 50) + std::string(250, ' ');
}

std::string Arquivo(const std::vector<std::string>& ALinhas) {
    std::string r;
    for (const std::string& l : ALinhas) r += l + "\r\n";
    return r;
}

struct TCaso {
    const char* Nome;
    TQuelbCargaBalModelo Modelo;
    std::vector<std::string> Linhas;
    // The items' properties read (by item, from 0), those not named empty.
    std::vector<std::map<std::string, std::string>> Valores;
    // What a new generation writes, where not the lines themselves: the
    // lines of one item follow each other.
    std::vector<std::string> Escritas = {};
};

const TCaso Casos[] = {
    {"the usual list: the item's own department", modToledoMGV7, {ItemMGV7("01", "01")},
     {{{"Setor.Codigo", "1"}}}},
    {"no department, no list", modToledoMGV7, {ItemMGV7("00", "")}, {{{"Setor.Codigo", "0"}}}},
    {"the vendor's two-department example", modToledoMGV7, {ItemMGV7("01", "0102")},
     {{{"Setor.Codigo", "1"}, {"Toledo.Departamentos", "0102"}}}},
    {"department 00 in the list of an item of department 06", modToledoMGV7, {ItemMGV7("06", "00")},
     {{{"Setor.Codigo", "6"}, {"Toledo.Departamentos", "00"}}}},
    {"suppliers and inactive scales", modToledoMGV7, {ItemMGV7("01", "01", "000123000456", "0305")},
     {{{"Setor.Codigo", "1"}, {"Toledo.Fornecedores", "000123000456"}, {"Toledo.BalancasInativas", "0305"}}}},
    {"MGV6: under its department and under 00", modToledoMGV6, {ItemMGV6("01"), ItemMGV6("00")},
     {{{"Setor.Codigo", "1"}, {"Toledo.OutrosDepartamentos", "00"}}}},
    {"MGV6: under five departments", modToledoMGV6,
     {ItemMGV6("02"), ItemMGV6("03"), ItemMGV6("05"), ItemMGV6("06"), ItemMGV6("08")},
     {{{"Setor.Codigo", "2"}, {"Toledo.OutrosDepartamentos", "03050608"}}}},
    {"MGV7: each line lists its own department", modToledoMGV7, {ItemMGV7("01", "01"), ItemMGV7("02", "02")},
     {{{"Setor.Codigo", "1"}, {"Toledo.OutrosDepartamentos", "02"}}}},
    {"MGV7: the same list 00 on both lines", modToledoMGV7, {ItemMGV7("02", "00"), ItemMGV7("06", "00")},
     {{{"Setor.Codigo", "2"}, {"Toledo.Departamentos", "00"}, {"Toledo.OutrosDepartamentos", "06"}}}},
    {"plain Toledo under two departments", modToledo, {ItemToledo("01"), ItemToledo("04")},
     {{{"Setor.Codigo", "1"}, {"Toledo.OutrosDepartamentos", "04"}}}},
    {"two items, their departments interleaved", modToledoMGV6,
     {ItemMGV6("02", "000031"), ItemMGV6("02", "000032"), ItemMGV6("06", "000031"), ItemMGV6("06", "000032")},
     {{{"Setor.Codigo", "2"}, {"Toledo.OutrosDepartamentos", "06"}},
      {{"Setor.Codigo", "2"}, {"Toledo.OutrosDepartamentos", "06"}}},
     {ItemMGV6("02", "000031"), ItemMGV6("06", "000031"), ItemMGV6("02", "000032"), ItemMGV6("06", "000032")}},
};

void PrintTo(const TCaso& c, std::ostream* os) { *os << c.Nome; }

class Departamentos : public testing::TestWithParam<TCaso> {};

TEST_P(Departamentos, ReadIntoTheItemAndWrittenBack) {
    const TCaso& c = GetParam();
    TQuelbCargaBal g;
    g.Modelo = c.Modelo;
    const std::u16string nome = c.Modelo == modToledo ? u"TXITENS.TXT" : u"ITENSMGV.TXT";
    const std::vector<TArquivoCarga> arquivos = {{nome, Arquivo(c.Linhas)}};
    const TLeituraCarga leitura = LerCarga(c.Modelo, arquivos, g.Produtos());
    EXPECT_EQ(leitura.Erros(), 0u);
    ASSERT_EQ(g.Produtos().Count(), static_cast<int32_t>(c.Valores.size()));
    for (size_t i = 0; i < c.Valores.size(); ++i) {
        const TQuelbCargaBalItem& item = g.Produtos().GetItem(static_cast<int32_t>(i));
        for (const std::string_view nomeLista :
             {"Toledo.Departamentos", "Toledo.Fornecedores", "Toledo.BalancasInativas", "Toledo.OutrosDepartamentos"}) {
            const auto dado = c.Valores[i].find(std::string(nomeLista));
            EXPECT_EQ(ParaUtf8(ProcurarPropriedade(nomeLista)->Texto(item)), dado == c.Valores[i].end() ? "" : dado->second)
                << nomeLista << " of item " << i;
        }
        EXPECT_EQ(std::to_string(item.Setor.Codigo), c.Valores[i].at("Setor.Codigo"));
    }
    // The check finds nothing to say against what was read.
    for (const TAchado& a : VerificarItens(g.Produtos(), c.Modelo, plataforma::FormatoNumerico()))
        EXPECT_NE(a.Gravidade, TGravidade::Erro) << ParaUtf8(a.Descricao);
    const teste::TLinhasArquivos gerados = teste::GerarLinhas(g);
    std::vector<std::string> escritas;
    for (const std::u16string& l : gerados.at(ParaUtf8(nome))) escritas.push_back(ParaUtf8(l));
    EXPECT_EQ(escritas, c.Escritas.empty() ? c.Linhas : c.Escritas);
}

INSTANTIATE_TEST_SUITE_P(Casos, Departamentos, testing::ValuesIn(Casos), [](const testing::TestParamInfo<TCaso>& i) {
    std::string nome;
    for (const char ch : std::string_view(i.param.Nome)) nome += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
    return nome;
});

// A line of the item under another department with a value that cannot be
// read is still that item's line: the erro is said, and the value the item
// has comes from its readable line.
TEST(Departamentos, ALineWithAnUnreadableValueStaysTheItemsLine) {
    std::string danificada = ItemMGV6("00");
    danificada[12] = 'x';  // in the price
    TQuelbCargaBal g;
    g.Modelo = modToledoMGV6;
    const std::vector<TArquivoCarga> arquivos = {{u"ITENSMGV.TXT", Arquivo({ItemMGV6("01"), danificada, ItemMGV6("03")})}};
    const TLeituraCarga leitura = LerCarga(modToledoMGV6, arquivos, g.Produtos());
    EXPECT_EQ(leitura.Erros(), 1u);
    ASSERT_EQ(g.Produtos().Count(), 1);
    EXPECT_EQ(ParaUtf8(g.Produtos().GetItem(0).Toledo[TQuelbCargaBalColunasToledo::OutrosDepartamentos].Utf16()), "0003");
    EXPECT_TRUE(leitura.NaoLidos.empty());
    const teste::TLinhasArquivos gerados = teste::GerarLinhas(g);
    std::vector<std::string> escritas;
    for (const std::u16string& l : gerados.at("ITENSMGV.TXT")) escritas.push_back(ParaUtf8(l));
    EXPECT_EQ(escritas, (std::vector<std::string>{ItemMGV6("01"), ItemMGV6("00"), ItemMGV6("03")}));
}

// What a host or a catalogue gives that the lines could not hold is an erro
// of the check.
TEST(Departamentos, TheCheckRefusesListsTheRecordCannotHold) {
    const struct {
        const char* Propriedade;
        const char* Valor;
        int32_t Setor;
        bool Erro;
    } casos[] = {
        {"Toledo.Departamentos", "0102", 1, false},
        {"Toledo.Departamentos", "012", 1, true},  // not whole codes of 2
        {"Toledo.Departamentos", "01|02", 1, true},  // a mark would end the list
        {"Toledo.Fornecedores", "123", 1, false},
        {"Toledo.Fornecedores", "12 3", 1, true},
        {"Toledo.BalancasInativas", "x", 1, true},
        {"Toledo.OutrosDepartamentos", "0003", 1, false},
        {"Toledo.OutrosDepartamentos", "3", 1, true},
        {"Toledo.OutrosDepartamentos", "0a", 1, true},
        {"Toledo.OutrosDepartamentos", "01", 1, true},    // the item's own department: two equal lines
        {"Toledo.OutrosDepartamentos", "0404", 1, true},  // the same one twice
        {"Toledo.OutrosDepartamentos", "00", 0, true},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(std::string(c.Propriedade) + " = \"" + c.Valor + "\"");
        TQuelbCargaBalItens itens;
        TQuelbCargaBalItem& item = itens.New();
        item.Codigo = 31;
        item.Descricao = u"BATATA";
        item.Setor.Codigo = c.Setor;
        ProcurarPropriedade(c.Propriedade)->DefinirTexto(item, DeUtf8(c.Valor));
        std::vector<std::string> erros;
        for (const TAchado& a : VerificarItens(itens, modToledoMGV7, plataforma::FormatoNumerico()))
            if (a.Gravidade == TGravidade::Erro) erros.push_back(ParaUtf8(a.Descricao));
        EXPECT_EQ(erros.size(), c.Erro ? 1u : 0u) << testing::PrintToString(erros);
    }
}

}  // namespace
}  // namespace quelb
