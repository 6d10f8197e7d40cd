// The kind of a finding (its message without its values): every value of a
// message, however it is written, gives the same kind, so that the counts
// by kind do not split.
#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>

#include "generator/tipo_achado.h"

namespace quelb {
namespace {

// Values as catalogues and loads have them: quotes inside, at the start, at
// the end, doubled, alone; empty; digits.
const std::u16string_view Valores[] = {u"PAO", u"PAO \"FRANCES\"", u"\"", u"", u"QUEIJO\"", u"\"\"", u"A\"\"B",
                                       u"\"MINAS", u"149"};

struct TCaso {
    const char* Nome;
    std::function<Texto(std::u16string_view, std::u16string_view)> Mensagem;  // of two values
    std::u16string_view Tipo;
};

const TCaso Casos[] = {
    {"UmValor",
     [](auto v, auto) { return u"campo descricao: esperado \"1\", encontrado " + CitarValor(v); },
     u"campo descricao: esperado \"…\", encontrado \"…\""},
    {"NoComeco", [](auto v, auto) { return CitarValor(v) + u" não é um número"; }, u"\"…\" não é um número"},
    {"DoisValores",
     [](auto v, auto w) { return u"Toledo.DV: " + CitarValor(v) + u" não serve, que leva " + CitarValor(w); },
     u"Toledo.DV: \"…\" não serve, que leva \"…\""},
    {"LugarDoItem",
     [](auto v, auto) { return u"o caixa leria o código 149, que é o de produtos[3] (código 149, " + CitarValor(v) + u")"; },
     u"o caixa leria o código N, que é o de produtos[N] (código N, \"…\")"},
    // A quote no value opened stays as written.
    {"AspaSolta", [](auto v, auto) { return u"campo " + CitarValor(v) + u" tem um \" a mais"; },
     u"campo \"…\" tem um \" a mais"},
};

void PrintTo(const TCaso& c, std::ostream* os) { *os << c.Nome; }

class TipoDoAchadoDe : public testing::TestWithParam<TCaso> {};

TEST_P(TipoDoAchadoDe, EveryValueGivesOneKind) {
    const TCaso& c = GetParam();
    for (const std::u16string_view v : Valores)
        for (const std::u16string_view w : Valores)
            EXPECT_EQ(ParaUtf8(TipoDoAchado(c.Mensagem(v, w))), ParaUtf8(c.Tipo))
                << ParaUtf8(c.Mensagem(v, w));
}

INSTANTIATE_TEST_SUITE_P(Mensagens, TipoDoAchadoDe, testing::ValuesIn(Casos),
                         [](const testing::TestParamInfo<TCaso>& i) { return std::string(i.param.Nome); });

// Quoted as a CSV cell: each inner quote doubled.
TEST(CitarValor, DoublesEveryInnerQuote) {
    EXPECT_EQ(CitarValor(u"A\"B"), u"\"A\"\"B\"");
    EXPECT_EQ(CitarValor(u"\""), u"\"\"\"\"");
    EXPECT_EQ(CitarValor(u""), u"\"\"");
    EXPECT_EQ(CitarValor(u"Pão"), u"\"Pão\"");
}

}  // namespace
}  // namespace quelb
