// The Filizola writer, generated for real and its files read back: which
// records each item yields, the extra-information code it settles,
// de-duplication and progress.
#include <gtest/gtest.h>

#include "apoio/carga.h"

namespace quelb {
namespace {

using teste::pad;

using TLinhas = std::vector<std::u16string>;

class GerarFilizolaTest : public testing::Test {
protected:
    TQuelbCargaBalItem& Novo(int32_t ACodigo) { return teste::NovoItem(FGerador, ACodigo); }
    void Gerar() { FArquivos = teste::GerarLinhas(FGerador); }
    const TLinhas& Itens() { return FArquivos["CADTXT.TXT"]; }
    const TLinhas& Setores() { return FArquivos["SETORTXT.TXT"]; }
    const TLinhas& Nutricionais() { return FArquivos["NUTRI.TXT"]; }
    const TLinhas& Receitas() { return FArquivos["REC_ASS.TXT"]; }

    TQuelbCargaBal FGerador;  // Filizola is the default model
    teste::TLinhasArquivos FArquivos;
};

TEST_F(GerarFilizolaTest, AnItemWithDefaultsYieldsOnlyItsItemRecord) {
    Novo(0);
    Gerar();
    ASSERT_EQ(Itens().size(), 1u);
    EXPECT_EQ(Itens()[0], u"000000P" + pad(u"", 22) + u"0000000" + u"000");
    EXPECT_EQ(Setores().size(), 0u);
    EXPECT_EQ(Nutricionais().size(), 0u);
    EXPECT_EQ(Receitas().size(), 0u);
}

TEST_F(GerarFilizolaTest, EveryItemYieldsOneItemRecordInListOrderEvenWithTheSameCode) {
    Novo(2).Descricao = u"Pão francês";
    Novo(1).Descricao = u"Queijo";
    Novo(2).Descricao = u"Pão francês";
    Gerar();
    ASSERT_EQ(Itens().size(), 3u);
    EXPECT_EQ(Itens()[0].substr(0, 6), u"000002");
    EXPECT_EQ(Itens()[1].substr(0, 6), u"000001");
    EXPECT_EQ(Itens()[2], Itens()[0]);
}

TEST_F(GerarFilizolaTest, ASectorRecordNeedsANameOrAPositiveKey) {
    Novo(1).Tecla = 5;                     // key only
    Novo(2).Setor.Descricao = u"Açougue";  // name only: key 000
    TQuelbCargaBalItem& semNada = Novo(3);
    semNada.Tecla = -1;                    // neither
    semNada.Setor.Codigo = 4;              // the sector code plays no part
    Novo(4);
    Gerar();
    EXPECT_EQ(Setores(), (TLinhas{
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
    EXPECT_EQ(Setores(), (TLinhas{
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
    ASSERT_EQ(Nutricionais().size(), 2u);
    EXPECT_EQ(Nutricionais()[0].substr(0, 6 + 35 + 5), u"000002" + pad(u"Porção 30 g", 35) + u"00150");
    EXPECT_EQ(Nutricionais()[1], Nutricionais()[0]);
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
    EXPECT_EQ(Receitas(), (TLinhas{
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
    EXPECT_EQ(Receitas(),
              (TLinhas{
                  pad(u"", 12) + u"000005" + u"000005" + pad(u"Contém glúten", 840) + u"@",
                  pad(u"", 12) + u"000006" + u"000006" + pad(u"Contém glúten", 840) + u"@",
                  pad(u"", 12) + u"000005" + u"000009" + pad(u"contém glúten", 840) + u"@",
                  pad(u"", 12) + u"000005" + u"000005" + pad(u"Contém glúten.", 840) + u"@",
              }));
}

// The handler sees the item's extra-information code already settled, and
// the next item's not yet.
TEST_F(GerarFilizolaTest, OneProgressEventPerItemAfterItsRecords) {
    TQuelbCargaBalItem& a = Novo(42);
    a.Descricao = u"Queijo prato fatiado de primeira qualidade";  // longer than the field
    a.Setor.Descricao = u"Frios";
    a.Nutricional.Descricao = u"Porção 30 g";
    a.InformacaoExtra.Receita = u"Leite, sal";
    TQuelbCargaBalItem& b = Novo(1234567);
    b.Descricao = u"Pão";
    b.InformacaoExtra.Codigo = 5;  // no text: settled to 0
    std::vector<teste::TEvento> eventos;
    FGerador.OnProgresso = [&](const Texto& m, int32_t atual, int32_t total) {
        eventos.push_back({m, atual, total, {a.InformacaoExtra.Codigo, b.InformacaoExtra.Codigo}});
    };
    Gerar();
    EXPECT_EQ(eventos, (std::vector<teste::TEvento>{
                           {u"Iniciando a geração dos arquivos", 0, 2, {0, 5}},
                           {u"Gerando produto 000042 Queijo prato fatiado de primeira qualidade", 0, 2, {42, 5}},
                           {u"Gerando produto 1234567 Pão", 1, 2, {42, 0}},
                           {u"Terminado", 2, 2, {42, 0}},
                       }));
}

TEST_F(GerarFilizolaTest, AnErrorFromTheProgressHandlerStopsTheWriter) {
    Novo(1);
    TQuelbCargaBalItem& segundo = Novo(2);
    segundo.InformacaoExtra.Receita = u"abc";  // its code would become 2 once written
    int32_t eventosItem = 0;
    FGerador.OnProgresso = [&](const Texto& m, int32_t, int32_t) {
        if (m.starts_with(u"Gerando produto")) {
            ++eventosItem;
            throw EQuelbErro(u"cancelado");
        }
    };
    teste::DiretorioTemporario dir;
    EXPECT_THROW(FGerador.GerarArquivos(dir.Texto()), EQuelbErro);
    EXPECT_EQ(eventosItem, 1);
    EXPECT_EQ(segundo.InformacaoExtra.Codigo, 0);  // never written
    EXPECT_EQ(teste::ArquivosEm(dir), std::vector<std::string>{});
}

}  // namespace
}  // namespace quelb
