#pragma once
// Everything that varies by scale model, in one table indexed by
// TQuelbCargaBalModelo: the names by which it is chosen and shown, its files
// with the layouts of their records, and its writer. Adding a model is one
// row here and one folder under formats/.
#include <span>
#include <string_view>

#include "catalogue/enumeracoes.h"
#include "generator/carga.h"

namespace quelb {

struct TDefinicaoModelo {
    TQuelbCargaBalModelo Modelo;
    std::string_view NomeEnumeracao;  // "modFilizola": the name hosts pass
    std::string_view Apelido;         // "filizola": the command's short name
    std::u16string_view Nome;         // ModeloStr, the display name
    // The files the model may write, in save order.
    std::span<const TArquivoModelo> Arquivos;
    // The file that loaders take as the sign of a new load (the item file):
    // a generation replaces it after all the others.
    TConteudoArquivo Sinal;
    TCriarEscritor CriarEscritor;

    // The file that holds AConteudo; null when the model has none.
    const TArquivoModelo* Arquivo(TConteudoArquivo AConteudo) const;
    // Whether the item record (the first layout of the item file) has a
    // field of the property APropriedade.
    bool ItemMostra(std::string_view APropriedade) const;
};

// Null for a value outside the enumeration (reachable only by a cast).
const TDefinicaoModelo* DefinicaoModelo(TQuelbCargaBalModelo AModelo);

// Every row, in enumeration order.
std::span<const TDefinicaoModelo> Modelos();

}  // namespace quelb
