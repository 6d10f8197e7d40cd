#pragma once
// The Ramuza load: one record per item, in catalogue order, numbered from 1.
#include <array>

#include "generator/carga.h"

namespace quelb::ramuza {

extern const std::array<TArquivoModelo, 1> Arquivos;

std::unique_ptr<TEscritorItens> CriarEscritor(TCarga& ACarga);

}  // namespace quelb::ramuza
