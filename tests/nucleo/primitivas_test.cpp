#include <gtest/gtest.h>

#include "generator/primitivas.h"
#include "generator/registro.h"

namespace quelb {
namespace {

TValorFixo Valor(int64_t dezMilesimos) { return TValorFixo::DeDezMilesimos(dezMilesimos); }

// The four primitives, each as the one field of a record.
std::u16string PreencherDireita(std::u16string_view texto, int32_t n, char16_t c) {
    TRegistro r;
    return std::u16string(r.inicio().texto(texto, n, c).linha());
}
std::u16string PreencherEsquerda(std::u16string_view texto, int32_t n, char16_t c) {
    TRegistro r;
    return std::u16string(r.inicio().textoADireita(texto, n, c).linha());
}
std::u16string FormatarInteiro(int32_t valor, int32_t n, char16_t c) {
    TRegistro r;
    return std::u16string(r.inicio().inteiro(valor, n, c).linha());
}
std::u16string FormatarDecimal(int32_t n, int32_t casas, char16_t c, TValorFixo valor) {
    return FormatarInteiro(UnidadesDecimais(valor, casas), n, c);
}

struct CasoTexto {
    const char16_t* texto;
    int32_t n;
    char16_t c;
    const char16_t* direita;   // PreencherDireita
    const char16_t* esquerda;  // PreencherEsquerda
};

class PreencherTexto : public testing::TestWithParam<CasoTexto> {};

TEST_P(PreencherTexto, FillsOrCutsKeepingTheFirstCharacters) {
    const CasoTexto& c = GetParam();
    EXPECT_EQ(PreencherDireita(c.texto, c.n, c.c), c.direita);
    EXPECT_EQ(PreencherEsquerda(c.texto, c.n, c.c), c.esquerda);
}

INSTANTIATE_TEST_SUITE_P(Casos, PreencherTexto,
                         testing::Values(CasoTexto{u"abc", 5, u' ', u"abc  ", u"  abc"},
                                         CasoTexto{u"abc", 5, u'0', u"abc00", u"00abc"},
                                         CasoTexto{u"abc", 2, u' ', u"ab", u"ab"},  // the end goes, not the start
                                         CasoTexto{u"abc", 3, u' ', u"abc", u"abc"},
                                         CasoTexto{u"abc", 0, u' ', u"abc", u"abc"},
                                         CasoTexto{u"abc", -4, u' ', u"abc", u"abc"},
                                         CasoTexto{u"", 4, u'*', u"****", u"****"},
                                         CasoTexto{u"", 0, u'*', u"", u""},
                                         CasoTexto{u"ção", 1, u' ', u"ç", u"ç"}));

struct CasoInteiro {
    int32_t valor;
    int32_t n;
    char16_t c;
    const char16_t* esperado;
};

class FormatarInteiroCasos : public testing::TestWithParam<CasoInteiro> {};

TEST_P(FormatarInteiroCasos, WritesDigitsThenFillsOrCuts) {
    const CasoInteiro& c = GetParam();
    EXPECT_EQ(FormatarInteiro(c.valor, c.n, c.c), c.esperado);
}

INSTANTIATE_TEST_SUITE_P(Casos, FormatarInteiroCasos,
                         testing::Values(CasoInteiro{42, 6, u'0', u"000042"},
                                         CasoInteiro{1234567, 6, u'0', u"123456"},  // last digit dropped
                                         CasoInteiro{-5, 4, u'0', u"00-5"},         // fill before the sign
                                         CasoInteiro{-5, 1, u'0', u"-"},
                                         CasoInteiro{0, 3, u'0', u"000"},
                                         CasoInteiro{7, 3, u' ', u"  7"},
                                         CasoInteiro{-2147483647 - 1, 0, u'0', u"-2147483648"},
                                         CasoInteiro{2147483647, 0, u'0', u"2147483647"},
                                         CasoInteiro{123, -1, u'0', u"123"}));

struct CasoDecimal {
    int64_t dezMilesimos;
    int32_t n;
    int32_t casas;
    const char16_t* esperado;
};

class FormatarDecimalCasos : public testing::TestWithParam<CasoDecimal> {};

TEST_P(FormatarDecimalCasos, TruncatesTowardZeroInTheRequestedUnits) {
    const CasoDecimal& c = GetParam();
    EXPECT_EQ(FormatarDecimal(c.n, c.casas, u'0', Valor(c.dezMilesimos)), c.esperado);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, FormatarDecimalCasos,
    testing::Values(CasoDecimal{123456, 7, 2, u"0001234"},  // 12.3456: decimals dropped, not rounded
                    CasoDecimal{99, 7, 2, u"0000000"},      // 0.0099
                    CasoDecimal{-1500, 5, 1, u"000-1"},     // -0.15 -> -1.5 -> -1
                    CasoDecimal{129999, 0, 0, u"12"},       // casas 0: whole units
                    CasoDecimal{129999, 0, -3, u"12"},      // negative casas count as 0
                    CasoDecimal{150, 5, 3, u"00015"},       // 0.015 in thousandths
                    CasoDecimal{100000000, 6, 2, u"100000"},  // 10000.00 cut to six digits
                    // 2^32 hundredths + 5: only the low 32 bits are written.
                    CasoDecimal{(int64_t{1} << 32) * 100 + 500, 0, 2, u"5"},
                    CasoDecimal{INT64_MAX, 0, 3, u"-858993460"},
                    CasoDecimal{INT64_MIN, 0, 1, u"1511828489"}));

TEST(Registro, EachFieldAppendsWhatItsPrimitiveReturns) {
    TRegistro r;
    r.inicio()
        .inteiro(7, 3)
        .inteiro(UnidadesDecimais(Valor(123456), 2), 6)
        .texto(u"Queijo", 8)
        .textoADireita(u"12", 4)
        .literal(u'D')
        .literal(u"xy")
        .texto(u"", 2, u'*');
    EXPECT_EQ(r.linha(), u"007" u"001234" u"Queijo  " u"0012" u"D" u"xy" u"**");
    r.inicio().inteiro(1, 1);
    EXPECT_EQ(r.linha(), u"1");  // a new record starts empty
}

}  // namespace
}  // namespace quelb
