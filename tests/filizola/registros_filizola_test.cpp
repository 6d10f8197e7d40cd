// Each Filizola record held against its layout, field by field.
#include <gtest/gtest.h>

#include "apoio/carga.h"
#include "formats/filizola/layouts_filizola.h"

namespace quelb {
namespace {

using teste::pad;
using teste::TCampo;
using teste::Valor;
using teste::zeros;

using TCaso = teste::TCasoRegistro<TQuelbCargaBalItem>;

TEST(FilizolaSaleType, WeightTypesGivePAndUnitTypesGiveU) {
    EXPECT_EQ(filizola::CodigosTipoVenda[tpvPeso], u"P");
    EXPECT_EQ(filizola::CodigosTipoVenda[tpvUnidade], u"U");
    EXPECT_EQ(filizola::CodigosTipoVenda[tpvEAN13], u"P");
    EXPECT_EQ(filizola::CodigosTipoVenda[tpvEAN13Und], u"U");
    // A value outside the enumeration still gives one character.
    TQuelbCargaBalItem i;
    i.Tipo = static_cast<TQuelbCargaBalTipoVenda>(9);
    EXPECT_EQ(teste::Escrever<filizola::Item>(i).substr(6, 1), u"P");
}

TEST(FilizolaItemRecord, FollowsTheLayout) {
    const std::vector<TCaso> casos = {
        {"defaults", [](TQuelbCargaBalItem&) {},
         {{1, u"000000"}, {7, u"P"}, {8, pad(u"", 22)}, {30, u"0000000"}, {37, u"000"}}},
        {"typical unit item",
         [](TQuelbCargaBalItem& i) {
             i.Codigo = 42;
             i.Tipo = tpvUnidade;
             i.Descricao = u"Queijo Minas";
             i.ValorVenda = Valor(123450);  // 12.345: hundredths truncated
             i.Validade = 15;
         },
         {{1, u"000042"}, {7, u"U"}, {8, pad(u"Queijo Minas", 22)}, {30, u"0001234"}, {37, u"015"}}},
        {"bar-code types take the code of their base type",
         [](TQuelbCargaBalItem& i) { i.Tipo = tpvEAN13Und; },
         {{1, u"000000"}, {7, u"U"}, {8, pad(u"", 22)}, {30, u"0000000"}, {37, u"000"}}},
        {"tpvEAN13 is sold by weight",
         [](TQuelbCargaBalItem& i) { i.Tipo = tpvEAN13; },
         {{1, u"000000"}, {7, u"P"}, {8, pad(u"", 22)}, {30, u"0000000"}, {37, u"000"}}},
        {"over-wide values keep their first characters",
         [](TQuelbCargaBalItem& i) {
             i.Codigo = 1234567;
             i.Descricao = u"Linguica Toscana Especial Defumada";
             i.ValorVenda = Valor(1234567890);  // 123456.789 -> 12345678 hundredths
             i.Validade = 1234;
         },
         {{1, u"123456"}, {7, u"P"}, {8, u"Linguica Toscana Espec"}, {30, u"1234567"}, {37, u"123"}}},
        {"negative numbers: the sign after the filling zeros",
         [](TQuelbCargaBalItem& i) {
             i.Codigo = -5;
             i.ValorVenda = Valor(-15000);  // -1.50
             i.Validade = -1;
         },
         {{1, u"0000-5"}, {7, u"P"}, {8, pad(u"", 22)}, {30, u"000-150"}, {37, u"0-1"}}},
        {"a price below one hundredth is zero",
         [](TQuelbCargaBalItem& i) { i.ValorVenda = Valor(99); },
         {{1, u"000000"}, {7, u"P"}, {8, pad(u"", 22)}, {30, u"0000000"}, {37, u"000"}}},
    };
    teste::ConferirCasos(casos, [](TRegistro& r, const TQuelbCargaBalItem& i, int32_t) { teste::EscreverLayout<filizola::Item>(r, i); });
}

TEST(FilizolaSectorRecord, FollowsTheLayout) {
    // The case's number is the item's position.
    const std::vector<TCaso> casos = {
        {"name, code, position and key",
         [](TQuelbCargaBalItem& i) {
             i.Setor.Descricao = u"Padaria";
             i.Codigo = 42;
             i.Tecla = 5;
         },
         {{1, pad(u"Padaria", 12)}, {13, u"000042"}, {19, u"0003"}, {23, u"005"}},
         3},
        {"no name: twelve spaces",
         [](TQuelbCargaBalItem& i) {
             i.Codigo = 7;
             i.Tecla = 5;
         },
         {{1, pad(u"", 12)}, {13, u"000007"}, {19, u"0001"}, {23, u"005"}},
         1},
        {"over-wide name, code, position and key are cut",
         [](TQuelbCargaBalItem& i) {
             i.Setor.Descricao = u"Hortifrutigranjeiros";
             i.Codigo = 1234567;
             i.Tecla = 1234;
         },
         {{1, u"Hortifrutigr"}, {13, u"123456"}, {19, u"1234"}, {23, u"123"}},
         12345},
    };
    teste::ConferirCasos(casos, [](TRegistro& r, const TQuelbCargaBalItem& i, int32_t posicao) {
        teste::EscreverLayout<filizola::Setor>(r, i, posicao);
    });
}

// The nutrition record: code, description, seven nutrient slots, the two
// asterisk slots, sodium. Companion fields are always four zeros.
std::vector<TCampo> CamposNutricionais(std::u16string codigo, std::u16string descricao, std::u16string energia,
                                       std::u16string carboidrato, std::u16string proteina, std::u16string gordura,
                                       std::u16string saturada, std::u16string trans, std::u16string fibra,
                                       std::u16string sodio) {
    return {{1, codigo},        {7, descricao},   {42, energia},  {47, u"0000"},  {51, carboidrato},
            {56, u"0000"},      {60, proteina},   {65, u"0000"},  {69, gordura},  {74, u"0000"},
            {78, saturada},     {83, u"0000"},    {87, trans},    {92, u"0000"},  {96, fibra},
            {101, u"0000"},     {105, u"*****"},  {110, u"****"}, {114, u"*****"}, {119, u"****"},
            {123, sodio},       {128, u"0000"}};
}

TEST(FilizolaNutritionRecord, FollowsTheLayout) {
    const std::vector<TCaso> casos = {
        {"zero amounts are written",
         [](TQuelbCargaBalItem& i) { i.Nutricional.Descricao = u"Porção de 100 g"; },
         CamposNutricionais(u"000000", pad(u"Porção de 100 g", 35), u"00000", u"00000", u"00000", u"00000",
                            u"00000", u"00000", u"00000", u"00000")},
        {"every amount in its slot, in tenths truncated",
         [](TQuelbCargaBalItem& i) {
             i.Codigo = 42;
             i.Nutricional.Descricao = u"Porção de 30 g (1 fatia)";
             i.Nutricional.ValorEnergetico = 150;
             i.Nutricional.Carboidrato = Valor(123400);   // 12.34
             i.Nutricional.Proteina = Valor(20000);       // 2
             i.Nutricional.GorduraTotal = Valor(35500);   // 3.55
             i.Nutricional.GorduraSaturada = Valor(999);  // 0.0999
             i.Nutricional.GorduraTrans = Valor(1000);    // 0.1
             i.Nutricional.Fibra = Valor(7000);           // 0.7
             i.Nutricional.Sodio = Valor(12345000);       // 1234.5
         },
         CamposNutricionais(u"000042", pad(u"Porção de 30 g (1 fatia)", 35), u"00150", u"00123", u"00020",
                            u"00035", u"00000", u"00001", u"00007", u"12345")},
        {"over-wide values keep their first characters",
         [](TQuelbCargaBalItem& i) {
             i.Codigo = 1234567;
             i.Nutricional.Descricao = u"Porção de 200 g, equivalente a duas fatias";
             i.Nutricional.ValorEnergetico = 123456;
             i.Nutricional.Sodio = Valor(123456000);  // 12345.6 -> 123456 tenths
             i.Nutricional.Fibra = Valor(-15000);     // -1.5
         },
         CamposNutricionais(u"123456", u"Porção de 200 g, equivalente a duas", u"12345", u"00000", u"00000",
                            u"00000", u"00000", u"00000", u"00-15", u"12345")},
    };
    teste::ConferirCasos(casos, [](TRegistro& r, const TQuelbCargaBalItem& i, int32_t) {
        teste::EscreverLayout<filizola::Nutricional>(r, i);
    });
}

TEST(FilizolaExtraInformationRecord, FollowsTheLayout) {
    // The case's number is the extra-information code.
    const std::u16string longo = teste::repetir(u"farinha de trigo, ", 60);  // 1080 characters
    const std::vector<TCaso> casos = {
        {"code, extra-information code, text and the closing mark",
         [](TQuelbCargaBalItem& i) {
             i.Codigo = 42;
             i.InformacaoExtra.Receita = u"Leite, sal, coalho.";
         },
         {{1, pad(u"", 12)}, {13, u"000042"}, {19, u"000007"}, {25, pad(u"Leite, sal, coalho.", 840)}, {865, u"@"}},
         7},
        {"line breaks are copied and count toward the width",
         [](TQuelbCargaBalItem& i) { i.InformacaoExtra.Receita = u"Leite\r\nsal"; },
         {{1, pad(u"", 12)}, {13, u"000000"}, {19, u"000000"}, {25, pad(u"Leite\r\nsal", 840)}, {865, u"@"}},
         0},
        {"a text over 840 characters is cut, the mark stays at column 865",
         [&longo](TQuelbCargaBalItem& i) {
             i.Codigo = -5;
             i.InformacaoExtra.Receita = longo;
         },
         {{1, pad(u"", 12)}, {13, u"0000-5"}, {19, u"123456"}, {25, longo.substr(0, 840)}, {865, u"@"}},
         1234567},
    };
    teste::ConferirCasos(casos, [](TRegistro& r, const TQuelbCargaBalItem& i, int32_t codigo) {
        TQuelbCargaBalItem comCodigo = i;
        comCodigo.InformacaoExtra.Codigo = codigo;
        teste::EscreverLayout<filizola::InformacaoExtra>(r, comCodigo);
    });
}

// One item with every value wider than its field, one with every value
// shorter: each record they give is as wide as its layout says.
void AmostraLarga(TQuelbCargaBal& g) {
    TQuelbCargaBalItem& largo = g.Produtos().New();
    largo.Codigo = 1234567;
    largo.Descricao = teste::repetir(u"Mortadela ", 4);
    largo.ValorVenda = Valor(1234567890);
    largo.Validade = 1234;
    largo.Tecla = 1234;
    largo.Setor.Descricao = u"Hortifrutigranjeiros";
    largo.Nutricional.Descricao = teste::repetir(u"Porção ", 8);
    largo.Nutricional.ValorEnergetico = 123456;
    largo.Nutricional.Sodio = Valor(123456000);
    largo.InformacaoExtra.Receita = teste::repetir(u"farinha de trigo, ", 60);
    largo.InformacaoExtra.Codigo = 1234567;
    TQuelbCargaBalItem& curto = g.Produtos().New();
    curto.Codigo = 1;
    curto.Tecla = 1;
    curto.Nutricional.Descricao = u"x";
    curto.InformacaoExtra.Receita = u"sal";
}

TEST(FilizolaRecords, EachLayoutIsWrittenAtItsDeclaredWidth) {
    teste::ConferirLargurasDeclaradas(modFilizola, AmostraLarga,
                                      {{"CADTXT.TXT", {"item", "item"}},
                                       {"SETORTXT.TXT", {"setor", "setor"}},
                                       {"REC_ASS.TXT", {"informacao_extra", "informacao_extra"}},
                                       {"NUTRI.TXT", {"nutricional", "nutricional"}}});
}

}  // namespace
}  // namespace quelb
