// The Urano records (PRODUTOS.TXT of modUrano): product, nutrition and recipe
// records framed by a kind character, U+0002, a checksum and U+0003.
#include <gtest/gtest.h>

#include "generator/escritores.h"
#include "urano/apoio_registros.h"

namespace quelb::teste {
namespace {

// Columns 3 to 42 of every record of an item.
std::u16string Comum(std::u16string_view codigo, std::u16string_view tipo, std::u16string_view descricao,
                     std::u16string_view preco, std::u16string_view validade) {
    return std::u16string(codigo) + std::u16string(tipo) + pad(descricao, 20) + std::u16string(preco) +
           std::u16string(validade) + u"D";
}

// kind, U+0002, the fields, the checksum (worked out here when not given), U+0003.
std::u16string Enquadrado(char16_t tipo, std::u16string_view campos, std::u16string_view soma = {}) {
    std::u16string r{tipo, u'\x02'};
    r += campos;
    r += soma.empty() ? SomaHexa(r) : std::u16string(soma);
    r += u'\x03';
    return r;
}

class Urano : public testing::Test {
protected:
    TQuelbCargaBalItem& Novo() { return gerador.Produtos().New(); }
    std::vector<std::u16string> Gerar() {
        GerarUrano(gerador, itens);
        return Linhas(itens);
    }

    TFormatoNumericoTemporario formato{FormatoVirgula};
    TQuelbCargaBal gerador;
    TListaLinhas itens;
};

struct TCasoProduto {
    const char* nome;
    void (*preparar)(TQuelbCargaBalItem&);
    std::u16string campos;  // columns 3 to 42 (or wider)
    std::u16string soma;    // empty: the sum of the record
};

TEST_F(Urano, RegistroDeProdutoSobVirgula) {
    const TCasoProduto casos[] = {
        {"defaults", [](TQuelbCargaBalItem&) {}, Comum(u"00000", u"P", u"", u"000000,00", u"0000"), u"067C"},
        {"code cut to its first five digits", [](TQuelbCargaBalItem& i) { i.Codigo = 123456; },
         Comum(u"12345", u"P", u"", u"000000,00", u"0000"), {}},
        {"negative code", [](TQuelbCargaBalItem& i) { i.Codigo = -5; },
         Comum(u"000-5", u"P", u"", u"000000,00", u"0000"), {}},
        {"validity", [](TQuelbCargaBalItem& i) { i.Validade = 5; },
         Comum(u"00000", u"P", u"", u"000000,00", u"0005"), {}},
        {"negative validity", [](TQuelbCargaBalItem& i) { i.Validade = -1; },
         Comum(u"00000", u"P", u"", u"000000,00", u"00-1"), {}},
        {"sold by unit", [](TQuelbCargaBalItem& i) { i.Tipo = tpvUnidade; },
         Comum(u"00000", u"U", u"", u"000000,00", u"0000"), {}},
        {"EAN-13 by weight", [](TQuelbCargaBalItem& i) { i.Tipo = tpvEAN13; },
         Comum(u"00000", u"P", u"", u"000000,00", u"0000"), {}},
        {"EAN-13 by unit", [](TQuelbCargaBalItem& i) { i.Tipo = tpvEAN13Und; },
         Comum(u"00000", u"U", u"", u"000000,00", u"0000"), {}},
        {"description cut to 20", [](TQuelbCargaBalItem& i) { i.Descricao = u"Queijo minas frescal light"; },
         Comum(u"00000", u"P", u"Queijo minas frescal", u"000000,00", u"0000"), {}},
        {"half to even, down", [](TQuelbCargaBalItem& i) { i.ValorVenda = V("12.345"); },
         Comum(u"00000", u"P", u"", u"000012,34", u"0000"), {}},
        {"half to even, up", [](TQuelbCargaBalItem& i) { i.ValorVenda = V("12.355"); },
         Comum(u"00000", u"P", u"", u"000012,36", u"0000"), {}},
        {"negative price widens", [](TQuelbCargaBalItem& i) { i.ValorVenda = V("-1.50"); },
         Comum(u"00000", u"P", u"", u"-000001,50", u"0000"), {}},
        {"seven integer digits widen", [](TQuelbCargaBalItem& i) { i.ValorVenda = V("1234567.89"); },
         Comum(u"00000", u"P", u"", u"1234567,89", u"0000"), {}},
        {"negative rounding to zero has no sign", [](TQuelbCargaBalItem& i) { i.ValorVenda = V("-0.004"); },
         Comum(u"00000", u"P", u"", u"000000,00", u"0000"), {}},
        // U+20AC counts as 0x20AC in the sum, not as its byte 0x80.
        {"euro sign", [](TQuelbCargaBalItem& i) { i.Descricao = u"\u20AC"; },
         Comum(u"00000", u"P", u"\u20AC", u"000000,00", u"0000"), u"2708"},
    };
    for (const auto& c : casos) {
        TQuelbCargaBal g;
        TListaLinhas lista;
        c.preparar(g.Produtos().New());
        GerarUrano(g, lista);
        ASSERT_EQ(lista.Count(), 1) << c.nome;
        EXPECT_EQ(Visivel(Linha(lista, 0)), Visivel(Enquadrado(u'\x0A', c.campos, c.soma))) << c.nome;
    }
}

TEST_F(Urano, RegistroPadraoTem47CaracteresEOPontoMudaASoma) {
    Novo();
    {
        TFormatoNumericoTemporario ponto(FormatoPonto);
        const auto linhas = Gerar();
        ASSERT_EQ(linhas.size(), 1u);
        EXPECT_EQ(linhas[0].size(), 47u);
        EXPECT_EQ(Visivel(linhas[0]),
                  Visivel(Enquadrado(u'\x0A', Comum(u"00000", u"P", u"", u"000000.00", u"0000"), u"067E")));
    }
    TListaLinhas outra;
    GerarUrano(gerador, outra);  // the comma of the fixture is back
    EXPECT_EQ(Linha(outra, 0).substr(28, 9), u"000000,00");
}

TEST_F(Urano, NutricionalERegistroDeReceitaCurto) {
    NovoQueijo(gerador);
    const auto comum = Comum(u"00042", u"U", u"Queijo", u"000012,50", u"0010");

    const auto linhas = Gerar();
    ASSERT_EQ(linhas.size(), 3u);
    EXPECT_EQ(Visivel(linhas[0]), Visivel(Enquadrado(u'\x0A', comum)));
    EXPECT_EQ(Visivel(linhas[1]), Visivel(Enquadrado(u'\x0B', comum + n_de(209, u' '))));
    // With a nutrition record the blank block is left out: the text starts at 43.
    EXPECT_EQ(Visivel(linhas[2]), Visivel(Enquadrado(u'\x0C', comum + pad(u"sal", 615))));
    EXPECT_EQ(linhas[1].size(), 256u);
    EXPECT_EQ(linhas[2].size(), 662u);
    EXPECT_EQ(linhas[2].substr(42, 4), u"sal ");
}

TEST_F(Urano, ReceitaSemNutricionalLevaOBlocoEmBranco) {
    struct {
        const char* nome;
        int32_t qtd;
        std::u16string receita;
        size_t registros;
    } casos[] = {
        {"no nutrition", 0, u"x", 2},
        {"negative quantity is no nutrition", -1, u"x", 2},
        {"a space is a recipe", 0, u" ", 2},
        {"no recipe, no nutrition", 0, u"", 1},
        {"nutrition only", 1, u"", 2},
    };
    for (const auto& c : casos) {
        TQuelbCargaBal g;
        TListaLinhas lista;
        auto& i = g.Produtos().New();
        i.Nutricional.Qtd = c.qtd;
        i.InformacaoExtra.Receita = c.receita;
        GerarUrano(g, lista);
        const auto linhas = Linhas(lista);
        ASSERT_EQ(linhas.size(), c.registros) << c.nome;
        const auto comum = Comum(u"00000", u"P", u"", u"000000,00", u"0000");
        if (c.qtd > 0) {
            EXPECT_EQ(Visivel(linhas[1]), Visivel(Enquadrado(u'\x0B', comum + n_de(209, u' ')))) << c.nome;
        } else if (!c.receita.empty()) {
            EXPECT_EQ(Visivel(linhas[1]),
                      Visivel(Enquadrado(u'\x0C', comum + n_de(209, u' ') + pad(c.receita, 615))))
                << c.nome;
            EXPECT_EQ(linhas[1].size(), 871u) << c.nome;
            EXPECT_EQ(linhas[1][251], c.receita[0]) << c.nome;  // column 252
        }
    }
}

TEST_F(Urano, SomaAcimaDeFFFFAlargaORegistro) {
    auto& i = Novo();
    i.Codigo = 12;
    i.Descricao = u"abc";
    i.Nutricional.Qtd = 1;
    i.InformacaoExtra.Receita = n_de(700, u'x');  // cut to 615

    const auto linhas = Gerar();
    ASSERT_EQ(linhas.size(), 3u);
    const auto comum = Comum(u"00012", u"P", u"abc", u"000000,00", u"0000");
    EXPECT_EQ(Visivel(linhas[2]), Visivel(Enquadrado(u'\x0C', comum + n_de(615, u'x'), u"1278F")));
    EXPECT_EQ(linhas[2].size(), 663u);
}

TEST_F(Urano, RegistrosComPrecoLargoDeslocamAsColunasSeguintes) {
    auto& i = Novo();
    i.ValorVenda = V("-1.5");
    i.Nutricional.Qtd = 1;
    i.InformacaoExtra.Receita = u"r";
    const auto linhas = Gerar();
    ASSERT_EQ(linhas.size(), 3u);
    EXPECT_EQ(linhas[0].size(), 48u);
    EXPECT_EQ(linhas[1].size(), 257u);
    EXPECT_EQ(linhas[2].size(), 663u);
    EXPECT_EQ(linhas[2].substr(43, 1), u"r");  // the text moved one column right
}

TEST_F(Urano, CadaItemNaOrdemSemEliminarRepetidos) {
    for (int n = 0; n < 2; ++n) {
        auto& i = Novo();
        i.Codigo = 7;
        i.InformacaoExtra.Receita = u"igual";
    }
    const auto linhas = Gerar();
    ASSERT_EQ(linhas.size(), 4u);
    EXPECT_EQ(linhas[0], linhas[2]);
    EXPECT_EQ(linhas[1], linhas[3]);
}

}  // namespace
}  // namespace quelb::teste
