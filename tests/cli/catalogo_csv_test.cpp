// The CSV catalogue reader: header, delimiters, quotes, encodings, decimal
// comma, and rows or cells that do not fit, named by line and column.
#include <gtest/gtest.h>

#include <string>

#include "cli/catalogo.h"

namespace quelb::cli {
namespace {

TQuelbCargaBalItens Ler(std::string_view ACsv) {
    TQuelbCargaBalItens itens;
    LerCatalogoCsv(ACsv, itens);
    return itens;
}

TEST(CatalogoCsv, ColunasComPontoChegamAosRegistros) {
    const TQuelbCargaBalItens itens = Ler(
        "Setor.Descricao;Codigo;Tipo;ValorVenda;Nutricional.MedCaseira;Tara.Valor;Fornecedor.Codigo;"
        "InformacaoExtra.Receita\n"
        "Frios;42;tpvUnidade;12,50;tpFatia;0.015;-7;Leite, sal\n");
    ASSERT_EQ(itens.Count(), 1);
    const TQuelbCargaBalItem& i = itens.GetItem(0);
    EXPECT_EQ(i.Setor.Descricao, u"Frios");
    EXPECT_EQ(i.Codigo, 42);
    EXPECT_EQ(i.Tipo, tpvUnidade);
    EXPECT_EQ(i.ValorVenda.DezMilesimos(), 125000);
    EXPECT_EQ(i.Nutricional.MedCaseira, tpFatia);
    EXPECT_EQ(i.Tara.Valor.DezMilesimos(), 150);
    EXPECT_EQ(i.Fornecedor.Codigo, -7);
    EXPECT_EQ(i.InformacaoExtra.Receita, u"Leite, sal");
}

TEST(CatalogoCsv, VirgulaOuPontoDecimalDaoOMesmoValor) {
    const TQuelbCargaBalItens itens = Ler("Codigo;ValorVenda;Nutricional.Sodio\n1;12,50;0,00025\n2;12.50;0.00035\n");
    ASSERT_EQ(itens.Count(), 2);
    EXPECT_EQ(itens.GetItem(0).ValorVenda.DezMilesimos(), 125000);
    EXPECT_EQ(itens.GetItem(1).ValorVenda.DezMilesimos(), 125000);
    EXPECT_EQ(itens.GetItem(0).Nutricional.Sodio.DezMilesimos(), 2);  // half to even
    EXPECT_EQ(itens.GetItem(1).Nutricional.Sodio.DezMilesimos(), 4);
}

TEST(CatalogoCsv, DelimitadorVemDoCabecalhoEAspasGuardamDelimitadorEQuebras) {
    const TQuelbCargaBalItens itens = Ler(
        "Codigo,Descricao,ValorVenda,InformacaoExtra.Receita\r\n"
        "1,\"Pão, francês\",\"12,50\",\"linha 1\r\nlinha 2; \"\"aspas\"\"\"\r\n"
        "2,Polegada 5\",3,\"\"\r\n");
    ASSERT_EQ(itens.Count(), 2);
    EXPECT_EQ(itens.GetItem(0).Descricao, u"Pão, francês");
    EXPECT_EQ(itens.GetItem(0).ValorVenda.DezMilesimos(), 125000);
    EXPECT_EQ(itens.GetItem(0).InformacaoExtra.Receita, u"linha 1\r\nlinha 2; \"aspas\"");
    EXPECT_EQ(itens.GetItem(1).Descricao, u"Polegada 5\"");  // a quote inside an unquoted cell is kept
    EXPECT_EQ(itens.GetItem(1).InformacaoExtra.Receita, u"");
}

TEST(CatalogoCsv, CelulaComoEscritaEVaziaMantemOPadrao) {
    const TQuelbCargaBalItens itens = Ler("Codigo;Descricao;Tipo;Setor.Codigo\n7;  com espaços ;;\n");
    ASSERT_EQ(itens.Count(), 1);
    EXPECT_EQ(itens.GetItem(0).Descricao, u"  com espaços ");
    EXPECT_EQ(itens.GetItem(0).Tipo, tpvPeso);
    EXPECT_EQ(itens.GetItem(0).Setor.Codigo, 0);
}

TEST(CatalogoCsv, LinhasEmBrancoELinhasDeCelulasVaziasNaoSaoProdutos) {
    const TQuelbCargaBalItens itens = Ler("Codigo;Descricao\n\n1;a\r\n\r\n;\n2;b");
    ASSERT_EQ(itens.Count(), 2);
    EXPECT_EQ(itens.GetItem(1).Descricao, u"b");
}

TEST(CatalogoCsv, MarcaDeOrdemDeBytesNaoEntraNoNomeDaColuna) {
    const TQuelbCargaBalItens itens = Ler("\xEF\xBB\xBF" "Codigo;Descricao\n5;Pão\n");
    ASSERT_EQ(itens.Count(), 1);
    EXPECT_EQ(itens.GetItem(0).Codigo, 5);
    EXPECT_EQ(itens.GetItem(0).Descricao, u"Pão");
}

TEST(CatalogoCsv, ArquivoQueNaoEUtf8EWindows1252) {
    const TQuelbCargaBalItens itens = Ler("Codigo;Descricao;Setor.Descricao\n5;P\xE3o franc\xEAs;A\xE7ougue \x80\n");
    ASSERT_EQ(itens.Count(), 1);
    EXPECT_EQ(itens.GetItem(0).Descricao, u"Pão francês");
    EXPECT_EQ(itens.GetItem(0).Setor.Descricao, u"Açougue €");
}

TEST(CatalogoCsv, SoOCabecalhoDaUmCatalogoVazio) { EXPECT_EQ(Ler("Codigo;Descricao\r\n").Count(), 0); }

struct TCasoErro {
    const char* Nome;
    std::string Csv;
    std::string Mensagem;
};

void PrintTo(const TCasoErro& c, std::ostream* os) { *os << c.Nome; }

class CatalogoCsvInvalido : public testing::TestWithParam<TCasoErro> {};

TEST_P(CatalogoCsvInvalido, RecusaOCatalogoInteiroENomeiaLinhaEColuna) {
    TQuelbCargaBalItens itens;
    try {
        LerCatalogoCsv(GetParam().Csv, itens);
        ADD_FAILURE() << "accepted";
    } catch (const ECatalogo& e) {
        EXPECT_EQ(std::string(e.what()), GetParam().Mensagem);
    }
    EXPECT_EQ(itens.Count(), 0);
}

INSTANTIATE_TEST_SUITE_P(Casos, CatalogoCsvInvalido, testing::Values(
    TCasoErro{"DecimalComDuasVirgulas", "Codigo;ValorVenda\n1;1\n2;12,5,0\n",
              R"(linha 3, coluna ValorVenda: valor inválido "12,5,0")"},
    TCasoErro{"DecimalComAgrupamento", "Codigo;ValorVenda\n1;1.234,50\n",
              R"(linha 2, coluna ValorVenda: valor inválido "1.234,50")"},
    TCasoErro{"DecimalComExpoente", "Codigo;ValorVenda\n1;1e3\n",
              R"(linha 2, coluna ValorVenda: valor inválido "1e3")"},
    TCasoErro{"InteiroComEspaco", "Codigo;Descricao\n 1;a\n",
              R"(linha 2, coluna Codigo: esperado inteiro de 32 bits, encontrado " 1")"},
    TCasoErro{"InteiroForaDe16Bits", "Validade\n40000\n",
              R"(linha 2, coluna Validade: esperado inteiro de 16 bits, encontrado "40000")"},
    TCasoErro{"EnumeracaoDesconhecida", "Codigo;Nutricional.UndPorcao\n1;gramas\n",
              R"(linha 2, coluna Nutricional.UndPorcao: esperado um de tpGramas, tpMililitros ou tpUnidades, encontrado "gramas")"},
    TCasoErro{"CelulaDeVariasLinhas", "Descricao;Tipo\n\"a\nb\nc\";x\n",
              R"(linha 4, coluna Tipo: esperado um de tpvPeso, tpvUnidade, tpvEAN13 ou tpvEAN13Und, encontrado "x")"},
    TCasoErro{"TextoLongoEncurtado", "Codigo\n" + std::string(70, '9') + "\n",
              "linha 2, coluna Codigo: esperado inteiro de 32 bits, encontrado \"" + std::string(60, '9') + "\"…"},
    TCasoErro{"ColunaDesconhecida", "Codigo;Preco\n1;2\n", R"(linha 1: coluna desconhecida "Preco")"},
    TCasoErro{"RegistroSemPropriedade", "Codigo;Setor\n1;2\n", R"(linha 1: coluna desconhecida "Setor")"},
    TCasoErro{"PropriedadeDesconhecidaDoRegistro", "Setor.Nome\n1\n", R"(linha 1: coluna desconhecida "Setor.Nome")"},
    TCasoErro{"ColunaRepetida", "Codigo;Descricao;Codigo\n1;a;1\n", R"(linha 1: coluna repetida "Codigo")"},
    TCasoErro{"ColunaSemNome", "Codigo;;Descricao\n", "linha 1: a coluna 2 do cabeçalho não tem nome"},
    TCasoErro{"ColunasDeMenos", "Codigo;Descricao\n1;a\n2\n", "linha 3: esperadas 2 colunas, encontradas 1"},
    TCasoErro{"ColunasDeMais", "Codigo;Descricao\n1;a;\n", "linha 2: esperadas 2 colunas, encontradas 3"},
    TCasoErro{"AspasSemFechar", "Codigo;Descricao\n1;\"abc\n2;x\n", "linha 2: aspas abertas e não fechadas"},
    TCasoErro{"TextoDepoisDasAspas", "Codigo;Descricao\n1;\"ab\"c\n",
              "linha 2: depois das aspas que fecham uma célula deve vir \";\" ou o fim da linha"},
    TCasoErro{"Vazio", "", "o arquivo está vazio: falta a linha de cabeçalho"}),
    [](const testing::TestParamInfo<TCasoErro>& i) { return std::string(i.param.Nome); });

}  // namespace
}  // namespace quelb::cli
