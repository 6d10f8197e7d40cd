// The price patterns of the Urano loads, worked out from the count of
// ten-thousandths: the rounding edges, the widening of the "000000.00"
// pattern and the grouping of the "###,###,##0.00" one.
#include <gtest/gtest.h>

#include "generator/campo_curto.h"
#include "generator/campos.h"
#include "generator/escrever_registro.h"
#include "generator/padroes_preco.h"
#include "urano/apoio_registros.h"

namespace quelb::teste {
namespace {

struct TCasoPreco {
    const char* valor;
    const char16_t* esperado;
};

std::u16string Texto(const TCampoCurto& c) { return std::u16string(c.Vista()); }

// "000000.00": halves go to the even hundredth.
TEST(PadraoSeisZeros, ArredondaMetadeParaOParEAlargaSemCortar) {
    const TCasoPreco casos[] = {
        {"0", u"000000.00"},
        {"12.345", u"000012.34"},       // half, 4 is even
        {"12.355", u"000012.36"},       // half, 5 is odd
        {"12.3449", u"000012.34"},
        {"12.3451", u"000012.35"},      // just past the half
        {"0.005", u"000000.00"},
        {"0.015", u"000000.02"},
        {"0.0099", u"000000.01"},
        {"999999.99", u"999999.99"},
        {"999999.995", u"1000000.00"},  // rounds into a seventh digit
        {"1234567.89", u"1234567.89"},  // wider, nothing cut
        {"-1.5", u"-000001.50"},        // sign before the filled digits
        {"-12.345", u"-000012.34"},
        {"-0.015", u"-000000.02"},
        {"-0.005", u"000000.00"},       // rounds to 0.00: no sign
        {"-0.0049", u"000000.00"},
        {"922337203685477.5807", u"922337203685477.58"},    // largest amount
        {"-922337203685477.5808", u"-922337203685477.58"},  // smallest amount
    };
    for (const auto& c : casos) {
        EXPECT_EQ(Visivel(Texto(FormatarPadraoSeisZeros(V(c.valor), u'.'))), Visivel(c.esperado)) << c.valor;
    }
}

TEST(PadraoSeisZeros, UsaOSeparadorDado) {
    EXPECT_EQ(Texto(FormatarPadraoSeisZeros(V("12.5"), u',')), u"000012,50");
    EXPECT_EQ(Texto(FormatarPadraoSeisZeros(V("-1.5"), u',')), u"-000001,50");
}

// "###,###,##0.00": halves go away from zero; groups of three.
TEST(PadraoAgrupado, ArredondaMetadeLongeDoZeroEAgrupa) {
    const TCasoPreco casos[] = {
        {"0", u"0.00"},
        {"0.125", u"0.13"},
        {"0.135", u"0.14"},
        {"0.145", u"0.15"},               // not to the even 0.14
        {"0.1249", u"0.12"},
        {"-0.125", u"-0.13"},
        {"-0.005", u"-0.01"},
        {"-0.0049", u"0.00"},             // rounds to 0.00: no sign
        {"999.995", u"1,000.00"},         // the rounding carries into a new group
        {"1234.5", u"1,234.50"},
        {"123456.78", u"123,456.78"},
        {"1000000", u"1,000,000.00"},
        {"-1234567.891", u"-1,234,567.89"},
        {"922337203685477.5807", u"922,337,203,685,477.58"},
    };
    for (const auto& c : casos) {
        EXPECT_EQ(Visivel(Texto(FormatarPadraoAgrupado(V(c.valor), u'.', u','))), Visivel(c.esperado)) << c.valor;
    }
}

TEST(PadraoAgrupado, UsaOsSeparadoresDados) {
    EXPECT_EQ(Texto(FormatarPadraoAgrupado(V("1234567.5"), u',', u'.')), u"1.234.567,50");
    EXPECT_EQ(Texto(FormatarPadraoAgrupado(V("1234567.5"), u',', u' ')), u"1 234 567,50");
    EXPECT_EQ(Texto(FormatarPadraoAgrupado(V("1234567.5"), u'.', u'\0')), u"1234567.50");  // no separator
}

// The URF32 price field alone: a record of that one field.
constexpr auto SoPrecoURF32 = std::to_array<quelb::TCampo>({campo::PrecoAgrupado("preco", 9, "ValorVenda")});

std::u16string PrecoURF32(TValorFixo AValor, const plataforma::TFormatoNumerico& AFormato) {
    TQuelbCargaBalItem i;
    i.ValorVenda = AValor;
    TRegistro r;
    EscreverRegistro<SoPrecoURF32>(r, {i, 1, AFormato});
    return std::u16string(r.linha());
}

// The URF32 field: nine characters, then every point turned into a comma,
// so the comma and the point locales give the same field.
TEST(PrecoURF32, NoveCaracteresComVirgulasSobQualquerFormato) {
    const TCasoPreco casos[] = {
        {"1234.5", u" 1,234,50"},
        {"123456.78", u"123,456,7"},  // cut to nine: the last digit is lost
        {"1000000", u"1,000,000"},
        {"-1.5", u"    -1,50"},
        {"0.125", u"     0,13"},
        {"12.5", u"    12,50"},
        {"0", u"     0,00"},
        {"-10000", u"-10,000,0"},
        {"99999.999", u"100,000,0"},
    };
    for (const auto& formato : {FormatoVirgula, FormatoPonto}) {
        for (const auto& c : casos) {
            EXPECT_EQ(Visivel(PrecoURF32(V(c.valor), formato)), Visivel(c.esperado))
                << c.valor << " decimal " << static_cast<char>(formato.SeparadorDecimal);
        }
    }
}

TEST(PrecoURF32, OutroSeparadorDeGruposFica) {
    EXPECT_EQ(PrecoURF32(V("1234.5"), {u',', u' '}), u" 1 234,50");
    EXPECT_EQ(PrecoURF32(V("1234.5"), {u'.', u' '}), u" 1 234,50");
}

// A generation writes the URF32 price with the format captured at load.
TEST(PrecoURF32, SemFormatoUsaOCapturado) {
    TFormatoNumericoTemporario formato({u',', u' '});
    TQuelbCargaBal g;
    g.Modelo = modUranoURF32;
    g.Produtos().New().ValorVenda = V("1234.5");
    EXPECT_EQ(GerarLinhas(g)["PRODUTOS.TXT"].at(0).substr(28, 9), u" 1 234,50");
}

// The swap of the URF32 price field, on texts a price does not give.
TEST(PrecoURF32, TrocarPontoPorVirgulaTrocaSoOsPontos) {
    const auto trocado = [](std::u16string_view t) {
        TCampoCurto c;
        for (auto i = t.rbegin(); i != t.rend(); ++i) c.Preceder(*i);
        c.Trocar(u'.', u',');
        return std::u16string(c.Vista());
    };
    EXPECT_EQ(trocado(u"1.234.567,8"), u"1,234,567,8");
    EXPECT_EQ(trocado(u""), u"");
    EXPECT_EQ(trocado(u"a b;c"), u"a b;c");
}

}  // namespace
}  // namespace quelb::teste
