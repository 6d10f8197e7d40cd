#include "generator/tabela_codigo_pagina.h"

#include <cstring>
#include <string>

#include "platform/plataforma.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quelb {

TTabelaCodigoPagina::TTabelaCodigoPagina() {
    FNuloIgual = plataforma::DeCodigoPaginaArquivos(std::string(1, '\0')) == std::u16string(1, u'\0') &&
                 plataforma::ParaCodigoPaginaArquivos(std::u16string(1, u'\0')) == std::string(1, '\0');
    for (int b = 1; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        const std::u16string c = plataforma::DeCodigoPaginaArquivos(byte);
        if (c.size() != 1 || plataforma::ParaCodigoPaginaArquivos(c) != byte) continue;
        // A character that two bytes claim keeps the first.
        if (FByte[c[0]] != 0 || c[0] == 0) continue;
        FByte[c[0]] = static_cast<uint8_t>(b);
        FCaractere[static_cast<size_t>(b)] = c[0];
    }
    FAsciiIgual = FNuloIgual;
    for (char16_t c = 1; c < 0x80; ++c) FAsciiIgual = FAsciiIgual && FByte[c] == c;
    FLatin1Igual = FAsciiIgual;
    for (char16_t c = 0xA0; c < 0x100; ++c) FLatin1Igual = FLatin1Igual && FByte[c] == c;
}

const TTabelaCodigoPagina& TTabelaCodigoPagina::Instancia() {
    static const TTabelaCodigoPagina tabela;
    return tabela;
}

bool TTabelaCodigoPagina::Codificar(std::u16string_view ATexto, char* ADestino) const {
    const char16_t* p = ATexto.data();
    const size_t n = ATexto.size();
    const auto porTabela = [&](size_t AInicio, size_t AFim) {
        uint8_t b;
        for (size_t i = AInicio; i < AFim; ++i) {
            if (!Byte(p[i], b)) return false;
            ADestino[i] = static_cast<char>(b);
        }
        return true;
    };
    size_t i = 0;
#if defined(__SSE2__)
    // Sixteen characters at a time where they are written as themselves:
    // below U+0080 and, when the code page agrees, from U+00A0 to U+00FF. A
    // block with any other character goes through the table.
    if (FAsciiIgual) {
        const __m128i sinal = _mm_set1_epi16(static_cast<short>(0x8000));
        const __m128i acimaByte = _mm_set1_epi16(static_cast<short>(0x00FF ^ 0x8000));
        const __m128i c1 = _mm_set1_epi16(0x80);
        const __m128i larguraC1 = _mm_set1_epi16(static_cast<short>(0x20 ^ 0x8000));
        const __m128i acimaAscii = _mm_set1_epi16(static_cast<short>(0x007F ^ 0x8000));
        const auto fora = [&](__m128i v) {
            const __m128i s = _mm_xor_si128(v, sinal);  // unsigned order as signed
            if (!FLatin1Igual) return _mm_cmpgt_epi16(s, acimaAscii);
            const __m128i alto = _mm_cmpgt_epi16(s, acimaByte);
            const __m128i controle = _mm_cmplt_epi16(_mm_xor_si128(_mm_sub_epi16(v, c1), sinal), larguraC1);
            return _mm_or_si128(alto, controle);
        };
        for (; i + 16 <= n; i += 16) {
            const __m128i v0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
            const __m128i v1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i + 8));
            if (_mm_movemask_epi8(_mm_or_si128(fora(v0), fora(v1))) == 0)
                _mm_storeu_si128(reinterpret_cast<__m128i*>(ADestino + i), _mm_packus_epi16(v0, v1));
            else if (!porTabela(i, i + 16))
                return false;
        }
        if (i + 8 <= n) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
            if (_mm_movemask_epi8(fora(v)) == 0)
                _mm_storel_epi64(reinterpret_cast<__m128i*>(ADestino + i), _mm_packus_epi16(v, v));
            else if (!porTabela(i, i + 8))
                return false;
            i += 8;
        }
    }
#endif
    return porTabela(i, n);
}

bool TTabelaCodigoPagina::IgualAosBytes(std::u16string_view ATexto, std::string_view ABytes) const {
    if (ATexto.size() != ABytes.size()) return false;
    const char16_t* p = ATexto.data();
    const char* b = ABytes.data();
    const size_t n = ATexto.size();
    const auto porTabela = [&](size_t AInicio, size_t AFim) {
        uint8_t byte;
        for (size_t i = AInicio; i < AFim; ++i)
            if (!Byte(p[i], byte) || static_cast<char>(byte) != b[i]) return false;
        return true;
    };
    size_t i = 0;
#if defined(__SSE2__)
    // Sixteen at a time: the bytes, widened, against the units; a unit
    // above U+00FF or a mismatch sends the block to the table, and so does a
    // unit from U+0080 to U+009F, which is not written as itself.
    if (FLatin1Igual) {
        const __m128i zero = _mm_setzero_si128();
        const __m128i quatro = _mm_set1_epi16(4);
        for (; i + 16 <= n; i += 16) {
            const __m128i v0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
            const __m128i v1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i + 8));
            const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + i));
            const __m128i iguais = _mm_and_si128(_mm_cmpeq_epi16(v0, _mm_unpacklo_epi8(bytes, zero)),
                                                 _mm_cmpeq_epi16(v1, _mm_unpackhi_epi8(bytes, zero)));
            const __m128i c1 = _mm_or_si128(_mm_cmpeq_epi16(_mm_srli_epi16(v0, 5), quatro),
                                            _mm_cmpeq_epi16(_mm_srli_epi16(v1, 5), quatro));
            if (_mm_movemask_epi8(_mm_andnot_si128(c1, iguais)) == 0xFFFF) continue;
            if (!porTabela(i, i + 16)) return false;
        }
    }
#endif
    return porTabela(i, n);
}

void TTabelaCodigoPagina::Decodificar(std::string_view ABytes, char16_t* ADestino) const {
    for (size_t i = 0; i < ABytes.size(); ++i) ADestino[i] = FCaractere[static_cast<unsigned char>(ABytes[i])];
}

}  // namespace quelb
