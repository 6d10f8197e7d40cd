#pragma once
// The files of one generation, addressed by what they hold, and the part of
// a scale make that writes an item's records into them.
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "catalogue/item.h"
#include "catalogue/propriedades.h"
#include "generator/campos.h"
#include "generator/escrever_registro.h"
#include "generator/lista_linhas.h"

namespace quelb {

// What a load file holds. The order is the order in which a load's files
// are saved.
enum class TConteudoArquivo : uint8_t {
    Itens,
    Setores,
    InformacaoExtra,
    Nutricional,
    ProdutosNutricional,  // links from a product to its nutrition record
    ProdutosReceita,      // links from a product to its recipe record
    Taras,
    Fornecedores,
};
inline constexpr size_t QuantidadeConteudos = 8;

// The content of a record with the fields ACampos: the properties it shows
// besides codes (its own key, the item's code), as positions in
// Propriedades.
inline std::vector<size_t> ConteudoDosCampos(std::span<const TCampo> ACampos) {
    std::vector<size_t> r;
    for (const TCampo& f : ACampos)
        if (f.Propriedade != nullptr && f.Propriedade->Nome != "Codigo" && !f.Propriedade->Nome.ends_with(".Codigo"))
            r.push_back(static_cast<size_t>(f.Propriedade - Propriedades));
    return r;
}

// The same for the record of ATabela, worked out once, at run time: a
// constant expression that compares the table's property pointers is
// refused by GCC under -fsanitize=undefined.
template <const auto& ATabela>
const std::vector<size_t>& ConteudoDoRegistro() {
    static const std::vector<size_t> conteudo = ConteudoDosCampos(ATabela);
    return conteudo;
}

// Whether AItem gives any of the content of a record of ATabela. A record
// with no content but codes (a link) always has it. A record of another file
// than the item file is written only with its content: where a catalogue
// or a load gave its code alone, the scale software keeps the record it has.
template <const auto& ATabela>
bool ConteudoDado(const TQuelbCargaBalItem& AItem) {
    if (AItem.Ausentes.none()) return true;
    const std::vector<size_t>& conteudo = ConteudoDoRegistro<ATabela>();
    if (conteudo.empty()) return true;
    for (const size_t i : conteudo)
        if (!AItem.Ausentes[i]) return true;
    return false;
}

// Sees the records of a generation in place of its files: the check of a
// catalogue runs the model's writer with one.
class TObservadorRegistros {
public:
    virtual ~TObservadorRegistros() = default;
    // The record of ALayout for AOrigem, bound for the file of AConteudo.
    // ASeNovo: that file keeps one of equal records (letter case aside);
    // returns whether this one would be written.
    virtual bool Registro(TConteudoArquivo AConteudo, const TLayoutRegistro& ALayout, const TOrigem& AOrigem,
                          bool ASeNovo) = 0;
};

// The line lists of one generation, one per kind of file, and the one door
// through which the writers append their records.
class TCarga {
public:
    explicit TCarga(const plataforma::TFormatoNumerico& AFormato) : Formato(AFormato) {}
    // A generation that only shows its records to AObservador.
    TCarga(const plataforma::TFormatoNumerico& AFormato, TObservadorRegistros& AObservador)
        : Formato(AFormato), FObservador(&AObservador) {}

    // The number format of the prices: the locale's, or the generator's
    // choice of decimal separator.
    const plataforma::TFormatoNumerico Formato;

    TListaLinhas& operator[](TConteudoArquivo AConteudo) { return FListas[static_cast<size_t>(AConteudo)]; }

    // Appends the record of layout ATabela for o to the file of AConteudo.
    template <const auto& ATabela>
    QUELB_EM_LINHA void Adicionar(TConteudoArquivo AConteudo, const TOrigem& o) {
        if (AConteudo != TConteudoArquivo::Itens && !ConteudoDado<ATabela>(o.Item)) return;
        if (FObservador != nullptr) {
            FObservador->Registro(AConteudo, LayoutDe<ATabela>, o, false);
            return;
        }
        AdicionarRegistro<ATabela>((*this)[AConteudo], FRegistros, o);
    }
    // The same for a file without repeated records: appended unless an equal
    // record is there already; true when it was appended.
    template <const auto& ATabela>
    QUELB_EM_LINHA bool AdicionarSeNovo(TConteudoArquivo AConteudo, const TOrigem& o) {
        if (AConteudo != TConteudoArquivo::Itens && !ConteudoDado<ATabela>(o.Item)) return false;
        if (FObservador != nullptr) return FObservador->Registro(AConteudo, LayoutDe<ATabela>, o, true);
        return AdicionarRegistroSeNovo<ATabela>((*this)[AConteudo], FRegistros, o);
    }

private:
    template <const auto& ATabela>
    static constexpr TLayoutRegistro LayoutDe = Layout<ATabela>("");

    std::array<TListaLinhas, QuantidadeConteudos> FListas;
    TRegistros FRegistros;
    TObservadorRegistros* FObservador = nullptr;
};

// A file of a model: what it holds, its name, and the layouts of its records.
struct TArquivoModelo {
    TConteudoArquivo Conteudo;
    std::u16string_view Nome;
    std::span<const TLayoutRegistro> Registros;
};

// A make's writing of one generation: the records of each item, in
// catalogue order. It keeps what it needs from one item to the next (its
// builders) and is dropped after the last item.
class TEscritorItens {
public:
    virtual ~TEscritorItens() = default;
    // Appends the records of AItem, at APosicao in the catalogue (from 1).
    // It may change the item where its load says so.
    virtual void Escrever(TQuelbCargaBalItem& AItem, int32_t APosicao) = 0;
};

using TCriarEscritor = std::unique_ptr<TEscritorItens> (*)(TCarga&);

// The writing of a load of one record per item, of layout ALayout, in the
// item file (plain Toledo, Ramuza).
template <const auto& ALayout>
class TEscritorUmRegistro final : public TEscritorItens {
public:
    explicit TEscritorUmRegistro(TCarga& ACarga) : FCarga(ACarga) {}

    void Escrever(TQuelbCargaBalItem& AItem, int32_t APosicao) override {
        FCarga.Adicionar<ALayout>(TConteudoArquivo::Itens, {AItem, APosicao, FCarga.Formato});
    }

private:
    TCarga& FCarga;
};

}  // namespace quelb
