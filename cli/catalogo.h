#pragma once
// Catalogue files (JSON and CSV) read into the generator's item list.
#include <stdexcept>
#include <string>
#include <string_view>

#include "catalogue/itens.h"

namespace quelb::cli {

// A catalogue that cannot be read as a whole. The message (UTF-8,
// Portuguese) names the place: "produtos[3].Nutricional.Qtd: ..." or
// "linha 17, coluna ValorVenda: ...".
class ECatalogo : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Appends the items of a JSON catalogue to AItens. On failure throws
// ECatalogo and empties AItens: a catalogue is taken whole or not at all.
// A leading UTF-8 byte-order mark is skipped.
void LerCatalogoJson(const std::string& ADocumento, TQuelbCargaBalItens& AItens);

// Appends the items of a CSV catalogue (UTF-8, or Windows-1252 when the
// bytes are not UTF-8) to AItens. Fails like LerCatalogoJson.
void LerCatalogoCsv(std::string_view ADocumento, TQuelbCargaBalItens& AItens);

}  // namespace quelb::cli
