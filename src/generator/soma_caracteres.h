#pragma once
// The checksum of the framed Urano records: the sum of the characters of the
// record, written in hexadecimal.
#include <cstdint>
#include <string_view>

#include "generator/campo_curto.h"

namespace quelb {

// The sum of the UTF-16 code unit values of ATexto, as a 32-bit integer
// (wrapping past 2^31 - 1). Each character counts with its Unicode value, not
// with its byte in the saved file. 0 for an empty text.
int32_t SomaCaracteres(std::u16string_view ATexto);
// The same for a text held as the bytes of the code page table, each byte
// counting with the value of its character.
int32_t SomaCaracteres(std::string_view ABytes);

enum class TCaixaHexa { Maiusculas, Minusculas };

// The 32 bits of AValor in hexadecimal, at least four digits filled with "0";
// a larger value gets all the digits it needs (never cut).
TCampoCurto Hexadecimal4(int32_t AValor, TCaixaHexa ACaixa);

}  // namespace quelb
