#pragma once
#include <cstdint>

#include "catalogue/item.h"

namespace quelb {

// The extra-information code of the Filizola and Toledo MGV loads, settled
// in the item itself: a text shorter than three characters has no record
// (code 0), and a text without a code of its own takes the item's code.
// An item that was not given its text keeps its code. Returns the code.
int32_t AcertarCodigoInformacaoExtra(TQuelbCargaBalItem& AItem);

// What the writers may settle in an item, kept when made and put back when
// dropped: the check runs a writer on the catalogue's own item, not on a
// copy (copying every item with its texts took a seventh of the check's
// time), and leaves it as it was.
class TGuardaAcertos {
public:
    explicit TGuardaAcertos(TQuelbCargaBalItem& AItem)
        : FItem(AItem), FCodigoInformacaoExtra(AItem.InformacaoExtra.Codigo) {}
    ~TGuardaAcertos() { FItem.InformacaoExtra.Codigo = FCodigoInformacaoExtra; }
    TGuardaAcertos(const TGuardaAcertos&) = delete;
    TGuardaAcertos& operator=(const TGuardaAcertos&) = delete;

private:
    TQuelbCargaBalItem& FItem;
    const int32_t FCodigoInformacaoExtra;
};

}  // namespace quelb
