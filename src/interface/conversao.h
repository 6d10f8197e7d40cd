#pragma once
// Conversions of the host's argument texts and price.
#include <cstdint>
#include <optional>
#include <string_view>

#include "catalogue/enumeracoes.h"
#include "catalogue/valor_fixo.h"

namespace quelb {

// An integer text: spaces, an optional sign, then decimal digits within
// 32 bits or a hexadecimal prefix ("$", "x", "X", "0x", "0X") and up to 32
// bits of hex digits, and nothing after. Fails with
// "'%s' is not a valid integer value".
int32_t ConverterInteiro(std::u16string_view ATexto);
// The same test without failing.
std::optional<int32_t> TentarConverterInteiro(std::u16string_view ATexto);

// The price: times 10000 with a 64-bit significand, then to the nearest
// integer, halves to even. Fails with "Invalid floating point operation" for
// a value not finite or out of the 64-bit range.
TValorFixo ConverterPreco(double AValor);

// Name tables of the host interface (exact comparison, letter case included).
std::optional<TQuelbCargaBalModelo> ModeloPorNome(std::u16string_view ANome);
std::optional<TQuelbCargaBalTipoVenda> TipoVendaPorNome(std::u16string_view ANome);

}  // namespace quelb
