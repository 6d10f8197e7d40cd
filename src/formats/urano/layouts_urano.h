#pragma once
// The records of the Urano loads, field by field in column order. The
// framed records of Urano and Urano S are a kind character, U+0002, the
// fields, a hexadecimal checksum and U+0003; their price widens instead of
// being cut, so their width is not fixed.
#include <array>
#include <string_view>

#include "generator/campos.h"

namespace quelb::urano {

// Sale type of the framed records: "P" by weight, "U" by unit; an EAN-13
// item takes the code of its way of sale.
inline constexpr std::u16string_view CodigosTipoVenda[] = {u"P", u"U", u"P", u"U"};
// Sale type of the URF32 product line: "0" by weight, "6" by unit.
inline constexpr std::u16string_view CodigosTipoVendaURF32[] = {u"0", u"6", u"0", u"6"};
// Validity unit of the URF32 product line: days, months.
inline constexpr std::u16string_view CodigosTipoValidadeURF32[] = {u"D", u"M"};

inline constexpr std::u16string_view InicioTexto = u"\x02";
inline constexpr std::u16string_view FimTexto = u"\x03";

// Columns 3 to 42 of every framed Urano record (when the price has nine
// characters).
inline constexpr auto ComumUrano = std::to_array<TCampo>({
    campo::Numero("codigo", 5, "Codigo"),              //  3
    campo::Codigo("tipo", "Tipo", CodigosTipoVenda),   //  8
    campo::Texto("descricao", 20, "Descricao"),        //  9
    campo::PrecoSeisZeros("preco", "ValorVenda"),      // 29  9 or wider
    campo::Numero("validade", 4, "Validade"),          // 38
    campo::Fixo("letra", u"D"),                        // 42
});

inline constexpr auto Fecho = std::to_array<TCampo>({
    campo::Soma("soma", 0, TCaixaHexa::Maiusculas),  // of every column before it
    campo::Fixo("fim_texto", FimTexto),
});

// PRODUTOS.TXT of Urano: product record, 47 characters.
inline constexpr auto Produto = Juntar(Juntar(std::to_array<TCampo>({
    campo::Fixo("tipo_registro", u"\x0A"),  // 1
    campo::Fixo("inicio_texto", InicioTexto),  // 2
}), ComumUrano), Fecho);
static_assert(Largura(Produto) == 47);

// Nutrition record, 256 characters, when Nutricional.Qtd > 0: the product
// fields and a blank block.
inline constexpr auto Nutricional = Juntar(Juntar(std::to_array<TCampo>({
    campo::Fixo("tipo_registro", u"\x0B"),  // 1
    campo::Fixo("inicio_texto", InicioTexto),  // 2
}), Juntar(ComumUrano, std::to_array<TCampo>({
    campo::Repetido<209, u' '>("em_branco"),  // 43
}))), Fecho);
static_assert(Largura(Nutricional) == 256);

// Recipe record, 871 characters, when the item has a recipe text: the
// product fields, a blank block and the text.
inline constexpr auto InicioReceita = Juntar(std::to_array<TCampo>({
    campo::Fixo("tipo_registro", u"\x0C"),  // 1
    campo::Fixo("inicio_texto", InicioTexto),  // 2
}), ComumUrano);
inline constexpr auto TextoReceita = std::to_array<TCampo>({
    campo::Texto("receita", 615, "InformacaoExtra.Receita"),
});
inline constexpr auto Receita = Juntar(Juntar(InicioReceita, Juntar(std::to_array<TCampo>({
    campo::Repetido<209, u' '>("em_branco"),  // 43
}), TextoReceita)), Fecho);
static_assert(Largura(Receita) == 871);
// The same after a nutrition record, 662 characters: without the blank
// block, the text starts at column 43.
inline constexpr auto ReceitaAposNutricional = Juntar(Juntar(InicioReceita, TextoReceita), Fecho);
static_assert(Largura(ReceitaAposNutricional) == 662);

// PRODUTOS.TXT of Urano S: product record, 90 characters, checksummed over
// its fields alone (from column 3), in lower case. Its other records are
// those of Urano.
inline constexpr auto ProdutoS = std::to_array<TCampo>({
    campo::Fixo("tipo_registro", u"\x10"),                        //  1
    campo::Fixo("inicio_texto", InicioTexto),                     //  2
    campo::Numero("codigo", 6, "Codigo"),                         //  3
    campo::Codigo("tipo", "Tipo", CodigosTipoVenda),              //  9
    campo::Texto("descricao", 30, "Descricao"),                   // 10
    campo::PrecoSeisZeros("preco", "ValorVenda"),                 // 40  9 or wider
    campo::Numero("validade", 4, "Validade"),                     // 49
    campo::Fixo("fixo", u"D0000                            "),    // 53  D, 4 zeros, 28 spaces
    campo::Soma("soma", 2, TCaixaHexa::Minusculas),               // 86
    campo::Fixo("fim_texto", FimTexto),                           // 90
});
static_assert(Largura(ProdutoS) == 90);

// URF32, PRODUTOS.TXT: product line, 43 characters.
inline constexpr auto ProdutoURF32 = std::to_array<TCampo>({
    campo::Numero("codigo", 6, "Codigo", u' '),                                  //  1
    campo::Fixo("marca", u"*"),                                                  //  7
    campo::Codigo("tipo", "Tipo", CodigosTipoVendaURF32),                        //  8
    campo::Texto("descricao", 20, "Descricao"),                                  //  9
    campo::PrecoAgrupado("preco", 9, "ValorVenda"),                              // 29
    campo::Numero("validade", 5, "Validade", u' '),                              // 38
    campo::Codigo("unidade_validade", "TipoValidade", CodigosTipoValidadeURF32), // 43
});
static_assert(LarguraFixa(ProdutoURF32) == 43);

// URF32, INFORMACOESNUTRICIONAIS.TXT: nutrition line, 57 characters.
inline constexpr auto NutricionalURF32 = std::to_array<TCampo>({
    campo::Numero("codigo", 5, "Codigo", u' '),                               //  1
    campo::Numero("quantidade", 6, "Nutricional.Qtd"),                        //  6
    campo::Numero("valor_energetico", 5, "Nutricional.ValorEnergetico"),      // 12  whole units
    campo::Decimal("carboidrato", 6, 1, "Nutricional.Carboidrato"),           // 17  tenths
    campo::Decimal("proteina", 6, 1, "Nutricional.Proteina"),                 // 23
    campo::Decimal("gordura_total", 6, 1, "Nutricional.GorduraTotal"),        // 29
    campo::Decimal("gordura_saturada", 6, 1, "Nutricional.GorduraSaturada"),  // 35
    campo::Decimal("gordura_trans", 6, 1, "Nutricional.GorduraTrans"),        // 41
    campo::Decimal("fibra", 6, 1, "Nutricional.Fibra"),                       // 47
    campo::Decimal("sodio", 5, 2, "Nutricional.Sodio"),                       // 53  hundredths
});
static_assert(LarguraFixa(NutricionalURF32) == 57);

// URF32, PRODUTOSINFORMACOESNUTRICIONAIS.TXT and PRODUTOSRECEITAS.TXT: the
// item code, then the code of the linked record, which is the item code too.
inline constexpr auto VinculoURF32 = std::to_array<TCampo>({
    campo::Numero("codigo", 6, "Codigo", u' '),           // 1
    campo::Numero("codigo_vinculado", 5, "Codigo", u' '), // 7
});
static_assert(LarguraFixa(VinculoURF32) == 11);

// URF32, RECEITAS.TXT: recipe line, 259 characters.
inline constexpr auto ReceitaURF32 = std::to_array<TCampo>({
    campo::Numero("codigo", 4, "Codigo"),                     // 1  the item code
    campo::Fixo("separador", u" "),                           // 5
    campo::Texto("receita", 254, "InformacaoExtra.Receita"),  // 6
});
static_assert(LarguraFixa(ReceitaURF32) == 259);

}  // namespace quelb::urano
