#include <gtest/gtest.h>

#include "catalogue/texto.h"

namespace quelb {
namespace {

TEST(Utf8, RoundTripsEveryPlane) {
    const std::u16string texto = u"Pão \u20AC \U0001F600 fim";
    const std::string utf8 = ParaUtf8(texto);
    EXPECT_EQ(utf8, "P\xC3\xA3o \xE2\x82\xAC \xF0\x9F\x98\x80 fim");
    std::u16string volta;
    EXPECT_TRUE(DeUtf8(utf8, volta));
    EXPECT_EQ(volta, texto);
    EXPECT_EQ(ParaUtf8(std::u16string(1, u'\xD800')), "\xEF\xBF\xBD");  // a lone surrogate
}

struct CasoInvalido {
    const char* bytes;
    const char16_t* substituido;
};

class Utf8Invalido : public testing::TestWithParam<CasoInvalido> {};

TEST_P(Utf8Invalido, IsRefusedOrReplaced) {
    std::u16string destino = u"x";
    EXPECT_FALSE(DeUtf8(GetParam().bytes, destino));
    EXPECT_EQ(DeUtf8(GetParam().bytes), GetParam().substituido);
}

INSTANTIATE_TEST_SUITE_P(Casos, Utf8Invalido,
                         testing::Values(CasoInvalido{"a\xE3o", u"a\uFFFDo"},            // Windows-1252 byte
                                         CasoInvalido{"\xC0\xAF", u"\uFFFD\uFFFD"},      // overlong
                                         CasoInvalido{"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},  // surrogate
                                         CasoInvalido{"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
                                         CasoInvalido{"fim\xE2\x82", u"fim\uFFFD\uFFFD"}));  // cut short

}  // namespace
}  // namespace quelb
