#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "apoio/diretorio_temporario.h"
#include "generator/lista_linhas.h"
#include "platform/plataforma.h"

namespace quelb {
namespace {

using teste::DiretorioTemporario;
using teste::LerArquivo;

// The file a list saves, without the byte-order mark of a UTF-8 code page.
std::string Arquivo(TListaLinhas& ALista) {
    DiretorioTemporario dir;
    const auto caminho = dir.Caminho() / "LISTA.TXT";
    EXPECT_EQ(ALista.Gravar(caminho.u16string()).Situacao, plataforma::TResultadoGravacao::Gravado);
    return LerArquivo(caminho);
}

std::string ArquivoDe(const std::vector<std::u16string>& ALinhas) {
    std::string r;
    for (const auto& l : ALinhas) r += plataforma::ParaCodigoPaginaArquivos(l) + "\r\n";
    return r;
}

TEST(ListaLinhas, SavesEveryLineWithCrLfInTheCodePage) {
    struct {
        const char* caso;
        std::vector<std::u16string> linhas;
        std::string esperado;
    } casos[] = {
        {"empty list", {}, ""},
        {"order and duplicates kept", {u"b", u"a", u"b"}, "b\r\na\r\nb\r\n"},
        {"an empty line", {u"", u"x"}, "\r\nx\r\n"},
        // The euro is in Windows-1252; the ideograph is not.
        {"code page", {u"Pão", u"€ e \u4E2D"}, "P\xE3o\r\n\x80 e ?\r\n"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        TListaLinhas l;
        for (const auto& t : c.linhas) l.Adicionar(t);
        EXPECT_EQ(l.Count(), static_cast<int32_t>(c.linhas.size()));
        EXPECT_EQ(Arquivo(l), c.esperado);
        // Saved again: a list not told its file keeps its lines.
        EXPECT_EQ(Arquivo(l), c.esperado);
    }
}

struct CasoIgualdade {
    const char16_t* a;
    const char16_t* b;
    bool iguais;
};

class IgualdadeSemCaixa : public testing::TestWithParam<CasoIgualdade> {};

TEST_P(IgualdadeSemCaixa, SameLengthAndEqualIgnoringCase) {
    const CasoIgualdade& c = GetParam();
    for (const bool emBytes : {false, true}) {
        SCOPED_TRACE(emBytes ? "as bytes" : "as text");
        TListaLinhas l;
        EXPECT_TRUE(l.AdicionarSeNova(u"primeira"));
        EXPECT_TRUE(l.AdicionarSeNova(c.a));
        const bool nova =
            emBytes ? l.AdicionarSeNovaBytes(plataforma::ParaCodigoPaginaArquivos(c.b)) : l.AdicionarSeNova(c.b);
        EXPECT_EQ(nova, !c.iguais);
        // The first of equal lines keeps its place and its letters.
        std::vector<std::u16string> esperado = {u"primeira", c.a};
        if (!c.iguais) esperado.push_back(c.b);
        EXPECT_EQ(Arquivo(l), ArquivoDe(esperado));
    }
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

TEST(ListaLinhas, ALineOutsideTheCodePageIsComparedByItsText) {
    TListaLinhas l;
    EXPECT_TRUE(l.AdicionarSeNova(u"Ω preço"));  // written "? pre\xE7o"
    EXPECT_TRUE(l.AdicionarSeNova(u"? preço"));  // the same bytes, another line
    EXPECT_FALSE(l.AdicionarSeNova(u"ω PREÇO"));
    EXPECT_FALSE(l.AdicionarSeNovaBytes("? PRE\xC7O"));
    EXPECT_TRUE(l.AdicionarSeNova(u"\u4E2D preço"));
    EXPECT_EQ(Arquivo(l), "? pre\xE7o\r\n? pre\xE7o\r\n? pre\xE7o\r\n");
}

TEST(ListaLinhas, PlainLinesOfASearchedListAreFoundLater) {
    TListaLinhas l;
    EXPECT_TRUE(l.AdicionarSeNova(u"x"));
    l.Adicionar(u"Linha");
    l.AdicionarBytes("Linha");  // a repeat, kept
    l.Adicionar(u"Ω");
    EXPECT_FALSE(l.AdicionarSeNova(u"LINHA"));
    EXPECT_FALSE(l.AdicionarSeNovaBytes("x"));
    EXPECT_FALSE(l.AdicionarSeNova(u"ω"));
    EXPECT_EQ(Arquivo(l), "x\r\nLinha\r\nLinha\r\n?\r\n");
}

}  // namespace
}  // namespace quelb
