#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "generator/lista_linhas.h"
#include "platform/plataforma.h"

namespace quelb {
namespace {

// What index-of must answer: a scan from the first line.
int32_t IndicePorVarredura(const std::vector<std::u16string>& linhas, std::u16string_view procurada) {
    for (size_t i = 0; i < linhas.size(); ++i)
        if (plataforma::IguaisSemCaixa(linhas[i], procurada)) return static_cast<int32_t>(i);
    return -1;
}

TEST(ListaLinhas, KeepsOrderAndDuplicates) {
    TListaLinhas l;
    l.Adicionar(u"b");
    l.Adicionar(u"a");
    l.Adicionar(u"b");
    ASSERT_EQ(l.Count(), 3);
    EXPECT_EQ(l.Linha(0), u"b");
    EXPECT_EQ(l.Linha(2), u"b");
}

struct CasoIgualdade {
    const char16_t* a;
    const char16_t* b;
    bool iguais;
};

class IgualdadeSemCaixa : public testing::TestWithParam<CasoIgualdade> {};

TEST_P(IgualdadeSemCaixa, SameLengthAndEqualIgnoringCase) {
    const CasoIgualdade& c = GetParam();
    TListaLinhas l;
    l.Adicionar(u"primeira");
    l.Adicionar(c.a);
    EXPECT_EQ(l.IndiceDe(c.b), c.iguais ? 1 : -1) << std::string(c.a, c.a + 0);
}

INSTANTIATE_TEST_SUITE_P(Casos, IgualdadeSemCaixa,
                         testing::Values(CasoIgualdade{u"Queijo Minas", u"QUEIJO minas", true},
                                         CasoIgualdade{u"PÃO FRANCÊS", u"pão francês", true},
                                         CasoIgualdade{u"ŠŒŽŸ", u"šœžÿ", true},  // Windows-1252 letters
                                         CasoIgualdade{u"ÇÕ", u"çõ", true},
                                         CasoIgualdade{u"pao", u"pão", false},  // accents matter
                                         CasoIgualdade{u"abc", u"abc ", false},
                                         CasoIgualdade{u"", u"", true},
                                         CasoIgualdade{u"×", u"÷", false}));

TEST(ListaLinhas, FirstOccurrenceWinsAndLaterLinesAreFound) {
    TListaLinhas l;
    l.Adicionar(u"x");
    l.Adicionar(u"Linha");
    l.Adicionar(u"LINHA");
    EXPECT_EQ(l.IndiceDe(u"linha"), 1);
    l.Adicionar(u"nova");  // appended after the index was built
    EXPECT_EQ(l.IndiceDe(u"NOVA"), 3);
    EXPECT_EQ(l.IndiceDe(u"ausente"), -1);
}

TEST(ListaLinhas, AdicionarSeNovaKeepsTheFirstOfEqualLines) {
    TListaLinhas l;
    EXPECT_TRUE(l.AdicionarSeNova(u"Alface"));
    EXPECT_FALSE(l.AdicionarSeNova(u"ALFACE"));
    EXPECT_TRUE(l.AdicionarSeNova(u"Alface crespa"));
    ASSERT_EQ(l.Count(), 2);
    EXPECT_EQ(l.Linha(0), u"Alface");
}

TEST(ListaLinhas, ReplacingALineChangesWhatIsFound) {
    TListaLinhas l;
    l.Adicionar(u"a");
    l.Adicionar(u"b");
    l.Adicionar(u"A");
    EXPECT_EQ(l.IndiceDe(u"a"), 0);
    l.Substituir(0, u"c");
    EXPECT_EQ(l.IndiceDe(u"a"), 2);
    EXPECT_EQ(l.IndiceDe(u"C"), 0);
    l.Substituir(1, l.Linha(2));  // a line of the same list
    EXPECT_EQ(l.Linha(1), u"A");
    std::string bytes;
    l.Codificar(bytes);
    EXPECT_EQ(bytes, "c\r\nA\r\nA\r\n");
}

TEST(ListaLinhas, AgreesWithAScanOnManyLines) {
    std::mt19937 gerador(12345);
    const std::u16string alfabeto = u"aAbBçÇ";
    auto aleatoria = [&] {
        std::u16string s;
        const int n = 1 + static_cast<int>(gerador() % 3);
        for (int i = 0; i < n; ++i) s += alfabeto[gerador() % alfabeto.size()];
        return s;
    };
    TListaLinhas l;
    std::vector<std::u16string> copia;
    for (int i = 0; i < 400; ++i) {
        const std::u16string s = aleatoria();
        ASSERT_EQ(l.IndiceDe(s), IndicePorVarredura(copia, s)) << i;
        if (gerador() % 2) {
            l.Adicionar(s);
            copia.push_back(s);
        }
    }
}

TEST(ListaLinhas, EncodesEveryLineWithCrLfInTheCodePage) {
    TListaLinhas l;
    l.Adicionar(u"Pão");
    l.Adicionar(u"€ e \u4E2D");  // euro is in Windows-1252; the ideograph is not
    std::string bytes;
    l.Codificar(bytes);
    EXPECT_EQ(bytes, "P\xE3o\r\n\x80 e ?\r\n");
    EXPECT_EQ(l.TamanhoTexto(), 12u);
}

}  // namespace
}  // namespace quelb
