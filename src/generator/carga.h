#pragma once
// The files of one generation, addressed by what they hold, and the part of
// a scale make that writes an item's records into them.
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

#include "catalogue/item.h"
#include "generator/campos.h"
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

// The line lists of one generation, one per kind of file.
class TCarga {
public:
    TListaLinhas& operator[](TConteudoArquivo AConteudo) { return FListas[static_cast<size_t>(AConteudo)]; }

private:
    std::array<TListaLinhas, QuantidadeConteudos> FListas;
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

}  // namespace quelb
