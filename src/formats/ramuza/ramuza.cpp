#include "generator/escritores.h"

namespace quelb {

void GerarRamuza(TQuelbCargaBal&, TListaLinhas&) {}

}  // namespace quelb
