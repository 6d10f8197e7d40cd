// Case-insensitive comparison: each UTF-16 code unit is folded by the Unicode
// simple case mapping, taken from the C library's C.UTF-8 tables once.
#include <locale.h>
#include <wctype.h>

#include <array>
#include <cstdint>
#include <cstring>

#include "platform/plataforma.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quelb::plataforma {

namespace {

struct TTabelaDobra {
    std::array<char16_t, 0x10000> dobra{};
    bool asciiSimples = false;   // below U+0080 only A..Z change, to a..z
    bool latin1Simples = false;  // below U+0100 (U+00B5 aside) also À..Þ but ×, to à..þ

    TTabelaDobra() {
        for (uint32_t c = 0; c < 0x10000; ++c) dobra[c] = static_cast<char16_t>(c);
        locale_t local = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(0));
        if (local == static_cast<locale_t>(0)) {
            DobrarSemLocale();
            return;
        }
        for (uint32_t c = 0; c < 0x10000; ++c) {
            if (c >= 0xD800 && c <= 0xDFFF) continue;
            const auto l = towlower_l(towupper_l(static_cast<wint_t>(c), local), local);
            if (l < 0x10000 && !(l >= 0xD800 && l <= 0xDFFF)) dobra[c] = static_cast<char16_t>(l);
        }
        freelocale(local);
        VerificarAscii();
    }

    // Which ranges the quick paths of HashSemCaixa may fold by rule.
    void VerificarAscii() {
        const auto maiuscula = [](char16_t c) {
            return (c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7);
        };
        asciiSimples = latin1Simples = true;
        for (char16_t c = 0; c < 0x100; ++c) {
            const bool simples = dobra[c] == (maiuscula(c) ? c + 32 : c);
            if (c < 0x80) asciiSimples = asciiSimples && simples;
            else if (c != 0xB5) latin1Simples = latin1Simples && simples;
        }
        latin1Simples = latin1Simples && asciiSimples;
    }

    // Without C.UTF-8: ASCII, Latin-1 and the letters of Windows-1252.
    void DobrarSemLocale() {
        for (char16_t c = u'A'; c <= u'Z'; ++c) dobra[c] = c + 32;
        for (char16_t c = 0xC0; c <= 0xDE; ++c)
            if (c != 0xD7) dobra[c] = c + 32;
        dobra[0x160] = 0x161;
        dobra[0x152] = 0x153;
        dobra[0x17D] = 0x17E;
        dobra[0x178] = 0xFF;
        VerificarAscii();
    }
};

const TTabelaDobra& Tabela() {
    static const TTabelaDobra tabela;
    return tabela;
}

}  // namespace

bool IguaisSemCaixa(std::u16string_view A, std::u16string_view B) {
    if (A.size() != B.size()) return false;
    // Most lines compared are equal to the letter.
    if (A == B) return true;
    const auto& d = Tabela().dobra;
    for (size_t i = 0; i < A.size(); ++i)
        if (A[i] != B[i] && d[A[i]] != d[B[i]]) return false;
    return true;
}

namespace {

// The folded form of four code units, as one 64-bit word.
uint64_t Dobrar4(const char16_t* p, const TTabelaDobra& t) {
    uint64_t w;
    std::memcpy(&w, p, sizeof w);
    // Below U+0080 in all four: letters fold to lower case, nothing else
    // changes, which the table was checked to agree with.
    if (t.asciiSimples && (w & 0xFF80FF80FF80FF80ull) == 0) {
        const uint64_t desdeA = w + 0x003F003F003F003Full;    // bit 7 set from 'A' on
        const uint64_t depoisZ = w + 0x0025002500250025ull;   // bit 7 set after 'Z'
        return w + ((desdeA & ~depoisZ & 0x0080008000800080ull) >> 2);
    }
    const char16_t f[4] = {t.dobra[p[0]], t.dobra[p[1]], t.dobra[p[2]], t.dobra[p[3]]};
    std::memcpy(&w, f, sizeof w);
    return w;
}

// Both halves of the 128-bit product, folded into 64 bits.
uint64_t Multiplicar(uint64_t a, uint64_t b) {
#if defined(__SIZEOF_INT128__)
    const unsigned __int128 r = static_cast<unsigned __int128>(a) * b;
    return static_cast<uint64_t>(r) ^ static_cast<uint64_t>(r >> 64);
#else
    const uint64_t a0 = a & 0xFFFFFFFFu, a1 = a >> 32, b0 = b & 0xFFFFFFFFu, b1 = b >> 32;
    const uint64_t p00 = a0 * b0, p01 = a0 * b1, p10 = a1 * b0, p11 = a1 * b1;
    const uint64_t meio = (p00 >> 32) + (p01 & 0xFFFFFFFFu) + (p10 & 0xFFFFFFFFu);
    const uint64_t baixo = (meio << 32) | (p00 & 0xFFFFFFFFu);
    const uint64_t alto = p11 + (p01 >> 32) + (p10 >> 32) + (meio >> 32);
    return baixo ^ alto;
#endif
}

constexpr uint64_t K0 = 0xa0761d6478bd642full;
constexpr uint64_t K1 = 0xe7037ed1a0b428dbull;
constexpr uint64_t K2 = 0x8ebc6af09c88c6e3ull;

}  // namespace

uint64_t HashSemCaixa(std::u16string_view ATexto) {
    const TTabelaDobra& t = Tabela();
    const char16_t* p = ATexto.data();
    const size_t n = ATexto.size();
    // Eight folded code units per step, mixed by a wide multiplication.
    uint64_t h = K0 ^ (n * K2);
    size_t i = 0;
#if defined(__SSE2__)
    if (t.latin1Simples) {
        // Below U+0100 (U+00B5 aside) the fold is a rule: A..Z and À..Þ but
        // × take 32 more. Eight units at a time while that holds.
        const __m128i sinal = _mm_set1_epi16(static_cast<short>(0x8000));
        const __m128i acimaByte = _mm_set1_epi16(static_cast<short>(0x00FF ^ 0x8000));
        const __m128i micro = _mm_set1_epi16(0xB5);
        const __m128i vezes = _mm_set1_epi16(0xD7);
        const __m128i antesA = _mm_set1_epi16(u'A' - 1), depoisZ = _mm_set1_epi16(u'Z' + 1);
        const __m128i antesAgudo = _mm_set1_epi16(0xBF), depoisThorn = _mm_set1_epi16(0xDF);
        const __m128i diferenca = _mm_set1_epi16(32);
        for (; i + 8 <= n; i += 8) {
            __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
            const __m128i fora = _mm_or_si128(_mm_cmpgt_epi16(_mm_xor_si128(v, sinal), acimaByte), _mm_cmpeq_epi16(v, micro));
            if (_mm_movemask_epi8(fora) == 0) {
                const __m128i ascii = _mm_and_si128(_mm_cmpgt_epi16(v, antesA), _mm_cmplt_epi16(v, depoisZ));
                const __m128i latin1 = _mm_andnot_si128(
                    _mm_cmpeq_epi16(v, vezes), _mm_and_si128(_mm_cmpgt_epi16(v, antesAgudo), _mm_cmplt_epi16(v, depoisThorn)));
                v = _mm_add_epi16(v, _mm_and_si128(_mm_or_si128(ascii, latin1), diferenca));
            } else {
                alignas(16) char16_t f[8];
                for (size_t j = 0; j < 8; ++j) f[j] = t.dobra[p[i + j]];
                v = _mm_load_si128(reinterpret_cast<const __m128i*>(f));
            }
            uint64_t a, b;
            _mm_storel_epi64(reinterpret_cast<__m128i*>(&a), v);
            _mm_storel_epi64(reinterpret_cast<__m128i*>(&b), _mm_unpackhi_epi64(v, v));
            h = Multiplicar(a ^ h ^ K1, b ^ K2);
        }
    }
#endif
    for (; i + 8 <= n; i += 8) h = Multiplicar(Dobrar4(p + i, t) ^ h ^ K1, Dobrar4(p + i + 4, t) ^ K2);
    if (i < n) {
        char16_t resto[8] = {};
        for (size_t j = 0; i + j < n; ++j) resto[j] = t.dobra[p[i + j]];
        uint64_t a, b;
        std::memcpy(&a, resto, sizeof a);
        std::memcpy(&b, resto + 4, sizeof b);
        h = Multiplicar(a ^ h ^ K1, b ^ K2);
    }
    return Multiplicar(h ^ K0, h ^ K2 ^ n);
}

}  // namespace quelb::plataforma
