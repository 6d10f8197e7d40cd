// The JSON catalogue reader: every property reaches its place in the item,
// loosely written keys and values are understood, and a catalogue that does
// not fit the item model is refused whole, every error with its place.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "catalogue/leitor_catalogo.h"

namespace quelb {
namespace {

TQuelbCargaBalItens Ler(const std::string& AJson) {
    TQuelbCargaBalItens itens;
    const TRelatorioCatalogo r = LerCatalogo(AJson, "catalogo.json", {}, itens);
    EXPECT_TRUE(r.Ok()) << r.TextoErros();
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
    const TQuelbCargaBalItens itens = Ler(R"({"produtos": [{"Codigo": 1, "Descricao": "a", "ValorVenda": 1}, {}, {"Nutricional": {"Qtd": 5}}]})");
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
        R"({"produtos": [{"Codigo": 1, "ValorVenda": 1, "Descricao": "  P\u00e3o \"fr\u00EAs\"\n\ud83d\ude00 ", "Setor": {"Descricao": "Açougue"}}]})");
    ASSERT_EQ(itens.Count(), 1);
    EXPECT_EQ(itens.GetItem(0).Descricao, u"  Pão \"frês\"\n\U0001F600 ");
    EXPECT_EQ(itens.GetItem(0).Setor.Descricao, u"Açougue");
}

// The reader takes the file in blocks of 256 KiB: a text, its escapes and
// accents, or a key may begin in one block and end in the next; keys also
// come in another order from item to item.
TEST(CatalogoJson, TextosEChavesQueAtravessamOLimiteDeUmBloco) {
    const std::string texto = R"(P\u00e3o \"francês\" \\ \u00E0 granel)";
    const std::u16string esperado = u"Pão \"francês\" \\ à granel";
    for (size_t deslocamento = 0; deslocamento < 160; ++deslocamento) {
        SCOPED_TRACE(deslocamento);
        const std::string json = R"({"produtos": [{"Codigo": 1, "ValorVenda": 1, "Descricao": ")" +
                                 std::string((size_t{1} << 18) - 120 + deslocamento, 'x') + R"("},)" +
                                 R"({"ValorVenda": "2", "Descricao": ")" + texto + R"(", "Codigo": 2},)" +
                                 R"({"Codigo": 3, "Descricao": ")" + texto + R"(", "ValorVenda": 3}]})";
        const TQuelbCargaBalItens itens = Ler(json);
        ASSERT_EQ(itens.Count(), 3);
        for (int32_t i = 1; i < 3; ++i) {
            EXPECT_EQ(itens.GetItem(i).Codigo, i + 1);
            EXPECT_EQ(itens.GetItem(i).ValorVenda.DezMilesimos(), (i + 1) * 10000);
            EXPECT_EQ(itens.GetItem(i).Descricao, esperado);
        }
    }
}

TEST(CatalogoJson, ListaVaziaNaoEErroDeLeitura) { EXPECT_EQ(Ler(R"( {"produtos": []} )").Count(), 0); }

TEST(CatalogoJson, NomesSoltosSinonimosNuloEInteirosEscritosDeOutroJeito) {
    TQuelbCargaBalItens itens;
    const TRelatorioCatalogo r = LerCatalogo(R"([
        {" codigo ": "000123", "DESCRIÇÃO": "a", "preço": "12,90", "Validade": 1.0, "Tecla": 1e2,
         "setor": {"código": "-5", "Descricao": null}, "Nutricional": {"PartDecimal": "1/2", "UndPorcao": "mililitros",
         "MedCaseira": "LATA"}, "Estoque": {"x": [1, {"y": null}]}, "Tara": null, "Marca": "m"},
        null,
        {"PLU": 9, "Nome": "b", "ModeloEtiqueta": -32768, "Tipo": "ean13und", "Tara": {"Valor": "-0,015"}}
    ])", "", {}, itens);
    ASSERT_TRUE(r.Ok()) << r.TextoErros();
    EXPECT_EQ(r.Ignorados, (std::vector<std::string>{"Estoque", "Marca"}));
    ASSERT_EQ(itens.Count(), 2);
    const TQuelbCargaBalItem& a = itens.GetItem(0);
    EXPECT_EQ(a.Codigo, 123);
    EXPECT_EQ(a.Descricao, u"a");
    EXPECT_EQ(a.ValorVenda.DezMilesimos(), 129000);
    EXPECT_EQ(a.Validade, 1);
    EXPECT_EQ(a.Tecla, 100);
    EXPECT_EQ(a.Setor.Codigo, -5);
    EXPECT_EQ(a.Nutricional.PartDecimal, tpPara12);
    EXPECT_EQ(a.Nutricional.UndPorcao, tpMililitros);
    EXPECT_EQ(a.Nutricional.MedCaseira, tpLata);
    const TQuelbCargaBalItem& b = itens.GetItem(1);
    EXPECT_EQ(b.Codigo, 9);
    EXPECT_EQ(b.Descricao, u"b");
    EXPECT_EQ(b.ModeloEtiqueta, -32768);
    EXPECT_EQ(b.Tipo, tpvEAN13Und);
    EXPECT_EQ(b.Tara.Valor.DezMilesimos(), -150);
}

TEST(CatalogoJson, AcentosDecompostosSaoCompostos) {
    const TQuelbCargaBalItens itens = Ler(R"({"produtos": [{"Codigo": 1, "Descricao": "Pa\u0303o e\u0301 ", "ValorVenda": 1,
        "InformacaoExtra": {"Receita": "Ac\u0327u\u0301car \ud83d\ude00"}}]})");
    ASSERT_EQ(itens.Count(), 1);
    EXPECT_EQ(itens.GetItem(0).Descricao, u"Pão é ");
    EXPECT_EQ(itens.GetItem(0).InformacaoExtra.Receita, u"Açúcar \U0001F600");
}

TEST(CatalogoJson, Utf16ComMarcaDeOrdemDeBytes) {
    const std::u16string texto = u"\uFEFF{\"produtos\": [{\"Codigo\": 1, \"Descricao\": \"Pão \U0001F600\", \"ValorVenda\": 2}]}";
    std::string le, be;
    for (const char16_t c : texto) {
        le += static_cast<char>(c & 0xFF);
        le += static_cast<char>(c >> 8);
        be += static_cast<char>(c >> 8);
        be += static_cast<char>(c & 0xFF);
    }
    for (const std::string& bytes : {le, be}) {
        TQuelbCargaBalItens itens;
        const TRelatorioCatalogo r = LerCatalogo(bytes, "c.json", {}, itens);
        ASSERT_TRUE(r.Ok()) << r.TextoErros();
        ASSERT_EQ(itens.Count(), 1);
        EXPECT_EQ(itens.GetItem(0).Descricao, u"Pão \U0001F600");
    }
}

struct TCasoErro {
    const char* Nome;
    std::string Json;
    std::string Mensagem;  // every error, one per line
};

void PrintTo(const TCasoErro& c, std::ostream* os) { *os << c.Nome; }

class CatalogoJsonInvalido : public testing::TestWithParam<TCasoErro> {};

TEST_P(CatalogoJsonInvalido, RecusaOCatalogoInteiroENomeiaCadaLugar) {
    TQuelbCargaBalItens itens;
    itens.New();  // what the list held before stays; nothing of the catalogue is added
    const TRelatorioCatalogo r = LerCatalogo(GetParam().Json, "catalogo.json", {}, itens);
    EXPECT_FALSE(r.Ok());
    EXPECT_EQ(r.TextoErros(), GetParam().Mensagem + "\n");
    EXPECT_EQ(itens.Count(), 1);
}

// The three required properties, so that each case shows its own error only.
#define OBRIG R"("Codigo": 1, "Descricao": "d", "ValorVenda": 1)"

INSTANTIATE_TEST_SUITE_P(Casos, CatalogoJsonInvalido, testing::Values(
    TCasoErro{"TextoNoInteiro", R"({"produtos": [{)" OBRIG R"(}, {"Nutricional": {"Qtd": "abc"}}]})",
              R"(produtos[1].Nutricional.Qtd: esperado inteiro de 32 bits, encontrado "abc" (linha 1, coluna 89))"},
    TCasoErro{"TodosOsErrosDeUmaVez", "{\"produtos\": [{" OBRIG "},\n{\"Codigo\": 1.5},\n{\"Tecla\": \"x\", \"Validade\": 40000}]}",
              "produtos[1].Codigo: esperado inteiro de 32 bits, encontrado 1.5 (linha 2, coluna 12)\n"
              "produtos[2].Tecla: esperado inteiro de 32 bits, encontrado \"x\" (linha 3, coluna 11)\n"
              "produtos[2].Validade: esperado inteiro de 16 bits, encontrado 40000 (linha 3, coluna 28)"},
    TCasoErro{"ForaDe32Bits", R"({"produtos": [{)" OBRIG R"(, "Tecla": -2147483649}]})",
              "produtos[0].Tecla: esperado inteiro de 32 bits, encontrado -2147483649 (linha 1, coluna 73)"},
    TCasoErro{"ChaveQuaseCerta", R"({"produtos": [{)" OBRIG R"(, "Setor": {"Codgo": 1}}]})",
              R"(produtos[0].Setor: chave desconhecida "Codgo"; quis dizer "Codigo"? (linha 1, coluna 74))"},
    TCasoErro{"ChaveRepetida", R"({"produtos": [{)" OBRIG R"(, "codigo": 2}]})",
              R"(produtos[0]: chave repetida "codigo" (linha 1, coluna 64))"},
    TCasoErro{"SinonimoRepetido", R"({"produtos": [{)" OBRIG R"(, "Preco": 2}]})",
              R"(produtos[0]: chave repetida "Preco" (linha 1, coluna 64))"},
    TCasoErro{"RegistroRepetido", R"({"produtos": [{)" OBRIG R"(, "Tara": {}, "Tara": {}}]})",
              R"(produtos[0]: chave repetida "Tara" (linha 1, coluna 76))"},
    TCasoErro{"Booleano", R"({"produtos": [{)" OBRIG R"(, "Tara": {"Valor": false}}]})",
              "produtos[0].Tara.Valor: esperado valor decimal, encontrado false (linha 1, coluna 82)"},
    TCasoErro{"NumeroNoTexto", R"({"produtos": [{)" OBRIG R"(, "EAN13Fornecedor": 789}]})",
              "produtos[0].EAN13Fornecedor: esperado texto, encontrado 789 (linha 1, coluna 83)"},
    TCasoErro{"EnumeracaoDesconhecida", R"({"produtos": [{)" OBRIG R"(, "TipoValidade": "tpvAnos"}]})",
              R"(produtos[0].TipoValidade: esperado um de tpvDias ou tpvMeses, encontrado "tpvAnos" (linha 1, coluna 80))"},
    TCasoErro{"EnumeracaoPeloOrdinal", R"({"produtos": [{)" OBRIG R"(, "Tipo": 1}]})",
              "produtos[0].Tipo: esperado um de tpvPeso, tpvUnidade, tpvEAN13 ou tpvEAN13Und, encontrado 1 (linha 1, coluna 72)"},
    TCasoErro{"DecimalComAgrupamentoNoTexto", R"({"produtos": [{"Codigo": 1, "Descricao": "d", "ValorVenda": "1.234,50"}]})",
              R"(produtos[0].ValorVenda: valor inválido "1.234,50" (linha 1, coluna 61))"},
    TCasoErro{"DecimalForaDoIntervalo", R"({"produtos": [{"Codigo": 1, "Descricao": "d", "ValorVenda": 1e15}]})",
              "produtos[0].ValorVenda: valor fora do intervalo 1e15 (linha 1, coluna 61)"},
    TCasoErro{"ExpoenteGrandeDemais", R"({"produtos": [{"ValorVenda": 1e400}]})",
              "JSON inválido na linha 1, coluna 30 (em produtos[0]): número fora do intervalo aceito"},
    TCasoErro{"EscalarNoRegistro", R"({"produtos": [{)" OBRIG R"(, "Setor": 5}]})",
              "produtos[0].Setor: esperado objeto, encontrado 5 (linha 1, coluna 73)"},
    TCasoErro{"ObjetoNoCampo", R"({"produtos": [{"Codigo": {"a": [1]}, "Descricao": "d", "ValorVenda": 1}]})",
              "produtos[0].Codigo: esperado inteiro de 32 bits, encontrado objeto (linha 1, coluna 26)"},
    TCasoErro{"ProdutoQueNaoEObjeto", R"({"produtos": [{)" OBRIG R"(}, 5, [{}]]})",
              "produtos[1]: esperado objeto (um produto), encontrado 5 (linha 1, coluna 65)\n"
              "produtos[2]: esperado objeto (um produto), encontrado lista (linha 1, coluna 68)"},
    TCasoErro{"ProdutosQueNaoELista", R"({"produtos": {}})",
              "produtos: esperado lista de produtos, encontrado objeto (linha 1, coluna 14)"},
    TCasoErro{"SemProdutos", R"({"versao": 1})", R"(falta a chave "produtos" com a lista de produtos (linha 1, coluna 13))"},
    TCasoErro{"RaizQueNaoEObjeto", "5",
              R"(o catálogo deve ser um objeto JSON com a chave "produtos" ou a lista de produtos, encontrado 5 (linha 1, coluna 1))"},
    TCasoErro{"Vazio", "  ", "JSON inválido na linha 1, coluna 3: o documento está vazio"},
    // Deep enough to run a 1 MB stack out if each level were a call.
    TCasoErro{"AninhadoDemais", std::string(100000, '['),
              "produtos[0]: esperado objeto (um produto), encontrado lista (linha 1, coluna 2)\n"
              "produtos[0]: objetos e listas aninhados em mais de 64 níveis (linha 1, coluna 65)"},
    TCasoErro{"AninhadoDemaisNumProduto", R"({"produtos": [{)" OBRIG R"(, "Extra": )" + std::string(70, '[') + "}]}",
              "produtos[0]: objetos e listas aninhados em mais de 64 níveis (linha 1, coluna 134)"},
    TCasoErro{"FaltaVirgulaDepoisDeOutroErro", "{\"produtos\": [\n{\"Codigo\": \"x\"}\n{\"Codigo\": 2}]}",
              "produtos[0].Codigo: esperado inteiro de 32 bits, encontrado \"x\" (linha 2, coluna 12)\n"
              "JSON inválido na linha 3, coluna 1 (em produtos[1]): falta \",\" ou \"]\" depois de um elemento da lista"},
    TCasoErro{"ConteudoDepoisDoFim", R"({"produtos": []} {})",
              "JSON inválido na linha 1, coluna 18: há conteúdo depois do fim do documento"},
    TCasoErro{"ByteNuloDepoisDoFim", std::string(R"({"produtos": []})") + '\0' + "x",
              "JSON inválido na linha 1, coluna 17: byte nulo no texto"},
    TCasoErro{"Utf8Invalido", "{\"produtos\": [{\"Codigo\": 1, \"ValorVenda\": 1, \"Descricao\": \"P\xE3o\"}]}",
              "produtos[0].Descricao: texto que não é UTF-8 válido (linha 1, coluna 59)"},
    TCasoErro{"SurrogateIsolado", R"({"produtos": [{"Codigo": 1, "ValorVenda": 1, "Descricao": "\udc00"}]})",
              "produtos[0].Descricao: texto com \\u de um surrogate isolado (linha 1, coluna 59)"},
    TCasoErro{"ObrigatoriasAusentes", R"({"produtos": [{"Cod Interno": 1, "Setor": {"Descricao": "x"}}]})",
              "nenhum produto informa Codigo, que é obrigatório; a chave ignorada \"Cod Interno\" seria Codigo?\n"
              "nenhum produto informa Descricao, que é obrigatório\n"
              "nenhum produto informa ValorVenda, que é obrigatório"}),
    [](const testing::TestParamInfo<TCasoErro>& i) { return std::string(i.param.Nome); });

TEST(CatalogoJson, ListaAte50ErrosEContaORestoSemGuardarNada) {
    std::string json = R"({"produtos": [)";
    for (int i = 0; i < 120; ++i) json += std::string(i ? "," : "") + R"({"Codigo": 1, "Descricao": "d", "ValorVenda": "x"})";
    json += "]}";
    TQuelbCargaBalItens itens;
    const TRelatorioCatalogo r = LerCatalogo(json, "", {}, itens);
    EXPECT_EQ(r.QuantidadeErros, 120u);
    EXPECT_EQ(r.Erros.size(), MaximoErrosListados);
    EXPECT_THAT(r.TextoErros(), testing::EndsWith("produtos[49].ValorVenda: valor inválido \"x\" (linha 1, coluna 2560)\n... e mais 70 erros\n"));
    EXPECT_EQ(itens.Count(), 0);
}

// A refused catalogue gives back the room of its texts with its items, in
// either form: a host that tries a bad file again and again does not grow.
// The texts of the items already there, and of a reading that succeeds
// after, stay as they were.
TEST(CatalogoJson, LeituraRecusadaDevolveOEspacoDosSeusTextos) {
    struct TForma {
        std::string Nome, Bom, Ruim;
    };
    std::string json = "[", csv = "Codigo;Descricao;ValorVenda\n";
    for (int i = 1; i <= 2000; ++i) {
        const std::string descricao = "Produto " + std::to_string(i) + " " + std::string(100, 'x');
        json += R"({"Codigo": )" + std::to_string(i) + R"(, "Descricao": ")" + descricao + R"(", "ValorVenda": 1},)";
        csv += std::to_string(i) + ";" + descricao + ";1\n";
    }
    const TForma formas[] = {
        {"c.json", R"([{"Codigo": 7, "Descricao": "Pão de queijo", "ValorVenda": 1}])", json + R"({"Codigo": "x"}])"},
        {"c.csv", "Codigo;Descricao;ValorVenda\n7;Pão de queijo;1\n", csv + "x;y;1\n"},
    };
    for (const TForma& f : formas) {
        TQuelbCargaBalItens itens;
        ASSERT_TRUE(LerCatalogo(f.Bom, f.Nome, {}, itens).Ok()) << f.Nome;
        const size_t blocos = itens.Textos().Blocos();
        for (int vez = 0; vez < 3; ++vez) {
            EXPECT_FALSE(LerCatalogo(f.Ruim, f.Nome, {}, itens).Ok()) << f.Nome;
            EXPECT_EQ(itens.Count(), 1) << f.Nome;
            EXPECT_EQ(itens.Textos().Blocos(), blocos) << f.Nome;
        }
        ASSERT_TRUE(LerCatalogo(f.Bom, f.Nome, {}, itens).Ok()) << f.Nome;
        ASSERT_EQ(itens.Count(), 2) << f.Nome;
        EXPECT_EQ(itens.GetItem(0).Descricao, u"Pão de queijo") << f.Nome;
        EXPECT_EQ(itens.GetItem(1).Descricao, u"Pão de queijo") << f.Nome;
    }
}

}  // namespace
}  // namespace quelb
