#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "catalogue/erro.h"
#include "interface/conversao.h"

namespace quelb {
namespace {

struct CasoInteiro {
    const char16_t* texto;
    bool aceito;
    int32_t valor;
};

class TextoInteiro : public testing::TestWithParam<CasoInteiro> {};

TEST_P(TextoInteiro, AcceptsOnlyTheIntegerGrammar) {
    const CasoInteiro& c = GetParam();
    if (c.aceito) {
        EXPECT_EQ(ConverterInteiro(c.texto), c.valor);
        return;
    }
    try {
        ConverterInteiro(c.texto);
        FAIL() << "aceitou";
    } catch (const EQuelbErro& e) {
        EXPECT_EQ(e.Mensagem(), u"'" + std::u16string(c.texto) + u"' is not a valid integer value");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Casos, TextoInteiro,
    testing::Values(CasoInteiro{u"  12", true, 12}, CasoInteiro{u"+12", true, 12},
                    CasoInteiro{u"$1F", true, 31}, CasoInteiro{u"0x1f", true, 31},
                    CasoInteiro{u"X1f", true, 31}, CasoInteiro{u"-$10", true, -16},
                    CasoInteiro{u"$FFFFFFFF", true, -1},            // a 32-bit pattern
                    CasoInteiro{u"-$80000000", true, -2147483647 - 1},
                    CasoInteiro{u"-2147483648", true, -2147483647 - 1},
                    CasoInteiro{u"2147483647", true, 2147483647},
                    CasoInteiro{u"000000000000000042", true, 42},
                    CasoInteiro{u"-0", true, 0},
                    CasoInteiro{u"2147483648", false, 0}, CasoInteiro{u"$100000000", false, 0},
                    CasoInteiro{u"12 ", false, 0}, CasoInteiro{u"1.0", false, 0},
                    CasoInteiro{u"", false, 0}, CasoInteiro{u"   ", false, 0},
                    CasoInteiro{u"-", false, 0}, CasoInteiro{u"$", false, 0},
                    CasoInteiro{u"0x", false, 0}, CasoInteiro{u"- 1", false, 0},
                    CasoInteiro{u"\t1", false, 0}, CasoInteiro{u"abc", false, 0},
                    CasoInteiro{u"+-1", false, 0}, CasoInteiro{u"1e3", false, 0},
                    CasoInteiro{u"\uFF11", false, 0}));  // a full-width digit is not a digit

struct CasoPreco {
    double valor;
    int64_t dezMilesimos;
};

class Preco : public testing::TestWithParam<CasoPreco> {};

TEST_P(Preco, RoundsTheExtendedProductHalvesToEven) {
    EXPECT_EQ(ConverterPreco(GetParam().valor).DezMilesimos(), GetParam().dezMilesimos);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, Preco,
    testing::Values(CasoPreco{1.99, 19900}, CasoPreco{0.03125, 312},  // exactly 312.5: to even
                    CasoPreco{0.09375, 938},                           // exactly 937.5: to even
                    CasoPreco{0.00025, 3},  // slightly above 2.5 and the 64-bit product keeps it
                    CasoPreco{-0.03125, -312}, CasoPreco{-1.99, -19900}, CasoPreco{0.0, 0},
                    CasoPreco{-0.0, 0}, CasoPreco{12.5, 125000}, CasoPreco{0.00005, 1},  // the double lies above 0.5 ten-thousandths
                    CasoPreco{0.00015, 1}, CasoPreco{5e-324, 0},
                    CasoPreco{922337203685477.0, 9223372036854770000},
                    CasoPreco{-922337203685477.5, -9223372036854775000}));

TEST(Preco, NonFiniteOrOutOfRangeIsAnInvalidOperation) {
    for (double v : {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                     std::numeric_limits<double>::quiet_NaN(), 1e300, -1e300, 922337203685477.625, -922337203685477.625}) {
        try {
            ConverterPreco(v);
            FAIL() << v;
        } catch (const EQuelbErro& e) {
            EXPECT_EQ(e.Mensagem(), u"Invalid floating point operation") << v;
        }
    }
}

TEST(Nomes, ModelAndSaleTypeNamesAreExact) {
    EXPECT_EQ(ModeloPorNome(u"modToledoMGV5"), modToledoMGV5);
    EXPECT_EQ(ModeloPorNome(u"modRamuza"), modRamuza);
    EXPECT_FALSE(ModeloPorNome(u"MODTOLEDO"));
    EXPECT_FALSE(ModeloPorNome(u" modToledo"));
    EXPECT_EQ(TipoVendaPorNome(u"tpvEAN13Und"), tpvEAN13Und);
    EXPECT_FALSE(TipoVendaPorNome(u"tpvpeso"));
}

}  // namespace
}  // namespace quelb
