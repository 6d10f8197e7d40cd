#pragma once
// The kind of a finding: its message with the values taken out, so that the
// findings of a load or a catalogue can be counted by kind.
#include <string_view>

#include "catalogue/texto.h"

namespace quelb {

// ADescricao with every quoted text as "…" and every run of digits as "N":
// "campo preco: \"12A4\" não é um número" gives "campo preco: \"…\" não é
// um número".
Texto TipoDoAchado(std::u16string_view ADescricao);

}  // namespace quelb
