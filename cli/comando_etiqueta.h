#pragma once
// The "etiqueta" command: reads scale labels (EAN-13 bar codes) as the till
// would, by a layout, and names the products they carry.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quelb::cli {

extern const char* const AjudaEtiqueta;

// The exit status: 0 when every code reads (and, with a catalogue or a
// load, names a product of it), 2 otherwise or on bad arguments.
int ComandoEtiqueta(const std::vector<std::string>& AArgs);

// "--peso-maximo": kilograms with up to three decimals, a point or a comma
// ("15", "7,5"), from 0.001 to 1000; in grams. None for anything else.
std::optional<int32_t> PesoMaximoEmGramas(std::string_view ATexto);

}  // namespace quelb::cli
