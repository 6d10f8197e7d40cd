// A line list told its file writes its bytes there in pieces while lines
// come. These tests hold its file against the lines appended, its searches
// against lines already written out, and look for anything left behind in
// the folder when the list is dropped or cannot write.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "apoio/diretorio_temporario.h"
#include "generator/lista_linhas.h"
#include "platform/plataforma.h"

namespace quelb {
namespace {

namespace fs = std::filesystem;
using teste::DiretorioTemporario;
using teste::LerArquivo;

// About 1.2 MB of lines, several pieces: long lines, short ones, and every
// ninth with a character outside the code page (its bytes are not its text).
std::vector<std::u16string> Linhas() {
    std::vector<std::u16string> r;
    for (int i = 0; i < 4000; ++i) {
        std::u16string t = u"Linha " + DeUtf8(std::to_string(i)) + u" pão €";
        t.append(static_cast<size_t>(i % 7) * 100, static_cast<char16_t>(u'a' + i % 26));
        if (i % 9 == 0) t += u"\u4E2D";
        r.push_back(t);
    }
    return r;
}

std::vector<std::string> NomesNaPasta(const fs::path& APasta) {
    std::vector<std::string> r;
    for (const auto& e : fs::directory_iterator(APasta)) r.push_back(e.path().filename().string());
    return r;
}

// The file of ALinhas with CR LF, as a list saves it.
std::string ArquivoDe(const std::vector<std::u16string>& ALinhas) {
    std::string r;
    for (const auto& t : ALinhas) r += plataforma::ParaCodigoPaginaArquivos(t) + "\r\n";
    return r;
}

class ListaEmArquivo : public testing::Test {
protected:
    void SetUp() override { ASSERT_GT(esperado.size(), 1000000u); }

    void Encher(TListaLinhas& ALista) {
        for (const auto& t : linhas) ALista.Adicionar(t);
    }

    const std::vector<std::u16string> linhas = Linhas();
    const std::string esperado = ArquivoDe(linhas);  // the file of all the lines
    DiretorioTemporario dir;
    const fs::path arquivo = dir.Caminho() / "ITENS.TXT";
};

TEST_F(ListaEmArquivo, WritesPiecesWhileLinesComeAndSavesTheSameFile) {
    TListaLinhas l;
    l.Destinar(arquivo.u16string());
    Encher(l);
    // The pieces went to a hidden file beside the target; the target is
    // untouched until the save.
    const auto nomes = NomesNaPasta(dir.Caminho());
    ASSERT_EQ(nomes.size(), 1u);
    EXPECT_EQ(nomes[0].rfind(".ITENS.TXT.", 0), 0u) << nomes[0];
    EXPECT_GT(fs::file_size(dir.Caminho() / nomes[0]), esperado.size() / 2);

    const auto r = l.Gravar(arquivo.u16string());
    ASSERT_EQ(r.Situacao, plataforma::TResultadoGravacao::Gravado);
    EXPECT_EQ(LerArquivo(arquivo), esperado);
    EXPECT_EQ(NomesNaPasta(dir.Caminho()), std::vector<std::string>{"ITENS.TXT"});
}

TEST_F(ListaEmArquivo, ASearchReadsTheLinesWrittenOutAndTheListGoesOnWriting) {
    TListaLinhas l;
    l.Destinar(arquivo.u16string());
    for (const auto& t : linhas) ASSERT_TRUE(l.AdicionarSeNova(t));
    // Found among the lines written out, letter case aside, by text and by
    // bytes, again and again (then from the lines read back); new lines are
    // appended.
    std::u16string maiusculas = linhas[4];
    for (char16_t& c : maiusculas) c = c >= u'a' && c <= u'z' ? c - 32 : c;
    for (int vez = 0; vez < 3; ++vez) {
        EXPECT_FALSE(l.AdicionarSeNova(linhas[18]));  // outside the code page
        EXPECT_FALSE(l.AdicionarSeNova(linhas[5]));
        EXPECT_FALSE(l.AdicionarSeNovaBytes(plataforma::ParaCodigoPagina(maiusculas)));
    }
    EXPECT_TRUE(l.AdicionarSeNovaBytes("uma linha nova"));
    std::vector<std::u16string> todas = linhas;
    todas.push_back(u"uma linha nova");
    // More pieces go out after the searches.
    for (int i = 0; i < 2000; ++i) {
        todas.push_back(u"mais " + DeUtf8(std::to_string(i)) + std::u16string(300, u'z'));
        EXPECT_TRUE(l.AdicionarSeNova(todas.back()));
    }
    EXPECT_FALSE(l.AdicionarSeNova(linhas[3999]));
    EXPECT_FALSE(l.AdicionarSeNova(todas.back()));
    EXPECT_EQ(NomesNaPasta(dir.Caminho()).size(), 1u);

    ASSERT_EQ(l.Gravar(arquivo.u16string()).Situacao, plataforma::TResultadoGravacao::Gravado);
    EXPECT_EQ(LerArquivo(arquivo), ArquivoDe(todas));
    EXPECT_EQ(NomesNaPasta(dir.Caminho()), std::vector<std::string>{"ITENS.TXT"});
}

TEST_F(ListaEmArquivo, ADroppedListLeavesNothingBehind) {
    {
        TListaLinhas l;
        l.Destinar(arquivo.u16string());
        Encher(l);
        ASSERT_EQ(NomesNaPasta(dir.Caminho()).size(), 1u);
    }
    EXPECT_TRUE(NomesNaPasta(dir.Caminho()).empty());
}

TEST_F(ListaEmArquivo, AFolderThatCannotTakeTheFileIsReportedByTheSave) {
    const fs::path ausente = dir.Caminho() / "nao-existe" / "ITENS.TXT";
    TListaLinhas l;
    l.Destinar(ausente.u16string());
    for (const auto& t : linhas) ASSERT_TRUE(l.AdicionarSeNova(t));
    // The lines still count, and a repeated line is still told apart.
    EXPECT_FALSE(l.AdicionarSeNova(linhas[7]));
    EXPECT_EQ(l.Count(), static_cast<int32_t>(linhas.size()));
    const auto r = l.Gravar(ausente.u16string());
    EXPECT_EQ(r.Situacao, plataforma::TResultadoGravacao::FalhaCriar);
    EXPECT_EQ(r.Causa, DeUtf8(std::strerror(ENOENT)));
    EXPECT_TRUE(NomesNaPasta(dir.Caminho()).empty());
}

TEST_F(ListaEmArquivo, SavedUnderAnotherNameTheFileIsStillWhole) {
    TListaLinhas l;
    l.Destinar(arquivo.u16string());
    Encher(l);
    const fs::path outro = dir.Caminho() / "OUTRO.TXT";
    ASSERT_EQ(l.Gravar(outro.u16string()).Situacao, plataforma::TResultadoGravacao::Gravado);
    EXPECT_EQ(LerArquivo(outro), esperado);
    EXPECT_EQ(NomesNaPasta(dir.Caminho()), std::vector<std::string>{"OUTRO.TXT"});
}

}  // namespace
}  // namespace quelb
