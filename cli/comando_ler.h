#pragma once
// The "ler" command: reads a load back into a catalogue and lists what is
// wrong with its files.
#include <string>
#include <vector>

namespace quelb::cli {

extern const char* const AjudaLer;

// The exit status: 0 a clean load, 4 a damaged one (the catalogue is written
// all the same), 2 bad arguments or no load to read, 1 a catalogue that could
// not be written.
int ComandoLer(const std::vector<std::string>& AArgs);

}  // namespace quelb::cli
