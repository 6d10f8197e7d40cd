// The checksum of the framed records: a 32-bit sum of UTF-16 code units in
// hexadecimal of at least four digits.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "generator/soma_caracteres.h"
#include "generator/tabela_codigo_pagina.h"

namespace quelb {
namespace {

TEST(SomaCaracteres, SomaAsUnidadesUtf16) {
    EXPECT_EQ(SomaCaracteres(u""), 0);
    EXPECT_EQ(SomaCaracteres(u"AB"), 0x41 + 0x42);
    // The euro sign counts as U+20AC, not as its byte 0x80 in Windows-1252.
    EXPECT_EQ(SomaCaracteres(u"\u20AC"), 0x20AC);
    EXPECT_EQ(SomaCaracteres(u"\x0A\x02"), 12);
}

// A record built in bytes is summed from its bytes: each counts with the
// value of its character ("€", byte 0x80, as U+20AC).
TEST(SomaCaracteres, DosBytesSomaOsCaracteresQueElesSao) {
    const TTabelaCodigoPagina& tabela = TTabelaCodigoPagina::Instancia();
    std::mt19937 sorteio(5);
    for (int caso = 0; caso < 500; ++caso) {
        // Plain ASCII, then Latin-1 letters, then now and then a byte of the
        // 0x80 row; lengths across the wide steps of the sum.
        std::string bytes(sorteio() % 1000, 'a');
        for (char& b : bytes) {
            const unsigned r = sorteio() % 100;
            b = static_cast<char>(caso % 3 == 0 ? 0x20 + r : r < 90 ? 0x20 + r % 90 : r < 99 ? 0xC0 + r % 64 : 0x80);
        }
        std::u16string texto;
        for (const char b : bytes) texto += tabela.Caractere(static_cast<uint8_t>(b));
        ASSERT_EQ(SomaCaracteres(bytes), SomaCaracteres(texto)) << caso;
    }
}

TEST(SomaCaracteres, PassaDoLimiteDe32BitsDandoAVolta) {
    // 32769 x 0xFFFF = 0x80007FFF, past the largest signed 32-bit value.
    const std::u16string t(32769, u'\xFFFF');
    EXPECT_EQ(static_cast<uint32_t>(SomaCaracteres(t)), 0x80007FFFu);
    EXPECT_EQ(std::u16string(Hexadecimal4(SomaCaracteres(t), TCaixaHexa::Maiusculas)), u"80007FFF");
}

TEST(Hexadecimal4, QuatroDigitosNoMinimoSemCortar) {
    struct {
        int32_t valor;
        const char16_t* maiusculas;
        const char16_t* minusculas;
    } casos[] = {
        {0, u"0000", u"0000"},
        {0x67C, u"067C", u"067c"},
        {0xFFFF, u"FFFF", u"ffff"},
        {0x1278F, u"1278F", u"1278f"},  // five digits: the record widens
        {-1, u"FFFFFFFF", u"ffffffff"},
    };
    for (const auto& c : casos) {
        EXPECT_EQ(std::u16string(Hexadecimal4(c.valor, TCaixaHexa::Maiusculas)), c.maiusculas);
        EXPECT_EQ(std::u16string(Hexadecimal4(c.valor, TCaixaHexa::Minusculas)), c.minusculas);
    }
}

}  // namespace
}  // namespace quelb
