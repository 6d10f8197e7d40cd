#pragma once
// Reads a load back into a catalogue: each file of the model by the layout
// tables that wrote it, the records joined to their items by their codes,
// and every fault of the files reported with its file, line and column.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "catalogue/enumeracoes.h"
#include "catalogue/itens.h"
#include "catalogue/texto.h"
#include "generator/verificacao.h"

namespace quelb {

// A file of the load: its name (any letter case) and its bytes.
struct TArquivoCarga {
    Texto Nome;
    std::string Bytes;
};

struct TAchadoCarga {
    TGravidade Gravidade;  // Erro: the load is damaged; Aviso: read all the same
    Texto Arquivo;
    uint64_t Linha = 0;  // from 1; 0 for the file as a whole
    size_t Coluna = 0;   // from 1; 0 for the whole line
    Texto Descricao;
};

// "ITENSMGV.TXT:3:10: erro: <Descricao>".
Texto LinhaDoAchado(const TAchadoCarga& AAchado);

struct TLeituraCarga {
    std::vector<TAchadoCarga> Achados;
    // The values that could not be read (a sale type outside the code
    // table, a blank price), as (item, property) positions in the item list
    // and in Propriedades, in order: each has its erro, and no value.
    std::vector<std::pair<int32_t, size_t>> NaoLidos;
    size_t Erros() const;
    bool NaoLido(int32_t AItem, size_t APropriedade) const;
};

// Appends the items of the load of AModelo held in AArquivos to AItens. Files
// of other names are left alone. Every value that a file shows is set, and
// where a record implies a value it does not show (a Urano nutrition record
// exists only when Nutricional.Qtd is above 0), the smallest value that
// writes the same record. A damaged load gives what could be read.
TLeituraCarga LerCarga(TQuelbCargaBalModelo AModelo, std::span<const TArquivoCarga> AArquivos,
                       TQuelbCargaBalItens& AItens);

// The properties the load of AModelo carries, as positions in Propriedades,
// in the order of the item model.
std::vector<size_t> PropriedadesDoModelo(TQuelbCargaBalModelo AModelo);

// The model of a load, from its file names and the width of its records,
// or from its item records when they read as another model's without erro
// and not as the names say; none when nothing fits. AAmbiguo tells that other models write the same
// files (MGV5 and MGV6: the model given is MGV6).
std::optional<TQuelbCargaBalModelo> DetectarModelo(std::span<const TArquivoCarga> AArquivos, bool& AAmbiguo);

// Whether ANome is the name of a file of AModelo, letter case aside.
bool ArquivoDoModelo(TQuelbCargaBalModelo AModelo, std::u16string_view ANome);

}  // namespace quelb
