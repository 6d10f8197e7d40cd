#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "catalogue/item.h"

namespace quelb {

// The owning list of items. Positions count from 0; an index outside
// 0..Count()-1 fails with "List index out of bounds (%d)".
class TQuelbCargaBalItens {
public:
    // Creates an item with its defaults, appends it and returns it.
    TQuelbCargaBalItem& New();
    // Destroys every item.
    void Clear() noexcept {
        FItens.clear();
        ++FVersao;
    }
    // Destroys the items from position ACount on (a reading that failed
    // takes back what it appended).
    void Truncar(int32_t ACount) noexcept {
        if (ACount >= 0 && static_cast<size_t>(ACount) < FItens.size()) {
            FItens.resize(static_cast<size_t>(ACount));
            ++FVersao;
        }
    }
    int32_t Count() const { return static_cast<int32_t>(FItens.size()); }

    TQuelbCargaBalItem& GetItem(int32_t Index);
    const TQuelbCargaBalItem& GetItem(int32_t Index) const;
    // Changes whenever an item is added or removed, or Alterado is called: a
    // generation checks it after every progress event.
    uint64_t Versao() const { return FVersao; }
    // Tells a running generation that the catalogue changed in a way the
    // version does not see (a property of an item set from outside).
    void Alterado() noexcept { ++FVersao; }

private:
    void VerificarIndice(int32_t Index) const;
    std::vector<std::unique_ptr<TQuelbCargaBalItem>> FItens;
    uint64_t FVersao = 0;
};

}  // namespace quelb
