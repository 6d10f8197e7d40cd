#pragma once
// The one record of the Ramuza load (RAMUZA_ORIGINAL.TXT), 192 characters.
#include <cstdint>
#include <string_view>

#include "catalogue/item.h"
#include "generator/registro.h"

namespace quelb {

// Sale type: "0" by weight, "1" by unit. An EAN-13 item takes the code of its
// way of sale: tpvEAN13 "0", tpvEAN13Und "1"; any other value "0".
std::u16string_view TipoVendaRamuza(TQuelbCargaBalTipoVenda ATipo);

// The tare amount times 100, still with four implied decimals. Written in
// hundredths, it gives the tare times 10 000 (0.015 becomes 00150).
TValorFixo TaraCentuplicada(TValorFixo ATara);

// Builds the record of AItem at the running number ANumero (its position in
// the catalogue counted from 1) into ARegistro, a builder of either kind.
template <class C>
void MontarRegistroRamuza(TRegistroDe<C>& ARegistro, const TQuelbCargaBalItem& AItem, int32_t ANumero);

}  // namespace quelb
