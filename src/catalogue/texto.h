#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace quelb {

// Text inside the library is UTF-16: every width, cut and sum counts 16-bit
// code units.
using Texto = std::u16string;

// UTF-16 to UTF-8. A lone surrogate becomes U+FFFD.
std::string ParaUtf8(std::u16string_view ATexto);

// UTF-8 to UTF-16. Returns false (and leaves ADestino partly filled) when the
// bytes are not well-formed UTF-8.
bool DeUtf8(std::string_view ABytes, std::u16string& ADestino);

// UTF-8 to UTF-16 for texts known to be valid (literals, system messages);
// an ill-formed byte becomes U+FFFD.
std::u16string DeUtf8(std::string_view ABytes);

// An integer in decimal digits, as messages show it: "-12".
std::u16string NumeroEmTexto(int64_t AValor);

// The same in at least ALargura digits, zeros on the left of a
// non-negative number: "06".
std::u16string NumeroComZeros(int64_t AValor, size_t ALargura);

// A count and its words, as messages say it: "1 registro tem", "3 registros têm".
std::u16string Plural(uint64_t AQuantidade, std::u16string_view ASingular, std::u16string_view APlural);

}  // namespace quelb
