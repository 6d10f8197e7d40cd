#pragma once
// Records that some writers end before their last columns, and the same
// records completed with what those columns hold in the written form, so
// that the layout reads them:
// - the MGV5/MGV6 item record of 146 characters, whose last 4 columns (the
//   end of a zero-filled field) are zeros;
// - the MGV7 item record that ends after its last "|" mark, without the
//   vendor columns that follow it, completed with their usual constants.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "catalogue/texto.h"
#include "generator/campos.h"

namespace quelb {

// The lines of a file that share one finding: how many, and the first.
struct TOcorrencias {
    size_t Quantidade = 0;
    uint64_t Primeira = 0;
    void Contar(uint64_t ALinha) {
        if (Quantidade++ == 0) Primeira = ALinha;
    }
};

// The 146-character form. The file's first record decides whether the file
// has it, so that one damaged line among whole ones stays an erro.
class TFormaSemFim {
public:
    // The columns such files leave out: other shortfalls are damage (a text
    // cut short shifts the zeros of the end the same way).
    static constexpr int64_t FaltaConhecida = 4;
    explicit TFormaSemFim(std::span<const TCampo> ACampos);

    // ALinha with its last columns in zeros, in ADestino, when it has the form.
    bool Completar(std::u16string_view ALinha, Texto& ADestino);

    int64_t Largura() const { return FLargura; }
    int64_t Falta() const { return FFalta; }
    Texto NomeDoCampo() const;

private:
    const TCampo* FUltimo;
    int64_t FLargura;
    bool FDecidido = false;
    int64_t FFalta = 0;
};

// The MGV7 form: nothing to do for a layout without "|" marks after its
// fixed start, or without vendor columns after its last mark.
class TFinalAposListas {
public:
    explicit TFinalAposListas(std::span<const TCampo> ACampos);
    bool Ativo() const { return !FFinal.empty(); }

    // ALinha completed after its last mark, in ADestino; false when ALinha
    // has not the layout's marks after its start or needs nothing.
    bool Completar(std::u16string_view ALinha, Texto& ADestino) const;

    // "G1, PG e PPPPPP": the columns it completes, by their legends.
    Texto NomesDoFinal() const;

private:
    size_t FInicio = 0;  // of the first mark
    size_t FMarcas = 0;
    std::span<const TCampo> FFinal;  // vendor columns after the last mark
};

}  // namespace quelb
