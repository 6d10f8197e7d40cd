#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "generator/lista_linhas.h"

namespace quelb {

// Saves a line list: every line followed by CR LF, in the 8-bit code page
// (with a byte-order mark only when that code page is UTF-8), replacing any
// file of the same name. Fails with "Cannot create file "%s". %s" or
// "Stream write error".
void SalvarLista(TListaLinhas& ALista, const std::u16string& ACaminho);

// One file of a set: the list that becomes it, and its full path.
struct TArquivoConjunto {
    TListaLinhas* Lista;
    std::u16string Caminho;
};

// The files of one load, saved as one set: all of them replace the old
// ones, or none does.
struct TConjunto {
    // In save order.
    std::vector<TArquivoConjunto> Arquivos;
    size_t Sinal = SIZE_MAX;  // the index in Arquivos of the file replaced last
    // Old files to remove with the replacements (an earlier load's files
    // that this one does not write).
    std::vector<std::u16string> Remover;
    // Called once every file is written and flushed, before anything is
    // replaced: an exception from it cancels the save.
    std::function<void()> AntesDeSubstituir;
};

// Saves AConjunto:
// 1. completes and flushes each file's temporary file and checks its
//    target, in save order; the first failure stops the save with the
//    message of SalvarLista, nothing replaced;
// 2. calls AntesDeSubstituir;
// 3. with interruptions held back, removes the files of Remover, then
//    replaces the targets in save order, the sign file last;
// 4. flushes the folders.
// AGerados receives the paths replaced, in save order, also when a rare
// failure in step 3 or 4 stops the save after the first replacement. The
// temporary files of the lists go with the lists.
void SalvarConjunto(TConjunto& AConjunto, std::vector<std::u16string>& AGerados);

}  // namespace quelb
