#pragma once
// The scale models as the command names them: the enumeration's own names
// and the short lower-case aliases of the model table.
#include <optional>
#include <string>
#include <string_view>

#include "catalogue/enumeracoes.h"

namespace quelb::cli {

// "modToledoMGV6" or "toledo-mgv6" (letter case ignored); none when unknown.
std::optional<TQuelbCargaBalModelo> ProcurarModelo(std::string_view ANome);

// The usage error of a model name not found: "modelo desconhecido "X"; quis
// dizer "toledo-mgv6"? (...)".
std::string ModeloDesconhecido(std::string_view ANome);

}  // namespace quelb::cli
