#include "generator/tipo_achado.h"

namespace quelb {

Texto TipoDoAchado(std::u16string_view ADescricao) {
    Texto r;
    r.reserve(ADescricao.size());
    for (size_t i = 0; i < ADescricao.size(); ++i) {
        const char16_t c = ADescricao[i];
        if (c == u'"') {
            const size_t fim = ADescricao.find(u'"', i + 1);
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
