#pragma once
// The properties of the item model as catalogue files name them, with what
// each holds. The JSON and the CSV readers share this table and the
// conversion of a value into its property.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "catalogue/item.h"

namespace quelb::cli {

enum class TTipoCampo : uint8_t { Inteiro32, Inteiro16, Enumeracao, Decimal, Texto, Registro };

struct TTabelaCampos;

struct TCampo {
    std::string_view Nome;
    TTipoCampo Tipo;
    // Where the property lives in an item (null for a record).
    void* (*Local)(TQuelbCargaBalItem&);
    // Value names of an enumeration, by ordinal.
    std::span<const char* const> Nomes;
    // The fields of an owned record.
    const TTabelaCampos* Registro;
};

struct TTabelaCampos {
    std::string_view Nome;  // empty for the item itself
    std::span<const TCampo> Campos;

    // The field of that exact name (letter case included), or null. Keys
    // mostly come in the same order item after item, so the field after
    // ADepoisDe (a field of this table, or null) is tried first.
    const TCampo* Procurar(std::string_view ANome, const TCampo* ADepoisDe = nullptr) const;
    size_t Indice(const TCampo& ACampo) const { return static_cast<size_t>(&ACampo - Campos.data()); }
};

// The item's fields, records included, in the model's order.
const TTabelaCampos& CamposItem();

// Where a value came from: its text and its syntax.
enum class TOrigemValor {
    NumeroJson,  // the text of a JSON number, as written
    TextoJson,   // a JSON string, UTF-8
    CelulaCsv,   // a CSV cell
};
struct TValor {
    std::string_view Bytes;
    TOrigemValor Origem;
    bool Cp1252 = false;  // a CSV cell of a file read as Windows-1252
};

// Puts the value into the field of the item. When the value does not fit the
// field, returns false with the reason in AErro (UTF-8, without the place).
bool Atribuir(const TCampo& ACampo, TQuelbCargaBalItem& AItem, const TValor& AValor, std::string& AErro);

// "inteiro de 32 bits", "texto", ...: what the field expects.
std::string DescreverEsperado(const TCampo& ACampo);
// The value as a message shows it: a number as written, a text in quotes
// (in UTF-8, shortened when long).
std::string Citar(const TValor& AValor);

}  // namespace quelb::cli
