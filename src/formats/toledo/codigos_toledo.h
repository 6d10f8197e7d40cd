#pragma once
// The code tables of the Toledo records. A value outside its enumeration
// (reachable only by a cast) gets the code of the type's default value.
#include <string_view>

#include "catalogue/enumeracoes.h"

namespace quelb {

// Sale type, one character: by weight "0", by unit "1", bar code by weight
// "2", bar code by unit "5".
char16_t TipoVendaToledo(TQuelbCargaBalTipoVenda ATipo);

// Portion unit, one character: grams "0", millilitres "1", units "2".
char16_t UndPorcaoToledo(TQuelbCargaBalNutriUndPorcao AUnidade);

// Fraction of the household measure, one character "0" to "5", in the order
// 0, 1/4, 1/3, 1/2, 2/3, 3/4.
char16_t PartDecimalToledo(TQuelbCargaBalNutriPartdecimal AParte);

// Household measure, two characters: the value's position in its
// enumeration, "00" to "26".
std::u16string_view MedCaseiraToledo(TQuelbCargaBalNutriMedCaseira AMedida);

}  // namespace quelb
