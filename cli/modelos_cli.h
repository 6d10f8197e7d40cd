#pragma once
// The scale models as the command names them: the enumeration's own names
// and short lower-case aliases.
#include <optional>
#include <string_view>
#include <vector>

#include "catalogue/enumeracoes.h"

namespace quelb::cli {

// "modToledoMGV6" or "toledo-mgv6" (letter case ignored); none when unknown.
std::optional<TQuelbCargaBalModelo> ProcurarModelo(std::string_view ANome);
std::string_view ApelidoModelo(TQuelbCargaBalModelo AModelo);
// The files a generation for the model can write, in save order.
std::vector<std::u16string_view> ArquivosDoModelo(TQuelbCargaBalModelo AModelo);

}  // namespace quelb::cli
