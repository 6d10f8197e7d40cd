#pragma once
// Records whose lists sit between "|" marks (the departments, suppliers and
// inactive scales of a Toledo MGV7 item). Some writers end the record after
// its last mark, without the vendor columns that follow it; such a record is
// brought to the written form, those columns in their usual constants, so
// that the layout reads it, and counted for the messages.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "catalogue/texto.h"
#include "generator/campos.h"

namespace quelb {

class TListasRegistro {
public:
    // Nothing to do for a layout without "|" marks after its fixed start.
    explicit TListasRegistro(std::span<const TCampo> ACampos);
    bool Ativo() const { return FInicio > 0; }

    // ALinha completed after its last mark, in ADestino; false when ALinha
    // has not the layout's marks after its start or needs nothing.
    bool Normalizar(std::u16string_view ALinha, uint64_t ANumero, Texto& ADestino);

    // Records that ended after the last mark, without the vendor columns after it.
    size_t SemFinal() const { return FSemFinal; }
    uint64_t PrimeiroSemFinal() const { return FPrimeiroSemFinal; }
    Texto NomesDoFinal() const;

private:
    size_t FInicio = 0;  // of the first mark
    size_t FMarcas = 0;
    std::span<const TCampo> FFinal;  // vendor columns after the last mark
    size_t FSemFinal = 0;
    uint64_t FPrimeiroSemFinal = 0;
};

}  // namespace quelb
