#include "generator/escritores.h"

namespace quelb {

void GerarUrano(TQuelbCargaBal&, TListaLinhas&) {}
void GerarUranoS(TQuelbCargaBal&, TListaLinhas&) {}
void GerarUranoURF32(TQuelbCargaBal&, TListaLinhas&, TListaLinhas&, TListaLinhas&, TListaLinhas&, TListaLinhas&) {}

}  // namespace quelb
