// Decimal text to ten-thousandths: exact digits, half to even, exponents,
// the 64-bit range, and the texts that are not numbers.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "catalogue/valor_decimal.h"

namespace quelb {
namespace {

constexpr TFormaDecimal Texto{};                                   // a JSON string
constexpr TFormaDecimal Numero{.PermitirExpoente = true};           // a JSON number
constexpr TFormaDecimal Celula{.PermitirVirgula = true};            // a CSV cell

struct TCaso {
    std::string Texto;
    TFormaDecimal Forma;
    TResultadoDecimal Resultado;
    int64_t DezMilesimos = 0;
};

void PrintTo(const TCaso& c, std::ostream* os) { *os << '"' << c.Texto << '"'; }

class ConversaoDecimal : public testing::TestWithParam<TCaso> {};

TEST_P(ConversaoDecimal, ConverteOTextoDigitoADigito) {
    const TCaso& c = GetParam();
    int64_t v = -12345;
    EXPECT_EQ(ConverterDecimal(c.Texto, c.Forma, v), c.Resultado);
    if (c.Resultado == TResultadoDecimal::Ok) {
        EXPECT_EQ(v, c.DezMilesimos);
    } else {
        EXPECT_EQ(v, -12345) << "the result is written only on success";
    }
}

constexpr auto Ok = TResultadoDecimal::Ok;
constexpr auto Invalido = TResultadoDecimal::Invalido;
constexpr auto Fora = TResultadoDecimal::ForaDoIntervalo;
constexpr int64_t Max = std::numeric_limits<int64_t>::max();
constexpr int64_t Min = std::numeric_limits<int64_t>::min();

INSTANTIATE_TEST_SUITE_P(Exatos, ConversaoDecimal, testing::Values(
    TCaso{"12.50", Texto, Ok, 125000},
    TCaso{"0.1", Texto, Ok, 1000},  // exact: no binary float on the way
    TCaso{"-0.015", Texto, Ok, -150},
    TCaso{"0", Texto, Ok, 0},
    TCaso{"-0", Texto, Ok, 0},
    TCaso{"007.5", Texto, Ok, 75000},
    TCaso{"5.", Texto, Ok, 50000},
    TCaso{".5", Texto, Ok, 5000},
    TCaso{"1234.5678", Texto, Ok, 12345678}));

INSTANTIATE_TEST_SUITE_P(MetadeParaOPar, ConversaoDecimal, testing::Values(
    TCaso{"0.00005", Texto, Ok, 0},       // 0.5 -> 0
    TCaso{"0.00015", Texto, Ok, 2},       // 1.5 -> 2
    TCaso{"0.00025", Texto, Ok, 2},       // 2.5 -> 2
    TCaso{"0.00035", Texto, Ok, 4},
    TCaso{"0.000250000001", Texto, Ok, 3},  // just above the half
    TCaso{"0.000249999999", Texto, Ok, 2},
    TCaso{"0.00004999", Texto, Ok, 0},
    TCaso{"-0.00015", Texto, Ok, -2},
    TCaso{"-0.00025", Texto, Ok, -2},
    TCaso{"-0.00005", Texto, Ok, 0},
    TCaso{"0.000000000000000000000000001", Texto, Ok, 0},
    TCaso{"1.99999", Texto, Ok, 20000}));

INSTANTIATE_TEST_SUITE_P(Expoente, ConversaoDecimal, testing::Values(
    TCaso{"1E+3", Numero, Ok, 10000000},
    TCaso{"12345678901234E-4", Numero, Ok, 12345678901234},
    TCaso{"1.5e1", Numero, Ok, 150000},
    TCaso{"25e-5", Numero, Ok, 2},  // a half, to even
    TCaso{"15E-5", Numero, Ok, 2},
    TCaso{"1e-5", Numero, Ok, 0},
    TCaso{"0e999999", Numero, Ok, 0},
    TCaso{"1e-99999999999999999999", Numero, Ok, 0},
    TCaso{"1" + std::string(1000, '0') + "e-1000", Numero, Ok, 10000},
    TCaso{"0." + std::string(1000, '0') + "1e1004", Numero, Ok, 10000000},
    TCaso{"123456789012345678901234567890e-30", Numero, Ok, 1235},
    TCaso{"1e5", Texto, Invalido},  // no exponent inside a string
    TCaso{"1e5", Celula, Invalido},
    TCaso{"1e", Numero, Invalido},
    TCaso{"1e+", Numero, Invalido}));

INSTANTIATE_TEST_SUITE_P(Intervalo, ConversaoDecimal, testing::Values(
    TCaso{"922337203685477.5807", Texto, Ok, Max},
    TCaso{"922337203685477.58074", Texto, Ok, Max},
    TCaso{"922337203685477.5808", Texto, Fora},
    TCaso{"922337203685477.58075", Texto, Fora},  // the tie goes up, past the end
    TCaso{"-922337203685477.5808", Texto, Ok, Min},
    TCaso{"-922337203685477.5809", Texto, Fora},
    TCaso{"1e15", Numero, Fora},
    TCaso{"1e99999999999999999999", Numero, Fora},
    TCaso{"99999999999999999999999", Texto, Fora}));

INSTANTIATE_TEST_SUITE_P(Separadores, ConversaoDecimal, testing::Values(
    TCaso{"12,50", Celula, Ok, 125000},
    TCaso{"12.50", Celula, Ok, 125000},
    TCaso{"-0,015", Celula, Ok, -150},
    TCaso{"12,50", Texto, Invalido},
    TCaso{"12,5,0", Celula, Invalido},
    TCaso{"1.234,50", Celula, Invalido},  // no digit grouping
    TCaso{"1.2.3", Texto, Invalido}));

INSTANTIATE_TEST_SUITE_P(NaoNumeros, ConversaoDecimal, testing::Values(
    TCaso{"", Texto, Invalido},
    TCaso{"-", Texto, Invalido},
    TCaso{".", Texto, Invalido},
    TCaso{"+1", Texto, Invalido},
    TCaso{" 1", Texto, Invalido},
    TCaso{"1 ", Texto, Invalido},
    TCaso{"abc", Texto, Invalido},
    TCaso{"1x", Texto, Invalido},
    TCaso{"--1", Texto, Invalido},
    TCaso{"NaN", Numero, Invalido}));

}  // namespace
}  // namespace quelb
