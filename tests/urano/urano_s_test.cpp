// The Urano S records (PRODUTOS.TXT of modUranoS): a 90-character product
// record checksummed in lower case over its fields alone, and the nutrition
// and recipe records of the Urano layout; every price with a point.
#include <gtest/gtest.h>

#include "generator/escritores.h"
#include "urano/apoio_registros.h"

namespace quelb::teste {
namespace {

const std::u16string FixoS = u"D0000" + n_de(28, u' ');

// Columns 3 to 85 of the product record.
std::u16string CamposProdutoS(std::u16string_view codigo, std::u16string_view tipo, std::u16string_view descricao,
                              std::u16string_view preco, std::u16string_view validade) {
    return std::u16string(codigo) + std::u16string(tipo) + pad(descricao, 30) + std::u16string(preco) +
           std::u16string(validade) + FixoS;
}

// U+0010, U+0002, the fields, their own lower-case sum (worked out here when
// not given), U+0003.
std::u16string ProdutoS(std::u16string_view campos, std::u16string_view soma = {}) {
    return u"\x10\x02" + std::u16string(campos) + (soma.empty() ? SomaHexa(campos, false) : std::u16string(soma)) +
           u"\x03";
}

// A nutrition or recipe record of the Urano layout: the sum covers it whole.
std::u16string EnquadradoUrano(char16_t tipo, std::u16string_view campos) {
    std::u16string r{tipo, u'\x02'};
    r += campos;
    r += SomaHexa(r);
    r += u'\x03';
    return r;
}

std::vector<std::u16string> GerarS(TQuelbCargaBal& g) {
    TListaLinhas lista;
    GerarUranoS(g, lista);
    return Linhas(lista);
}

TEST(UranoS, RegistroPadraoIgualEmQualquerFormato) {
    const auto esperado = ProdutoS(CamposProdutoS(u"000000", u"P", u"", u"000000.00", u"0000"), u"0c22");
    for (const auto& formato : {FormatoVirgula, FormatoPonto}) {
        TFormatoNumericoTemporario noEscopo(formato);
        TQuelbCargaBal g;
        g.Produtos().New();
        const auto linhas = GerarS(g);
        ASSERT_EQ(linhas.size(), 1u);
        EXPECT_EQ(linhas[0].size(), 90u);
        EXPECT_EQ(Visivel(linhas[0]), Visivel(esperado));
    }
}

TEST(UranoS, ProdutoNutricionalEReceitaDoMesmoItem) {
    TFormatoNumericoTemporario virgula(FormatoVirgula);
    TQuelbCargaBal g;
    NovoQueijo(g);
    const std::u16string comum = u"00042" u"U" + pad(u"Queijo", 20) + u"000012.50" u"0010" u"D";

    const auto linhas = GerarS(g);
    ASSERT_EQ(linhas.size(), 3u);
    EXPECT_EQ(Visivel(linhas[0]), Visivel(ProdutoS(CamposProdutoS(u"000042", u"U", u"Queijo", u"000012.50", u"0010"),
                                                   u"0de3")));
    EXPECT_EQ(Visivel(linhas[1]), Visivel(EnquadradoUrano(u'\x0B', comum + n_de(209, u' '))));
    EXPECT_EQ(Visivel(linhas[2]), Visivel(EnquadradoUrano(u'\x0C', comum + pad(u"sal", 615))));
    EXPECT_EQ(linhas[1].size(), 256u);
    EXPECT_EQ(linhas[2].size(), 662u);
}

TEST(UranoS, LargurasDoProdutoDiferemDasDosOutrosRegistros) {
    TQuelbCargaBal g;
    auto& i = g.Produtos().New();
    i.Codigo = 1234567;
    i.Descricao = u"Presunto cozido fatiado 1";  // 25 characters
    i.InformacaoExtra.Receita = u"r";
    const auto linhas = GerarS(g);
    ASSERT_EQ(linhas.size(), 2u);
    EXPECT_EQ(linhas[0].substr(2, 6), u"123456");
    EXPECT_EQ(linhas[0].substr(9, 30), pad(u"Presunto cozido fatiado 1", 30));
    EXPECT_EQ(linhas[1].substr(2, 5), u"12345");
    EXPECT_EQ(linhas[1].substr(8, 20), u"Presunto cozido fati");
    EXPECT_EQ(linhas[1].size(), 871u);
}

TEST(UranoS, PrecoComPontoMesmoSobVirgula) {
    TFormatoNumericoTemporario virgula(FormatoVirgula);
    const struct {
        const char* valor;
        std::u16string preco;
    } casos[] = {
        {"12.345", u"000012.34"},
        {"12.355", u"000012.36"},
        {"-1.50", u"-000001.50"},
        {"1000000", u"1000000.00"},
        {"-0.005", u"000000.00"},
    };
    for (const auto& c : casos) {
        TQuelbCargaBal g;
        auto& i = g.Produtos().New();
        i.ValorVenda = V(c.valor);
        i.Nutricional.Qtd = 1;
        i.InformacaoExtra.Receita = u"r";
        const auto linhas = GerarS(g);
        ASSERT_EQ(linhas.size(), 3u);
        EXPECT_EQ(Visivel(linhas[0]), Visivel(ProdutoS(CamposProdutoS(u"000000", u"P", u"", c.preco, u"0000"))))
            << c.valor;
        const std::u16string comum = u"00000" u"P" + pad(u"", 20) + c.preco + u"0000" u"D";
        EXPECT_EQ(Visivel(linhas[1]), Visivel(EnquadradoUrano(u'\x0B', comum + n_de(209, u' ')))) << c.valor;
        EXPECT_EQ(Visivel(linhas[2]), Visivel(EnquadradoUrano(u'\x0C', comum + pad(u"r", 615)))) << c.valor;
    }
}

TEST(UranoS, MaiusculasSoNosRegistrosNutricionalEReceita) {
    TQuelbCargaBal g;
    auto& i = g.Produtos().New();
    i.Descricao = u"zz";  // sums with letters in every record: 0cd6, 2153, 557C
    i.Nutricional.Qtd = 1;
    i.InformacaoExtra.Receita = u"zzzz";
    const auto linhas = GerarS(g);
    ASSERT_EQ(linhas.size(), 3u);
    EXPECT_EQ(linhas[0].substr(85, 4), u"0cd6");
    EXPECT_EQ(linhas[1].substr(251, 4), u"2153");
    EXPECT_EQ(linhas[2].substr(657, 4), u"557C");
}

TEST(UranoS, SomaDoProdutoComCincoDigitosAlargaORegistro) {
    TQuelbCargaBal g;
    g.Produtos().New().Descricao = n_de(30, u'\u4E00');  // the sum passes FFFF
    const auto linhas = GerarS(g);
    ASSERT_EQ(linhas.size(), 1u);
    const auto campos = CamposProdutoS(u"000000", u"P", n_de(30, u'\u4E00'), u"000000.00", u"0000");
    // The file holds the character as the code page writes it; the sum
    // counts the character itself.
    const std::u16string esperado = plataforma::DeCodigoPagina(plataforma::ParaCodigoPagina(ProdutoS(campos, u"92c62")));
    EXPECT_EQ(Visivel(linhas[0]), Visivel(esperado));
    EXPECT_EQ(linhas[0].size(), 91u);
}

}  // namespace
}  // namespace quelb::teste
