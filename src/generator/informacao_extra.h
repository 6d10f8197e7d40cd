#pragma once
#include <cstdint>

#include "catalogue/item.h"

namespace quelb {

// The extra-information code of the Filizola and Toledo MGV loads, settled
// in the item itself: a text shorter than three characters has no record
// (code 0), and a text without a code of its own takes the item's code.
// Returns the code.
int32_t AcertarCodigoInformacaoExtra(TQuelbCargaBalItem& AItem);

}  // namespace quelb
