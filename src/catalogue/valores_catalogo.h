#pragma once
// The values of a catalogue file turned into the values of the item model:
// integers, amounts, enumeration names, and the numbers of CSV cells with
// their decimal separator, grouping and currency sign.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "catalogue/item.h"
#include "catalogue/propriedades.h"

namespace quelb {

namespace leitura {
struct TRascunhoTexto;
}

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

// How a value is written: a JSON number, a JSON true or false, or a text (a
// JSON string, or a text that a host program hands over).
enum class TFormaValor : uint8_t { Numero, Booleano, Texto };

// Sets APropriedade of AItem from a value written as AForma (UTF-8): an
// integer within the property's range, an exact decimal (a point or a comma
// in a text, an exponent in a number), an enumeration name, a boolean, or a
// text composed to NFC. Returns the error ("esperado inteiro de 32 bits,
// encontrado \"abc\""), or an empty text when the value was set; the item
// changes only then. The JSON reader and the host's DefinirCampo both set
// values through here.
// ARascunho is room reused from value to value; a text of a byte per
// character goes into AArena, the arena of the list that holds AItem.
std::string DefinirValor(const TPropriedade& APropriedade, TQuelbCargaBalItem& AItem, TFormaValor AForma,
                         std::string_view AUtf8, leitura::TRascunhoTexto& ARascunho, TArenaTextos& AArena);

}  // namespace quelb
