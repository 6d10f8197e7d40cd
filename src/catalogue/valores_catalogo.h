#pragma once
// The values of a catalogue file turned into the values of the item model:
// integers, amounts, enumeration names, and the numbers of CSV cells with
// their decimal separator, grouping and currency sign.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "catalogue/propriedades.h"

namespace quelb {

// A whole number in JSON number syntax (with AExpoente) or as digits with an
// optional sign: "123", "-5", "123.0" and "1e2" (with AExpoente) give the
// integer; a fraction that is not zero, or anything else, does not.
// AForaDoIntervalo tells a whole value outside the 64-bit range.
bool InteiroExato(std::string_view ATexto, bool AExpoente, int64_t& AValor, bool& AForaDoIntervalo);

// The enumeration value named ANome: its name in any letter case, with or
// without its "tp"/"tpv" prefix; PartDecimal also takes the fraction ("1/2",
// "3/4", "0").
std::optional<uint8_t> ProcurarEnumeracao(const TPropriedade& APropriedade, std::string_view ANome);

// A boolean text: "true"/"false", "sim"/"não", "1"/"0"; with ACsv also
// "s"/"n" and "x"/"" (any case).
std::optional<bool> LerBooleano(std::string_view ATexto, bool ACsv);

enum class TNumeroCsv {
    Ok,
    Invalido,
    SeparadorErrado,  // a decimal separator that is not the file's
    Ambiguo,          // "1.500" in a comma file: a thousand or one and a half
};

// The number of a CSV cell as plain text ("-1234.56"): "R$" and spaces
// around it dropped; with the comma as the file's decimal separator a point
// groups thousands where it cannot be a decimal point ("1.234,56",
// "1.234.567"; for an integer also "1.234"). APlano receives the plain
// number for ConverterDecimal or InteiroExato.
TNumeroCsv NormalizarNumeroCsv(std::string_view ACelula, char ASeparadorDecimal, bool AInteiro, std::string& APlano);

}  // namespace quelb
