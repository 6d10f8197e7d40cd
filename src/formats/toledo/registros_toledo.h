#pragma once
// The records of the Toledo loads. Each function builds one record into a
// reused builder, field by field in column order. The item records are built
// by either kind of builder (UTF-16 or bytes).
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
void RegistroInformacaoExtraToledo(TRegistro& r, const TQuelbCargaBalInformacaoExtra& AInformacao,
                                   int32_t ACodigo);

// INFNUTRI.TXT, 45 characters.
void RegistroNutricionalToledo(TRegistro& r, const TQuelbCargaBalNutricional& ANutricional);

// TARA.TXT, 30 characters.
void RegistroTaraToledo(TRegistro& r, const TQuelbCargaBalTaras& ATara);

// TXFORN.TXT, 384 characters.
void RegistroFornecedorToledo(TRegistro& r, const TQuelbCargaBalFornecedor& AFornecedor);

// DEPTO.TXT, 42 characters.
void RegistroSetorToledo(TRegistro& r, const TQuelbCargaBalSetor& ASetor);

}  // namespace quelb
