// A real generation of the three Urano models into a temporary directory,
// checked byte for byte under a decimal comma and under a decimal point.
#include <gtest/gtest.h>

#include "urano/apoio_registros.h"

namespace quelb::teste {
namespace {

// Three items: all defaults; one sold by unit with nutrition and recipe data
// and a euro sign (U+20AC, byte 0x80) in its description; one sold under an
// EAN-13 code by weight with accented letters and a recipe only.
void Catalogo(TQuelbCargaBal& g) {
    g.Produtos().New();

    auto& queijo = NovoQueijo(g);
    queijo.Descricao = u"Queijo \u20AC";
    queijo.ValorVenda = V("12.345");
    queijo.Nutricional.ValorEnergetico = 150;
    queijo.Nutricional.Carboidrato = V("12.34");
    queijo.Nutricional.Sodio = V("1.239");
    queijo.InformacaoExtra.Receita = u"Leite, sal";

    auto& pao = g.Produtos().New();
    pao.Codigo = 7;
    pao.Tipo = tpvEAN13;
    pao.Descricao = u"P\u00E3o franc\u00EAs";
    pao.ValorVenda = V("1234.5");
    pao.Validade = 1;
    pao.InformacaoExtra.Receita = u"Farinha";
}

// Generates the catalogue for AModelo into ADiretorio; returns the names of
// the saved files.
std::vector<std::string> GerarCatalogo(TQuelbCargaBalModelo AModelo, const DiretorioTemporario& ADiretorio) {
    TQuelbCargaBal g;
    g.Modelo = AModelo;
    Catalogo(g);
    return GerarEm(g, ADiretorio);
}

struct TCasoFormato {
    plataforma::TFormatoNumerico formato;
    char16_t decimal;
    // Checksums of the Urano records, in file order: they move by two with
    // each price written with a point (U+002E) instead of a comma (U+002C).
    const char16_t* somas[6];
};

const TCasoFormato Formatos[] = {
    {FormatoVirgula, u',', {u"067C", u"28CB", u"42EC", u"77EC", u"0A5C", u"7337"}},
    {FormatoPonto, u'.', {u"067E", u"28CD", u"42EE", u"77EE", u"0A5E", u"7339"}},
};

std::u16string Registro(char16_t tipo, std::u16string_view campos, std::u16string_view soma) {
    return std::u16string{tipo, u'\x02'} + std::u16string(campos) + std::u16string(soma) + u"\x03";
}

TEST(ArquivosUrano, ProdutosTxtByteAByte) {
    for (const auto& f : Formatos) {
        TFormatoNumericoTemporario formato(f.formato);
        DiretorioTemporario dir;
        ASSERT_EQ(GerarCatalogo(modUrano, dir), std::vector<std::string>{"PRODUTOS.TXT"});

        const std::u16string d(1, f.decimal);
        const std::u16string padrao = u"00000" u"P" + pad(u"", 20) + u"000000" + d + u"00" + u"0000" u"D";
        const std::u16string queijo = u"00042" u"U" + pad(u"Queijo \u20AC", 20) + u"000012" + d + u"34" + u"0010" u"D";
        const std::u16string pao = u"00007" u"P" + pad(u"P\u00E3o franc\u00EAs", 20) + u"001234" + d + u"50" + u"0001" u"D";
        const std::vector<std::u16string> linhas = {
            Registro(u'\x0A', padrao, f.somas[0]),
            Registro(u'\x0A', queijo, f.somas[1]),
            Registro(u'\x0B', queijo + n_de(209, u' '), f.somas[2]),
            Registro(u'\x0C', queijo + pad(u"Leite, sal", 615), f.somas[3]),
            Registro(u'\x0A', pao, f.somas[4]),
            Registro(u'\x0C', pao + n_de(209, u' ') + pad(u"Farinha", 615), f.somas[5]),
        };
        EXPECT_EQ(LerArquivo(dir.Caminho() / "PRODUTOS.TXT"), BytesDoArquivo(linhas))
            << "decimal " << static_cast<char>(f.decimal);
    }
}

TEST(ArquivosUrano, UranoSProdutosTxtIgualSobQualquerFormato) {
    const std::u16string fixo = u"D0000" + n_de(28, u' ');
    const std::u16string queijo = u"00042" u"U" + pad(u"Queijo \u20AC", 20) + u"000012.34" u"0010" u"D";
    const std::u16string pao = u"00007" u"P" + pad(u"P\u00E3o franc\u00EAs", 20) + u"001234.50" u"0001" u"D";
    const std::vector<std::u16string> linhas = {
        u"\x10\x02" u"000000" u"P" + pad(u"", 30) + u"000000.00" u"0000" + fixo + u"0c22\x03",
        u"\x10\x02" u"000042" u"U" + pad(u"Queijo \u20AC", 30) + u"000012.34" u"0010" + fixo + u"2e71\x03",
        Registro(u'\x0B', queijo + n_de(209, u' '), u"42EE"),
        Registro(u'\x0C', queijo + pad(u"Leite, sal", 615), u"77EE"),
        u"\x10\x02" u"000007" u"P" + pad(u"P\u00E3o franc\u00EAs", 30) + u"001234.50" u"0001" + fixo + u"1002\x03",
        Registro(u'\x0C', pao + n_de(209, u' ') + pad(u"Farinha", 615), u"7339"),
    };
    for (const auto& f : Formatos) {
        TFormatoNumericoTemporario formato(f.formato);
        DiretorioTemporario dir;
        ASSERT_EQ(GerarCatalogo(modUranoS, dir), std::vector<std::string>{"PRODUTOS.TXT"});
        EXPECT_EQ(LerArquivo(dir.Caminho() / "PRODUTOS.TXT"), BytesDoArquivo(linhas))
            << "decimal " << static_cast<char>(f.decimal);
    }
}

TEST(ArquivosUrano, UranoSNaoMudaOFormatoDosOutros) {
    TFormatoNumericoTemporario formato(FormatoVirgula);
    DiretorioTemporario dir;
    TQuelbCargaBal g;
    g.Produtos().New();
    g.Modelo = modUranoS;
    GerarEm(g, dir);
    EXPECT_EQ(plataforma::FormatoNumerico().SeparadorDecimal, u',');
    g.Modelo = modUrano;
    GerarEm(g, dir);
    EXPECT_EQ(LerArquivo(dir.Caminho() / "PRODUTOS.TXT"),
              BytesDoArquivo({u"\x0A\x02" u"00000" u"P" + pad(u"", 20) + u"000000,00" u"0000" u"D" u"067C\x03"}));
}

TEST(ArquivosUrano, URF32CincoArquivosIguaisSobQualquerFormato) {
    const std::vector<std::pair<std::string, std::vector<std::u16string>>> esperados = {
        {"PRODUTOS.TXT",
         {u"     0" u"*" u"0" + pad(u"", 20) + u"     0,00" u"    0" u"D",
          u"    42" u"*" u"6" + pad(u"Queijo \u20AC", 20) + u"    12,35" u"   10" u"D",  // half away from zero
          u"     7" u"*" u"0" + pad(u"P\u00E3o franc\u00EAs", 20) + u" 1,234,50" u"    1" u"D"}},
        {"RECEITAS.TXT", {u"0042 " + pad(u"Leite, sal", 254), u"0007 " + pad(u"Farinha", 254)}},
        {"INFORMACOESNUTRICIONAIS.TXT",
         {u"    0" + n_de(52, u'0'),
          u"   42" u"000002" u"00150" u"000123" + n_de(30, u'0') + u"00123",
          u"    7" + n_de(52, u'0')}},
        {"PRODUTOSINFORMACOESNUTRICIONAIS.TXT", {u"    42   42"}},
        {"PRODUTOSRECEITAS.TXT", {u"    42   42", u"     7    7"}},
    };
    std::vector<std::string> nomes;
    for (const auto& e : esperados) nomes.push_back(e.first);

    for (const auto& f : Formatos) {
        TFormatoNumericoTemporario formato(f.formato);
        DiretorioTemporario dir;
        ASSERT_EQ(GerarCatalogo(modUranoURF32, dir), nomes);
        for (const auto& [nome, linhas] : esperados)
            EXPECT_EQ(LerArquivo(dir.Caminho() / nome), BytesDoArquivo(linhas))
                << nome << ", decimal " << static_cast<char>(f.decimal);
    }
}

// Two items giving every record of the three loads, with values wider than
// their fields but a price of nine characters and sums of four digits, where
// the framed records have their least width.
void AmostraLarga(TQuelbCargaBal& g) {
    auto& a = g.Produtos().New();
    a.Codigo = 1234567;
    a.Descricao = n_de(40, u'D');
    a.ValorVenda = V("999999.99");
    a.Validade = 12345;
    a.Nutricional.Qtd = 1234567;
    a.Nutricional.ValorEnergetico = 1234567;
    a.Nutricional.Sodio = V("99999.99");
    a.InformacaoExtra.Receita = n_de(700, u'!');
    auto& b = g.Produtos().New();
    b.Codigo = 1;
    b.ValorVenda = V("0.01");
    b.InformacaoExtra.Receita = u"sal";
}

TEST(ArquivosUrano, CadaLayoutComALarguraDeclarada) {
    const std::pair<TQuelbCargaBalModelo, std::vector<TRegistrosArquivo>> modelos[] = {
        {modUrano, {{"PRODUTOS.TXT", {"produto", "nutricional", "receita_apos_nutricional", "produto", "receita"}}}},
        {modUranoS, {{"PRODUTOS.TXT", {"produto", "nutricional", "receita_apos_nutricional", "produto", "receita"}}}},
        {modUranoURF32,
         {{"PRODUTOS.TXT", {"produto", "produto"}},
          {"INFORMACOESNUTRICIONAIS.TXT", {"nutricional", "nutricional"}},
          {"PRODUTOSINFORMACOESNUTRICIONAIS.TXT", {"vinculo"}},
          {"RECEITAS.TXT", {"receita", "receita"}},
          {"PRODUTOSRECEITAS.TXT", {"vinculo", "vinculo"}}}},
    };
    for (const auto& [modelo, arquivos] : modelos) ConferirLargurasDeclaradas(modelo, AmostraLarga, arquivos);
}

}  // namespace
}  // namespace quelb::teste
