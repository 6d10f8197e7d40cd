#include "catalogue/itens.h"

#include "catalogue/erro.h"

namespace quelb {

TQuelbCargaBalItem& TQuelbCargaBalItens::New() {
    const auto i = static_cast<size_t>(FCount);
    if (i / ItensPorBloco == FBlocos.size()) FBlocos.push_back(std::make_unique<TQuelbCargaBalItem[]>(ItensPorBloco));
    ++FCount;
    ++FVersao;
    return Em(static_cast<int32_t>(i));
}

void TQuelbCargaBalItens::Truncar(int32_t ACount) noexcept {
    if (ACount < 0 || ACount >= FCount) return;
    // The items taken back become defaults again, ready for New; the blocks
    // left without items go.
    for (int32_t i = ACount; i < FCount; ++i) Em(i) = TQuelbCargaBalItem();
    FBlocos.resize((static_cast<size_t>(ACount) + ItensPorBloco - 1) / ItensPorBloco);
    FCount = ACount;
    ++FVersao;
}

void TQuelbCargaBalItens::VerificarIndice(int32_t Index) const {
    if (Index < 0 || Index >= Count()) throw EListaIndice(Index);
}

TQuelbCargaBalItem& TQuelbCargaBalItens::GetItem(int32_t Index) {
    VerificarIndice(Index);
    return Em(Index);
}

const TQuelbCargaBalItem& TQuelbCargaBalItens::GetItem(int32_t Index) const {
    VerificarIndice(Index);
    return Em(Index);
}

}  // namespace quelb
