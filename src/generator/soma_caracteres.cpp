#include "generator/soma_caracteres.h"

#include "generator/tabela_codigo_pagina.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quelb {

int32_t SomaCaracteres(std::u16string_view ATexto) {
    // Unsigned, so a sum past the 32-bit range wraps instead of overflowing.
    uint32_t soma = 0;
    for (char16_t c : ATexto) soma += c;
    return static_cast<int32_t>(soma);
}

int32_t SomaCaracteres(std::string_view ABytes) {
    const TTabelaCodigoPagina& tabela = TTabelaCodigoPagina::Instancia();
    // Where the code page keeps ASCII and Latin-1 as they are, a byte is the
    // value of its character except from 0x80 to 0x9F ("€" is 0x80): the
    // plain sum of the bytes, in wide steps, unless such a byte is there.
    const char* p = ABytes.data();
    const size_t n = ABytes.size();
    uint64_t soma = 0;
    bool linhaC1 = false;
    size_t i = 0;
#if defined(__SSE2__)
    {
        const __m128i zero = _mm_setzero_si128();
        const __m128i mascara = _mm_set1_epi8(static_cast<char>(0xE0));
        const __m128i linha = _mm_set1_epi8(static_cast<char>(0x80));
        __m128i somas = zero, c1 = zero;
        for (; i + 16 <= n; i += 16) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
            somas = _mm_add_epi64(somas, _mm_sad_epu8(v, zero));
            c1 = _mm_or_si128(c1, _mm_cmpeq_epi8(_mm_and_si128(v, mascara), linha));
        }
        alignas(16) uint64_t partes[2];
        _mm_store_si128(reinterpret_cast<__m128i*>(partes), somas);
        soma = partes[0] + partes[1];
        linhaC1 = _mm_movemask_epi8(c1) != 0;
    }
#endif
    for (; i < n; ++i) {
        const auto u = static_cast<uint8_t>(p[i]);
        soma += u;
        linhaC1 = linhaC1 || (u & 0xE0) == 0x80;
    }
    if (!linhaC1 && tabela.Latin1Igual()) return static_cast<int32_t>(static_cast<uint32_t>(soma));
    uint32_t porCaractere = 0;
    for (const char b : ABytes) porCaractere += tabela.Caractere(static_cast<uint8_t>(b));
    return static_cast<int32_t>(porCaractere);
}

TCampoCurto Hexadecimal4(int32_t AValor, TCaixaHexa ACaixa) {
    const char16_t* digitos = ACaixa == TCaixaHexa::Maiusculas ? u"0123456789ABCDEF" : u"0123456789abcdef";
    uint32_t v = static_cast<uint32_t>(AValor);
    TCampoCurto r;
    int n = 0;
    do {
        r.Preceder(digitos[v & 0xF]);
        v >>= 4;
        ++n;
    } while (v != 0 || n < 4);
    return r;
}

}  // namespace quelb
