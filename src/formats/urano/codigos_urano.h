#pragma once
// The one-character code tables of the Urano files.
#include <string_view>

#include "catalogue/enumeracoes.h"

namespace quelb {

// Sale type in the Urano and Urano S records: "P" by weight, "U" by unit.
// An EAN-13 item takes the code of its way of sale: tpvEAN13 "P",
// tpvEAN13Und "U".
std::u16string_view TipoVendaUrano(TQuelbCargaBalTipoVenda ATipo);

// Sale type in the URF32 product line: "0" by weight, "6" by unit; tpvEAN13
// "0", tpvEAN13Und "6".
std::u16string_view TipoVendaURF32(TQuelbCargaBalTipoVenda ATipo);

// Validity unit in the URF32 product line: "D" days, "M" months.
std::u16string_view TipoValidadeURF32(TQuelbCargaBalTipoValidade ATipo);

// True for the sale types sold by unit (tpvUnidade, tpvEAN13Und). Any other
// value, an out-of-range one included, is sold by weight.
bool VendidoPorUnidade(TQuelbCargaBalTipoVenda ATipo);

}  // namespace quelb
