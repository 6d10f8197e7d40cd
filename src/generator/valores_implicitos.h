#pragma once
// The values a record implies without showing them: a record written only
// under a condition on a value (a Urano nutrition record exists only when
// Nutricional.Qtd is above 0). Reading a load sets the smallest value that
// writes the same record.
#include <cstddef>
#include <vector>

#include "catalogue/item.h"
#include "generator/campos.h"

namespace quelb {

// Where AItem carries a record of ALayout but its values would not write
// it, sets the smallest values that do.
void GarantirPresenca(const TLayoutRegistro& ALayout, TQuelbCargaBalItem& AItem);

// The properties a record of ALayout implies (positions in Propriedades).
std::vector<size_t> PropriedadesImplicitas(const TLayoutRegistro& ALayout);

}  // namespace quelb
