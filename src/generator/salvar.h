#pragma once
#include <string>

#include "generator/lista_linhas.h"

namespace quelb {

// Saves a line list: every line followed by CR LF, in the 8-bit code page
// (with a byte-order mark only when that code page is UTF-8), replacing any
// file of the same name. Fails with "Cannot create file "%s". %s" or
// "Stream write error".
void SalvarLista(TListaLinhas& ALista, const std::u16string& ACaminho);

}  // namespace quelb
