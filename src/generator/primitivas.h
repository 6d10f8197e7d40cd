#pragma once
// The field primitives of every fixed-width record, in the writing form that
// the record builder uses. A value too wide for its field keeps its first
// characters, for numbers as for texts.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "catalogue/valor_fixo.h"

// Field writers are small and called with constant widths: inlined, the
// widths fold into the code.
#if defined(__GNUC__)
#define QUELB_EM_LINHA inline __attribute__((always_inline))
#else
#define QUELB_EM_LINHA inline
#endif

namespace quelb {

// A decimal field's value before it is written as an integer: the amount in units of the
// casas-th decimal, truncated toward zero, as a 32-bit integer (low bits).
QUELB_EM_LINHA int32_t UnidadesDecimais(TValorFixo valor, int32_t casas) {
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

// ---- Writing forms ----
//
// Each writes its field at d and returns the end of what it wrote. d has room
// for Largura(...) code units.

// Room that a field of width n needs for a value of ATamanho code units.
inline size_t Largura(size_t ATamanho, int32_t n) {
    return n > 0 && static_cast<size_t>(n) > ATamanho ? static_cast<size_t>(n) : ATamanho;
}
// Room for an integer field of width n.
inline size_t LarguraInteiro(int32_t n) { return Largura(11, n); }

namespace detalhe {

template <class C>
QUELB_EM_LINHA C* Copiar(C* d, const C* s, size_t n) {
    return std::copy_n(s, n, d);
}

template <class C>
QUELB_EM_LINHA C* Preencher(C* d, size_t n, C c) {
    return std::fill_n(d, n, c);
}

}  // namespace detalhe

QUELB_EM_LINHA char16_t* EscreverPreencherDireita(char16_t* d, std::u16string_view texto, int32_t n, char16_t c) {
    const size_t tamanho = texto.size();
    if (n >= 1 && static_cast<size_t>(n) < tamanho) return detalhe::Copiar(d, texto.data(), static_cast<size_t>(n));
    d = detalhe::Copiar(d, texto.data(), tamanho);
    if (n > 0 && static_cast<size_t>(n) > tamanho) d = detalhe::Preencher(d, static_cast<size_t>(n) - tamanho, c);
    return d;
}

QUELB_EM_LINHA char16_t* EscreverPreencherEsquerda(char16_t* d, std::u16string_view texto, int32_t n, char16_t c) {
    const size_t tamanho = texto.size();
    // A text too wide loses its end, as on the right-filled side.
    if (n >= 1 && static_cast<size_t>(n) < tamanho) return detalhe::Copiar(d, texto.data(), static_cast<size_t>(n));
    if (n > 0 && static_cast<size_t>(n) > tamanho) d = detalhe::Preencher(d, static_cast<size_t>(n) - tamanho, c);
    return detalhe::Copiar(d, texto.data(), tamanho);
}

// Writes in units C: UTF-16 code units, or the bytes of the file (the digits,
// "-" and the fill characters are ASCII, the same in every code page the
// library writes).
template <class C>
QUELB_EM_LINHA C* EscreverInteiro(C* d, int32_t valor, int32_t n, C c) {
    static constexpr char Pares[] =
        "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
        "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
        "8081828384858687888990919293949596979899";
    // The magnitude as unsigned, so that -2147483648 keeps all its digits.
    uint32_t m = valor < 0 ? 0u - static_cast<uint32_t>(valor) : static_cast<uint32_t>(valor);
    int32_t digitos = 1;
    for (uint32_t limite = 10; digitos < 10 && m >= limite; limite *= 10) ++digitos;
    const int32_t tamanho = digitos + (valor < 0 ? 1 : 0);
    C texto[12];
    // Written right to left, two digits at a time: straight into the field
    // when it is wide enough (the usual case), into texto otherwise.
    const bool direto = n >= tamanho;
    C* inicio = direto ? d + (n - tamanho) : texto;
    C* p = inicio + tamanho;
    while (m >= 100) {
        const uint32_t par = (m % 100) * 2;
        m /= 100;
        *--p = static_cast<C>(Pares[par + 1]);
        *--p = static_cast<C>(Pares[par]);
    }
    if (m >= 10) {
        *--p = static_cast<C>(Pares[m * 2 + 1]);
        *--p = static_cast<C>(Pares[m * 2]);
    } else {
        *--p = static_cast<C>('0' + m);
    }
    if (valor < 0) *--p = static_cast<C>('-');
    if (direto) {
        detalhe::Preencher(d, static_cast<size_t>(n - tamanho), c);
        return d + n;
    }
    // Too wide for the field: its first n characters, or all of them for a
    // field without width.
    return detalhe::Copiar(d, texto, n >= 1 ? static_cast<size_t>(n) : static_cast<size_t>(tamanho));
}

}  // namespace quelb
