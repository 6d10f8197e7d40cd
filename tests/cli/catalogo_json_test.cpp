// The JSON catalogue reader: every property reaches its place in the item,
// and a catalogue that does not fit the item model is refused whole, with
// the place named.
#include <gtest/gtest.h>

#include <string>

#include "cli/catalogo.h"

namespace quelb::cli {
namespace {

TQuelbCargaBalItens Ler(const std::string& AJson) {
    TQuelbCargaBalItens itens;
    LerCatalogoJson(AJson, itens);
    return itens;
}

TEST(CatalogoJson, CadaPropriedadeChegaAoSeuLugar) {
    const TQuelbCargaBalItens itens = Ler(R"({"produtos": [{
        "Codigo": 42, "Descricao": "Queijo minas", "Tipo": "tpvEAN13Und", "ValorVenda": "12.50",
        "Validade": 10, "TipoValidade": "tpvMeses", "Tecla": 3, "ModeloEtiqueta": -2,
        "Setor": {"Codigo": 1, "Descricao": "Frios"},
        "Nutricional": {"Codigo": 7, "Descricao": "Porção 30 g", "Qtd": 30, "UndPorcao": "tpMililitros",
            "PartInteira": 1, "PartDecimal": "tpPara34", "MedCaseira": "tpLata", "ValorEnergetico": 98,
            "Carboidrato": "0.9", "Proteina": 6.3, "GorduraTotal": 7.8e0, "GorduraSaturada": "4.9",
            "GorduraTrans": 0, "Fibra": 1E-4, "Sodio": "171"},
        "Tara": {"Codigo": 2, "Descricao": "Bandeja", "Valor": "0.015"},
        "Fornecedor": {"Codigo": 5, "Observacao": "obs", "Descricao1": "d1", "Descricao2": "d2",
            "Descricao3": "d3", "Descricao4": "d4", "Descricao5": "d5"},
        "InformacaoExtra": {"Codigo": 9, "Observacao": "o", "Receita": "Leite, sal, coalho."},
        "CodigoTexto1": 11, "CodigoTexto2": 12, "CodigoTexto3": 13, "CodigoInfoNutr": 14,
        "CodigoTara": 2147483647, "CodigoFornecedor": -32768, "EAN13Fornecedor": "7891234567895"
    }]})");
    ASSERT_EQ(itens.Count(), 1);
    const TQuelbCargaBalItem& i = itens.GetItem(0);
    EXPECT_EQ(i.Codigo, 42);
    EXPECT_EQ(i.Descricao, u"Queijo minas");
    EXPECT_EQ(i.Tipo, tpvEAN13Und);
    EXPECT_EQ(i.ValorVenda.DezMilesimos(), 125000);
    EXPECT_EQ(i.Validade, 10);
    EXPECT_EQ(i.TipoValidade, tpvMeses);
    EXPECT_EQ(i.Tecla, 3);
    EXPECT_EQ(i.ModeloEtiqueta, -2);
    EXPECT_EQ(i.Setor.Codigo, 1);
    EXPECT_EQ(i.Setor.Descricao, u"Frios");
    const TQuelbCargaBalNutricional& n = i.Nutricional;
    EXPECT_EQ(n.Codigo, 7);
    EXPECT_EQ(n.Descricao, u"Porção 30 g");
    EXPECT_EQ(n.Qtd, 30);
    EXPECT_EQ(n.UndPorcao, tpMililitros);
    EXPECT_EQ(n.PartInteira, 1);
    EXPECT_EQ(n.PartDecimal, tpPara34);
    EXPECT_EQ(n.MedCaseira, tpLata);
    EXPECT_EQ(n.ValorEnergetico, 98);
    EXPECT_EQ(n.Carboidrato.DezMilesimos(), 9000);
    EXPECT_EQ(n.Proteina.DezMilesimos(), 63000);
    EXPECT_EQ(n.GorduraTotal.DezMilesimos(), 78000);
    EXPECT_EQ(n.GorduraSaturada.DezMilesimos(), 49000);
    EXPECT_EQ(n.GorduraTrans.DezMilesimos(), 0);
    EXPECT_EQ(n.Fibra.DezMilesimos(), 1);
    EXPECT_EQ(n.Sodio.DezMilesimos(), 1710000);
    EXPECT_EQ(i.Tara.Codigo, 2);
    EXPECT_EQ(i.Tara.Descricao, u"Bandeja");
    EXPECT_EQ(i.Tara.Valor.DezMilesimos(), 150);
    EXPECT_EQ(i.Fornecedor.Codigo, 5);
    EXPECT_EQ(i.Fornecedor.Observacao, u"obs");
    EXPECT_EQ(i.Fornecedor.Descricao1, u"d1");
    EXPECT_EQ(i.Fornecedor.Descricao2, u"d2");
    EXPECT_EQ(i.Fornecedor.Descricao3, u"d3");
    EXPECT_EQ(i.Fornecedor.Descricao4, u"d4");
    EXPECT_EQ(i.Fornecedor.Descricao5, u"d5");
    EXPECT_EQ(i.InformacaoExtra.Codigo, 9);
    EXPECT_EQ(i.InformacaoExtra.Observacao, u"o");
    EXPECT_EQ(i.InformacaoExtra.Receita, u"Leite, sal, coalho.");
    EXPECT_EQ(i.CodigoTexto1, 11);
    EXPECT_EQ(i.CodigoTexto2, 12);
    EXPECT_EQ(i.CodigoTexto3, 13);
    EXPECT_EQ(i.CodigoInfoNutr, 14);
    EXPECT_EQ(i.CodigoTara, 2147483647);
    EXPECT_EQ(i.CodigoFornecedor, -32768);
    EXPECT_EQ(i.EAN13Fornecedor, u"7891234567895");
}

TEST(CatalogoJson, ChavesAusentesMantemOPadraoEAOrdemDoCatalogo) {
    const TQuelbCargaBalItens itens = Ler(R"({"produtos": [{"Codigo": 1}, {}, {"Nutricional": {"Qtd": 5}}]})");
    ASSERT_EQ(itens.Count(), 3);
    EXPECT_EQ(itens.GetItem(0).Codigo, 1);
    const TQuelbCargaBalItem& padrao = itens.GetItem(1);
    EXPECT_EQ(padrao.Codigo, 0);
    EXPECT_EQ(padrao.Tipo, tpvPeso);
    EXPECT_EQ(padrao.Descricao, u"");
    EXPECT_EQ(itens.GetItem(2).Nutricional.Qtd, 5);
    EXPECT_EQ(itens.GetItem(2).Nutricional.MedCaseira, tpColherSopa);
}

TEST(CatalogoJson, TextosComoEscritosComEscapesEUtf8) {
    const TQuelbCargaBalItens itens = Ler(
        "\xEF\xBB\xBF"  // a byte-order mark is skipped
        R"({"produtos": [{"Descricao": "  P\u00e3o \"fr\u00EAs\"\n\ud83d\ude00 ", "Setor": {"Descricao": "Açougue"}}]})");
    ASSERT_EQ(itens.Count(), 1);
    EXPECT_EQ(itens.GetItem(0).Descricao, u"  Pão \"frês\"\n\U0001F600 ");
    EXPECT_EQ(itens.GetItem(0).Setor.Descricao, u"Açougue");
}

TEST(CatalogoJson, ListaVaziaNaoEErroDeLeitura) { EXPECT_EQ(Ler(R"( {"produtos": []} )").Count(), 0); }

struct TCasoErro {
    const char* Nome;
    std::string Json;
    std::string Mensagem;
};

void PrintTo(const TCasoErro& c, std::ostream* os) { *os << c.Nome; }

class CatalogoJsonInvalido : public testing::TestWithParam<TCasoErro> {};

TEST_P(CatalogoJsonInvalido, RecusaOCatalogoInteiroENomeiaOLugar) {
    TQuelbCargaBalItens itens;
    itens.New();  // whatever the list held is gone too: the catalogue is taken whole or not at all
    try {
        LerCatalogoJson(GetParam().Json, itens);
        ADD_FAILURE() << "accepted";
    } catch (const ECatalogo& e) {
        EXPECT_EQ(std::string(e.what()), GetParam().Mensagem);
    }
    EXPECT_EQ(itens.Count(), 0);
}

INSTANTIATE_TEST_SUITE_P(Casos, CatalogoJsonInvalido, testing::Values(
    TCasoErro{"TextoNoInteiro", R"({"produtos": [{}, {}, {}, {"Nutricional": {"Qtd": "abc"}}]})",
              R"(produtos[3].Nutricional.Qtd: esperado inteiro de 32 bits, encontrado "abc" (linha 1, coluna 51))"},
    TCasoErro{"InteiroComFracao", R"({"produtos": [{"Codigo": 1.0}]})",
              "produtos[0].Codigo: esperado inteiro de 32 bits, encontrado 1.0 (linha 1, coluna 26)"},
    TCasoErro{"InteiroComExpoente", R"({"produtos": [{"Codigo": 1e2}]})",
              "produtos[0].Codigo: esperado inteiro de 32 bits, encontrado 1e2 (linha 1, coluna 26)"},
    TCasoErro{"ForaDe32Bits", R"({"produtos": [{"Tecla": -2147483649}]})",
              "produtos[0].Tecla: esperado inteiro de 32 bits, encontrado -2147483649 (linha 1, coluna 25)"},
    TCasoErro{"ForaDe16Bits", R"({"produtos": [{"Fornecedor": {"Codigo": 32768}}]})",
              "produtos[0].Fornecedor.Codigo: esperado inteiro de 16 bits, encontrado 32768 (linha 1, coluna 41)"},
    TCasoErro{"ChaveDesconhecida", R"({"produtos": [{"Codig": 1}]})",
              R"(produtos[0]: chave desconhecida "Codig" (linha 1, coluna 16))"},
    TCasoErro{"ChaveComOutraCaixa", R"({"produtos": [{"Setor": {"codigo": 1}}]})",
              R"(produtos[0].Setor: chave desconhecida "codigo" (linha 1, coluna 26))"},
    TCasoErro{"ChaveRepetida", R"({"produtos": [{"Codigo": 1, "Codigo": 2}]})",
              R"(produtos[0]: chave repetida "Codigo" (linha 1, coluna 29))"},
    TCasoErro{"RegistroRepetido", R"({"produtos": [{"Tara": {}, "Tara": {}}]})",
              R"(produtos[0]: chave repetida "Tara" (linha 1, coluna 28))"},
    TCasoErro{"Nulo", "{\"produtos\": [\n  {\"Descricao\": null}\n]}",
              "produtos[0].Descricao: esperado texto, encontrado null (linha 2, coluna 17)"},
    TCasoErro{"Booleano", R"({"produtos": [{"Tara": {"Valor": false}}]})",
              "produtos[0].Tara.Valor: esperado valor decimal, encontrado false (linha 1, coluna 34)"},
    TCasoErro{"NumeroNoTexto", R"({"produtos": [{"EAN13Fornecedor": 7891234567895}]})",
              "produtos[0].EAN13Fornecedor: esperado texto, encontrado 7891234567895 (linha 1, coluna 35)"},
    TCasoErro{"EnumeracaoDesconhecida", R"({"produtos": [{"TipoValidade": "tpvAnos"}]})",
              R"(produtos[0].TipoValidade: esperado um de tpvDias ou tpvMeses, encontrado "tpvAnos" (linha 1, coluna 32))"},
    TCasoErro{"EnumeracaoPeloOrdinal", R"({"produtos": [{"Tipo": 1}]})",
              "produtos[0].Tipo: esperado um de tpvPeso, tpvUnidade, tpvEAN13 ou tpvEAN13Und, encontrado 1 (linha 1, coluna 24)"},
    TCasoErro{"DecimalInvalidoNoTexto", R"({"produtos": [{"ValorVenda": "12,50"}]})",
              R"(produtos[0].ValorVenda: valor inválido "12,50" (linha 1, coluna 30))"},
    TCasoErro{"DecimalForaDoIntervalo", R"({"produtos": [{"ValorVenda": 1e15}]})",
              "produtos[0].ValorVenda: valor fora do intervalo 1e15 (linha 1, coluna 30)"},
    TCasoErro{"ExpoenteGrandeDemais", R"({"produtos": [{"ValorVenda": 1e400}]})",
              "JSON inválido na linha 1, coluna 30 (em produtos[0].ValorVenda): número fora do intervalo aceito"},
    TCasoErro{"EscalarNoRegistro", R"({"produtos": [{"Setor": 5}]})",
              "produtos[0].Setor: esperado objeto, encontrado 5 (linha 1, coluna 25)"},
    TCasoErro{"ObjetoNoCampo", R"({"produtos": [{"Codigo": {}}]})",
              "produtos[0].Codigo: esperado inteiro de 32 bits, encontrado objeto (linha 1, coluna 26)"},
    TCasoErro{"ProdutoQueNaoEObjeto", R"({"produtos": [{}, 5]})",
              "produtos[1]: esperado objeto (um produto), encontrado 5 (linha 1, coluna 19)"},
    TCasoErro{"ProdutosQueNaoELista", R"({"produtos": {}})",
              "produtos: esperado lista de produtos, encontrado objeto (linha 1, coluna 14)"},
    TCasoErro{"OutraChaveNaRaiz", R"({"produtos": [], "versao": 1})",
              R"(chave desconhecida "versao" (o catálogo tem só a chave "produtos") (linha 1, coluna 18))"},
    TCasoErro{"ProdutosRepetido", R"({"produtos": [], "produtos": []})",
              R"(chave repetida "produtos" (linha 1, coluna 18))"},
    TCasoErro{"SemProdutos", "{}", R"(falta a chave "produtos" (linha 1, coluna 2))"},
    TCasoErro{"RaizQueNaoEObjeto", "[]",
              R"(o catálogo deve ser um objeto JSON com a chave "produtos", encontrado lista (linha 1, coluna 1))"},
    TCasoErro{"Vazio", "  ", "JSON inválido na linha 1, coluna 3: o documento está vazio"},
    TCasoErro{"FaltaVirgula", "{\"produtos\": [\n{\"Codigo\": 1}\n{\"Codigo\": 2}]}",
              "JSON inválido na linha 3, coluna 1 (em produtos[1]): falta \",\" ou \"]\" depois de um elemento da lista"},
    TCasoErro{"ConteudoDepoisDoFim", R"({"produtos": []} {})",
              "JSON inválido na linha 1, coluna 18: há conteúdo depois do fim do documento"},
    TCasoErro{"ByteNuloDepoisDoFim", std::string(R"({"produtos": []})") + '\0' + "x",
              "JSON inválido na linha 1, coluna 17: byte nulo no texto"},
    TCasoErro{"Utf8Invalido", "{\"produtos\": [{\"Descricao\": \"P\xE3o\"}]}",
              "produtos[0].Descricao: texto que não é UTF-8 válido (linha 1, coluna 29)"},
    TCasoErro{"Utf8InvalidoNaChave", "{\"produtos\": [{\"C\xF3" "digo\": 1}]}",
              "produtos[0]: chave desconhecida \"C\uFFFDdigo\" (linha 1, coluna 16)"},
    TCasoErro{"SurrogateIsolado", R"({"produtos": [{"Descricao": "\udc00"}]})",
              "produtos[0].Descricao: texto com \\u de um surrogate isolado (linha 1, coluna 29)"},
    TCasoErro{"ControleDentroDoTexto", "{\"produtos\": [{\"Descricao\": \"a\tb\"}]}",
              "JSON inválido na linha 1, coluna 31 (em produtos[0].Descricao): escape inválido ou caractere de controle dentro de um texto"}),
    [](const testing::TestParamInfo<TCasoErro>& i) { return std::string(i.param.Nome); });

}  // namespace
}  // namespace quelb::cli
