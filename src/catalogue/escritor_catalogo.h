#pragma once
// Writes items as a catalogue file that the catalogue readers take back
// (JSON or CSV), with the properties chosen, by the property table: amounts
// as exact decimals, enumerations by their names, texts in UTF-8.
#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "catalogue/itens.h"
#include "catalogue/leitor_catalogo.h"

namespace quelb {

// Receives the file's bytes piece by piece.
using TSaidaCatalogo = std::function<void(std::string_view)>;

// AItens with the properties APropriedades (positions in Propriedades):
// JSON, an item a line, its records as nested objects; or CSV, a column per
// property named by its path, ";" between cells, a decimal comma, UTF-8
// with a byte-order mark.
// ATexto as a JSON string, quotes included, in UTF-8, appended to ADestino.
void TextoJson(std::u16string_view ATexto, std::string& ADestino);

void EscreverCatalogo(const TQuelbCargaBalItens& AItens, std::span<const size_t> APropriedades,
                      TFormatoCatalogo AFormato, const TSaidaCatalogo& ASaida);

}  // namespace quelb
