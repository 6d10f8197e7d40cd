#pragma once
// The Toledo loads: plain Toledo, and the MGV5 version 1, MGV5, MGV6 and
// MGV7 layouts of its management software.
#include <array>

#include "generator/carga.h"

namespace quelb::toledo {

extern const std::array<TArquivoModelo, 1> ArquivosToledo;
extern const std::array<TArquivoModelo, 6> ArquivosMGV5Ver1;
extern const std::array<TArquivoModelo, 6> ArquivosMGV;  // MGV5 and MGV6 write the same files
extern const std::array<TArquivoModelo, 6> ArquivosMGV7;

std::unique_ptr<TEscritorItens> CriarEscritorToledo(TCarga& ACarga);
std::unique_ptr<TEscritorItens> CriarEscritorMGV5Ver1(TCarga& ACarga);
std::unique_ptr<TEscritorItens> CriarEscritorMGV(TCarga& ACarga);
std::unique_ptr<TEscritorItens> CriarEscritorMGV7(TCarga& ACarga);

}  // namespace quelb::toledo
