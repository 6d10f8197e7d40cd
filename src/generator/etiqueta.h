#pragma once
// The in-store EAN-13 bar codes that a scale prints on its labels: the item's
// code and the label's total price, weight or count, in a layout that the
// scale and the point-of-sale program must share. A layout is written as
// the manuals show it, one character per digit: "2CCCCCCPPPPPD".
//
//   digit  fixed (the prefix "2" or "20", a filler "0")
//   C      the item code (the PLU of the load)
//   P      the label's total price in cents
//   W      the weight in grams
//   Q      a count of units
//   V      the GS1 verifier digit of the P or W field right after it (4 or 5 digits)
//   D      the EAN-13 check digit, always the last
//
// Messages are UTF-8, in Portuguese like the rest of the library's.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quelb {

// What the amount field of a label holds.
enum class TGrandezaEtiqueta : uint8_t {
    Preco,       // P: cents
    Peso,        // W: grams
    Quantidade,  // Q: units
};

// A layout, parsed once (LerFormatoEtiqueta).
struct TFormatoEtiqueta {
    std::string Padrao;  // the 13 characters, letters in upper case
    // The item code field.
    uint8_t InicioCodigo = 0, DigitosCodigo = 0;
    // The amount field.
    TGrandezaEtiqueta Grandeza = TGrandezaEtiqueta::Preco;
    uint8_t InicioValor = 0, DigitosValor = 0;
    // The verifier digit of the amount (V), or none.
    std::optional<uint8_t> Verificador;

    // The largest code and amount the fields hold: 10^digits - 1.
    int64_t MaiorCodigo() const;
    int64_t MaiorValor() const;
    // "preço", "peso", "quantidade".
    const char* NomeGrandeza() const;
};

// The layout of a text, or none with the reason in AErro ("falta o dígito
// verificador D no fim", ...). Spaces around it are ignored and letters may
// be in any case.
std::optional<TFormatoEtiqueta> LerFormatoEtiqueta(std::string_view ATexto, std::string& AErro);

// What the till reads from a label: the item code and the amount, or the
// reason the label does not read.
struct TLeituraEtiqueta {
    bool Ok = false;
    std::string Erro;  // when not Ok: "o dígito verificador do EAN-13 é 1, mas deveria ser 0"
    int64_t Codigo = 0;
    TGrandezaEtiqueta Grandeza = TGrandezaEtiqueta::Preco;
    int64_t Valor = 0;  // cents, grams or units
};

// Reads a label's 13 digits (spaces around them ignored) by a layout: not 13
// digits, a wrong EAN-13 check digit, a prefix or fixed digit that is not
// the layout's, a wrong verifier digit of the amount: each is an error.
TLeituraEtiqueta DecodificarEtiqueta(const TFormatoEtiqueta& AFormato, std::string_view ACodigo);

// "codigo=149;preco=2.84", "codigo=10085;peso=2.504", "codigo=7;quantidade=3",
// or "erro: <reason>".
std::string TextoDaLeitura(const TLeituraEtiqueta& ALeitura);

// The 13 digits of the label of an item code and an amount, the verifier
// and check digits computed; none with the reason in AErro when the code or
// the amount is negative or wider than its field.
std::optional<std::string> CodificarEtiqueta(const TFormatoEtiqueta& AFormato, int64_t ACodigo, int64_t AValor,
                                             std::string& AErro);

// The EAN-13 check digit of the first 12 digits of ADigitos.
int DigitoEAN13(std::string_view ADigitos);

// The GS1 verifier digit (General Specifications 7.9.3) of a price or
// weight field of 4 or 5 digits; -1 for any other length.
int DigitoVerificadorValor(std::string_view ADigitos);

// An amount of AInteiros thousandths or hundredths as text with a point:
// ComCasas(284, 2) == "2.84", ComCasas(2504, 3) == "2.504".
std::string ComCasas(int64_t AValor, int ACasas);

}  // namespace quelb
