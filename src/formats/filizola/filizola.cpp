#include "generator/escritores.h"

namespace quelb {

void GerarFilizola(TQuelbCargaBal&, TListaLinhas&, TListaLinhas&, TListaLinhas&, TListaLinhas&) {}

}  // namespace quelb
