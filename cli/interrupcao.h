#pragma once
// Ctrl-C (SIGINT) and SIGTERM during "cargabal gerar": while the catalogue
// is read nothing is written yet, and the command ends at once; once the
// generation starts, the interruption is noted, the generation stops at its
// next step and removes its temporary files, and the old load stays as it
// was. The few replacements at the end are never cut in half.
#include <stdexcept>

namespace quelb::cli {

// Thrown from the generation's steps after an interruption.
class EInterrompido : public std::runtime_error {
public:
    EInterrompido() : std::runtime_error("interrompido") {}
};

// Installs the handling for the rest of the process.
void TratarInterrupcoes();
// From now on an interruption is only noted: the generation is writing.
void GeracaoIniciada();
// Throws EInterrompido when an interruption was noted.
void VerificarInterrupcao();
// The exit status of the interruption noted (130 or 143), or 0.
int CodigoInterrupcao();

// What the command says when it stops for an interruption.
inline constexpr const char* MensagemInterrupcao =
    "cargabal: interrompido; nenhum arquivo de carga foi substituído, a carga anterior ficou como estava\n";

}  // namespace quelb::cli
