#pragma once
// The records of the Toledo loads. Each function builds one record into a
// reused builder of either kind (UTF-16 or bytes), field by field in column
// order.
#include <cstdint>

#include "catalogue/item.h"
#include "generator/registro.h"

namespace quelb {

// ---- Item records (TXITENS.TXT, ITENSMGV.TXT) ----

// Plain Toledo, 320 characters; carries the extra-information text itself.
template <class C>
void RegistroItemToledo(TRegistroDe<C>& r, const TQuelbCargaBalItem& AItem);

// MGV5 version 1, 113 characters; the extra-information code is the item code.
template <class C>
void RegistroItemToledoMGV5Ver1(TRegistroDe<C>& r, const TQuelbCargaBalItem& AItem);

// MGV5 and MGV6, 150 characters. ACodigoInformacao is the code given by
// CodigoInformacaoExtra.
template <class C>
void RegistroItemToledoMGV(TRegistroDe<C>& r, const TQuelbCargaBalItem& AItem, int32_t ACodigoInformacao);

// ---- Auxiliary records of the MGV loads ----

// TXINFO.TXT, 946 characters. ACodigo is the code at column 69 of the item's
// own item record.
template <class C>
void RegistroInformacaoExtraToledo(TRegistroDe<C>& r, const TQuelbCargaBalInformacaoExtra& AInformacao,
                                   int32_t ACodigo);

// INFNUTRI.TXT, 45 characters.
template <class C>
void RegistroNutricionalToledo(TRegistroDe<C>& r, const TQuelbCargaBalNutricional& ANutricional);

// TARA.TXT, 30 characters.
template <class C>
void RegistroTaraToledo(TRegistroDe<C>& r, const TQuelbCargaBalTaras& ATara);

// TXFORN.TXT, 384 characters.
template <class C>
void RegistroFornecedorToledo(TRegistroDe<C>& r, const TQuelbCargaBalFornecedor& AFornecedor);

// DEPTO.TXT, 42 characters.
template <class C>
void RegistroSetorToledo(TRegistroDe<C>& r, const TQuelbCargaBalSetor& ASetor);

}  // namespace quelb
