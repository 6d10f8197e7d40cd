#pragma once
// The four records of the Filizola load. Each function builds one record into
// a reused builder of either kind (UTF-16 or bytes), field by field in column
// order.
#include <cstdint>

#include "catalogue/item.h"
#include "generator/registro.h"

namespace quelb {

// Sale-type code of column 7: "P" by weight, "U" by unit. The bar-code sale
// types follow their base type: tpvEAN13 is "P", tpvEAN13Und is "U".
char16_t TipoVendaFilizola(TQuelbCargaBalTipoVenda ATipo);

// Item record, CADTXT.TXT, 39 characters.
template <class C>
void RegistroItemFilizola(TRegistroDe<C>& r, const TQuelbCargaBalItem& AItem);

// Sector record, SETORTXT.TXT, 25 characters. APosicao is the item's place in
// the whole catalogue, counted from 1.
template <class C>
void RegistroSetorFilizola(TRegistroDe<C>& r, const TQuelbCargaBalItem& AItem, int32_t APosicao);

// Nutrition record, NUTRI.TXT, 131 characters.
template <class C>
void RegistroNutricionalFilizola(TRegistroDe<C>& r, const TQuelbCargaBalItem& AItem);

// Extra-information record, REC_ASS.TXT, 865 characters. ACodigo is the
// item's extra-information code as CodigoInformacaoExtra gives it.
template <class C>
void RegistroInformacaoExtraFilizola(TRegistroDe<C>& r, const TQuelbCargaBalItem& AItem, int32_t ACodigo);

}  // namespace quelb
