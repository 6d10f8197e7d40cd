#pragma once
// The four field primitives of every fixed-width record. A value too wide for
// its field keeps its first characters, for numbers as for texts.
#include <cstdint>
#include <string>
#include <string_view>

#include "catalogue/valor_fixo.h"

namespace quelb {

// Left-aligned text: filled with c on the right, or cut to its first n.
std::u16string PreencherDireita(std::u16string_view texto, int32_t n, char16_t c);
// Right-aligned text: filled with c on the left, or cut to its first n.
std::u16string PreencherEsquerda(std::u16string_view texto, int32_t n, char16_t c);
// Decimal digits with "-" for a negative value, then PreencherEsquerda.
std::u16string FormatarInteiro(int32_t valor, int32_t n, char16_t c);
// The amount in units of the casas-th decimal, truncated toward zero, low 32
// bits, then FormatarInteiro.
std::u16string FormatarDecimal(int32_t n, int32_t casas, char16_t c, TValorFixo valor);

// Appending forms, used by the record builder to avoid temporaries; each
// appends exactly what the function of the same name returns.
void AcrescentarPreencherDireita(std::u16string& d, std::u16string_view texto, int32_t n, char16_t c);
void AcrescentarPreencherEsquerda(std::u16string& d, std::u16string_view texto, int32_t n, char16_t c);
void AcrescentarInteiro(std::u16string& d, int32_t valor, int32_t n, char16_t c);
void AcrescentarDecimal(std::u16string& d, int32_t n, int32_t casas, char16_t c, TValorFixo valor);

// The value of FormatarDecimal before formatting: the amount in units of the
// casas-th decimal, truncated toward zero, as a 32-bit integer (low bits).
int32_t UnidadesDecimais(TValorFixo valor, int32_t casas);

}  // namespace quelb
