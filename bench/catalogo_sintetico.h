#pragma once
// Deterministic synthetic catalogues for the benchmark: the same profile, size
// and seed always give the same items.
#include <cstdint>
#include <string_view>

#include "catalogue/itens.h"

namespace quelb::bench {

enum class TPerfil {
    // Every item in one of 50 sectors; a third with nutrition facts; a fifth
    // with an ingredient text of 200 to 800 characters; tares and suppliers
    // from a few dozen shared records; descriptions of 10 to 40 characters
    // with accents.
    Realista,
    // Every item with its own ingredient text, nutrition facts, tare,
    // supplier and sector, so that no line of any file repeats another.
    PiorCaso,
};

std::string_view NomePerfil(TPerfil APerfil);

// Appends AQuantidade items to AItens.
void PreencherCatalogo(TPerfil APerfil, int32_t AQuantidade, TQuelbCargaBalItens& AItens);

}  // namespace quelb::bench
