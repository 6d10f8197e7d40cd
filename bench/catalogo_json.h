#pragma once
// Writes a catalogue as the JSON file that the cargabal command reads.
#include <cstdio>

#include "catalogue/itens.h"

namespace quelb::bench {

// Writes every item with its set fields; false when a write fails.
bool EscreverCatalogoJson(const TQuelbCargaBalItens& AItens, std::FILE* ASaida);

}  // namespace quelb::bench
