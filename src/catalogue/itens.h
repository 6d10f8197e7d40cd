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
        FBlocos.clear();
        FTextos.Limpar();
        FCount = 0;
        ++FVersao;
    }
    // Destroys the items from position ACount on (a reading that failed
    // takes back what it appended).
    void Truncar(int32_t ACount) noexcept;
    int32_t Count() const { return FCount; }
    // Room for the texts of these items (TTextoItem::DefinirLatin1), given
    // back by Clear. The texts of items taken back by Truncar stay in it: a
    // reading keeps its texts in an arena of its own until it succeeds.
    TArenaTextos& Textos() { return FTextos; }

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
    TQuelbCargaBalItem& Em(int32_t Index) const {
        const auto i = static_cast<size_t>(Index);
        return FBlocos[i / ItensPorBloco][i % ItensPorBloco];
    }

    // The items live in blocks of ItensPorBloco, made as needed: an item
    // never moves (references to it stay valid), and a big catalogue costs
    // no heap block nor pointer per item. A block holds default items past
    // Count().
    static constexpr size_t ItensPorBloco = 1024;
    TArenaTextos FTextos;  // declared first: the items go before their texts
    std::vector<std::unique_ptr<TQuelbCargaBalItem[]>> FBlocos;
    int32_t FCount = 0;
    uint64_t FVersao = 0;
};

}  // namespace quelb
