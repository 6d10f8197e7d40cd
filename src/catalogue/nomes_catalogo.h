#pragma once
// How catalogue files name the properties of an item: letter case, accents
// and surrounding spaces do not count, a few synonyms that exports use are
// the same property, and a name close to a known one is taken for a typo.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quelb {

// The records of an item, by the prefix of their catalogue paths (and the
// group of the vendor's columns of the Toledo item record).
inline constexpr std::string_view NomesRegistros[] = {"Setor", "Nutricional", "Tara", "Fornecedor",
                                                      "InformacaoExtra", "Toledo"};
inline constexpr int QuantidadeRegistros = 6;

// What a name stands for: a property (its position in Propriedades) or one
// of the item's records.
struct TAlvoNome {
    int16_t Propriedade = -1;
    int8_t Registro = -1;
    bool Conhecido() const { return Propriedade >= 0 || Registro >= 0; }
};

// The name as it is compared: spaces around it dropped, letters in lower
// case and without accents ("  Descrição " is "descricao").
std::string NormalizarNome(std::u16string_view ANome);

// A name inside an object of a JSON item: ARegistro -1 for the item itself
// (properties, records and synonyms), else the record's position in
// NomesRegistros (its properties).
TAlvoNome ProcurarNome(int ARegistro, std::string_view ANormalizado);
// A CSV column: a property path ("setor.codigo") or a property of the item.
TAlvoNome ProcurarCaminho(std::string_view ANormalizado);

// The known name that an unknown one is a near miss of ("Descricoa" for
// Descricao): at most two letters inserted, removed, changed or swapped for
// names of 6 letters or more, one for shorter ones. The name as the catalogue
// format spells it, or none.
std::optional<std::string> SugerirNome(int ARegistro, std::string_view ANormalizado);
std::optional<std::string> SugerirCaminho(std::string_view ANormalizado);

// Edits (insertions, removals, changes, swaps of neighbours) from A to B,
// stopping at ALimite + 1.
size_t DistanciaNomes(std::string_view A, std::string_view B, size_t ALimite);

}  // namespace quelb
