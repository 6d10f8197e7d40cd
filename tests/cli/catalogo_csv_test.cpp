// The CSV catalogue reader: header, delimiters, quotes, encodings, the
// file's decimal separator, and rows or cells that do not fit, each named by
// line and column.
#include <gtest/gtest.h>

#include <string>

#include "catalogue/leitor_catalogo.h"

namespace quelb {
namespace {

TQuelbCargaBalItens Ler(std::string_view ACsv, const TOpcoesCatalogo& AOpcoes = {}) {
    TQuelbCargaBalItens itens;
    const TRelatorioCatalogo r = LerCatalogo(ACsv, "catalogo.csv", AOpcoes, itens);
    EXPECT_TRUE(r.Ok()) << r.TextoErros();
    return itens;
}

TEST(CatalogoCsv, ColunasComPontoChegamAosRegistros) {
    const TQuelbCargaBalItens itens = Ler(
        "Setor.Descricao;Codigo;Descricao;Tipo;ValorVenda;Nutricional.MedCaseira;Tara.Valor;Fornecedor.Codigo;"
        "InformacaoExtra.Receita\n"
        "Frios;42;Queijo;tpvUnidade;12,50;tpFatia;0,015;-7;Leite, sal\n");
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

struct TCasoNumero {
    std::string Celula;
    char Delimitador;
    int64_t DezMilesimos;  // of ValorVenda; Codigo gets the cell too when AInteiro
    int64_t Inteiro;       // of Codigo, or -1 when the cell is no integer
};

class NumeroCsv : public testing::TestWithParam<TCasoNumero> {};

TEST_P(NumeroCsv, SeparadorDoArquivoAgrupamentoEMoeda) {
    const TCasoNumero& c = GetParam();
    const std::string d(1, c.Delimitador);
    const std::string celula = c.Delimitador == ',' && c.Celula.find(',') != std::string::npos ? "\"" + c.Celula + "\"" : c.Celula;
    const TQuelbCargaBalItens itens = Ler("Descricao" + d + "Codigo" + d + "ValorVenda\nx" + d + "1" + d + celula + "\n");
    ASSERT_EQ(itens.Count(), 1);
    EXPECT_EQ(itens.GetItem(0).ValorVenda.DezMilesimos(), c.DezMilesimos);
    if (c.Inteiro < 0) return;
    const TQuelbCargaBalItens inteiro = Ler("Descricao" + d + "ValorVenda" + d + "Codigo\nx" + d + "1" + d + celula + "\n");
    ASSERT_EQ(inteiro.Count(), 1);
    EXPECT_EQ(inteiro.GetItem(0).Codigo, c.Inteiro);
}

INSTANTIATE_TEST_SUITE_P(Casos, NumeroCsv, testing::Values(
    TCasoNumero{"12,90", ';', 129000, -1},
    TCasoNumero{"R$ 12,90", ';', 129000, -1},
    TCasoNumero{" 12,90 ", ';', 129000, -1},
    TCasoNumero{"-R$ 1,5", ';', -15000, -1},
    TCasoNumero{"1.234,56", ';', 12345600, -1},
    TCasoNumero{"1.234.567", ';', 12345670000, 1234567},
    TCasoNumero{"123,0", ';', 1230000, 123},
    TCasoNumero{"0,00025", '\t', 2, -1},  // half to even
    TCasoNumero{"0,00035", '\t', 4, -1},
    TCasoNumero{"12.90", ',', 129000, -1},
    TCasoNumero{"1500", ',', 15000000, 1500},
    TCasoNumero{"R$ 7.5", ',', 75000, -1}));

TEST(CatalogoCsv, InteiroComPontoDeMilharNaoEAmbiguo) {
    const TQuelbCargaBalItens itens = Ler("Codigo;Descricao;ValorVenda\n1.234;x;1\n");
    ASSERT_EQ(itens.Count(), 1);
    EXPECT_EQ(itens.GetItem(0).Codigo, 1234);
}

TEST(CatalogoCsv, DecimalEscolhidoPelaOpcao) {
    TOpcoesCatalogo opcoes;
    opcoes.Decimal = TSeparadorDecimal::Ponto;
    const TQuelbCargaBalItens itens = Ler("Codigo;Descricao;ValorVenda\n1;x;1.5\n", opcoes);
    ASSERT_EQ(itens.Count(), 1);
    EXPECT_EQ(itens.GetItem(0).ValorVenda.DezMilesimos(), 15000);
}

TEST(CatalogoCsv, DelimitadorVemDoCabecalhoEAspasGuardamDelimitadorEQuebras) {
    const TQuelbCargaBalItens itens = Ler(
        "Codigo,Descricao,ValorVenda,InformacaoExtra.Receita\r\n"
        "1,\"Pão, francês\",\"12.50\",\"linha 1\r\nlinha 2; \"\"aspas\"\"\"\r\n"
        "2,Polegada 5\",3,\"\"\r\n");
    ASSERT_EQ(itens.Count(), 2);
    EXPECT_EQ(itens.GetItem(0).Descricao, u"Pão, francês");
    EXPECT_EQ(itens.GetItem(0).ValorVenda.DezMilesimos(), 125000);
    EXPECT_EQ(itens.GetItem(0).InformacaoExtra.Receita, u"linha 1\r\nlinha 2; \"aspas\"");
    EXPECT_EQ(itens.GetItem(1).Descricao, u"Polegada 5\"");  // a quote inside an unquoted cell is kept
    EXPECT_EQ(itens.GetItem(1).InformacaoExtra.Receita, u"");
}

TEST(CatalogoCsv, CelulaComoEscritaEVaziaMantemOPadrao) {
    const TQuelbCargaBalItens itens = Ler("Codigo;Descricao;Tipo;Setor.Codigo;ValorVenda\n7;  com espaços ;; ;1\n");
    ASSERT_EQ(itens.Count(), 1);
    EXPECT_EQ(itens.GetItem(0).Descricao, u"  com espaços ");
    EXPECT_EQ(itens.GetItem(0).Tipo, tpvPeso);
    EXPECT_EQ(itens.GetItem(0).Setor.Codigo, 0);
}

TEST(CatalogoCsv, LinhasEmBrancoELinhasDeCelulasVaziasNaoSaoProdutos) {
    const TQuelbCargaBalItens itens = Ler("\n Codigo;Descricao;ValorVenda\n\n1;a;1\r\n\r\n; ;\n2;b;1");
    ASSERT_EQ(itens.Count(), 2);
    EXPECT_EQ(itens.GetItem(1).Descricao, u"b");
}

TEST(CatalogoCsv, MarcaDeOrdemDeBytesNaoEntraNoNomeDaColuna) {
    const TQuelbCargaBalItens itens = Ler("\xEF\xBB\xBF" "Codigo;Descricao;ValorVenda\n5;Pão;1\n");
    ASSERT_EQ(itens.Count(), 1);
    EXPECT_EQ(itens.GetItem(0).Codigo, 5);
    EXPECT_EQ(itens.GetItem(0).Descricao, u"Pão");
}

TEST(CatalogoCsv, ArquivoQueNaoEUtf8EWindows1252) {
    const TQuelbCargaBalItens itens = Ler("Codigo;Descricao;Setor.Descricao;ValorVenda\n5;P\xE3o franc\xEAs;A\xE7ougue \x80;1\n");
    ASSERT_EQ(itens.Count(), 1);
    EXPECT_EQ(itens.GetItem(0).Descricao, u"Pão francês");
    EXPECT_EQ(itens.GetItem(0).Setor.Descricao, u"Açougue €");
}

TEST(CatalogoCsv, SoOCabecalhoDaUmCatalogoVazio) { EXPECT_EQ(Ler("Codigo;Descricao\r\n").Count(), 0); }

TEST(CatalogoCsv, PrimeiraLinhaSepNomeiaODelimitador) {
    const TQuelbCargaBalItens itens = Ler("SEP=,\r\nCodigo,Descricao,ValorVenda\r\n1,a;b,2.5\r\n");
    ASSERT_EQ(itens.Count(), 1);
    EXPECT_EQ(itens.GetItem(0).Descricao, u"a;b");  // the header alone would have made ";" the delimiter
    EXPECT_EQ(itens.GetItem(0).ValorVenda.DezMilesimos(), 25000);
}

struct TCasoErro {
    const char* Nome;
    std::string Csv;
    std::string Mensagem;  // every error, one per line
};

void PrintTo(const TCasoErro& c, std::ostream* os) { *os << c.Nome; }

class CatalogoCsvInvalido : public testing::TestWithParam<TCasoErro> {};

TEST_P(CatalogoCsvInvalido, RecusaOCatalogoInteiroENomeiaLinhaEColuna) {
    TQuelbCargaBalItens itens;
    const TRelatorioCatalogo r = LerCatalogo(GetParam().Csv, "catalogo.csv", {}, itens);
    EXPECT_EQ(r.TextoErros(), GetParam().Mensagem + "\n");
    EXPECT_EQ(itens.Count(), 0);
}

#define OBRIG "Codigo;Descricao;ValorVenda"

INSTANTIATE_TEST_SUITE_P(Casos, CatalogoCsvInvalido, testing::Values(
    TCasoErro{"DecimalComDuasVirgulas", OBRIG "\n1;a;1\n2;b;12,5,0\n",
              R"(linha 3, coluna ValorVenda: valor inválido "12,5,0")"},
    TCasoErro{"PontoDecimalNumArquivoDeVirgula", OBRIG "\n1;a;12.5\n",
              R"(linha 2, coluna ValorVenda: valor inválido "12.5" (neste arquivo o separador decimal é a vírgula))"},
    TCasoErro{"VirgulaNumArquivoDePonto", "Codigo,Descricao,ValorVenda\n1,a,\"12,5\"\n",
              R"(linha 2, coluna ValorVenda: valor inválido "12,5" (neste arquivo o separador decimal é o ponto))"},
    TCasoErro{"PontoAmbiguo", OBRIG "\n1;a;0.015\n",
              R"(linha 2, coluna ValorVenda: valor ambíguo "0.015": o ponto separa milhares ou decimais? Escreva 15 ou 0,015)"},
    TCasoErro{"AgrupamentoErrado", OBRIG "\n1;a;12.34,5\n", R"(linha 2, coluna ValorVenda: valor inválido "12.34,5")"},
    TCasoErro{"DecimalComExpoente", OBRIG "\n1;a;1e3\n", R"(linha 2, coluna ValorVenda: valor inválido "1e3")"},
    TCasoErro{"InteiroComFracao", OBRIG "\n1,5;a;1\n",
              R"(linha 2, coluna Codigo: esperado inteiro de 32 bits, encontrado "1,5")"},
    TCasoErro{"InteiroForaDe16Bits", OBRIG ";Validade\n1;a;1;40000\n",
              R"(linha 2, coluna Validade: esperado inteiro de 16 bits, encontrado "40000")"},
    TCasoErro{"EnumeracaoDesconhecida", OBRIG ";Nutricional.UndPorcao\n1;a;1;litros\n",
              R"(linha 2, coluna Nutricional.UndPorcao: esperado um de tpGramas, tpMililitros ou tpUnidades, encontrado "litros")"},
    TCasoErro{"CelulaDeVariasLinhasEVariosErros", "Descricao;Tipo;Codigo;ValorVenda\n\"a\nb\nc\";x;y;1\n",
              "linha 4, coluna Tipo: esperado um de tpvPeso, tpvUnidade, tpvEAN13 ou tpvEAN13Und, encontrado \"x\"\n"
              "linha 4, coluna Codigo: esperado inteiro de 32 bits, encontrado \"y\""},
    TCasoErro{"TextoLongoEncurtado", OBRIG "\n" + std::string(70, '9') + ";a;1\n",
              "linha 2, coluna Codigo: esperado inteiro de 32 bits, encontrado \"" + std::string(60, '9') + "\"…"},
    TCasoErro{"ColunaQuaseCerta", OBRIG ";Setor.Descricoa\n1;a;1;x\n",
              R"(cabeçalho, coluna 4 "Setor.Descricoa": coluna desconhecida; quis dizer "Setor.Descricao"?)"},
    TCasoErro{"ColunaRepetida", OBRIG ";codigo\n1;a;1;1\n", R"(cabeçalho, coluna 4 "codigo": coluna repetida)"},
    TCasoErro{"ColunaSemNome", "Codigo;;Descricao;ValorVenda\n", "cabeçalho, coluna 2: coluna sem nome"},
    TCasoErro{"ColunasDeMenos", OBRIG "\n1;a;1\n2\n", "linha 3: esperadas 3 colunas, encontradas 1"},
    TCasoErro{"ColunasDeMais", OBRIG "\n1;a;1;x\n", "linha 2: esperadas 3 colunas, encontradas 4"},
    TCasoErro{"AspasSemFechar", OBRIG "\n1;\"abc;1\n2;x;1\n", "linha 2: aspas abertas e não fechadas"},
    TCasoErro{"TextoDepoisDasAspas", OBRIG "\n1;\"ab\"c;1\n",
              "linha 2: depois das aspas que fecham uma célula deve vir \";\" ou o fim da linha"},
    TCasoErro{"MisturaDeCodificacoes", OBRIG "\n1;P\xC3\xA3o;1\n2;P\xE3o;1\n",
              "linha 3: bytes que não são UTF-8, num arquivo que tem UTF-8 na linha 2 (partes de codificações "
              "diferentes?); salve o arquivo numa só codificação ou escolha uma com --codificacao"},
    TCasoErro{"MisturaComWindows1252Antes", OBRIG "\n1;P\xE3o;1\n2;P\xC3\xA3o;1\n",
              "linha 2: bytes que não são UTF-8, num arquivo que tem UTF-8 na linha 3 (partes de codificações "
              "diferentes?); salve o arquivo numa só codificação ou escolha uma com --codificacao"},
    TCasoErro{"Vazio", "", "o arquivo está vazio: falta a linha de cabeçalho"}),
    [](const testing::TestParamInfo<TCasoErro>& i) { return std::string(i.param.Nome); });

}  // namespace
}  // namespace quelb
