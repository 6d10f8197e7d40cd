// Case-insensitive comparison: each UTF-16 code unit is folded by the Unicode
// simple case mapping, taken from the C library's C.UTF-8 tables once.
#include <locale.h>
#include <wctype.h>

#include <array>
#include <cstdint>

#include "platform/plataforma.h"

namespace quelb::plataforma {

namespace {

struct TTabelaDobra {
    std::array<char16_t, 0x10000> dobra{};

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
    }
};

const TTabelaDobra& Tabela() {
    static const TTabelaDobra tabela;
    return tabela;
}

}  // namespace

bool IguaisSemCaixa(std::u16string_view A, std::u16string_view B) {
    if (A.size() != B.size()) return false;
    const auto& d = Tabela().dobra;
    for (size_t i = 0; i < A.size(); ++i)
        if (A[i] != B[i] && d[A[i]] != d[B[i]]) return false;
    return true;
}

uint64_t HashSemCaixa(std::u16string_view ATexto) {
    const auto& d = Tabela().dobra;
    uint64_t h = 0xcbf29ce484222325ull;  // FNV-1a
    for (char16_t c : ATexto) {
        h ^= d[c];
        h *= 0x100000001b3ull;
    }
    return h ^ ATexto.size();
}

}  // namespace quelb::plataforma
