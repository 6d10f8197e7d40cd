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
    // What HashSemCaixa mixes: the folded unit, and below U+0100 with bit
    // 0x20 copied from bit 0x40 (which makes a letter lower case). A function
    // of the fold, so equal texts hash alike; it also joins a few symbols
    // ("@" and "`", "×" and "÷", "ß" and "ÿ"), which only costs a comparison.
    std::array<char16_t, 0x10000> grossa{};
    // Below U+0100, U+00B5 aside, that bit rule on the unit itself gives its
    // entry in grossa: the quick path of HashSemCaixa needs no table there.
    bool latin1PorBit = false;

    TTabelaDobra() {
        for (uint32_t c = 0; c < 0x10000; ++c) dobra[c] = static_cast<char16_t>(c);
        if (locale_t local = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(0));
            local != static_cast<locale_t>(0)) {
            for (uint32_t c = 0; c < 0x10000; ++c) {
                if (c >= 0xD800 && c <= 0xDFFF) continue;
                const auto l = towlower_l(towupper_l(static_cast<wint_t>(c), local), local);
                if (l < 0x10000 && !(l >= 0xD800 && l <= 0xDFFF)) dobra[c] = static_cast<char16_t>(l);
            }
            freelocale(local);
        } else {
            DobrarSemLocale();
        }
        for (uint32_t c = 0; c < 0x10000; ++c) grossa[c] = dobra[c] < 0x100 ? PorBit(dobra[c]) : dobra[c];
        latin1PorBit = true;
        for (char16_t c = 0; c < 0x100; ++c)
            if (c != 0xB5) latin1PorBit = latin1PorBit && grossa[c] == PorBit(c);
    }

    static char16_t PorBit(char16_t c) { return static_cast<char16_t>(c | ((c & 0x40) >> 1)); }

    // Without C.UTF-8: ASCII, Latin-1 and the letters of Windows-1252.
    void DobrarSemLocale() {
        for (char16_t c = u'A'; c <= u'Z'; ++c) dobra[c] = c + 32;
        for (char16_t c = 0xC0; c <= 0xDE; ++c)
            if (c != 0xD7) dobra[c] = c + 32;
        dobra[0x160] = 0x161;
        dobra[0x152] = 0x153;
        dobra[0x17D] = 0x17E;
        dobra[0x178] = 0xFF;
    }
};

const TTabelaDobra& Tabela() {
    static const TTabelaDobra tabela;
    return tabela;
}

}  // namespace

bool IguaisSemCaixa(std::u16string_view A, std::u16string_view B) {
    if (A.size() != B.size()) return false;
    if (A.empty()) return true;
    // Most lines compared are equal to the letter.
    if (std::memcmp(A.data(), B.data(), A.size() * sizeof(char16_t)) == 0) return true;
    const auto& d = Tabela().dobra;
    for (size_t i = 0; i < A.size(); ++i)
        if (A[i] != B[i] && d[A[i]] != d[B[i]]) return false;
    return true;
}

namespace {

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

// Blocks of sixteen units, each mixed into the hash by wide multiplications
// (two chains take alternate halves, so that one multiplication does not wait
// for the other), then the last one to fifteen padded with zeros. What is
// mixed is each unit's entry in grossa; AFonte gives them: Bloco(i, g) the
// sixteen from unit i, Grossa(i) one.
template <class TFonte>
uint64_t Misturar(size_t n, const TFonte& AFonte) {
    uint64_t h = K0 ^ (n * K2), h2 = K1 ^ (n * K0);
    const auto misturar = [](uint64_t& AHash, const char16_t* AUnidades) {
        uint64_t a, b;
        std::memcpy(&a, AUnidades, sizeof a);
        std::memcpy(&b, AUnidades + 4, sizeof b);
        AHash = Multiplicar(a ^ AHash ^ K1, b ^ K2);
    };
    size_t i = 0;
    for (; i + 16 <= n; i += 16) {
        alignas(16) char16_t g[16];
        AFonte.Bloco(i, g);
        misturar(h, g);
        misturar(h2, g + 8);
    }
    if (i < n) {
        char16_t g[16] = {};
        for (size_t j = 0; i + j < n; ++j) g[j] = AFonte.Grossa(i + j);
        misturar(h, g);
        if (n - i > 8) misturar(h2, g + 8);
    }
    return Multiplicar(h ^ K0, h2 ^ K2 ^ n);
}

#if defined(__SSE2__)
// Units below U+0100, U+00B5 aside: the bit rule gives their entries in
// grossa. True when one of the sixteen in v0, v1 is not such a unit.
bool ForaDoLatin1(__m128i v0, __m128i v1) {
    const __m128i sinal = _mm_set1_epi16(static_cast<short>(0x8000));
    const __m128i acimaByte = _mm_set1_epi16(static_cast<short>(0x00FF ^ 0x8000));
    const __m128i micro = _mm_set1_epi16(0xB5);
    const auto fora = [&](__m128i v) {
        return _mm_or_si128(_mm_cmpgt_epi16(_mm_xor_si128(v, sinal), acimaByte), _mm_cmpeq_epi16(v, micro));
    };
    return _mm_movemask_epi8(_mm_or_si128(fora(v0), fora(v1))) != 0;
}

void GrossaPorBit(__m128i v0, __m128i v1, char16_t* g) {
    const __m128i bit = _mm_set1_epi16(0x40);
    const auto grossa = [&](__m128i v) { return _mm_or_si128(v, _mm_srli_epi16(_mm_and_si128(v, bit), 1)); };
    _mm_store_si128(reinterpret_cast<__m128i*>(g), grossa(v0));
    _mm_store_si128(reinterpret_cast<__m128i*>(g + 8), grossa(v1));
}
#endif

struct TFonteTexto {
    const TTabelaDobra& t;
    const char16_t* p;
    char16_t Grossa(size_t i) const { return t.grossa[p[i]]; }
    void Bloco(size_t i, char16_t* g) const {
#if defined(__SSE2__)
        if (t.latin1PorBit) {
            const __m128i v0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
            const __m128i v1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i + 8));
            if (!ForaDoLatin1(v0, v1)) return GrossaPorBit(v0, v1, g);
        }
#endif
        for (size_t j = 0; j < 16; ++j) g[j] = Grossa(i + j);
    }
};

struct TFonteBytes {
    const TTabelaDobra& t;
    const unsigned char* p;
    const char16_t (&caracteres)[256];
    bool latin1;  // bytes below 0x80 and from 0xA0 on are their own characters
    char16_t Grossa(size_t i) const { return t.grossa[caracteres[p[i]]]; }
    void Bloco(size_t i, char16_t* g) const {
#if defined(__SSE2__)
        if (t.latin1PorBit && latin1) {
            // The bytes widened are the characters, unless one is of the
            // 0x80 row.
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
            const __m128i linhaC1 = _mm_cmpeq_epi8(_mm_and_si128(v, _mm_set1_epi8(static_cast<char>(0xE0))),
                                                   _mm_set1_epi8(static_cast<char>(0x80)));
            const __m128i v0 = _mm_unpacklo_epi8(v, _mm_setzero_si128());
            const __m128i v1 = _mm_unpackhi_epi8(v, _mm_setzero_si128());
            if (_mm_movemask_epi8(linhaC1) == 0 && !ForaDoLatin1(v0, v1)) return GrossaPorBit(v0, v1, g);
        }
#endif
        for (size_t j = 0; j < 16; ++j) g[j] = Grossa(i + j);
    }
};

}  // namespace

uint64_t HashSemCaixa(std::u16string_view ATexto) {
    return Misturar(ATexto.size(), TFonteTexto{Tabela(), ATexto.data()});
}

uint64_t HashSemCaixa(std::string_view ABytes, const char16_t (&ACaracteres)[256], bool ALatin1) {
    return Misturar(ABytes.size(), TFonteBytes{Tabela(), reinterpret_cast<const unsigned char*>(ABytes.data()),
                                               ACaracteres, ALatin1});
}

}  // namespace quelb::plataforma
