// The field writers write straight into the record. Here they are held
// against the plain definition of each primitive for every text length from
// 0 to 100 and for widths around each length.
#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <string>

#include "generator/primitivas.h"
#include "catalogue/texto_item.h"
#include "generator/registro.h"
#include "platform/plataforma.h"

namespace quelb {
namespace {

std::u16string DireitaPorDefinicao(const std::u16string& t, int32_t n, char16_t c) {
    const auto tamanho = static_cast<int32_t>(t.size());
    if (n >= 1 && n < tamanho) return t.substr(0, static_cast<size_t>(n));
    return n > tamanho ? t + std::u16string(static_cast<size_t>(n - tamanho), c) : t;
}

std::u16string EsquerdaPorDefinicao(const std::u16string& t, int32_t n, char16_t c) {
    const auto tamanho = static_cast<int32_t>(t.size());
    if (n >= 1 && n < tamanho) return t.substr(0, static_cast<size_t>(n));
    return n > tamanho ? std::u16string(static_cast<size_t>(n - tamanho), c) + t : t;
}

std::u16string Decimal(int64_t v) {
    const std::string s = std::to_string(v);
    return std::u16string(s.begin(), s.end());
}

TEST(EscritaCampos, TextsOfEveryLengthAgainstTheDefinition) {
    std::u16string fonte;
    for (int i = 0; i < 100; ++i) fonte += static_cast<char16_t>(u'a' + i % 26);
    TRegistro r;
    for (int32_t tamanho = 0; tamanho <= 100; ++tamanho) {
        const std::u16string t = fonte.substr(0, static_cast<size_t>(tamanho));
        for (const int32_t n : {-1, 0, 1, tamanho - 9, tamanho - 1, tamanho, tamanho + 1, tamanho + 9, 120}) {
            r.inicio().literal(u'[').texto(t, n).literal(u'|').textoADireita(t, n).literal(t).literal(u']');
            ASSERT_EQ(r.linha(), u"[" + DireitaPorDefinicao(t, n, u' ') + u"|" + EsquerdaPorDefinicao(t, n, u'0') +
                                     t + u"]")
                << tamanho << " " << n;
            r.inicio().texto(t, n, u'*').literal(u'|').textoADireita(t, n, u'*');
            ASSERT_EQ(r.linha(), DireitaPorDefinicao(t, n, u'*') + u"|" + EsquerdaPorDefinicao(t, n, u'*'));
        }
    }
}

TEST(EscritaCampos, NumbersAgainstTheDefinition) {
    TRegistro r;
    for (const int32_t v : {0, 7, -7, 10, 99, 100, -100, 123456, 999999999, 1000000000, INT_MAX, INT_MIN, -1}) {
        const std::u16string texto = Decimal(v);
        for (const int32_t n : {-2, 0, 1, 2, 5, 10, 11, 12, 20}) {
            r.inicio().inteiro(v, n, u' ').literal(u'|');
            ASSERT_EQ(r.linha(), EsquerdaPorDefinicao(texto, n, u' ') + u"|") << v << " " << n;
            r.inicio().inteiro(v, n);
            ASSERT_EQ(r.linha(), EsquerdaPorDefinicao(texto, n, u'0')) << v << " " << n;
        }
    }
}

TEST(EscritaCampos, ARecordGrowsPastItsBufferAndKeepsViewsOfItself) {
    TRegistro r;
    const std::u16string longo(3000, u'x');
    r.inicio().texto(longo, 5000).literal(u'!');
    ASSERT_EQ(r.linha().size(), 5001u);
    // A field taken from the record itself, written while the record grows.
    TRegistro s;
    s.inicio().literal(u"abc");
    for (int i = 0; i < 12; ++i) s.literal(s.linha());
    EXPECT_EQ(s.linha().size(), 3u << 12);
    EXPECT_EQ(s.linha().substr(s.linha().size() - 3), u"abc");
}

// The byte builder against the UTF-16 one and the platform's conversion: the
// same fields give the bytes of the UTF-16 record, or are declined when a
// character has no byte of its own (the record is then built in UTF-16).
TEST(EscritaCampos, TheByteBuilderWritesTheBytesOfTheUtf16Record) {
    // In the code page: ASCII, accents, "€" (a byte of the 0x80 row); outside
    // it: Greek, a Chinese character, an unpaired surrogate.
    // Also U+0080..U+00FF, which an item text keeps one byte each.
    const std::u16string dentro = u"aZ09 -çÃé€ŠŸ\u0080\u0081\u009F\u00A0ÿ";
    const std::u16string fora = u"Ω\u4E2D\xD800";
    std::mt19937 sorteio(17);
    const auto ate = [&](size_t n) { return sorteio() % n; };
    TRegistro texto;
    TRegistroBytes bytes;
    int declinados = 0;
    for (int caso = 0; caso < 4000; ++caso) {
        texto.inicio();
        bytes.inicio();
        const auto campo = [&](auto& r, const std::u16string& t, int32_t n, int32_t v, size_t tipo) {
            switch (tipo) {
                case 0: r.texto(t, n); break;
                case 1: r.textoADireita(t, n); break;
                case 2: r.texto(t, n, u'*'); break;
                case 3: r.literal(t); break;
                case 4: r.inteiro(v, n); break;
                case 5: r.inteiro(UnidadesDecimais(TValorFixo::DeDezMilesimos(v), 2), n, u' '); break;
                case 6: r.texto(u"", n, u'.'); break;
                case 8:
                case 9: {
                    // An item text as the writers take it: its bytes when it has them.
                    const TTextoItem item(t);
                    if (item.Estreito()) tipo == 8 ? r.texto(item.Bytes(), n) : r.textoADireita(item.Bytes(), n);
                    else tipo == 8 ? r.texto(item.Largo(), n) : r.textoADireita(item.Largo(), n);
                    break;
                }
                default: r.literal(t.empty() ? u'#' : t[0]); break;
            }
        };
        for (size_t k = ate(6) + 1; k > 0; --k) {
            std::u16string t;
            for (size_t i = ate(40); i > 0; --i) t += dentro[ate(dentro.size())];
            if (caso % 5 == 0 && !t.empty()) t[ate(t.size())] = fora[ate(fora.size())];
            const int32_t n = static_cast<int32_t>(ate(50)) - 2;
            const int32_t v = static_cast<int32_t>(sorteio());
            const size_t tipo = ate(10);
            campo(texto, t, n, v, tipo);
            campo(bytes, t, n, v, tipo);
        }
        const std::string esperado = plataforma::ParaCodigoPagina(texto.linha());
        // One byte for each character, and the bytes give the record back.
        const bool temByte =
            esperado.size() == texto.linha().size() && plataforma::DeCodigoPagina(esperado) == texto.linha();
        ASSERT_EQ(bytes.exata(), temByte) << caso;
        if (bytes.exata()) {
            ASSERT_EQ(bytes.linha(), esperado) << caso;
        } else {
            ++declinados;
        }
    }
    EXPECT_GT(declinados, 100);
}

}  // namespace
}  // namespace quelb
