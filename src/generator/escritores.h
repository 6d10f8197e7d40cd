#pragma once
// The writers of the scale makes. Each walks the generator's Produtos from
// the first item to the last, appends its records to the lists it is given,
// and raises one progress event per item, after that item's records.
#include <cstdint>

#include "generator/gerador.h"
#include "generator/lista_linhas.h"

namespace quelb {

// The eight line lists of one generation, in save order.
struct TListasCarga {
    TListaLinhas Itens;
    TListaLinhas Setores;
    TListaLinhas Receitas;  // extra information
    TListaLinhas Nutricionais;
    TListaLinhas ProdutosNutricionais;
    TListaLinhas ProdutosReceitas;
    TListaLinhas Taras;
    TListaLinhas Fornecedores;
};

void GerarFilizola(TQuelbCargaBal& AGerador, TListaLinhas& AItens, TListaLinhas& ASetores,
                   TListaLinhas& ANutricionais, TListaLinhas& AReceitas);

// AVariante: 0 plain Toledo (no supplier or sector list: both null),
// 1 MGV5 version 1, 2 MGV5, 3 MGV6.
void GerarToledo(TQuelbCargaBal& AGerador, TListaLinhas& AItens, TListaLinhas& ANutricionais,
                 TListaLinhas& AReceitas, TListaLinhas& ATaras, TListaLinhas* AFornecedores,
                 TListaLinhas* ASetores, int32_t AVariante);

void GerarUrano(TQuelbCargaBal& AGerador, TListaLinhas& AItens);

void GerarUranoS(TQuelbCargaBal& AGerador, TListaLinhas& AItens);

void GerarUranoURF32(TQuelbCargaBal& AGerador, TListaLinhas& AItens, TListaLinhas& ANutricionais,
                     TListaLinhas& AReceitas, TListaLinhas& AProdutosNutricionais,
                     TListaLinhas& AProdutosReceitas);

void GerarRamuza(TQuelbCargaBal& AGerador, TListaLinhas& AItens);

}  // namespace quelb
