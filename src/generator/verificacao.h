#pragma once
// The check of a catalogue against a model: what the files of that model
// would do to each value, said before anything is written. It runs the
// model's own writer on each item and holds every record it would write
// against the record's layout table.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "catalogue/enumeracoes.h"
#include "catalogue/itens.h"
#include "catalogue/texto.h"
#include "generator/etiqueta.h"
#include "platform/plataforma.h"

namespace quelb {

enum class TGravidade : uint8_t {
    Erro,   // the file would change what a value means, or the loader may reject it
    Aviso,  // the value stays what it was, less exactly, or a property is lost
};

struct TAchado {
    TGravidade Gravidade;
    // Of the item, from 0; -1 for a finding about the catalogue as a whole
    // (the records a file leaves to the scale software), whose Codigo is 0.
    int32_t Posicao;
    int32_t Codigo;  // of the item
    // "Codigo: 1234567 não cabe nos 6 dígitos de ITENSMGV.TXT; o arquivo
    // teria 123456": the property, the value given, what the file would hold.
    Texto Descricao;
};

// Where a finding is: "produtos[3] (código 1234567)"; with ALinhaCsv, the
// item's line in a CSV catalogue: "produtos[3] (código 1234567, linha 5)";
// "catálogo" for a finding about no one item.
Texto LugarDoAchado(const TAchado& AAchado, uint64_t ALinhaCsv = 0);
// "erro: <LugarDoAchado>, <Descricao>".
Texto LinhaDoAchado(const TAchado& AAchado, uint64_t ALinhaCsv = 0);

// The scale's largest weight by default (--peso-maximo), in grams.
inline constexpr int32_t PesoMaximoEtiqueta = 15000;

// The label layout that the items the scale labels with a bar code are held
// against (DefinirEtiqueta, --etiqueta), and the scale's largest weight in
// grams. Which items the scale labels depends on the sale type the model
// writes: by weight, EAN-13 by weight, EAN-13 by unit (where the model
// writes it apart from a plain unit sale).
struct TEtiquetaVerificada {
    TFormatoEtiqueta Formato;
    int32_t PesoMaximo = PesoMaximoEtiqueta;
};

// Checks AItens against AModelo with the number format AFormato, in
// catalogue order, and, with AEtiqueta, the labelled items against its
// layout: a code wider than the layout's code field (erro: the till would
// read another code), two items whose codes would read the same (erro), a
// price per kilogram whose label at the largest weight would not fit the
// price field (aviso, with the weight from which it would not). The catalogue is left as it is (what a writer settles in
// an item is put back). An unknown model gives
// no finding (the generation reports it).
std::vector<TAchado> VerificarItens(TQuelbCargaBalItens& AItens, TQuelbCargaBalModelo AModelo,
                                    const plataforma::TFormatoNumerico& AFormato,
                                    const TEtiquetaVerificada* AEtiqueta = nullptr);

struct TTipoContado {
    TGravidade Gravidade;
    Texto Tipo;  // TipoDoAchado of the message
    size_t Quantidade;
};
// The same keeping the first AMaximo erros and the first AMaximo avisos (in
// catalogue order, those about the whole catalogue first), the count of them all and their counts by kind: a big
// catalogue with a finding per item is checked without holding every
// message.
struct TResumoVerificacao {
    std::vector<TAchado> Primeiros;
    size_t Erros = 0, Avisos = 0;  // of all the findings
    std::vector<TTipoContado> Tipos;  // in the order first found
};
TResumoVerificacao VerificarItens(TQuelbCargaBalItens& AItens, TQuelbCargaBalModelo AModelo,
                                  const plataforma::TFormatoNumerico& AFormato, size_t AMaximo,
                                  const TEtiquetaVerificada* AEtiqueta = nullptr);

}  // namespace quelb
