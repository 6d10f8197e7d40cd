#include <gtest/gtest.h>

#include "catalogue/erro.h"
#include "catalogue/itens.h"
#include "generator/informacao_extra.h"

namespace quelb {
namespace {

TEST(Item, NewItemHasTheDefaultsAndItsFiveRecords) {
    TQuelbCargaBalItem item;
    EXPECT_EQ(item.Codigo, 0);
    EXPECT_TRUE(item.Descricao.empty());
    EXPECT_EQ(item.Tipo, tpvPeso);
    EXPECT_EQ(item.TipoValidade, tpvDias);
    EXPECT_EQ(item.ValorVenda, TValorFixo());
    EXPECT_EQ(item.Setor.Codigo, 0);
    EXPECT_EQ(item.Nutricional.UndPorcao, tpGramas);
    EXPECT_EQ(item.Nutricional.PartDecimal, tpPara0);
    EXPECT_EQ(item.Nutricional.MedCaseira, tpColherSopa);
    EXPECT_EQ(item.Nutricional.Qtd, 0);
    EXPECT_EQ(item.Tara.Valor, TValorFixo());
    EXPECT_EQ(item.Fornecedor.Codigo, 0);
    EXPECT_TRUE(item.InformacaoExtra.Receita.empty());
}

TEST(Nutricional, LimparKeepsTheDescription) {
    TQuelbCargaBalNutricional n;
    n.Descricao = u"Porção 30 g";
    n.Qtd = 100;
    n.MedCaseira = tpLata;
    n.Sodio = TValorFixo::DeDezMilesimos(5);
    n.Limpar();
    EXPECT_EQ(n.Descricao, u"Porção 30 g");
    EXPECT_EQ(n.Qtd, 0);
    EXPECT_EQ(n.MedCaseira, tpColherSopa);
    EXPECT_EQ(n.Sodio, TValorFixo());
}

struct CasoInfoExtra {
    const char16_t* receita;
    int32_t codigoAntes;
    int32_t esperado;  // returned and stored
};

class CodigoInformacaoExtra : public testing::TestWithParam<CasoInfoExtra> {};

TEST_P(CodigoInformacaoExtra, IsSettledInTheItem) {
    const CasoInfoExtra& c = GetParam();
    TQuelbCargaBalItem item;
    item.Codigo = 123;
    item.InformacaoExtra.Receita = c.receita;
    item.InformacaoExtra.Codigo = c.codigoAntes;
    EXPECT_EQ(AcertarCodigoInformacaoExtra(item), c.esperado);
    EXPECT_EQ(item.InformacaoExtra.Codigo, c.esperado);
}

INSTANTIATE_TEST_SUITE_P(Casos, CodigoInformacaoExtra,
                         testing::Values(CasoInfoExtra{u"ab", 7, 0},     // fewer than 3: no record
                                         CasoInfoExtra{u"abc", 0, 123},  // takes the item's code
                                         CasoInfoExtra{u"abc", 55, 55},  // keeps its own code
                                         CasoInfoExtra{u"", 4, 0}));

TEST(Itens, NewAppendsAndIndexOutsideTheListFails) {
    TQuelbCargaBalItens itens;
    itens.New().Codigo = 1;
    itens.New().Codigo = 2;
    ASSERT_EQ(itens.Count(), 2);
    EXPECT_EQ(itens.GetItem(1).Codigo, 2);
    for (int32_t indice : {2, -1}) {
        try {
            itens.GetItem(indice);
            FAIL() << indice;
        } catch (const EQuelbErro& e) {
            EXPECT_EQ(e.Mensagem(), u"List index out of bounds (" + DeUtf8(std::to_string(indice)) + u")");
        }
    }
}

TEST(Itens, ClearEmptiesAndNewStartsAgainAtZero) {
    TQuelbCargaBalItens itens;
    itens.Clear();
    EXPECT_EQ(itens.Count(), 0);
    itens.New();
    itens.New();
    itens.Clear();
    EXPECT_EQ(itens.Count(), 0);
    itens.New().Codigo = 5;
    EXPECT_EQ(itens.GetItem(0).Codigo, 5);
}

TEST(Itens, TheVersionChangesWithEveryItemAddedOrRemoved) {
    TQuelbCargaBalItens itens;
    uint64_t antes = itens.Versao();
    itens.New();
    EXPECT_NE(itens.Versao(), antes);
    antes = itens.Versao();
    itens.GetItem(0).Codigo = 9;  // a change inside an item keeps every item in place
    EXPECT_EQ(itens.Versao(), antes);
    itens.Clear();
    EXPECT_NE(itens.Versao(), antes);
    // Emptied and filled again to the same count: still another version.
    antes = itens.Versao();
    itens.New();
    itens.Clear();
    itens.New();
    EXPECT_NE(itens.Versao(), antes);
}

}  // namespace
}  // namespace quelb
