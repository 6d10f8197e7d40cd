#pragma once
// The HTML report of "ler", "verificar" and "gerar" (--relatorio): the
// findings counted by kind, then every finding with its record shown and
// the field marked. One self-contained page: inline CSS, no script, no
// external asset, so that it opens offline.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "catalogue/enumeracoes.h"
#include "catalogue/itens.h"
#include "generator/ler_carga.h"
#include "generator/verificacao.h"

namespace quelb::cli {

// A property of an item as the report shows it.
struct TValorItem {
    std::string Nome;   // "ValorVenda"
    std::string Valor;  // "12,5"
    bool Marcado = false;
};

struct TAchadoRelatorio {
    TGravidade Gravidade = TGravidade::Erro;
    std::string Lugar;      // "ITENSMGV.TXT, linha 4, coluna 85"; "produtos[3] (código 7)"; "catálogo"
    std::string Descricao;  // the message
    std::string Tipo;       // TipoDoAchado of the message
    // A line of a load file (from 1; 0: the finding is of the whole file).
    uint64_t Linha = 0;
    std::u16string Registro;           // the line as the reader took it
    // A very long line is shown in part: Registro starts at its character
    // Inicio (from 0) of TamanhoLinha.
    size_t Inicio = 0, TamanhoLinha = 0;
    size_t Coluna = 0;   // of the marked field, from 1; 0: none
    size_t Largura = 0;  // of the marked field; 0: a point before Coluna
    std::string Campo;   // the marked field's name
    std::string Propriedade;  // the item property it holds, if any
    // An item of a catalogue: its properties, the finding's marked.
    std::vector<TValorItem> Item;
};

struct TRelatorio {
    std::string Comando;  // "ler", "verificar", "gerar"
    std::string Entrada;  // the load or catalogue read
    std::string Modelo;   // "toledo-mgv7"
    std::string Resumo;   // the command's last line
    std::vector<TAchadoRelatorio> Achados;
};

// The findings of a load read from AArquivos, each with its line.
std::vector<TAchadoRelatorio> AchadosDaCarga(TQuelbCargaBalModelo AModelo, std::span<const TArquivoCarga> AArquivos,
                                             const std::vector<TAchadoCarga>& AAchados);

// The findings of the check of AItens, each with its item; ALinhasCsv, the
// items' lines in a CSV catalogue (by position), may be empty.
std::vector<TAchadoRelatorio> AchadosDosItens(TQuelbCargaBalModelo AModelo, const TQuelbCargaBalItens& AItens,
                                              const std::vector<TAchado>& AAchados,
                                              const std::vector<uint64_t>& ALinhasCsv);

// The page, in UTF-8.
std::string HtmlDoRelatorio(const TRelatorio& ARelatorio);

// Writes the page at the path AArquivo (UTF-8); the message to show when it
// cannot be written.
std::optional<std::string> GravarRelatorio(const std::string& AArquivo, const TRelatorio& ARelatorio);

}  // namespace quelb::cli
