#pragma once
// The records of the Toledo loads, field by field in column order.
#include <array>
#include <string_view>

#include "generator/campos.h"

namespace quelb::toledo {

// Sale type: by weight "0", by unit "1", bar code by weight "2", bar code by
// unit "5".
inline constexpr std::u16string_view CodigosTipoVenda[] = {u"0", u"1", u"2", u"5"};
// Portion unit: grams, millilitres, units.
inline constexpr std::u16string_view CodigosUndPorcao[] = {u"0", u"1", u"2"};
// Fraction of the household measure: 0, 1/4, 1/3, 1/2, 2/3, 3/4.
inline constexpr std::u16string_view CodigosPartDecimal[] = {u"0", u"1", u"2", u"3", u"4", u"5"};
// Household measure: its position in the enumeration, tpColherSopa "00" to tpLata "26".
inline constexpr std::u16string_view CodigosMedCaseira[] = {
    u"00", u"01", u"02", u"03", u"04", u"05", u"06", u"07", u"08", u"09", u"10", u"11", u"12", u"13",
    u"14", u"15", u"16", u"17", u"18", u"19", u"20", u"21", u"22", u"23", u"24", u"25", u"26",
};

inline constexpr std::u16string_view CodigosBooleano[] = {u"0", u"1"};

// TXITENS.TXT of plain Toledo: it carries the extra-information text itself.
inline constexpr auto ItemToledo = std::to_array<TCampo>({
    campo::Numero("setor", 2, "Setor.Codigo"),                 //  1
    campo::Numero("etiqueta", 2, "ModeloEtiqueta"),            //  3
    campo::Codigo("tipo", "Tipo", CodigosTipoVenda),           //  5
    campo::Numero("codigo", 6, "Codigo"),                      //  6
    campo::Decimal("preco", 6, 2, "ValorVenda"),               // 12  hundredths
    campo::Numero("validade", 3, "Validade"),                  // 18
    campo::Texto("descricao", 50, "Descricao"),                // 21
    campo::Texto("texto", 250, "InformacaoExtra.Receita"),     // 71
});
static_assert(LarguraFixa(ItemToledo) == 320);

// Columns 1 to 68 of ITENSMGV.TXT, the same in the three MGV layouts.
inline constexpr auto InicioItemMGV = std::to_array<TCampo>({
    campo::Numero("setor", 2, "Setor.Codigo"),        //  1
    campo::Codigo("tipo", "Tipo", CodigosTipoVenda),  //  3
    campo::Numero("codigo", 6, "Codigo"),             //  4
    campo::Decimal("preco", 6, 2, "ValorVenda"),      // 10  hundredths
    campo::Numero("validade", 3, "Validade"),         // 16
    campo::Texto("descricao", 50, "Descricao"),       // 19
});
static_assert(LarguraFixa(InicioItemMGV) == 68);

// ITENSMGV.TXT of MGV5 version 1: the extra-information code is the item code.
inline constexpr auto ItemMGV5Ver1 = Juntar(InicioItemMGV, std::to_array<TCampo>({
    campo::Numero("codigo_informacao_extra", 6, "Codigo"),         //  69
    campo::Repetido<3, u'0'>("fixo_1"),                            //  75
    campo::Numero("codigo_nutricional", 4, "Nutricional.Codigo"),  //  78
    campo::Coluna(campo::Fixo("fixo_2", u"1"), "Toledo.DV", "DV, imprime data de validade", CodigosBooleano),   //  82
    campo::Coluna(campo::Fixo("fixo_3", u"1"), "Toledo.DE", "DE, imprime data de embalagem", CodigosBooleano),  //  83
    campo::Numero("codigo_fornecedor", 4, "CodigoFornecedor"),     //  84
    campo::Coluna(campo::Repetido<12, u'0'>("fixo_4"), "Toledo.L", "L"),  //  88
    campo::Coluna(campo::Repetido<11, u'0'>("fixo_5"), "Toledo.G", "G"),  // 100
    campo::Coluna(campo::Repetido<1, u'0'>("fixo_6"), "Toledo.Z", "Z"),   // 111
    campo::Repetido<2, u'0'>("fixo_7"),                            // 112
}));
static_assert(LarguraFixa(ItemMGV5Ver1) == 113);

// ITENSMGV.TXT of MGV5 and MGV6.
inline constexpr auto ItemMGV = Juntar(InicioItemMGV, std::to_array<TCampo>({
    campo::Legendado(campo::Numero("codigo_informacao_extra", 6, "InformacaoExtra.Codigo"), "código da informação extra"),  //  69
    campo::Coluna(campo::Repetido<4, u'0'>("fixo_1"), "Toledo.FFFF", "FFFF, código da imagem"),           //  75
    campo::Numero("codigo_nutricional", 6, "Nutricional.Codigo"),           //  79
    campo::Coluna(campo::Fixo("fixo_2", u"1"), "Toledo.DV", "DV, imprime data de validade", CodigosBooleano),             //  85
    campo::Coluna(campo::Fixo("fixo_3", u"1"), "Toledo.DE", "DE, imprime data de embalagem", CodigosBooleano),            //  86
    campo::Numero("codigo_fornecedor", 4, "CodigoFornecedor"),              //  87
    campo::Coluna(campo::Repetido<12, u'0'>("fixo_4"), "Toledo.L", "L"),                              //  91
    campo::Coluna(campo::Repetido<11, u'0'>("fixo_5"), "Toledo.G", "G"),                              // 103
    campo::Coluna(campo::Repetido<1, u'0'>("fixo_6"), "Toledo.Z", "Z"),                               // 114
    campo::Coluna(campo::Repetido<4, u'0'>("fixo_7"), "Toledo.CS", "CS, código do som"),               // 115
    campo::Numero("codigo_tara", 4, "CodigoTara"),                          // 119
    campo::Coluna(campo::Repetido<4, u'0'>("fixo_8"), "Toledo.FR", "FR, código do fracionador"),       // 123
    campo::Coluna(campo::Repetido<4, u'0'>("fixo_9"), "Toledo.CE1", "CE1, código do campo extra 1"),    // 127
    campo::Coluna(campo::Repetido<4, u'0'>("fixo_10"), "Toledo.CE2", "CE2, código do campo extra 2"),   // 131
    campo::Coluna(campo::Repetido<4, u'0'>("fixo_11"), "Toledo.CON", "CON, código da conservação"),     // 135
    campo::Legendado(campo::TextoADireita("ean13_fornecedor", 12, "EAN13Fornecedor"), "EAN-13 do fornecedor"),  // 139  zeros on the left
}));
static_assert(LarguraFixa(ItemMGV) == 150);

// ITENSMGV.TXT of MGV7 (item file version 4): the MGV6 record, then the
// fields of version 4, 280 characters and its lists (282 with a sector and
// no list given).
inline constexpr auto ItemMGV7 = Juntar(ItemMGV, std::to_array<TCampo>({
    campo::Coluna(campo::Repetido<6, u'0'>("percentual_glaciamento"), "Toledo.GL", "GL, percentual de glaciamento"),  // 151
    campo::Legendado(campo::Fixo("separador_1", u"|"), "| antes da lista de departamentos"),  // 157
    campo::Lista("departamentos_associados", 2, "Toledo.Departamentos", "lista de departamentos", "Setor.Codigo"),  // 158  by default the item's own sector, if any
    campo::Legendado(campo::Fixo("separador_2", u"|"), "| depois da lista de departamentos"),
    campo::TrechoDeTexto("descricao_3", 35, 50, "Descricao"),             // characters 51 to 85
    campo::TrechoDeTexto("descricao_4", 35, 85, "Descricao"),             // characters 86 to 120
    campo::Coluna(campo::Repetido<6, u'0'>("codigo_campo_extra_3"), "Toledo.CE3", "CE3, código do campo extra 3"),
    campo::Coluna(campo::Repetido<6, u'0'>("codigo_campo_extra_4"), "Toledo.CE4", "CE4, código do campo extra 4"),
    campo::Coluna(campo::Repetido<6, u'0'>("codigo_midia"), "Toledo.MIDIA", "MIDIA, código da mídia"),
    campo::Coluna(campo::Repetido<6, u'0'>("preco_promocional"), "Toledo.PrecoPromocional", "preço promocional"),
    campo::Coluna(campo::Fixo("fornecedor_na_balanca", u"0"), "Toledo.SF", "SF, fornecedor escolhido na balança", CodigosBooleano),
    campo::Legendado(campo::Fixo("separador_3", u"|"), "| antes da lista de fornecedores"),
    campo::Lista("fornecedores_associados", 0, "Toledo.Fornecedores", "lista de fornecedores"),
    campo::Legendado(campo::Fixo("separador_4", u"|"), "| depois da lista de fornecedores"),
    campo::Coluna(campo::Fixo("pedir_tara", u"0"), "Toledo.ST", "ST, pede a tara na balança", CodigosBooleano),
    campo::Legendado(campo::Fixo("separador_5", u"|"), "| antes da lista de balanças em que o item está inativo"),
    campo::Lista("balancas_inativas", 0, "Toledo.BalancasInativas", "lista de balanças em que o item está inativo"),
    campo::Legendado(campo::Fixo("separador_6", u"|"), "| depois da lista de balanças em que o item está inativo"),
    campo::Coluna(campo::Repetido<12, u'0'>("codigo_barras_especial"), "Toledo.G1", "G1, código de barras especial"),
    campo::Coluna(campo::Repetido<4, u'0'>("glaciamento_nuvem"), "Toledo.PG", "PG, glaciamento na nuvem"),
    campo::Coluna(campo::Repetido<6, u'0'>("nao_publicado"), "Toledo.PPPPPP", "PPPPPP"),  // meaning not published
}));
static_assert(Largura(ItemMGV7) == 280);

// TXINFO.TXT after its code.
inline constexpr auto TextoInformacaoExtra = std::to_array<TCampo>({
    campo::Texto("observacao", 100, "InformacaoExtra.Observacao"),  //   7
    campo::Texto("texto", 840, "InformacaoExtra.Receita"),          // 107  as it is
});
// TXINFO.TXT of MGV5 and MGV6: the code of column 69 of the item record.
inline constexpr auto InformacaoExtra = Juntar(std::to_array<TCampo>({
    campo::Numero("codigo", 6, "InformacaoExtra.Codigo"),  // 1
}), TextoInformacaoExtra);
static_assert(LarguraFixa(InformacaoExtra) == 946);
// TXINFO.TXT of MGV5 version 1: the item code.
inline constexpr auto InformacaoExtraMGV5Ver1 = Juntar(std::to_array<TCampo>({
    campo::Numero("codigo", 6, "Codigo"),  // 1
}), TextoInformacaoExtra);
static_assert(LarguraFixa(InformacaoExtraMGV5Ver1) == 946);

// INFNUTRI.TXT
inline constexpr auto Nutricional = std::to_array<TCampo>({
    campo::Fixo("letra", u"N"),                                                    //  1
    campo::Numero("codigo", 6, "Nutricional.Codigo"),                              //  2
    campo::Fixo("fixo", u"0"),                                                     //  8
    campo::Numero("quantidade", 3, "Nutricional.Qtd"),                             //  9
    campo::Codigo("unidade_porcao", "Nutricional.UndPorcao", CodigosUndPorcao),    // 12
    campo::Numero("parte_inteira", 2, "Nutricional.PartInteira"),                  // 13
    campo::Codigo("parte_decimal", "Nutricional.PartDecimal", CodigosPartDecimal), // 15
    campo::Codigo("medida_caseira", "Nutricional.MedCaseira", CodigosMedCaseira),  // 16
    campo::Numero("valor_energetico", 4, "Nutricional.ValorEnergetico"),           // 18  whole units
    campo::Decimal("carboidrato", 4, 1, "Nutricional.Carboidrato"),                // 22  tenths
    campo::Decimal("proteina", 3, 1, "Nutricional.Proteina"),                      // 26
    campo::Decimal("gordura_total", 3, 1, "Nutricional.GorduraTotal"),             // 29
    campo::Decimal("gordura_saturada", 3, 1, "Nutricional.GorduraSaturada"),       // 32
    campo::Decimal("gordura_trans", 3, 1, "Nutricional.GorduraTrans"),             // 35
    campo::Decimal("fibra", 3, 1, "Nutricional.Fibra"),                            // 38
    campo::Decimal("sodio", 5, 1, "Nutricional.Sodio"),                            // 41
});
static_assert(LarguraFixa(Nutricional) == 45);

// Portion unit of the 2020 table: grams "0", millilitres "1"; it has no
// portion in units, which is written "0".
inline constexpr std::u16string_view CodigosUndPorcaoMGV7[] = {u"0", u"1", u"0"};

namespace calculo {
// The scale computes the portions per package of a weighed item that has none.
constexpr int64_t PorcoesPelaBalanca(const TQuelbCargaBalItem& AItem) {
    return AItem.Nutricional.PorcoesEmbalagem == 0 && (AItem.Tipo == tpvPeso || AItem.Tipo == tpvEAN13) ? 1 : 0;
}
constexpr int64_t ImprimirLactose(const TQuelbCargaBalItem& AItem) {
    return AItem.Nutricional.Lactose > TValorFixo() || AItem.Nutricional.Galactose > TValorFixo() ? 1 : 0;
}
}  // namespace calculo

// INFNUTRI.TXT of MGV7: the MGV6 record, then the 2020 table, 138 characters.
inline constexpr auto NutricionalMGV7 = Juntar(Nutricional, std::to_array<TCampo>({
    campo::Repetido<4, u'0'>("outros_paises"),                                              //  46
    campo::Fixo("separador", u"|"),                                                         //  50
    campo::Calculado("porcoes_pela_balanca", 1, calculo::PorcoesPelaBalanca),               //  51
    campo::Numero("porcoes_embalagem", 3, "Nutricional.PorcoesEmbalagem"),                  //  52
    campo::Numero("quantidade", 3, "Nutricional.Qtd"),                                      //  55
    campo::Codigo("unidade_porcao", "Nutricional.UndPorcao", CodigosUndPorcaoMGV7),         //  58
    campo::Numero("parte_inteira", 2, "Nutricional.PartInteira"),                           //  59
    campo::Codigo("parte_decimal", "Nutricional.PartDecimal", CodigosPartDecimal),          //  61
    campo::Codigo("medida_caseira", "Nutricional.MedCaseira", CodigosMedCaseira),           //  62
    campo::Numero("valor_energetico", 4, "Nutricional.ValorEnergetico"),                    //  64  whole kcal
    campo::Decimal("carboidrato", 4, 1, "Nutricional.Carboidrato"),                         //  68  tenths
    campo::Decimal("acucares_totais", 3, 1, "Nutricional.AcucaresTotais"),                  //  72
    campo::Decimal("acucares_adicionados", 3, 1, "Nutricional.AcucaresAdicionados"),        //  75
    campo::Decimal("proteina", 3, 1, "Nutricional.Proteina"),                               //  78
    campo::Decimal("gordura_total", 3, 1, "Nutricional.GorduraTotal"),                      //  81
    campo::Decimal("gordura_saturada", 3, 1, "Nutricional.GorduraSaturada"),                //  84
    campo::Decimal("gordura_trans", 3, 1, "Nutricional.GorduraTrans"),                      //  87
    campo::Decimal("fibra", 3, 1, "Nutricional.Fibra"),                                     //  90
    campo::Decimal("sodio", 5, 1, "Nutricional.Sodio"),                                     //  93  tenths of mg
    campo::Codigo("alto_acucar_adicionado", "Nutricional.AltoEmAcucarAdicionado", CodigosBooleano),  //  98
    campo::Codigo("alto_gordura_saturada", "Nutricional.AltoEmGorduraSaturada", CodigosBooleano),    //  99
    campo::Codigo("alto_sodio", "Nutricional.AltoEmSodio", CodigosBooleano),                         // 100
    campo::Decimal("lactose", 5, 1, "Nutricional.Lactose"),                                 // 101
    campo::Decimal("galactose", 5, 1, "Nutricional.Galactose"),                             // 106
    campo::Calculado("imprimir_lactose", 1, calculo::ImprimirLactose),                      // 111
    campo::Repetido<20, u' '>("valores_estendidos"),                                        // 112  never filled
    campo::Fixo("fracao_propria", u"0"),                                                    // 132
    campo::Repetido<3, u'0'>("numerador"),                                                  // 133
    campo::Repetido<3, u'0'>("denominador"),                                                // 136
}));
static_assert(LarguraFixa(NutricionalMGV7) == 138);

// TARA.TXT
inline constexpr auto Tara = std::to_array<TCampo>({
    campo::Numero("codigo", 4, "Tara.Codigo"),        //  1
    campo::Decimal("valor", 6, 3, "Tara.Valor"),      //  5  thousandths
    campo::Texto("descricao", 20, "Tara.Descricao"),  // 11
});
static_assert(LarguraFixa(Tara) == 30);

// TXFORN.TXT
inline constexpr auto Fornecedor = std::to_array<TCampo>({
    campo::Numero("codigo", 4, "Fornecedor.Codigo"),            //   1
    campo::Texto("observacao", 100, "Fornecedor.Observacao"),   //   5
    campo::Texto("descricao_1", 56, "Fornecedor.Descricao1"),   // 105
    campo::Texto("descricao_2", 56, "Fornecedor.Descricao2"),   // 161
    campo::Texto("descricao_3", 56, "Fornecedor.Descricao3"),   // 217
    campo::Texto("descricao_4", 56, "Fornecedor.Descricao4"),   // 273
    campo::Texto("descricao_5", 56, "Fornecedor.Descricao5"),   // 329
});
static_assert(LarguraFixa(Fornecedor) == 384);

// DEPTO.TXT
inline constexpr auto Setor = std::to_array<TCampo>({
    campo::Numero("codigo", 2, "Setor.Codigo"),        // 1
    campo::Texto("descricao", 40, "Setor.Descricao"),  // 3
});
static_assert(LarguraFixa(Setor) == 42);

}  // namespace quelb::toledo
