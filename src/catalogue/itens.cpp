#include "catalogue/itens.h"

#include "catalogue/erro.h"

namespace quelb {

TQuelbCargaBalItem& TQuelbCargaBalItens::New() {
    FItens.push_back(std::make_unique<TQuelbCargaBalItem>());
    ++FVersao;
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

}  // namespace quelb

