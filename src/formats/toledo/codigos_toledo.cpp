#include "formats/toledo/codigos_toledo.h"

#include <array>

namespace quelb {

char16_t TipoVendaToledo(TQuelbCargaBalTipoVenda ATipo) {
    switch (ATipo) {
        case tpvUnidade:
            return u'1';
        case tpvEAN13:
            return u'2';
        case tpvEAN13Und:
            return u'5';  // not "3"
        case tpvPeso:
        default:
            return u'0';
    }
}

char16_t UndPorcaoToledo(TQuelbCargaBalNutriUndPorcao AUnidade) {
    switch (AUnidade) {
        case tpMililitros:
            return u'1';
        case tpUnidades:
            return u'2';
        case tpGramas:
        default:
            return u'0';
    }
}

char16_t PartDecimalToledo(TQuelbCargaBalNutriPartdecimal AParte) {
    switch (AParte) {
        case tpPara14:
            return u'1';
        case tpPara13:
            return u'2';
        case tpPara12:
            return u'3';
        case tpPara23:
            return u'4';
        case tpPara34:
            return u'5';
        case tpPara0:
        default:
            return u'0';
    }
}

std::u16string_view MedCaseiraToledo(TQuelbCargaBalNutriMedCaseira AMedida) {
    static constexpr std::array<std::u16string_view, 27> Codigos = {
        u"00", u"01", u"02", u"03", u"04", u"05", u"06", u"07", u"08", u"09",
        u"10", u"11", u"12", u"13", u"14", u"15", u"16", u"17", u"18", u"19",
        u"20", u"21", u"22", u"23", u"24", u"25", u"26",
    };
    const size_t i = static_cast<size_t>(AMedida);
    return i < Codigos.size() ? Codigos[i] : Codigos[tpColherSopa];
}

}  // namespace quelb
