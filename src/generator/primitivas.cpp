#include "generator/primitivas.h"

namespace quelb {

void AcrescentarPreencherDireita(std::u16string& d, std::u16string_view texto, int32_t n, char16_t c) {
    const int64_t tamanho = static_cast<int64_t>(texto.size());
    if (n >= 1 && n < tamanho) {
        d.append(texto.substr(0, static_cast<size_t>(n)));
        return;
    }
    d.append(texto);
    if (n > tamanho) d.append(static_cast<size_t>(n - tamanho), c);
}

void AcrescentarPreencherEsquerda(std::u16string& d, std::u16string_view texto, int32_t n, char16_t c) {
    const int64_t tamanho = static_cast<int64_t>(texto.size());
    // A text too wide loses its end, as on the right-filled side.
    if (n >= 1 && n < tamanho) {
        d.append(texto.substr(0, static_cast<size_t>(n)));
        return;
    }
    if (n > tamanho) d.append(static_cast<size_t>(n - tamanho), c);
    d.append(texto);
}

namespace {

// Writes the decimal text of valor into the end of buf; returns its start.
char16_t* EscreverDecimal(int32_t valor, char16_t (&buf)[12]) {
    // Work on the magnitude as unsigned, so -2147483648 keeps all its digits.
    uint32_t m = valor < 0 ? 0u - static_cast<uint32_t>(valor) : static_cast<uint32_t>(valor);
    char16_t* p = buf + 12;
    do {
        *--p = static_cast<char16_t>(u'0' + m % 10);
        m /= 10;
    } while (m != 0);
    if (valor < 0) *--p = u'-';
    return p;
}

}  // namespace

void AcrescentarInteiro(std::u16string& d, int32_t valor, int32_t n, char16_t c) {
    char16_t buf[12];
    const char16_t* inicio = EscreverDecimal(valor, buf);
    AcrescentarPreencherEsquerda(d, std::u16string_view(inicio, static_cast<size_t>(buf + 12 - inicio)), n, c);
}

int32_t UnidadesDecimais(TValorFixo valor, int32_t casas) {
    // p is built as a 32-bit integer, as the callers (1 to 3 decimals) expect.
    uint32_t p32 = 1;
    for (int32_t i = 0; i < casas; ++i) p32 *= 10u;
    const int64_t p = static_cast<int32_t>(p32);
    // valor * p / 10000 truncated, without overflow: split valor into whole
    // units a and a remainder b of the same sign; a * p needs only its low
    // bits, b * p fits easily.
    const int64_t v = valor.DezMilesimos();
    const int64_t a = v / 10000;
    const int64_t b = v % 10000;
    const uint64_t q = static_cast<uint64_t>(a) * static_cast<uint64_t>(p) + static_cast<uint64_t>(b * p / 10000);
    return static_cast<int32_t>(static_cast<uint32_t>(q));
}

void AcrescentarDecimal(std::u16string& d, int32_t n, int32_t casas, char16_t c, TValorFixo valor) {
    AcrescentarInteiro(d, UnidadesDecimais(valor, casas), n, c);
}

std::u16string PreencherDireita(std::u16string_view texto, int32_t n, char16_t c) {
    std::u16string r;
    AcrescentarPreencherDireita(r, texto, n, c);
    return r;
}

std::u16string PreencherEsquerda(std::u16string_view texto, int32_t n, char16_t c) {
    std::u16string r;
    AcrescentarPreencherEsquerda(r, texto, n, c);
    return r;
}

std::u16string FormatarInteiro(int32_t valor, int32_t n, char16_t c) {
    std::u16string r;
    AcrescentarInteiro(r, valor, n, c);
    return r;
}

std::u16string FormatarDecimal(int32_t n, int32_t casas, char16_t c, TValorFixo valor) {
    std::u16string r;
    AcrescentarDecimal(r, n, casas, c, valor);
    return r;
}

}  // namespace quelb
