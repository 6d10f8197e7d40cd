// The line list keeps its lines as the bytes of the file. These tests hold
// that storage against the plain definitions: the platform's conversion for
// the bytes, a scan with IguaisSemCaixa for the lines without repeats. Lines
// are long enough to cross the eight-character blocks of the quick paths, and mix characters inside and outside the code page.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "apoio/diretorio_temporario.h"
#include "generator/lista_linhas.h"
#include "generator/tabela_codigo_pagina.h"
#include "platform/plataforma.h"

namespace quelb {
namespace {

// Groups of characters equal to each other ignoring letter case, and single
// characters with no other case. The first 19 are all in Windows-1252 (U+009D
// stands for an undefined byte); the last ones have characters outside it.
const std::vector<std::u16string> Classes = {
    u"aA", u"zZ", u"çÇ", u"ãÃ", u"éÉ", u"þÞ", u"šŠ", u"œŒ", u"ÿŸ", u"0", u" ", u"-", u"×", u"÷", u"ß", u"€",
    u"\u009D", u"ª", u"\u00A0",
    u"µΜμ", u"ωΩ", u"\u0085", u"\u4E2D",
};
constexpr size_t ClassesDoCodigoPagina = 19;

class Sorteio {
public:
    explicit Sorteio(uint32_t ASemente) : FGerador(ASemente) {}
    size_t Ate(size_t n) { return FGerador() % n; }
    // A text of 0 to 40 characters: class indices.
    std::vector<size_t> Classes(size_t AQuantasClasses) {
        std::vector<size_t> r(Ate(41));
        for (size_t& c : r) c = Ate(AQuantasClasses);
        return r;
    }
    // One member of each class.
    std::u16string Texto(const std::vector<size_t>& AClasses) {
        std::u16string t;
        for (const size_t c : AClasses) t += quelb::Classes[c][Ate(quelb::Classes[c].size())];
        return t;
    }

private:
    std::mt19937 FGerador;
};

TEST(CaixaSemDiferenca, EqualTextsHaveEqualHashes) {
    Sorteio s(2024);
    for (int i = 0; i < 3000; ++i) {
        const auto classes = s.Classes(Classes.size());
        const std::u16string a = s.Texto(classes), b = s.Texto(classes);
        ASSERT_TRUE(plataforma::IguaisSemCaixa(a, b)) << i;
        ASSERT_EQ(plataforma::HashSemCaixa(a), plataforma::HashSemCaixa(b)) << i;
    }
}

TEST(CaixaSemDiferenca, TheHashOfBytesIsTheHashOfTheirText) {
    const TTabelaCodigoPagina& tabela = TTabelaCodigoPagina::Instancia();
    std::mt19937 sorteio(11);
    for (int i = 0; i < 3000; ++i) {
        // Any byte, or mostly letters (the quick sixteen-at-a-time path).
        std::string bytes(sorteio() % 70, '\0');
        for (char& b : bytes) b = static_cast<char>(i % 2 ? sorteio() % 256 : u'a' + sorteio() % 26 - (sorteio() % 2) * 32);
        std::u16string texto(bytes.size(), u'\0');
        tabela.Decodificar(bytes, texto.data());
        const uint64_t esperado = plataforma::HashSemCaixa(texto);
        ASSERT_EQ(plataforma::HashSemCaixa(bytes, tabela.Caracteres(), tabela.Latin1Igual()), esperado) << i;
        ASSERT_EQ(plataforma::HashSemCaixa(bytes, tabela.Caracteres(), false), esperado) << i;
    }
}

TEST(CaixaSemDiferenca, DifferentTextsRarelyShareAHash) {
    // Letters, digits and spaces: the hash joins a few symbols on purpose
    // (such as "×" and "÷"), never these.
    const std::vector<std::u16string> letras = {u"aA", u"zZ", u"çÇ", u"ãÃ", u"þÞ", u"šŠ", u"ÿŸ", u"µΜμ", u"ωΩ", u"0",
                                                u"9", u" "};
    Sorteio s(7);
    std::vector<std::u16string> textos;
    std::vector<uint64_t> hashes;
    for (int i = 0; i < 3000; ++i) {
        std::u16string t;
        for (size_t k = s.Ate(41); k > 0; --k) t += letras[s.Ate(letras.size())][0];
        textos.push_back(t);
        hashes.push_back(plataforma::HashSemCaixa(textos.back()));
    }
    int colisoes = 0;
    for (size_t i = 0; i < textos.size(); ++i)
        for (size_t j = i + 1; j < textos.size(); ++j)
            if (hashes[i] == hashes[j] && !plataforma::IguaisSemCaixa(textos[i], textos[j])) ++colisoes;
    EXPECT_EQ(colisoes, 0);
}

TEST(TabelaCodigoPagina, WritesWhatThePlatformWritesOrDeclines) {
    const TTabelaCodigoPagina& tabela = TTabelaCodigoPagina::Instancia();
    Sorteio s(99);
    int aceitas = 0;
    for (int i = 0; i < 3000; ++i) {
        // Rarely a character outside the code page, so that most texts pass.
        const std::u16string t = s.Texto(s.Classes(i % 4 == 0 ? Classes.size() : ClassesDoCodigoPagina));
        std::string bytes(t.size(), '\0');
        const bool aceita = tabela.Codificar(t, bytes.data());
        const std::string esperado = plataforma::ParaCodigoPagina(t);
        // Declined exactly when the platform's bytes do not give the text back.
        ASSERT_EQ(aceita, plataforma::DeCodigoPagina(esperado) == t) << i;
        if (!aceita) continue;
        ++aceitas;
        ASSERT_EQ(bytes, esperado) << i;
        ASSERT_TRUE(tabela.IgualAosBytes(t, esperado)) << i;
        std::u16string volta(bytes.size(), u'\0');
        tabela.Decodificar(bytes, volta.data());
        ASSERT_EQ(volta, t) << i;
        if (!t.empty()) {
            std::string outro = esperado;
            outro[s.Ate(outro.size())] ^= 1;
            ASSERT_FALSE(tabela.IgualAosBytes(t, outro)) << i;
        }
    }
    EXPECT_GT(aceitas, 1000);
}

TEST(TabelaCodigoPagina, AByteOfTheControlRangeIsNotTheCharacterOfTheSameValue) {
    const TTabelaCodigoPagina& tabela = TTabelaCodigoPagina::Instancia();
    for (char16_t c = 0x80; c < 0xA0; ++c) {
        // Sixteen characters, so that the quick eight-at-a-time path runs.
        std::u16string t(16, u'a');
        t[3] = c;
        std::string bytes(16, 'a');
        bytes[3] = static_cast<char>(c);
        EXPECT_EQ(tabela.IgualAosBytes(t, bytes), plataforma::DeCodigoPagina(bytes) == t) << int(c);
    }
}

// A list without repeated lines against a scan with IguaisSemCaixa, kept in
// memory or told its file. The file is then about 1.4 MB (a long filler
// line between the lines compared), so that most earlier lines are read
// back from it.
class ListaContraVarredura : public testing::TestWithParam<bool> {};

TEST_P(ListaContraVarredura, AgreesWithAScanAndWithThePlatformOnLongLines) {
    const bool destinada = GetParam();
    teste::DiretorioTemporario dir;
    const auto arquivo = dir.Caminho() / "LISTA.TXT";
    const std::u16string enchimento(900, u'#');
    Sorteio s(31337);
    TListaLinhas l;
    if (destinada) l.Destinar(arquivo.u16string());
    // Searched from the first line on.
    ASSERT_TRUE(l.AdicionarSeNova(u"início"));
    std::vector<std::u16string> copia = {u"início"};
    for (int i = 0; i < 1500; ++i) {
        // Few classes, so that equal lines come up often.
        const std::u16string t = s.Texto(s.Classes(4 + s.Ate(3) * 9));
        int32_t esperado = -1;
        for (size_t j = 0; j < copia.size() && esperado < 0; ++j)
            if (plataforma::IguaisSemCaixa(copia[j], t)) esperado = static_cast<int32_t>(j);
        // A line with a byte for each character may also come as its bytes,
        // as a record built in bytes does.
        std::string bytes(t.size(), '\0');
        const bool emBytes = TTabelaCodigoPagina::Instancia().Codificar(t, bytes.data()) && s.Ate(2) == 0;
        if (s.Ate(3) != 0) {
            ASSERT_EQ(emBytes ? l.AdicionarSeNovaBytes(bytes) : l.AdicionarSeNova(t), esperado < 0) << i;
            if (esperado < 0) copia.push_back(t);
        } else {
            if (emBytes) l.AdicionarBytes(bytes);
            else l.Adicionar(t);
            copia.push_back(t);
        }
        if (destinada) {
            l.Adicionar(enchimento);
            copia.push_back(enchimento);
        }
    }
    ASSERT_EQ(l.Count(), static_cast<int32_t>(copia.size()));
    std::string esperado;
    for (const auto& t : copia) esperado += plataforma::ParaCodigoPaginaArquivos(t) + "\r\n";
    ASSERT_EQ(l.Gravar(arquivo.u16string()).Situacao, plataforma::TResultadoGravacao::Gravado);
    EXPECT_EQ(teste::LerArquivo(arquivo), esperado);
}

INSTANTIATE_TEST_SUITE_P(EmMemoriaOuEmArquivo, ListaContraVarredura, testing::Bool());

}  // namespace
}  // namespace quelb
