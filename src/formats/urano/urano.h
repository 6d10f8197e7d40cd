#pragma once
// The Urano loads: Urano and Urano S (framed, checksummed records in one
// file) and URF32 (plain lines in five files).
#include <array>

#include "generator/carga.h"

namespace quelb::urano {

extern const std::array<TArquivoModelo, 1> ArquivosUrano;
extern const std::array<TArquivoModelo, 1> ArquivosUranoS;
extern const std::array<TArquivoModelo, 5> ArquivosURF32;

std::unique_ptr<TEscritorItens> CriarEscritorUrano(TCarga& ACarga);
std::unique_ptr<TEscritorItens> CriarEscritorUranoS(TCarga& ACarga);
std::unique_ptr<TEscritorItens> CriarEscritorURF32(TCarga& ACarga);

}  // namespace quelb::urano
