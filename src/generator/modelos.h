#pragma once
// Everything that varies by scale model, in one table indexed by
// TQuelbCargaBalModelo: display name, writer call and the eight file names.
#include <array>
#include <string_view>

#include "catalogue/enumeracoes.h"
#include "generator/escritores.h"

namespace quelb {

struct TDefinicaoModelo {
    TQuelbCargaBalModelo Modelo;
    std::u16string_view Nome;  // ModeloStr
    // Calls the model's writer with the lists it uses, in its argument order.
    void (*Escrever)(TQuelbCargaBal&, TListasCarga&);
    // File names in save order: items, sectors, extra information, nutrition,
    // product-nutrition links, product-recipe links, tares, suppliers. Empty
    // where the model writes no such file.
    std::array<std::u16string_view, 8> Arquivos;
};

// Null for a value outside the enumeration (reachable only by a cast).
const TDefinicaoModelo* DefinicaoModelo(TQuelbCargaBalModelo AModelo);

}  // namespace quelb
