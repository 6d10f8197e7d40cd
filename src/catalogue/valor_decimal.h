#pragma once
// Decimal text to a count of ten-thousandths, digit by digit: the text is
// never passed through a binary float, so "0.1" is exactly 1000.
#include <cstdint>
#include <string>
#include <string_view>

namespace quelb {

enum class TResultadoDecimal { Ok, Invalido, ForaDoIntervalo };

struct TFormaDecimal {
    // "1E+3", "5e-2" (JSON numbers). Plain texts have no exponent.
    bool PermitirExpoente = false;
    // "12,50" as well as "12.50" (spreadsheet cells); never both in one text.
    bool PermitirVirgula = false;
};

// Accepts an optional "-", digits with at most one decimal separator (at
// least one digit in all) and, when allowed, an exponent. Rounds to the
// nearest ten-thousandth, a half going to the even neighbour. A result
// outside the signed 64-bit range is ForaDoIntervalo; ADezMilesimos is
// written only on Ok.
TResultadoDecimal ConverterDecimal(std::string_view ATexto, TFormaDecimal AForma, int64_t& ADezMilesimos);

// The amount as plain decimal text, exactly, without trailing zeros:
// "12.5", "-0.015", "3".
std::string TextoDecimal(int64_t ADezMilesimos);

}  // namespace quelb
