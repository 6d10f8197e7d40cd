#pragma once
// The Filizola load: its files and the writing of an item's records.
#include <array>

#include "generator/carga.h"

namespace quelb::filizola {

extern const std::array<TArquivoModelo, 4> Arquivos;

std::unique_ptr<TEscritorItens> CriarEscritor(TCarga& ACarga);

}  // namespace quelb::filizola
