#pragma once
// The kind of a finding: its message with the values taken out, so that the
// findings of a load or a catalogue can be counted by kind.
#include <string_view>

#include "catalogue/texto.h"

namespace quelb {

// AValor as a message quotes it: in double quotes, each of its own double
// quotes doubled (PAO "X" gives "PAO ""X"""), so that TipoDoAchado finds
// where it ends.
Texto CitarValor(std::u16string_view AValor);

// ADescricao with every quoted text as "…" and every run of digits as "N":
// "campo preco: \"12A4\" não é um número" gives "campo preco: \"…\" não é
// um número". A doubled quote inside a quoted text is part of it.
Texto TipoDoAchado(std::u16string_view ADescricao);

}  // namespace quelb
