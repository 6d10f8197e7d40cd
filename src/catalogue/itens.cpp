#include "catalogue/itens.h"

#include "catalogue/erro.h"

namespace quelb {

TQuelbCargaBalItem& TQuelbCargaBalItens::New() {
    FItens.push_back(std::make_unique<TQuelbCargaBalItem>());
    return *FItens.back();
}

void TQuelbCargaBalItens::VerificarIndice(int32_t Index) const {
    if (Index < 0 || Index >= Count()) throw EListaIndice(Index);
}

TQuelbCargaBalItem& TQuelbCargaBalItens::GetItem(int32_t Index) {
    VerificarIndice(Index);
    return *FItens[static_cast<size_t>(Index)];
}

const TQuelbCargaBalItem& TQuelbCargaBalItens::GetItem(int32_t Index) const {
    VerificarIndice(Index);
    return *FItens[static_cast<size_t>(Index)];
}

void TQuelbCargaBalItens::SetItem(int32_t Index, std::unique_ptr<TQuelbCargaBalItem> AValue) {
    VerificarIndice(Index);
    // Writers count on every position holding an item.
    if (!AValue) throw EQuelbErro(u"Item nulo não pode ser colocado na lista");
    auto& lugar = FItens[static_cast<size_t>(Index)];
    if (lugar.get() == AValue.get()) {
        (void)AValue.release();  // already owned here
        return;
    }
    lugar = std::move(AValue);
}


}  // namespace quelb

