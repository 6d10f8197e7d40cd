// The check of the items that the scale labels with a bar code against the
// label layout (DefinirEtiqueta, --etiqueta).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "generator/etiqueta.h"
#include "generator/modelos.h"
#include "generator/verificacao.h"

namespace quelb {
namespace {

const plataforma::TFormatoNumerico Ponto{u'.', u','};

TEtiquetaVerificada Etiqueta(std::string_view APadrao, int32_t APesoMaximo = PesoMaximoEtiqueta) {
    std::string erro;
    const std::optional<TFormatoEtiqueta> f = LerFormatoEtiqueta(APadrao, erro);
    EXPECT_TRUE(f) << erro;
    return {f.value_or(TFormatoEtiqueta{}), APesoMaximo};
}

void Item(TQuelbCargaBalItens& AItens, int32_t ACodigo, TQuelbCargaBalTipoVenda ATipo, int64_t APreco,
          const char16_t* ADescricao = u"Produto") {
    TQuelbCargaBalItem& i = AItens.New();
    i.Codigo = ACodigo;
    i.Tipo = ATipo;
    i.ValorVenda = TValorFixo::DeDezMilesimos(APreco);
    i.Descricao = ADescricao;
}

std::vector<std::string> Achados(TQuelbCargaBalItens& AItens, TQuelbCargaBalModelo AModelo,
                                 const TEtiquetaVerificada* AEtiqueta) {
    std::vector<std::string> r;
    for (const TAchado& a : VerificarItens(AItens, AModelo, Ponto, AEtiqueta)) r.push_back(ParaUtf8(LinhaDoAchado(a)));
    return r;
}

std::vector<std::string> SoErros(const std::vector<std::string>& AAchados) {
    std::vector<std::string> r;
    for (const std::string& a : AAchados)
        if (a.starts_with("erro:")) r.push_back(a);
    return r;
}

// Codes of up to 6 digits: against a 4-digit code field, each wider code is
// an erro (the till reads another code, maybe another product's); against
// a 6-digit one, none.
TEST(VerificacaoEtiqueta, CodesOfSixDigitsAgainstFourAndSixDigitLayouts) {
    TQuelbCargaBalItens itens;
    Item(itens, 123456, tpvPeso, 10'0000, u"Queijo");
    Item(itens, 3456, tpvPeso, 20'0000, u"Presunto");
    Item(itens, 93456, tpvEAN13, 30'0000, u"Salame");
    Item(itens, 77777, tpvPeso, 5'0000, u"Mortadela");
    Item(itens, 987654, tpvEAN13Und, 3'0000, u"Pão de queijo");
    Item(itens, 997654, tpvPeso, 6'0000, u"Linguiça");
    Item(itens, 12, tpvPeso, 7'0000, u"Banana");
    const TEtiquetaVerificada quatro = Etiqueta("2CCCCPPPPPPPD");
    EXPECT_EQ(Achados(itens, modToledoMGV6, &quatro),
              (std::vector<std::string>{
                  "erro: produtos[0] (código 123456), Codigo: 123456 não cabe nos 4 dígitos do código da etiqueta "
                  "2CCCCPPPPPPPD; o caixa leria o código 3456, que é o de produtos[1] (código 3456, \"Presunto\")",
                  "erro: produtos[2] (código 93456), Codigo: 93456 não cabe nos 4 dígitos do código da etiqueta "
                  "2CCCCPPPPPPPD; o caixa leria o código 3456, que é o de produtos[1] (código 3456, \"Presunto\")",
                  "erro: produtos[3] (código 77777), Codigo: 77777 não cabe nos 4 dígitos do código da etiqueta "
                  "2CCCCPPPPPPPD; o caixa leria o código 7777, que não é de nenhum produto do catálogo",
                  "erro: produtos[4] (código 987654), Codigo: 987654 não cabe nos 4 dígitos do código da etiqueta "
                  "2CCCCPPPPPPPD; o caixa leria o código 7654, que não é de nenhum produto do catálogo",
                  "erro: produtos[5] (código 997654), Codigo: 997654 não cabe nos 4 dígitos do código da etiqueta "
                  "2CCCCPPPPPPPD; o caixa leria o código 7654, o mesmo de produtos[4] (código 987654, \"Pão de "
                  "queijo\")",
              }));
    const TEtiquetaVerificada seis = Etiqueta("2CCCCCCPPPPPD");
    EXPECT_EQ(SoErros(Achados(itens, modToledoMGV6, &seis)), std::vector<std::string>{});
    // Without a layout, nothing about labels.
    EXPECT_EQ(Achados(itens, modToledoMGV6, nullptr), std::vector<std::string>{});
}

// A product that the till would find by a later item's code: the catalogue
// is looked up whole.
TEST(VerificacaoEtiqueta, TheProductFoundMayComeLater) {
    TQuelbCargaBalItens itens;
    Item(itens, 10149, tpvPeso, 10'0000);
    Item(itens, 149, tpvUnidade, 10'0000, u"Pão");
    const TEtiquetaVerificada e = Etiqueta("2CCCCPPPPPPPD");
    EXPECT_EQ(Achados(itens, modToledoMGV6, &e),
              (std::vector<std::string>{"erro: produtos[0] (código 10149), Codigo: 10149 não cabe nos 4 dígitos do "
                                        "código da etiqueta 2CCCCPPPPPPPD; o caixa leria o código 149, que é o de "
                                        "produtos[1] (código 149, \"Pão\")"}));
}

// A plain unit sale gets no bar code; the EAN-13 types follow how each model
// writes them: a model that writes tpvEAN13Und as a plain unit sale labels
// it as one.
TEST(VerificacaoEtiqueta, WhichItemsAreLabelledFollowsTheModel) {
    TQuelbCargaBalItens itens;
    Item(itens, 12345, tpvPeso, 1'0000);
    Item(itens, 12346, tpvUnidade, 1'0000);
    Item(itens, 12347, tpvEAN13, 1'0000);
    Item(itens, 12348, tpvEAN13Und, 1'0000);
    const TEtiquetaVerificada e = Etiqueta("2CCCCPPPPPPPD");
    const auto posicoes = [&](TQuelbCargaBalModelo AModelo) {
        std::vector<std::string> r;
        for (const std::string& a : Achados(itens, AModelo, &e))
            if (a.find("etiqueta") != std::string::npos) r.push_back(a.substr(0, a.find(" (")));
        return r;
    };
    // Toledo writes the bar code by unit apart ("5").
    for (const TQuelbCargaBalModelo m : {modToledo, modToledoMGV5, modToledoMGV6, modToledoMGV7, modToledoMGV5Ver1})
        EXPECT_EQ(posicoes(m), (std::vector<std::string>{"erro: produtos[0]", "erro: produtos[2]", "erro: produtos[3]"}))
            << DefinicaoModelo(m)->NomeEnumeracao;
    // The others write it as a unit sale.
    for (const TQuelbCargaBalModelo m : {modFilizola, modUrano, modUranoS, modUranoURF32, modRamuza})
        EXPECT_EQ(posicoes(m), (std::vector<std::string>{"erro: produtos[0]", "erro: produtos[2]"}))
            << DefinicaoModelo(m)->NomeEnumeracao;
}

// A price per kilogram whose label at the scale's largest weight would not
// fit the price field: an aviso from the first weight that does not fit.
TEST(VerificacaoEtiqueta, APriceThatDoesNotFitTheLabelAtTheLargestWeight) {
    TQuelbCargaBalItens itens;
    Item(itens, 1, tpvPeso, 89'9000, u"Picanha");   // 999.99 / 89.90 = 11.123 kg
    Item(itens, 2, tpvPeso, 66'6600, u"Alcatra");   // 15 kg give 999.90: fits
    Item(itens, 3, tpvEAN13, 66'6700, u"Maminha");  // 15 kg give 1000.05
    Item(itens, 4, tpvUnidade, 2000'0000, u"Cesta");  // no bar code
    const TEtiquetaVerificada e = Etiqueta("2CCCCCCPPPPPD");
    EXPECT_EQ(Achados(itens, modToledoMGV6, &e),
              (std::vector<std::string>{
                  "aviso: produtos[0] (código 1), ValorVenda: 89.9 por kg não cabe no campo do preço da etiqueta "
                  "2CCCCCCPPPPPD (5 dígitos, até 999.99) a partir de 11124 g (o peso máximo da balança é 15000 g)",
                  "aviso: produtos[2] (código 3), ValorVenda: 66.67 por kg não cabe no campo do preço da etiqueta "
                  "2CCCCCCPPPPPD (5 dígitos, até 999.99) a partir de 15000 g (o peso máximo da balança é 15000 g)",
              }));
    // At 11.123 kg the total is 999.96 and fits; at 11.124 kg, 1000.05.
    EXPECT_LT((89'9000LL * 11123 + 50000) / 100000, 100000);
    EXPECT_GE((89'9000LL * 11124 + 50000) / 100000, 100000);
    // A scale of 6 kg: only the first.
    const TEtiquetaVerificada pequena = Etiqueta("2CCCCCCPPPPPD", 6000);
    EXPECT_EQ(Achados(itens, modToledoMGV6, &pequena), std::vector<std::string>{});
    const TEtiquetaVerificada doze = Etiqueta("2CCCCCCPPPPPD", 12000);
    EXPECT_EQ(Achados(itens, modToledoMGV6, &doze).size(), 1u);
    // A weight layout carries no price; a wider price field takes them all.
    const TEtiquetaVerificada peso = Etiqueta("2CCCCCCWWWWWD");
    EXPECT_EQ(Achados(itens, modToledoMGV6, &peso), std::vector<std::string>{});
    const TEtiquetaVerificada largo = Etiqueta("2CCCCPPPPPPPD");
    EXPECT_EQ(Achados(itens, modToledoMGV6, &largo), std::vector<std::string>{});
}

TEST(VerificacaoEtiqueta, AUnitPriceWiderThanThePriceField) {
    TQuelbCargaBalItens itens;
    Item(itens, 1, tpvEAN13Und, 1000'0000, u"Cesta");
    const TEtiquetaVerificada e = Etiqueta("2CCCCCCPPPPPD");
    EXPECT_EQ(Achados(itens, modToledoMGV6, &e),
              (std::vector<std::string>{"aviso: produtos[0] (código 1), ValorVenda: 1000 por unidade não cabe no "
                                        "campo do preço da etiqueta 2CCCCCCPPPPPD (5 dígitos, até 999.99)"}));
}

TEST(VerificacaoEtiqueta, ANegativeCode) {
    TQuelbCargaBalItens itens;
    Item(itens, -5, tpvPeso, 1'0000);
    const TEtiquetaVerificada e = Etiqueta("2CCCCCCPPPPPD");
    const std::vector<std::string> a = Achados(itens, modToledoMGV6, &e);
    EXPECT_NE(std::find(a.begin(), a.end(),
                        "erro: produtos[0] (código -5), Codigo: -5 é negativo e não cabe no código da etiqueta "
                        "2CCCCCCPPPPPD"),
              a.end());
}

// The finding count and the cap of the listing take the label findings too.
TEST(VerificacaoEtiqueta, TheSummaryCountsTheLabelFindings) {
    TQuelbCargaBalItens itens;
    for (int32_t i = 0; i < 10; ++i) Item(itens, 10000 + i, tpvPeso, 1'0000);
    const TEtiquetaVerificada e = Etiqueta("2CCCCPPPPPPPD");
    const TResumoVerificacao r = VerificarItens(itens, modToledoMGV6, Ponto, 3, &e);
    EXPECT_EQ(r.Primeiros.size(), 3u);
    EXPECT_EQ(r.Erros, 10u);
}

// The product the till would find named by its description, quotes and all:
// its quotes doubled, and every such erro counted under one kind.
TEST(VerificacaoEtiqueta, ADescriptionWithQuotesKeepsTheFindingsOfOneKind) {
    TQuelbCargaBalItens itens;
    const char16_t* const descricoes[] = {u"Pão", u"Pão \"francês\"", u"\"", u"", u"Queijo\""};
    for (int32_t i = 0; i < 5; ++i) Item(itens, 1000 + i, tpvUnidade, 1'0000, descricoes[i]);
    for (int32_t i = 0; i < 5; ++i) Item(itens, 11000 + i, tpvPeso, 1'0000);
    const TEtiquetaVerificada e = Etiqueta("2CCCCPPPPPPPD");
    const TResumoVerificacao r = VerificarItens(itens, modToledoMGV6, Ponto, 2, &e);
    ASSERT_EQ(r.Primeiros.size(), 2u);
    EXPECT_EQ(ParaUtf8(LinhaDoAchado(r.Primeiros[1])),
              "erro: produtos[6] (código 11001), Codigo: 11001 não cabe nos 4 dígitos do código da etiqueta "
              "2CCCCPPPPPPPD; o caixa leria o código 1001, que é o de produtos[1] (código 1001, \"Pão \"\"francês\"\"\")");
    ASSERT_EQ(r.Tipos.size(), 1u);
    EXPECT_EQ(r.Tipos[0].Quantidade, 5u);
    EXPECT_TRUE(ParaUtf8(r.Tipos[0].Tipo).ends_with("que é o de produtos[N] (código N, \"…\")")) << ParaUtf8(r.Tipos[0].Tipo);
}

}  // namespace
}  // namespace quelb
