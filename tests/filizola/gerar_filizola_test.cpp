// The Filizola writer: which records each item yields, the extra-information
// code it settles, de-duplication and progress.
#include <gtest/gtest.h>

#include "apoio/carga.h"
#include "generator/escritores.h"

namespace quelb {
namespace {

using teste::pad;
using teste::Linha;

class GerarFilizolaTest : public testing::Test {
protected:
    TQuelbCargaBalItem& Novo(int32_t ACodigo) { return teste::NovoItem(FGerador, ACodigo); }
    void Gerar() { GerarFilizola(FGerador, FItens, FSetores, FNutricionais, FReceitas); }

    TQuelbCargaBal FGerador;
    TListaLinhas FItens, FSetores, FNutricionais, FReceitas;
};

TEST_F(GerarFilizolaTest, AnItemWithDefaultsYieldsOnlyItsItemRecord) {
    Novo(0);
    Gerar();
    ASSERT_EQ(FItens.Count(), 1);
    EXPECT_EQ(Linha(FItens, 0), u"000000P" + pad(u"", 22) + u"0000000" + u"000");
    EXPECT_EQ(FSetores.Count(), 0);
    EXPECT_EQ(FNutricionais.Count(), 0);
    EXPECT_EQ(FReceitas.Count(), 0);
}

TEST_F(GerarFilizolaTest, EveryItemYieldsOneItemRecordInListOrderEvenWithTheSameCode) {
    Novo(2).Descricao = u"Pão francês";
    Novo(1).Descricao = u"Queijo";
    Novo(2).Descricao = u"Pão francês";
    Gerar();
    ASSERT_EQ(FItens.Count(), 3);
    EXPECT_EQ(Linha(FItens, 0).substr(0, 6), u"000002");
    EXPECT_EQ(Linha(FItens, 1).substr(0, 6), u"000001");
    EXPECT_EQ(Linha(FItens, 2), Linha(FItens, 0));
}

TEST_F(GerarFilizolaTest, ASectorRecordNeedsANameOrAPositiveKey) {
    Novo(1).Tecla = 5;                     // key only
    Novo(2).Setor.Descricao = u"Açougue";  // name only: key 000
    TQuelbCargaBalItem& semNada = Novo(3);
    semNada.Tecla = -1;                    // neither
    semNada.Setor.Codigo = 4;              // the sector code plays no part
    Novo(4);
    Gerar();
    EXPECT_EQ(teste::Linhas(FSetores), (std::vector<std::u16string>{
                                           pad(u"", 12) + u"000001" + u"0001" + u"005",
                                           pad(u"Açougue", 12) + u"000002" + u"0002" + u"000",
                                       }));
}

TEST_F(GerarFilizolaTest, TheSectorPositionIsThePlaceInTheCatalogueAndSectorsAreNotDeduplicated) {
    Novo(10);
    Novo(11);
    Novo(12).Setor.Descricao = u"Padaria";
    Novo(12).Setor.Descricao = u"Padaria";
    Gerar();
    EXPECT_EQ(teste::Linhas(FSetores), (std::vector<std::u16string>{
                                           pad(u"Padaria", 12) + u"000012" + u"0003" + u"000",
                                           pad(u"Padaria", 12) + u"000012" + u"0004" + u"000",
                                       }));
}

TEST_F(GerarFilizolaTest, ANutritionRecordNeedsADescriptionAndIsNotDeduplicated) {
    TQuelbCargaBalItem& semDescricao = Novo(1);
    semDescricao.Nutricional.Codigo = 3;
    semDescricao.Nutricional.ValorEnergetico = 150;
    for (int i = 0; i < 2; ++i) {
        TQuelbCargaBalItem& comDescricao = Novo(2);
        comDescricao.Nutricional.Descricao = u"Porção 30 g";
        comDescricao.Nutricional.ValorEnergetico = 150;
    }
    Gerar();
    ASSERT_EQ(FNutricionais.Count(), 2);
    EXPECT_EQ(Linha(FNutricionais, 0).substr(0, 6 + 35 + 5), u"000002" + pad(u"Porção 30 g", 35) + u"00150");
    EXPECT_EQ(Linha(FNutricionais, 1), Linha(FNutricionais, 0));
}

TEST_F(GerarFilizolaTest, TheExtraInformationTextNeedsThreeCharactersAndSettlesTheItemsCode) {
    TQuelbCargaBalItem& dois = Novo(1);
    dois.InformacaoExtra.Receita = u"ab";
    dois.InformacaoExtra.Codigo = 7;
    TQuelbCargaBalItem& tres = Novo(2);
    tres.InformacaoExtra.Receita = u"abc";
    TQuelbCargaBalItem& proprio = Novo(3);
    proprio.InformacaoExtra.Receita = u"abcd";
    proprio.InformacaoExtra.Codigo = 55;
    Gerar();

    EXPECT_EQ(dois.InformacaoExtra.Codigo, 0);  // rewritten although no record
    EXPECT_EQ(tres.InformacaoExtra.Codigo, 2);  // took the item code
    EXPECT_EQ(proprio.InformacaoExtra.Codigo, 55);
    EXPECT_EQ(teste::Linhas(FReceitas), (std::vector<std::u16string>{
                                            pad(u"", 12) + u"000002" + u"000002" + pad(u"abc", 840) + u"@",
                                            pad(u"", 12) + u"000003" + u"000055" + pad(u"abcd", 840) + u"@",
                                        }));
}

TEST_F(GerarFilizolaTest, ExtraInformationRecordsCollapseOnlyWhenTheWholeRecordIsEqualIgnoringCase) {
    Novo(5).InformacaoExtra.Receita = u"Contém glúten";
    Novo(5).InformacaoExtra.Receita = u"CONTÉM GLÚTEN";  // same code, case only: dropped
    Novo(6).InformacaoExtra.Receita = u"Contém glúten";  // another item code: kept
    TQuelbCargaBalItem& outroCodigo = Novo(5);
    outroCodigo.InformacaoExtra.Receita = u"contém glúten";
    outroCodigo.InformacaoExtra.Codigo = 9;  // another extra-information code: kept
    Novo(5).InformacaoExtra.Receita = u"Contém glúten.";  // another text: kept
    Gerar();
    EXPECT_EQ(teste::Linhas(FReceitas),
              (std::vector<std::u16string>{
                  pad(u"", 12) + u"000005" + u"000005" + pad(u"Contém glúten", 840) + u"@",
                  pad(u"", 12) + u"000006" + u"000006" + pad(u"Contém glúten", 840) + u"@",
                  pad(u"", 12) + u"000005" + u"000009" + pad(u"contém glúten", 840) + u"@",
                  pad(u"", 12) + u"000005" + u"000005" + pad(u"Contém glúten.", 840) + u"@",
              }));
}

TEST_F(GerarFilizolaTest, OneProgressEventPerItemAfterItsRecords) {
    TQuelbCargaBalItem& a = Novo(42);
    a.Descricao = u"Queijo prato fatiado de primeira qualidade";  // longer than the field
    a.Setor.Descricao = u"Frios";
    a.Nutricional.Descricao = u"Porção 30 g";
    a.InformacaoExtra.Receita = u"Leite, sal";
    Novo(1234567).Descricao = u"Pão";
    std::vector<teste::TEvento> eventos;
    FGerador.OnProgresso = [&](const Texto& m, int32_t atual, int32_t total) {
        eventos.push_back(
            {m, atual, total, {FItens.Count(), FSetores.Count(), FNutricionais.Count(), FReceitas.Count()}});
    };
    Gerar();
    ASSERT_EQ(eventos.size(), 2u);
    EXPECT_EQ(eventos[0].mensagem, u"Gerando produto 000042 Queijo prato fatiado de primeira qualidade");
    EXPECT_EQ(eventos[0].atual, 0);
    EXPECT_EQ(eventos[0].total, 2);
    EXPECT_EQ(eventos[0].linhas, (std::vector<int32_t>{1, 1, 1, 1}));
    EXPECT_EQ(eventos[1].mensagem, u"Gerando produto 1234567 Pão");
    EXPECT_EQ(eventos[1].atual, 1);
    EXPECT_EQ(eventos[1].total, 2);
    EXPECT_EQ(eventos[1].linhas, (std::vector<int32_t>{2, 1, 1, 1}));
}

TEST_F(GerarFilizolaTest, AnErrorFromTheProgressHandlerStopsTheWriter) {
    Novo(1);
    Novo(2);
    FGerador.OnProgresso = [](const Texto&, int32_t, int32_t) { throw EQuelbErro(u"cancelado"); };
    EXPECT_THROW(Gerar(), EQuelbErro);
    EXPECT_EQ(FItens.Count(), 1);
}

}  // namespace
}  // namespace quelb
