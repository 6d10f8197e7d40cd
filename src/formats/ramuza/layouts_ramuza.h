#pragma once
// The one record of the Ramuza load (RAMUZA_ORIGINAL.TXT), field by field in
// column order.
#include <array>
#include <string_view>

#include "generator/campos.h"

namespace quelb::ramuza {

// Sale type: "0" by weight, "1" by unit; an EAN-13 item takes the code of its
// way of sale.
inline constexpr std::u16string_view CodigosTipoVenda[] = {u"0", u"1", u"0", u"1"};

// Nutrient slots of ten characters: slot number, portion quantity, amount.
inline constexpr auto Produto = std::to_array<TCampo>({
    campo::Posicao("numero", 4),                                      //   1  running number, from 1
    campo::Fixo("letra", u"A"),                                       //   5
    campo::Fixo("digito", u"0"),                                      //   6
    campo::Numero("codigo", 6, "Codigo"),                             //   7
    campo::Decimal("preco", 6, 2, "ValorVenda"),                      //  13  hundredths
    campo::Codigo("tipo", "Tipo", CodigosTipoVenda),                  //  19
    campo::Numero("validade", 3, "Validade"),                         //  20
    campo::Repetido<13, u'0'>("zeros"),                               //  23
    campo::Decimal("tara", 5, 2, "Tara.Valor", 100),                  //  36  the tare times 10 000
    campo::Numero("etiqueta", 2, "ModeloEtiqueta"),                   //  41
    campo::Fixo("slot_1", u"01"),                                     //  43
    campo::Numero("quantidade_1", 5, "Nutricional.Qtd"),              //  45
    campo::Numero("valor_energetico", 3, "Nutricional.ValorEnergetico"),  //  50  whole units
    campo::Fixo("slot_2", u"02"),                                     //  53
    campo::Numero("quantidade_2", 5, "Nutricional.Qtd"),              //  55
    campo::Decimal("carboidrato", 3, 2, "Nutricional.Carboidrato"),   //  60  hundredths
    campo::Fixo("slot_3", u"03"),                                     //  63
    campo::Numero("quantidade_3", 5, "Nutricional.Qtd"),              //  65
    campo::Decimal("proteina", 3, 2, "Nutricional.Proteina"),         //  70
    campo::Fixo("slot_4", u"04"),                                     //  73
    campo::Numero("quantidade_4", 5, "Nutricional.Qtd"),              //  75
    campo::Decimal("gordura_total", 3, 2, "Nutricional.GorduraTotal"),        //  80
    campo::Fixo("slot_5", u"05"),                                     //  83
    campo::Numero("quantidade_5", 5, "Nutricional.Qtd"),              //  85
    campo::Decimal("gordura_saturada", 3, 2, "Nutricional.GorduraSaturada"),  //  90
    campo::Fixo("slot_6", u"06"),                                     //  93
    campo::Numero("quantidade_6", 5, "Nutricional.Qtd"),              //  95
    campo::Decimal("gordura_trans", 3, 2, "Nutricional.GorduraTrans"),        // 100
    campo::Fixo("slot_7", u"07"),                                     // 103
    campo::Numero("quantidade_7", 5, "Nutricional.Qtd"),              // 105
    campo::Decimal("fibra", 3, 2, "Nutricional.Fibra"),               // 110
    campo::Fixo("slot_8", u"08"),                                     // 113
    campo::Numero("quantidade_8", 5, "Nutricional.Qtd"),              // 115
    campo::Decimal("sodio", 3, 2, "Nutricional.Sodio"),               // 120
    campo::Repetido<10, u'0'>("slot_9"),                              // 123  empty
    campo::Repetido<10, u'0'>("slot_10"),                             // 133  empty
    campo::Repetido<10, u'0'>("slot_11"),                             // 143  empty
    campo::Repetido<10, u'0'>("slot_12"),                             // 153  empty
    campo::Fixo("marca_inicio", u"##"),                               // 163
    campo::Texto("descricao", 24, "Descricao"),                       // 165
    campo::Fixo("marca_descricao", u"##"),                            // 189
    campo::Fixo("marca_texto_2", u"##"),                              // 191  after a second text, always empty
});
static_assert(LarguraFixa(Produto) == 192);

}  // namespace quelb::ramuza
