#pragma once
// The "ler" command: reads a load back into a catalogue and lists what is
// wrong with its files.
#include <optional>
#include <string>
#include <vector>

#include "catalogue/enumeracoes.h"
#include "generator/ler_carga.h"

namespace quelb::cli {

extern const char* const AjudaLer;

// The exit status: 0 a clean load, 4 a damaged one (the catalogue is written
// all the same), 2 bad arguments or no load to read, 1 a catalogue that could
// not be written.
int ComandoLer(const std::vector<std::string>& AArgs);

// The files of the load named by AEntrada (a folder: the files of it that
// some model writes; one file: by another name, the model's item file) into
// AArquivos, and its model: AModelo when given, otherwise detected from the
// files (said on standard error), as are the files of another model left
// unread. A usage error of AComando is written and its exit status returned.
std::optional<int> ArquivosDaCarga(const std::string& AEntrada, const std::string& AComando,
                                   std::optional<TQuelbCargaBalModelo>& AModelo, std::vector<TArquivoCarga>& AArquivos,
                                   bool ASilencioso = false);

}  // namespace quelb::cli
