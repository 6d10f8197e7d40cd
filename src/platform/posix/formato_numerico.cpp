// The decimal and group separators of the user's locale, as the C library
// resolves it from LC_ALL, LC_NUMERIC and LANG.
#include <langinfo.h>
#include <locale.h>

#include "catalogue/texto.h"
#include "platform/formato_numerico_sistema.h"

namespace quelb::plataforma {

namespace {

// First character of a separator given in UTF-8, or the fallback when the
// locale has none.
char16_t PrimeiroCaractere(const char* AUtf8, char16_t APadrao) {
    if (AUtf8 == nullptr || *AUtf8 == '\0') return APadrao;
    const std::u16string t = DeUtf8(AUtf8);
    return t.empty() ? APadrao : t[0];
}

}  // namespace

TFormatoNumerico LerFormatoNumericoDoSistema() {
    TFormatoNumerico f;
    locale_t local = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(0));
    if (local == static_cast<locale_t>(0)) return f;
    f.SeparadorDecimal = PrimeiroCaractere(nl_langinfo_l(RADIXCHAR, local), u'.');
    f.SeparadorMilhar = PrimeiroCaractere(nl_langinfo_l(THOUSEP, local), u',');
    freelocale(local);
    return f;
}

}  // namespace quelb::plataforma
