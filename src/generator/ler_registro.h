#pragma once
// Reads a record line back into its fields, by the same layout table that
// wrote it (campos.h).
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "generator/campos.h"

namespace quelb {

struct TCampoLido {
    const TCampo* Campo;
    size_t Coluna;              // from 1
    std::u16string_view Texto;  // the field's characters in the line
    // False when the characters are not what such a field writes (a letter
    // in a number, a code outside the table, another fixed text, a checksum
    // that does not match the characters before it).
    bool Valido = true;
    // Numero and Posicao: the integer. Decimal and the prices: the amount in
    // ten-thousandths (Decimal: divided by the field's Fator again). Codigo:
    // the ordinal of the code. Soma: the checksum read.
    int64_t Numero = 0;
};

// Reads ALinha by the layout ACampos into ACampos' fields, in order. Fields
// that widen take their width from the line. Returns false when the line is
// shorter or longer than the layout allows; the fields that fit are read
// all the same.
bool LerRegistro(std::span<const TCampo> ACampos, std::u16string_view ALinha, std::vector<TCampoLido>& ALidos);

// The same, only finding each field's characters: Valido and Numero are
// left to InterpretarCampo, for the fields that need them.
bool DividirRegistro(std::span<const TCampo> ACampos, std::u16string_view ALinha, std::vector<TCampoLido>& ALidos);
// Sets Valido and Numero of a field that DividirRegistro found in ALinha.
void InterpretarCampo(TCampoLido& ALido, std::u16string_view ALinha);

}  // namespace quelb
