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
    void Clear() noexcept { FItens.clear(); }
    int32_t Count() const { return static_cast<int32_t>(FItens.size()); }

    TQuelbCargaBalItem& GetItem(int32_t Index);
    const TQuelbCargaBalItem& GetItem(int32_t Index) const;
    // Puts AValue at Index and takes ownership of it; the item that was there
    // is destroyed, unless it is AValue itself (then nothing happens). On a
    // bad index the list is unchanged and AValue is destroyed with its pointer.
    void SetItem(int32_t Index, std::unique_ptr<TQuelbCargaBalItem> AValue);

    TQuelbCargaBalItem& Items(int32_t Index) { return GetItem(Index); }
    const TQuelbCargaBalItem& Items(int32_t Index) const { return GetItem(Index); }

    // Range access for the writers, in list order.
    auto begin() const { return FItens.begin(); }
    auto end() const { return FItens.end(); }

private:
    void VerificarIndice(int32_t Index) const;
    std::vector<std::unique_ptr<TQuelbCargaBalItem>> FItens;
};

}  // namespace quelb
