// Each Toledo record and code table held against its layout, field by field.
#include <gtest/gtest.h>

#include "apoio/carga.h"
#include "formats/toledo/layouts_toledo.h"

namespace quelb {
namespace {

using teste::pad;
using teste::TCampo;
using teste::Valor;
using teste::zeros;
using std::u16string;

using TCaso = teste::TCasoRegistro<TQuelbCargaBalItem>;

// ---- Code tables ----

TEST(ToledoCodeTables, SaleType) {
    EXPECT_EQ(toledo::CodigosTipoVenda[tpvPeso], u"0");
    EXPECT_EQ(toledo::CodigosTipoVenda[tpvUnidade], u"1");
    EXPECT_EQ(toledo::CodigosTipoVenda[tpvEAN13], u"2");
    EXPECT_EQ(toledo::CodigosTipoVenda[tpvEAN13Und], u"5");
}

TEST(ToledoCodeTables, PortionUnitAndFraction) {
    EXPECT_EQ(toledo::CodigosUndPorcao[tpGramas], u"0");
    EXPECT_EQ(toledo::CodigosUndPorcao[tpMililitros], u"1");
    EXPECT_EQ(toledo::CodigosUndPorcao[tpUnidades], u"2");
    const std::pair<TQuelbCargaBalNutriPartdecimal, std::u16string_view> partes[] = {
        {tpPara0, u"0"}, {tpPara14, u"1"}, {tpPara13, u"2"}, {tpPara12, u"3"}, {tpPara23, u"4"}, {tpPara34, u"5"}};
    for (const auto& [parte, codigo] : partes)
        EXPECT_EQ(toledo::CodigosPartDecimal[parte], codigo) << NomesPartDecimal[parte];
}

TEST(ToledoCodeTables, HouseholdMeasureIsItsPositionInTwoDigits) {
    const std::pair<TQuelbCargaBalNutriMedCaseira, std::u16string_view> medidas[] = {
        {tpColherSopa, u"00"}, {tpColherCafe, u"01"}, {tpFatiaFina, u"08"}, {tpPedaco, u"09"},
        {tpFolha, u"10"},      {tpAlmodega, u"19"},   {tpPitada, u"25"},    {tpLata, u"26"}};
    for (const auto& [medida, codigo] : medidas)
        EXPECT_EQ(toledo::CodigosMedCaseira[medida], codigo) << NomesMedCaseira[medida];
}

TEST(ToledoCodeTables, AValueOutsideItsEnumerationGetsTheDefaultsCode) {
    TQuelbCargaBalItem i;
    i.Tipo = static_cast<TQuelbCargaBalTipoVenda>(4);
    i.Nutricional.UndPorcao = static_cast<TQuelbCargaBalNutriUndPorcao>(3);
    i.Nutricional.PartDecimal = static_cast<TQuelbCargaBalNutriPartdecimal>(6);
    i.Nutricional.MedCaseira = static_cast<TQuelbCargaBalNutriMedCaseira>(27);
    EXPECT_EQ(teste::Escrever<toledo::ItemMGV>(i).substr(2, 1), u"0");
    const u16string nutricional = teste::Escrever<toledo::Nutricional>(i);
    EXPECT_EQ(nutricional.substr(11, 1), u"0");   // portion unit
    EXPECT_EQ(nutricional.substr(14, 1), u"0");   // fraction
    EXPECT_EQ(nutricional.substr(15, 2), u"00");  // household measure
}

// ---- Item records ----

std::vector<TCampo> CamposToledo(u16string setor, u16string etiqueta, u16string tipo, u16string codigo,
                                 u16string preco, u16string validade, u16string descricao, u16string receita) {
    return {{1, setor},     {3, etiqueta},   {5, tipo},        {6, codigo},
            {12, preco},    {18, validade},  {21, descricao},  {71, receita}};
}

TEST(ToledoItemRecord, PlainToledoFollowsTheLayout) {
    const u16string longa = teste::repetir(u"abcdefghij", 26);  // 260 characters
    const std::vector<TCaso> casos = {
        {"defaults: twenty zeros and 300 spaces", [](TQuelbCargaBalItem&) {},
         CamposToledo(u"00", u"00", u"0", u"000000", u"000000", u"000", pad(u"", 50), pad(u"", 250))},
        {"typical item with its text",
         [](TQuelbCargaBalItem& i) {
             i.Setor.Codigo = 3;
             i.ModeloEtiqueta = 12;
             i.Tipo = tpvUnidade;
             i.Codigo = 42;
             i.ValorVenda = Valor(123450);  // 12.345: hundredths truncated
             i.Validade = 15;
             i.Descricao = u"Queijo prato";
             i.InformacaoExtra.Receita = u"Leite, sal.";
         },
         CamposToledo(u"03", u"12", u"1", u"000042", u"001234", u"015", pad(u"Queijo prato", 50),
                      pad(u"Leite, sal.", 250))},
        {"over-wide values keep their first characters",
         [&longa](TQuelbCargaBalItem& i) {
             i.Setor.Codigo = 123;
             i.ModeloEtiqueta = 456;
             i.Tipo = tpvEAN13Und;
             i.Codigo = 1234567;
             i.ValorVenda = Valor(100000000);  // 10000.00
             i.Validade = 1000;
             i.Descricao = teste::repetir(u"Mortadela ", 6);
             i.InformacaoExtra.Receita = longa;
         },
         CamposToledo(u"12", u"45", u"5", u"123456", u"100000", u"100", teste::repetir(u"Mortadela ", 5),
                      longa.substr(0, 250))},
        {"negative values: the sign after the filling zeros",
         [](TQuelbCargaBalItem& i) {
             i.Setor.Codigo = -3;
             i.Codigo = -5;
             i.Tipo = tpvEAN13;
             i.ValorVenda = Valor(-15000);
         },
         CamposToledo(u"-3", u"00", u"2", u"0000-5", u"00-150", u"000", pad(u"", 50), pad(u"", 250))},
    };
    teste::ConferirCasos(casos, [](TRegistro& r, const TQuelbCargaBalItem& i, int32_t) { teste::EscreverLayout<toledo::ItemToledo>(r, i); });
}

std::vector<TCampo> CamposMGV5Ver1(u16string setor, u16string tipo, u16string codigo, u16string preco,
                                   u16string validade, u16string descricao, u16string info, u16string nutri,
                                   u16string fornecedor) {
    return {{1, setor},       {3, tipo},       {4, codigo},      {10, preco},   {16, validade},
            {19, descricao},  {69, info},      {75, u"000"},     {78, nutri},   {82, u"1"},
            {83, u"1"},       {84, fornecedor}, {88, zeros(12)}, {100, zeros(11)}, {111, u"0"},
            {112, u"00"}};
}

TEST(ToledoItemRecord, MGV5Version1FollowsTheLayout) {
    const std::vector<TCaso> casos = {
        {"defaults", [](TQuelbCargaBalItem&) {},
         CamposMGV5Ver1(u"00", u"0", u"000000", u"000000", u"000", pad(u"", 50), u"000000", u"0000", u"0000")},
        {"column 69 is the item code whatever the extra-information code",
         [](TQuelbCargaBalItem& i) {
             i.Setor.Codigo = 7;
             i.Tipo = tpvEAN13Und;
             i.Codigo = 42;
             i.ValorVenda = Valor(59900);
             i.Validade = 3;
             i.Descricao = u"Presunto cozido";
             i.InformacaoExtra.Codigo = 7;
             i.InformacaoExtra.Receita = u"ab";
             i.Nutricional.Codigo = 8;
             i.CodigoFornecedor = 9;
             i.CodigoTara = 10;                 // not in this layout
             i.EAN13Fornecedor = u"7891234567895";  // not in this layout
         },
         CamposMGV5Ver1(u"07", u"5", u"000042", u"000599", u"003", pad(u"Presunto cozido", 50), u"000042", u"0008",
                        u"0009")},
        {"over-wide codes keep their first digits",
         [](TQuelbCargaBalItem& i) {
             i.Codigo = 1234567;
             i.Nutricional.Codigo = 123456;
             i.CodigoFornecedor = 12345;
         },
         CamposMGV5Ver1(u"00", u"0", u"123456", u"000000", u"000", pad(u"", 50), u"123456", u"1234", u"1234")},
    };
    teste::ConferirCasos(casos, [](TRegistro& r, const TQuelbCargaBalItem& i, int32_t) {
        teste::EscreverLayout<toledo::ItemMGV5Ver1>(r, i);
    });
}

std::vector<TCampo> CamposMGV(u16string setor, u16string tipo, u16string codigo, u16string preco,
                              u16string validade, u16string descricao, u16string info, u16string nutri,
                              u16string fornecedor, u16string tara, u16string ean) {
    return {{1, setor},         {3, tipo},        {4, codigo},       {10, preco},     {16, validade},
            {19, descricao},    {69, info},       {75, u"0000"},     {79, nutri},     {85, u"1"},
            {86, u"1"},         {87, fornecedor}, {91, zeros(12)},   {103, zeros(11)}, {114, u"0"},
            {115, u"0000"},     {119, tara},      {123, u"0000"},    {127, u"0000"},  {131, u"0000"},
            {135, u"0000"},     {139, ean}};
}

TEST(ToledoItemRecord, MGV5AndMGV6FollowTheLayout) {
    // The case's number is the extra-information code.
    const std::vector<TCaso> casos = {
        {"defaults: an empty bar code is twelve zeros", [](TQuelbCargaBalItem&) {},
         CamposMGV(u"00", u"0", u"000000", u"000000", u"000", pad(u"", 50), u"000000", u"000000", u"0000", u"0000",
                   zeros(12)),
         0},
        {"typical item",
         [](TQuelbCargaBalItem& i) {
             i.Setor.Codigo = 3;
             i.Tipo = tpvUnidade;
             i.Codigo = 42;
             i.ValorVenda = Valor(123459);
             i.Validade = 30;
             i.Descricao = u"Iogurte natural 170 g";
             i.Nutricional.Codigo = 77;
             i.CodigoFornecedor = 9;
             i.CodigoTara = 11;
             i.EAN13Fornecedor = u"789";  // zeros on the left
         },
         CamposMGV(u"03", u"1", u"000042", u"001234", u"030", pad(u"Iogurte natural 170 g", 50), u"000007",
                   u"000077", u"0009", u"0011", u"000000000789"),
         7},
        {"over-wide values keep their first characters",
         [](TQuelbCargaBalItem& i) {
             i.Tipo = tpvEAN13Und;
             i.Codigo = 1234567;
             i.Nutricional.Codigo = 1234567;
             i.CodigoFornecedor = 12345;
             i.CodigoTara = 12345;
             i.EAN13Fornecedor = u"7891234567895";
         },
         CamposMGV(u"00", u"5", u"123456", u"000000", u"000", pad(u"", 50), u"123456", u"123456", u"1234",
                   u"1234", u"789123456789"),
         1234567},
        {"negative codes",
         [](TQuelbCargaBalItem& i) {
             i.Codigo = -5;
             i.CodigoTara = -1;
         },
         CamposMGV(u"00", u"0", u"0000-5", u"000000", u"000", pad(u"", 50), u"0000-5", u"000000", u"0000", u"00-1",
                   zeros(12)),
         -5},
    };
    teste::ConferirCasos(casos, [](TRegistro& r, const TQuelbCargaBalItem& i, int32_t codigoInformacao) {
        TQuelbCargaBalItem comCodigo = i;
        comCodigo.InformacaoExtra.Codigo = codigoInformacao;
        teste::EscreverLayout<toledo::ItemMGV>(r, comCodigo);
    });
}

// ---- Auxiliary records ----

// MGV5 and MGV6 key the record by the extra-information code, MGV5 version
// 1 by the item code; the rest is the same.
TEST(ToledoExtraInformationRecord, FollowsTheLayout) {
    const u16string longo = teste::repetir(u"0123456789", 100);  // 1000 characters
    TQuelbCargaBalItem i;
    TQuelbCargaBalInformacaoExtra& info = i.InformacaoExtra;
    TRegistro r;

    info.Observacao = u"Receita da casa";
    info.Receita = u"Farinha, ovos,\r\naçúcar.";  // the line break is copied
    info.Codigo = 42;
    i.Codigo = 42;
    const std::vector<TCampo> campos = {
        {1, u"000042"}, {7, pad(u"Receita da casa", 100)}, {107, pad(u"Farinha, ovos,\r\naçúcar.", 840)}};
    teste::EscreverLayout<toledo::InformacaoExtra>(r, i);
    EXPECT_TRUE(teste::ConfereCampos(r.linha(), campos));
    info.Codigo = 7;
    teste::EscreverLayout<toledo::InformacaoExtraMGV5Ver1>(r, i);
    EXPECT_TRUE(teste::ConfereCampos(r.linha(), campos));

    info.Observacao = teste::repetir(u"obs ", 30);
    info.Receita = longo;
    info.Codigo = -7;
    teste::EscreverLayout<toledo::InformacaoExtra>(r, i);
    EXPECT_TRUE(teste::ConfereCampos(
        r.linha(), {{1, u"0000-7"}, {7, teste::repetir(u"obs ", 25)}, {107, longo.substr(0, 840)}}));
}

std::vector<TCampo> CamposNutricionais(u16string codigo, u16string qtd, u16string und, u16string inteira,
                                       u16string decimal, u16string medida, u16string energia, u16string carb,
                                       u16string proteina, u16string gordura, u16string saturada, u16string trans,
                                       u16string fibra, u16string sodio) {
    return {{1, u"N"},    {2, codigo},    {8, u"0"},     {9, qtd},       {12, und},      {13, inteira},
            {15, decimal}, {16, medida},  {18, energia}, {22, carb},     {26, proteina}, {29, gordura},
            {32, saturada}, {35, trans},  {38, fibra},   {41, sodio}};
}

TEST(ToledoNutritionRecord, FollowsTheLayout) {
    const std::vector<teste::TCasoRegistro<TQuelbCargaBalNutricional>> casos = {
        {"defaults", [](TQuelbCargaBalNutricional&) {},
         CamposNutricionais(u"000000", u"000", u"0", u"00", u"0", u"00", u"0000", u"0000", u"000", u"000", u"000",
                            u"000", u"000", u"00000")},
        {"every field in tenths truncated, and the three code tables",
         [](TQuelbCargaBalNutricional& n) {
             n.Codigo = 15;
             n.Descricao = u"not written";
             n.Qtd = 30;
             n.UndPorcao = tpUnidades;
             n.PartInteira = 1;
             n.PartDecimal = tpPara34;
             n.MedCaseira = tpLata;
             n.ValorEnergetico = 12345;        // first four digits
             n.Carboidrato = Valor(123400);    // 12.34
             n.Proteina = Valor(25999);        // 2.5999
             n.GorduraTotal = Valor(30000);    // 3
             n.GorduraSaturada = Valor(999);   // 0.0999
             n.GorduraTrans = Valor(1000);     // 0.1
             n.Fibra = Valor(1000000);         // 100: 1000 tenths, cut to 100
             n.Sodio = Valor(12345000);        // 1234.5
         },
         CamposNutricionais(u"000015", u"030", u"2", u"01", u"5", u"26", u"1234", u"0123", u"025", u"030", u"000",
                            u"001", u"100", u"12345")},
        {"over-wide and negative values",
         [](TQuelbCargaBalNutricional& n) {
             n.Codigo = 1234567;
             n.Qtd = 1000;
             n.UndPorcao = tpMililitros;
             n.PartInteira = -1;
             n.PartDecimal = tpPara14;
             n.MedCaseira = tpXicara;
             n.Sodio = Valor(-5000);  // -0.5
         },
         CamposNutricionais(u"123456", u"100", u"1", u"-1", u"1", u"03", u"0000", u"0000", u"000", u"000", u"000",
                            u"000", u"000", u"000-5")},
    };
    teste::ConferirCasos(casos, [](TRegistro& r, const TQuelbCargaBalNutricional& n, int32_t) {
        TQuelbCargaBalItem i;
        i.Nutricional = n;
        teste::EscreverLayout<toledo::Nutricional>(r, i);
    });
}

TEST(ToledoTareRecord, FollowsTheLayout) {
    TQuelbCargaBalItem i;
    TQuelbCargaBalTaras& tara = i.Tara;
    TRegistro r;
    tara.Codigo = 5;
    tara.Valor = Valor(15000);  // 1.5 -> thousandths
    tara.Descricao = u"Pote 500 ml";
    teste::EscreverLayout<toledo::Tara>(r, i);
    EXPECT_TRUE(teste::ConfereCampos(r.linha(), {{1, u"0005"}, {5, u"001500"}, {11, pad(u"Pote 500 ml", 20)}}));

    tara.Codigo = 12345;
    tara.Valor = Valor(10000000);  // 1000.000: seven digits
    tara.Descricao = u"Bandeja de isopor grande";
    teste::EscreverLayout<toledo::Tara>(r, i);
    EXPECT_TRUE(teste::ConfereCampos(r.linha(), {{1, u"1234"}, {5, u"100000"}, {11, u"Bandeja de isopor gr"}}));

    tara.Codigo = 1;
    tara.Valor = Valor(9);  // below a thousandth
    tara.Descricao.clear();
    teste::EscreverLayout<toledo::Tara>(r, i);
    EXPECT_TRUE(teste::ConfereCampos(r.linha(), {{1, u"0001"}, {5, u"000000"}, {11, pad(u"", 20)}}));
}

TEST(ToledoSupplierRecord, FollowsTheLayout) {
    TQuelbCargaBalItem i;
    TQuelbCargaBalFornecedor& f = i.Fornecedor;
    f.Codigo = 12;
    f.Observacao = teste::repetir(u"Observação ", 10);  // 110 characters
    f.Descricao1 = u"Laticínios Serra Azul Ltda";
    f.Descricao2 = u"CNPJ 00.000.000/0001-00";
    f.Descricao4 = teste::repetir(u"x", 60);
    f.Descricao5 = u"Minas Gerais";
    TRegistro r;
    teste::EscreverLayout<toledo::Fornecedor>(r, i);
    EXPECT_TRUE(teste::ConfereCampos(r.linha(), {{1, u"0012"},
                                                 {5, teste::repetir(u"Observação ", 10).substr(0, 100)},
                                                 {105, pad(u"Laticínios Serra Azul Ltda", 56)},
                                                 {161, pad(u"CNPJ 00.000.000/0001-00", 56)},
                                                 {217, pad(u"", 56)},
                                                 {273, teste::repetir(u"x", 56)},
                                                 {329, pad(u"Minas Gerais", 56)}}));
}

TEST(ToledoSectorRecord, FollowsTheLayout) {
    TQuelbCargaBalItem i;
    TQuelbCargaBalSetor& s = i.Setor;
    TRegistro r;
    s.Codigo = 1;
    s.Descricao = u"Padaria";
    teste::EscreverLayout<toledo::Setor>(r, i);
    EXPECT_TRUE(teste::ConfereCampos(r.linha(), {{1, u"01"}, {3, pad(u"Padaria", 40)}}));

    s.Codigo = 123;
    s.Descricao = teste::repetir(u"Hortifruti ", 4);  // 44 characters
    teste::EscreverLayout<toledo::Setor>(r, i);
    EXPECT_TRUE(teste::ConfereCampos(r.linha(), {{1, u"12"}, {3, teste::repetir(u"Hortifruti ", 4).substr(0, 40)}}));
}

// ---- Widths ----

// One item with every value wider than its field, one with every value
// shorter, each with every auxiliary record.
void AmostraLarga(TQuelbCargaBal& g) {
    TQuelbCargaBalItem& largo = g.Produtos().New();
    largo.Codigo = 1234567;
    largo.Setor = {123, teste::repetir(u"Hortifruti ", 4)};
    largo.ModeloEtiqueta = 456;
    largo.ValorVenda = Valor(100000000);
    largo.Validade = 1000;
    largo.Descricao = teste::repetir(u"Mortadela ", 6);
    largo.InformacaoExtra = {1234567, teste::repetir(u"obs ", 30), teste::repetir(u"0123456789", 100)};
    largo.Nutricional.Codigo = 1234567;
    largo.Nutricional.Qtd = 1000;
    largo.Nutricional.PartInteira = 123;
    largo.Nutricional.ValorEnergetico = 12345;
    largo.Nutricional.Sodio = Valor(123456000);
    largo.Tara = {12345, u"Bandeja de isopor grande", Valor(10000000)};
    largo.Fornecedor.Codigo = 12345;
    largo.Fornecedor.Observacao = teste::repetir(u"Observação ", 10);
    largo.Fornecedor.Descricao4 = teste::repetir(u"x", 60);
    largo.CodigoFornecedor = 12345;
    largo.CodigoTara = 12345;
    largo.EAN13Fornecedor = u"7891234567895";
    TQuelbCargaBalItem& curto = g.Produtos().New();
    curto.Codigo = 1;
    curto.Setor.Codigo = 1;
    curto.InformacaoExtra.Receita = u"sal";
    curto.Nutricional.Codigo = 1;
    curto.Tara.Codigo = 1;
    curto.Fornecedor.Codigo = 1;
}

TEST(ToledoRecords, EachLayoutIsWrittenAtItsDeclaredWidth) {
    const std::vector<teste::TRegistrosArquivo> mgv = {
        {"ITENSMGV.TXT", {"item", "item"}},
        {"DEPTO.TXT", {"setor", "setor"}},
        {"TXINFO.TXT", {"informacao_extra", "informacao_extra"}},
        {"INFNUTRI.TXT", {"nutricional", "nutricional"}},
        {"TARA.TXT", {"tara", "tara"}},
        {"TXFORN.TXT", {"fornecedor", "fornecedor"}},
    };
    const std::pair<TQuelbCargaBalModelo, std::vector<teste::TRegistrosArquivo>> modelos[] = {
        {modToledo, {{"TXITENS.TXT", {"item", "item"}}}},
        {modToledoMGV5Ver1, mgv},
        {modToledoMGV5, mgv},
        {modToledoMGV6, mgv},
    };
    for (const auto& [modelo, arquivos] : modelos) teste::ConferirLargurasDeclaradas(modelo, AmostraLarga, arquivos);
}

}  // namespace
}  // namespace quelb
