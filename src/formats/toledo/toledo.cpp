#include "generator/escritores.h"

namespace quelb {

void GerarToledo(TQuelbCargaBal&, TListaLinhas&, TListaLinhas&, TListaLinhas&, TListaLinhas&, TListaLinhas*,
                 TListaLinhas*, int32_t) {}

}  // namespace quelb
