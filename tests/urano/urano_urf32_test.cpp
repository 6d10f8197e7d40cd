// The URF32 lines: product, nutrition, recipe and the two link files, with
// recipe lines kept once (ignoring letter case).
#include <gtest/gtest.h>

#include "generator/escritores.h"
#include "urano/apoio_registros.h"

namespace quelb::teste {
namespace {

struct TListasURF32 {
    TListaLinhas itens, nutricionais, receitas, produtosNutricionais, produtosReceitas;
};

class URF32 : public testing::Test {
protected:
    TQuelbCargaBalItem& Novo() { return gerador.Produtos().New(); }
    void Gerar() {
        GerarUranoURF32(gerador, l.itens, l.nutricionais, l.receitas, l.produtosNutricionais, l.produtosReceitas);
    }

    TFormatoNumericoTemporario formato{FormatoVirgula};
    TQuelbCargaBal gerador;
    TListasURF32 l;
};

// The product line from its seven fields.
std::u16string Produto(std::u16string_view codigo6, std::u16string_view tipo, std::u16string_view descricao,
                       std::u16string_view preco9, std::u16string_view validade5, std::u16string_view unidade) {
    return std::u16string(codigo6) + u"*" + std::u16string(tipo) + pad(descricao, 20) + std::u16string(preco9) +
           std::u16string(validade5) + std::u16string(unidade);
}

TEST_F(URF32, ItemPadraoDaProdutoENutricionalSomente) {
    Novo();
    Gerar();
    EXPECT_EQ(Linhas(l.itens),
              std::vector<std::u16string>{Produto(u"     0", u"0", u"", u"     0,00", u"    0", u"D")});
    EXPECT_EQ(Linhas(l.nutricionais), std::vector<std::u16string>{u"    0" + n_de(52, u'0')});
    EXPECT_EQ(Linha(l.itens, 0).size(), 43u);
    EXPECT_EQ(Linha(l.nutricionais, 0).size(), 57u);
    EXPECT_EQ(l.receitas.Count() + l.produtosNutricionais.Count() + l.produtosReceitas.Count(), 0);
}

TEST_F(URF32, LinhaDeProduto) {
    struct {
        const char* nome;
        void (*preparar)(TQuelbCargaBalItem&);
        std::u16string esperado;
    } casos[] = {
        {"unit, months",
         [](TQuelbCargaBalItem& i) {
             i.Codigo = 42;
             i.Tipo = tpvUnidade;
             i.Descricao = u"Queijo";
             i.ValorVenda = V("12.50");
             i.Validade = 30;
             i.TipoValidade = tpvMeses;
         },
         Produto(u"    42", u"6", u"Queijo", u"    12,50", u"   30", u"M")},
        {"EAN-13 by weight", [](TQuelbCargaBalItem& i) { i.Tipo = tpvEAN13; },
         Produto(u"     0", u"0", u"", u"     0,00", u"    0", u"D")},
        {"EAN-13 by unit", [](TQuelbCargaBalItem& i) { i.Tipo = tpvEAN13Und; },
         Produto(u"     0", u"6", u"", u"     0,00", u"    0", u"D")},
        {"long code and description", [](TQuelbCargaBalItem& i) {
             i.Codigo = 1234567;
             i.Descricao = u"Mortadela defumada com pistache";
         },
         Produto(u"123456", u"0", u"Mortadela defumada c", u"     0,00", u"    0", u"D")},
        {"price cut to nine", [](TQuelbCargaBalItem& i) { i.ValorVenda = V("123456.78"); },
         Produto(u"     0", u"0", u"", u"123,456,7", u"    0", u"D")},
        {"negative validity", [](TQuelbCargaBalItem& i) { i.Validade = -7; },
         Produto(u"     0", u"0", u"", u"     0,00", u"   -7", u"D")},
    };
    for (const auto& c : casos) {
        TQuelbCargaBal g;
        TListasURF32 listas;
        c.preparar(g.Produtos().New());
        GerarUranoURF32(g, listas.itens, listas.nutricionais, listas.receitas, listas.produtosNutricionais,
                        listas.produtosReceitas);
        ASSERT_EQ(listas.itens.Count(), 1) << c.nome;
        EXPECT_EQ(Visivel(Linha(listas.itens, 0)), Visivel(c.esperado)) << c.nome;
    }
}

TEST_F(URF32, PrecoIgualSobPonto) {
    TFormatoNumericoTemporario ponto(FormatoPonto);
    Novo().ValorVenda = V("1234.5");
    Gerar();
    EXPECT_EQ(Linha(l.itens, 0).substr(28, 9), u" 1,234,50");
}

TEST_F(URF32, LinhaNutricionalEVinculo) {
    auto& i = Novo();
    i.Codigo = 42;
    auto& n = i.Nutricional;
    n.Qtd = 3;
    n.ValorEnergetico = 150;
    n.Carboidrato = V("12.34");    // tenths, truncated
    n.Proteina = V("0.19");
    n.GorduraTotal = V("-0.15");   // truncated toward zero
    n.GorduraSaturada = V("1");
    n.GorduraTrans = V("0.05");
    n.Fibra = V("99999.9");
    n.Sodio = V("1.239");          // hundredths
    Gerar();
    const std::u16string esperado = u"   42"   // code
                                    u"000003"  // quantity
                                    u"00150"   // energy
                                    u"000123"  // carbohydrate
                                    u"000001"  // protein
                                    u"0000-1"  // total fat
                                    u"000010"  // saturated fat
                                    u"000000"  // trans fat
                                    u"999999"  // fibre
                                    u"00123";  // sodium
    EXPECT_EQ(Linhas(l.nutricionais), std::vector<std::u16string>{esperado});
    EXPECT_EQ(Linhas(l.produtosNutricionais), std::vector<std::u16string>{u"    42   42"});
}

TEST_F(URF32, SemQuantidadeNaoHaVinculoNutricional) {
    for (int32_t qtd : {0, -1}) {
        TQuelbCargaBal g;
        TListasURF32 listas;
        auto& i = g.Produtos().New();
        i.Nutricional.Qtd = qtd;
        i.Nutricional.Carboidrato = V("5");
        GerarUranoURF32(g, listas.itens, listas.nutricionais, listas.receitas, listas.produtosNutricionais,
                        listas.produtosReceitas);
        EXPECT_EQ(listas.nutricionais.Count(), 1) << qtd;
        EXPECT_EQ(listas.produtosNutricionais.Count(), 0) << qtd;
    }
}

TEST_F(URF32, ReceitaDeTresCaracteresOuMais) {
    struct {
        std::u16string receita;
        bool temLinha;
    } casos[] = {{u"", false}, {u"ab", false}, {u"  ", false}, {u"abc", true}, {u"   ", true}};
    for (const auto& c : casos) {
        TQuelbCargaBal g;
        TListasURF32 listas;
        auto& i = g.Produtos().New();
        i.Codigo = 42;
        i.InformacaoExtra.Receita = c.receita;
        GerarUranoURF32(g, listas.itens, listas.nutricionais, listas.receitas, listas.produtosNutricionais,
                        listas.produtosReceitas);
        if (c.temLinha) {
            EXPECT_EQ(Linhas(listas.receitas), std::vector<std::u16string>{u"0042 " + pad(c.receita, 254)});
            EXPECT_EQ(Linhas(listas.produtosReceitas), std::vector<std::u16string>{u"    42   42"});
            EXPECT_EQ(Linha(listas.receitas, 0).size(), 259u);
        } else {
            EXPECT_EQ(listas.receitas.Count() + listas.produtosReceitas.Count(), 0) << Visivel(c.receita);
        }
    }
}

TEST_F(URF32, ReceitasIguaisNoMesmoCodigoDeQuatroDigitosFicamUmaVez) {
    const struct {
        int32_t codigo;
        const char16_t* receita;
    } itens[] = {
        {12345, u"Farinha, ovos"},
        {12346, u"FARINHA, OVOS"},  // same first four digits, differs only in case
        {42, u"Farinha, ovos"},
        {43, u"Farinha, ovos"},     // another four-digit code: its own line
        {12347, u"Farinha, ovos"},
    };
    for (const auto& d : itens) {
        auto& i = Novo();
        i.Codigo = d.codigo;
        i.InformacaoExtra.Receita = d.receita;
    }
    Gerar();
    const std::u16string texto = pad(u"Farinha, ovos", 254);
    EXPECT_EQ(Linhas(l.receitas),
              (std::vector<std::u16string>{u"1234 " + texto, u"0042 " + texto, u"0043 " + texto}));
    EXPECT_EQ(Linhas(l.produtosReceitas),
              (std::vector<std::u16string>{u" 1234512345", u"    42   42", u"    43   43"}));
}

TEST_F(URF32, CodigoEmQuatroFormas) {
    auto& i = Novo();
    i.Codigo = 1234567;
    i.Nutricional.Qtd = 1;
    i.InformacaoExtra.Receita = n_de(300, u'r');  // cut to 254
    Gerar();
    EXPECT_EQ(Linha(l.itens, 0).substr(0, 6), u"123456");
    EXPECT_EQ(Linha(l.nutricionais, 0).substr(0, 5), u"12345");
    EXPECT_EQ(Linha(l.receitas, 0), u"1234 " + n_de(254, u'r'));
    EXPECT_EQ(Linha(l.produtosNutricionais, 0), u"12345612345");
    EXPECT_EQ(Linha(l.produtosReceitas, 0), u"12345612345");
}

}  // namespace
}  // namespace quelb::teste
