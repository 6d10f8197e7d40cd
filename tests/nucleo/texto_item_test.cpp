#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "catalogue/texto_item.h"

namespace quelb {
namespace {

struct CasoTexto {
    std::u16string Texto;
    bool Estreito;  // kept a byte per code unit
};

// Every text comes back as the same UTF-16 code units, whichever form it is
// kept in; the form is bytes exactly when every code unit is at most U+00FF.
TEST(TextoItem, KeepsTheCodeUnitsInTheSmallestForm) {
    const CasoTexto casos[] = {
        {u"", true},
        {u"Queijo minas", true},
        {u"Pão de açúcar ÿ", true},
        {u"\u0080\u0081\u009F\u00A0 controles C1", true},
        {std::u16string(1, u'\0') + u"nulo", true},
        {u"Preço € 12,90", false},
        {u"Café \U0001F600", false},
        {u"\u0100", false},
        {std::u16string(5000, u'ã'), true},
    };
    for (const CasoTexto& c : casos) {
        const TTextoItem t(c.Texto);
        SCOPED_TRACE(std::string(c.Texto.begin(), c.Texto.begin() + std::min<size_t>(c.Texto.size(), 20)));
        EXPECT_EQ(t.size(), c.Texto.size());
        EXPECT_EQ(t.empty(), c.Texto.empty());
        EXPECT_EQ(t.Estreito(), c.Estreito);
        EXPECT_EQ(t.Utf16(), c.Texto);
        EXPECT_TRUE(t == c.Texto);
        for (size_t i = 0; i < c.Texto.size(); ++i) ASSERT_EQ(t[i], c.Texto[i]) << i;
        if (c.Estreito)
            for (size_t i = 0; i < c.Texto.size(); ++i)
                ASSERT_EQ(static_cast<unsigned char>(t.Bytes()[i]), c.Texto[i]) << i;
        else
            EXPECT_EQ(t.Largo(), c.Texto);

        // Copies and moves keep the text; the moved-from one is empty.
        TTextoItem copia = t;
        EXPECT_TRUE(copia == t);
        TTextoItem movido = std::move(copia);
        EXPECT_TRUE(movido == t);
        EXPECT_TRUE(copia.empty());
        copia = movido;
        EXPECT_TRUE(copia == c.Texto);
    }
}

TEST(TextoItem, DiffersByAnyCodeUnitOrLength) {
    EXPECT_FALSE(TTextoItem(u"Pão") == u"Pao");
    EXPECT_FALSE(TTextoItem(u"Pão") == u"Pão ");
    EXPECT_FALSE(TTextoItem(u"€") == u"\u00AC");  // the low byte of U+20AC
    EXPECT_FALSE(TTextoItem(u"€") == TTextoItem(u"\u00AC"));
    EXPECT_TRUE(TTextoItem::DeLatin1("P\xE3o") == u"Pão");
}

TEST(TextoItem, ChangesAsAString) {
    TTextoItem t = u"Pão";
    t += u" doce";
    t += u'€';
    EXPECT_TRUE(t == u"Pão doce€");
    EXPECT_FALSE(t.Estreito());
    t = u"sal";
    EXPECT_TRUE(t.Estreito());
    t.clear();
    EXPECT_TRUE(t.empty());
    EXPECT_TRUE(t == u"");
}

// Texts kept in an arena read as any other; copies and moves of them are
// texts of their own, which outlive the arena. 3000 texts, many of them equal,
// and some longer than a quarter of an arena block.
TEST(TextoItem, TextsInAnArenaAreCopiedOut) {
    auto arena = std::make_unique<TArenaTextos>();
    std::vector<TTextoItem> textos(3000);
    for (size_t i = 0; i < textos.size(); ++i)
        textos[i].DefinirLatin1(std::string(i % 7 == 0 ? 20000 + i : i % 50, static_cast<char>('a' + i % 26)), *arena);
    for (size_t i = 0; i < textos.size(); ++i) {
        ASSERT_EQ(textos[i].size(), i % 7 == 0 ? 20000 + i : i % 50) << i;
        ASSERT_TRUE(textos[i].Estreito());
        if (!textos[i].empty()) {
            ASSERT_EQ(textos[i][textos[i].size() - 1], u'a' + i % 26) << i;
        }
    }
    // Equal short texts may share their place in the arena: changing one
    // leaves the others (texts 1 and 1301, 3 and 1303 are equal).
    ASSERT_TRUE(textos[1] == textos[1301]);
    textos[1] = u"outro";
    textos[3].clear();
    EXPECT_TRUE(textos[1301] == u"b");
    EXPECT_TRUE(textos[1303] == u"ddd");
    TTextoItem copia = textos[5];
    TTextoItem movido = std::move(textos[6]);
    TTextoItem atribuido;
    atribuido = std::move(textos[8]);
    textos[9] = u"substituído";
    textos.clear();
    arena.reset();
    EXPECT_TRUE(copia == u"fffff");
    EXPECT_TRUE(movido == u"gggggg");
    EXPECT_TRUE(atribuido == u"iiiiiiii");
}

}  // namespace
}  // namespace quelb
