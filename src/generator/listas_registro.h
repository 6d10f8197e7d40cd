#pragma once
// Records whose lists sit between "|" marks (the departments, suppliers and
// inactive scales of a Toledo MGV7 item): the lists are found by their marks,
// whatever their length, and the record is brought to the form this library
// writes, so that the layout reads it; what that form cannot hold is
// counted for the messages.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "catalogue/texto.h"
#include "generator/campos.h"

namespace quelb {

class TListasRegistro {
public:
    // Nothing to do for a layout without "|" marks after its fixed start.
    explicit TListasRegistro(std::span<const TCampo> ACampos);
    bool Ativo() const { return FInicio > 0; }

    // ALinha in the written form, in ADestino; false when ALinha has not the
    // layout's marks after its start (read as it is).
    bool Normalizar(std::u16string_view ALinha, uint64_t ANumero, Texto& ADestino);

    struct TLista {
        Texto Nome;              // "lista de departamentos"
        bool DoSetor = false;    // this library writes the item's sector there, else nothing
        size_t Diferentes = 0;   // records whose list this library does not write
        uint64_t Primeira = 0;   // the line of the first of them
        Texto Exemplo;           // its list
    };
    const std::vector<TLista>& Listas() const { return FListas; }
    // Records that ended after the last mark, without the vendor columns after it.
    size_t SemFinal() const { return FSemFinal; }
    uint64_t PrimeiroSemFinal() const { return FPrimeiroSemFinal; }
    Texto NomesDoFinal() const;

private:
    struct TTrecho {
        const TCampo* Numero = nullptr;  // the list of one number this library writes; null: an empty list
        size_t Lista = SIZE_MAX;         // in FListas; SIZE_MAX: not a list (fields of fixed width)
    };
    std::span<const TCampo> FCampos;
    size_t FInicio = 0;  // of the first mark
    std::vector<TTrecho> FTrechos;  // between each mark and the next, then after the last
    std::span<const TCampo> FFinal;  // vendor columns after the last mark
    std::vector<TLista> FListas;
    size_t FSemFinal = 0;
    uint64_t FPrimeiroSemFinal = 0;
};

}  // namespace quelb
