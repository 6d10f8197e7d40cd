#pragma once
#include "generator/gerador.h"

namespace quelb {

// The generator behind the exported functions, or null before the first
// Inicializar. For tests that look at what the functions stored.
TQuelbCargaBal* GeradorCompartilhado();

}  // namespace quelb
