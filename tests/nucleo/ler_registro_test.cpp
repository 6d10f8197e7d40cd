// A price field read back: the amount in ten-thousandths, or not a price
// when that amount would not fit 64 bits (a damaged or foreign load).
#include <gtest/gtest.h>

#include <string>

#include "generator/ler_registro.h"

namespace quelb {
namespace {

constexpr TCampo SeisZeros = campo::PrecoSeisZeros("preco", "ValorVenda");
constexpr TCampo Agrupado = campo::PrecoAgrupado("preco", 9, "ValorVenda");

TEST(LerRegistro, APriceReadsInTenThousandthsOrIsRefusedPast64Bits) {
    const struct {
        std::u16string texto;
        bool valido;
        int64_t numero;
    } casos[] = {
        {u"000012,50", true, 12'5000},
        {u"-00012.50", true, -12'5000},
        {u"1.234,50", true, 1234'5000},
        {u"922337203685477,58", true, 9'223'372'036'854'775'800},
        {u"-922337203685477,58", true, -9'223'372'036'854'775'800},
        // Seventeen digits, past the 64-bit range once in ten-thousandths.
        {u"922337203685477,59", false, 0},
        {u"999999999999999,99", false, 0},
        {u"-999.999.999.999.999,99", false, 0},
    };
    for (const TCampo* campo : {&SeisZeros, &Agrupado}) {
        for (const auto& c : casos) {
            SCOPED_TRACE(std::string(c.texto.begin(), c.texto.end()));
            TCampoLido lido{campo, 1, c.texto};
            InterpretarCampo(lido, c.texto);
            EXPECT_EQ(lido.Valido, c.valido);
            if (c.valido) EXPECT_EQ(lido.Numero, c.numero);
        }
    }
}

}  // namespace
}  // namespace quelb
