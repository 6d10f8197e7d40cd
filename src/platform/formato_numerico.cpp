// The number format of the user's locale, read from the system once, while
// the library is being loaded, and kept for the whole process.
#include "platform/formato_numerico_sistema.h"

namespace quelb::plataforma {

namespace {

TFormatoNumerico& Capturado() {
    static TFormatoNumerico formato = LerFormatoNumericoDoSistema();
    return formato;
}

// Captures the format while the library is being loaded.
[[maybe_unused]] const bool capturadoNaCarga = (Capturado(), true);

}  // namespace

const TFormatoNumerico& FormatoNumerico() { return Capturado(); }

void DefinirFormatoNumerico(const TFormatoNumerico& AFormato) { Capturado() = AFormato; }

}  // namespace quelb::plataforma
