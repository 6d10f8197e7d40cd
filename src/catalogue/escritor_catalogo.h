#pragma once
// Writes items as a catalogue file that the catalogue readers take back
// (JSON or CSV), with the properties chosen, by the property table: amounts
// as exact decimals, enumerations by their names, texts in UTF-8.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "catalogue/itens.h"
#include "catalogue/leitor_catalogo.h"

namespace quelb {

// Receives the file's bytes piece by piece.
using TSaidaCatalogo = std::function<void(std::string_view)>;

// Whether the item at AItem has no value for the property at APropriedade
// (a value that could not be read): it is left out, not written as its
// default.
using TAusente = std::function<bool(int32_t AItem, size_t APropriedade)>;

// AItens with the properties APropriedades (positions in Propriedades):
// JSON, an item a line, its records as nested objects; or CSV, a column per
// property named by its path, ";" between cells, a decimal comma, UTF-8
// with a byte-order mark. An absent value (not given in the item, or
// AAusente) is no key in JSON and an empty cell in CSV; an empty text given
// is "" in both.
void EscreverCatalogo(const TQuelbCargaBalItens& AItens, std::span<const size_t> APropriedades,
                      TFormatoCatalogo AFormato, const TSaidaCatalogo& ASaida, const TAusente& AAusente = {});

// ATexto as a JSON string, quotes included, in UTF-8, appended to ADestino.
void TextoJson(std::u16string_view ATexto, std::string& ADestino);

}  // namespace quelb
