// The decimal and group separators of the user's default locale.
#include "platform/win32/windows_minimo.h"

#include <iterator>

#include "platform/formato_numerico_sistema.h"

namespace quelb::plataforma {

namespace {

// First character of a locale setting, or the fallback when the locale has
// none (a locale may have no group separator).
char16_t LerSeparador(LCTYPE ATipo, char16_t APadrao) {
    wchar_t valor[8] = {};
    const int n = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, ATipo, valor, static_cast<int>(std::size(valor)));
    return n > 1 && valor[0] != L'\0' ? static_cast<char16_t>(valor[0]) : APadrao;
}

}  // namespace

TFormatoNumerico LerFormatoNumericoDoSistema() {
    TFormatoNumerico f;
    f.SeparadorDecimal = LerSeparador(LOCALE_SDECIMAL, u'.');
    f.SeparadorMilhar = LerSeparador(LOCALE_STHOUSAND, u',');
    return f;
}

}  // namespace quelb::plataforma
