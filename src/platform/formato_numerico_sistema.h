#pragma once
// Reading the number format from the system, one implementation per
// platform; formato_numerico.cpp calls it once while the library loads.
#include "platform/plataforma.h"

namespace quelb::plataforma {

// The decimal and group separators of the user's locale as the system gives
// them now, with "." and "," where the locale has none.
TFormatoNumerico LerFormatoNumericoDoSistema();

}  // namespace quelb::plataforma
