#pragma once
// The records of the Filizola load, field by field in column order.
#include <array>
#include <string_view>

#include "generator/campos.h"

namespace quelb::filizola {

// Sale type: "P" by weight, "U" by unit; the bar-code types follow their
// base type (tpvEAN13 "P", tpvEAN13Und "U").
inline constexpr std::u16string_view CodigosTipoVenda[] = {u"P", u"U", u"P", u"U"};

// CADTXT.TXT
inline constexpr auto Item = std::to_array<TCampo>({
    campo::Numero("codigo", 6, "Codigo"),                //  1
    campo::Codigo("tipo", "Tipo", CodigosTipoVenda),     //  7
    campo::Texto("descricao", 22, "Descricao"),          //  8
    campo::Decimal("preco", 7, 2, "ValorVenda"),         // 30  hundredths
    campo::Numero("validade", 3, "Validade"),            // 37
});
static_assert(LarguraFixa(Item) == 39);

// SETORTXT.TXT: one per item that has a sector name or a key.
inline constexpr auto Setor = std::to_array<TCampo>({
    campo::Texto("setor", 12, "Setor.Descricao"),  //  1
    campo::Numero("codigo", 6, "Codigo"),          // 13
    campo::Posicao("posicao", 4),                  // 19  the item's place in the catalogue
    campo::Numero("tecla", 3, "Tecla"),            // 23
});
static_assert(LarguraFixa(Setor) == 25);

// NUTRI.TXT: ten slots of a five-character amount and a four-character
// companion field. Slots 8 and 9 hold nutrients the catalogue does not
// carry: asterisks keep sodium in its columns.
inline constexpr auto Nutricional = std::to_array<TCampo>({
    campo::Numero("codigo", 6, "Codigo"),                                    //   1
    campo::Texto("descricao", 35, "Nutricional.Descricao"),                  //   7
    campo::Numero("valor_energetico", 5, "Nutricional.ValorEnergetico"),     //  42  whole units
    campo::Repetido<4, u'0'>("complemento_1"),                               //  47
    campo::Decimal("carboidrato", 5, 1, "Nutricional.Carboidrato"),          //  51  tenths
    campo::Repetido<4, u'0'>("complemento_2"),                               //  56
    campo::Decimal("proteina", 5, 1, "Nutricional.Proteina"),                //  60
    campo::Repetido<4, u'0'>("complemento_3"),                               //  65
    campo::Decimal("gordura_total", 5, 1, "Nutricional.GorduraTotal"),       //  69
    campo::Repetido<4, u'0'>("complemento_4"),                               //  74
    campo::Decimal("gordura_saturada", 5, 1, "Nutricional.GorduraSaturada"), //  78
    campo::Repetido<4, u'0'>("complemento_5"),                               //  83
    campo::Decimal("gordura_trans", 5, 1, "Nutricional.GorduraTrans"),       //  87
    campo::Repetido<4, u'0'>("complemento_6"),                               //  92
    campo::Decimal("fibra", 5, 1, "Nutricional.Fibra"),                      //  96
    campo::Repetido<4, u'0'>("complemento_7"),                               // 101
    campo::Repetido<5, u'*'>("nutriente_8"),                                 // 105  not carried
    campo::Repetido<4, u'*'>("complemento_8"),                               // 110
    campo::Repetido<5, u'*'>("nutriente_9"),                                 // 114  not carried
    campo::Repetido<4, u'*'>("complemento_9"),                               // 119
    campo::Decimal("sodio", 5, 1, "Nutricional.Sodio"),                      // 123
    campo::Repetido<4, u'0'>("complemento_10"),                              // 128
});
static_assert(LarguraFixa(Nutricional) == 131);

// REC_ASS.TXT: the extra-information text, once per distinct record.
inline constexpr auto InformacaoExtra = std::to_array<TCampo>({
    campo::Repetido<12, u' '>("em_branco"),                            //   1
    campo::Numero("codigo", 6, "Codigo"),                              //  13
    campo::Numero("codigo_informacao", 6, "InformacaoExtra.Codigo"),   //  19
    campo::Texto("texto", 840, "InformacaoExtra.Receita"),             //  25  as it is
    campo::Fixo("fim", u"@"),                                          // 865
});
static_assert(LarguraFixa(InformacaoExtra) == 865);

}  // namespace quelb::filizola
