#include "formats/toledo/codigos_toledo.h"

#include <array>

namespace quelb {

namespace {

// The code of enumeration value AValor in ACodigos, indexed by ordinal; the
// default value (ordinal 0) stands for one outside the table.
template <class TCodigo, size_t N, class TEnum>
TCodigo CodigoDe(const std::array<TCodigo, N>& ACodigos, TEnum AValor) {
    const size_t i = static_cast<size_t>(AValor);
    return i < N ? ACodigos[i] : ACodigos[0];
}

}  // namespace

char16_t TipoVendaToledo(TQuelbCargaBalTipoVenda ATipo) {
    // tpvPeso, tpvUnidade, tpvEAN13, tpvEAN13Und (which is "5", not "3")
    static constexpr std::array<char16_t, 4> Codigos = {u'0', u'1', u'2', u'5'};
    return CodigoDe(Codigos, ATipo);
}

char16_t UndPorcaoToledo(TQuelbCargaBalNutriUndPorcao AUnidade) {
    // tpGramas, tpMililitros, tpUnidades
    static constexpr std::array<char16_t, 3> Codigos = {u'0', u'1', u'2'};
    return CodigoDe(Codigos, AUnidade);
}

char16_t PartDecimalToledo(TQuelbCargaBalNutriPartdecimal AParte) {
    // tpPara0, tpPara14, tpPara13, tpPara12, tpPara23, tpPara34
    static constexpr std::array<char16_t, 6> Codigos = {u'0', u'1', u'2', u'3', u'4', u'5'};
    return CodigoDe(Codigos, AParte);
}

std::u16string_view MedCaseiraToledo(TQuelbCargaBalNutriMedCaseira AMedida) {
    // The position of the value in its enumeration, tpColherSopa "00" to tpLata "26".
    static constexpr std::array<std::u16string_view, 27> Codigos = {
        u"00", u"01", u"02", u"03", u"04", u"05", u"06", u"07", u"08", u"09",
        u"10", u"11", u"12", u"13", u"14", u"15", u"16", u"17", u"18", u"19",
        u"20", u"21", u"22", u"23", u"24", u"25", u"26",
    };
    return CodigoDe(Codigos, AMedida);
}

}  // namespace quelb
