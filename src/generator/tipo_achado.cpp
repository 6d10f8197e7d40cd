#include "generator/tipo_achado.h"

namespace quelb {

Texto CitarValor(std::u16string_view AValor) {
    Texto r;
    r.reserve(AValor.size() + 2);
    r += u'"';
    for (const char16_t c : AValor) {
        if (c == u'"') r += u'"';
        r += c;
    }
    return r + u'"';
}

namespace {

// The closing quote of the quoted text that opens at AAbre, past its doubled
// quotes; npos when none closes it.
size_t FimDaCitacao(std::u16string_view ADescricao, size_t AAbre) {
    for (size_t i = ADescricao.find(u'"', AAbre + 1); i != std::u16string_view::npos; i = ADescricao.find(u'"', i + 2))
        if (i + 1 == ADescricao.size() || ADescricao[i + 1] != u'"') return i;
    return std::u16string_view::npos;
}

}  // namespace

Texto TipoDoAchado(std::u16string_view ADescricao) {
    Texto r;
    r.reserve(ADescricao.size());
    for (size_t i = 0; i < ADescricao.size(); ++i) {
        const char16_t c = ADescricao[i];
        if (c == u'"') {
            const size_t fim = FimDaCitacao(ADescricao, i);
            if (fim != std::u16string_view::npos) {
                r += u"\"…\"";
                i = fim;
                continue;
            }
        }
        // Digits in a name (MGV7, fixo_2) stay.
        const char16_t antes = i > 0 ? static_cast<char16_t>(ADescricao[i - 1] | 0x20) : u' ';
        const bool emNome = antes == (u'_' | 0x20) || (antes >= u'a' && antes <= u'z');
        if (c >= u'0' && c <= u'9' && !emNome) {
            while (i + 1 < ADescricao.size() && ADescricao[i + 1] >= u'0' && ADescricao[i + 1] <= u'9') ++i;
            r += u'N';
            continue;
        }
        r += c;
    }
    return r;
}

}  // namespace quelb
