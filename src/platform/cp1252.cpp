#include "platform/cp1252.h"

#include <array>
#include <cstdint>

namespace quelb::plataforma::cp1252 {

namespace {

// Bytes 0x80..0x9F. The five bytes Windows-1252 leaves undefined (81, 8D,
// 8F, 90, 9D) map to the control characters of the same value, as Windows
// itself does.
constexpr char16_t Faixa80[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char16_t ParaUnicode(unsigned char b) {
    return (b >= 0x80 && b <= 0x9F) ? Faixa80[b - 0x80] : static_cast<char16_t>(b);
}

// UTF-16 code unit to byte; 0 marks "not representable" (except for U+0000).
struct TTabelaInversa {
    std::array<unsigned char, 0x10000> byte{};
    TTabelaInversa() {
        for (int b = 1; b < 256; ++b) byte[ParaUnicode(static_cast<unsigned char>(b))] = static_cast<unsigned char>(b);
    }
};

const TTabelaInversa& Inversa() {
    static const TTabelaInversa tabela;
    return tabela;
}

bool EhAlto(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool EhBaixo(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

}  // namespace

std::u16string Decodificar(std::string_view ABytes) {
    std::u16string r(ABytes.size(), u'\0');
    for (size_t i = 0; i < ABytes.size(); ++i) r[i] = ParaUnicode(static_cast<unsigned char>(ABytes[i]));
    return r;
}

void Codificar(std::u16string_view ATexto, std::string& ADestino) {
    const auto& tabela = Inversa().byte;
    const size_t inicio = ADestino.size();
    ADestino.resize(inicio + ATexto.size());
    char* saida = ADestino.data() + inicio;
    size_t n = 0;
    for (size_t i = 0; i < ATexto.size(); ++i) {
        const char16_t c = ATexto[i];
        unsigned char b = tabela[c];
        if (b == 0 && c != 0) {
            b = '?';
            if (EhAlto(c) && i + 1 < ATexto.size() && EhBaixo(ATexto[i + 1])) ++i;
        }
        saida[n++] = static_cast<char>(b);
    }
    ADestino.resize(inicio + n);
}

}  // namespace quelb::plataforma::cp1252
