// A line list told its file writes its bytes there in pieces while lines
// come. These tests hold such a list against one that keeps everything in
// memory: the same file in the end, the same lines on the way, and nothing
// left behind in the folder when the list is dropped or cannot write.
#include <gtest/gtest.h>

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

class ListaEmArquivo : public testing::Test {
protected:
    void SetUp() override {
        for (const auto& t : linhas) referencia.Adicionar(t);
        std::string codificado;
        if (plataforma::CodigoPaginaEhUtf8()) codificado = "\xEF\xBB\xBF";
        referencia.Codificar(codificado);
        esperado = codificado;
        ASSERT_GT(esperado.size(), 1000000u);
    }

    void Encher(TListaLinhas& ALista) {
        for (const auto& t : linhas) ALista.Adicionar(t);
    }

    const std::vector<std::u16string> linhas = Linhas();
    TListaLinhas referencia;
    std::string esperado;  // the file of all the lines
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
    EXPECT_LT(l.Conteudo().size(), esperado.size() / 2);
    // Lines already written out read back as they came.
    for (const size_t i : {size_t(0), size_t(9), size_t(1999), linhas.size() - 1})
        EXPECT_EQ(l.Linha(static_cast<int32_t>(i)), linhas[i]) << i;
    EXPECT_EQ(l.TamanhoTexto(), referencia.TamanhoTexto());

    const auto r = l.Gravar(arquivo.u16string());
    ASSERT_EQ(r.Situacao, plataforma::TResultadoGravacao::Gravado);
    EXPECT_EQ(LerArquivo(arquivo), esperado);
    EXPECT_EQ(NomesNaPasta(dir.Caminho()), std::vector<std::string>{"ITENS.TXT"});
}

// The file of the lines of the reference list and then AMais.
std::string ArquivoCom(const std::vector<std::u16string>& ALinhas, const std::vector<std::u16string>& AMais,
                       bool ASubstituirTerceira) {
    TListaLinhas l;
    for (const auto& t : ALinhas) l.Adicionar(t);
    if (ASubstituirTerceira) l.Substituir(3, u"nova");
    for (const auto& t : AMais) l.Adicionar(t);
    std::string bytes = plataforma::CodigoPaginaEhUtf8() ? "\xEF\xBB\xBF" : "";
    l.Codificar(bytes);
    return bytes;
}

TEST_F(ListaEmArquivo, ASearchReadsTheLinesWrittenOutAndTheListGoesOnWriting) {
    TListaLinhas l;
    l.Destinar(arquivo.u16string());
    Encher(l);
    // Found among the lines written out, letter case aside, by text and by
    // bytes; new lines are appended.
    EXPECT_EQ(l.IndiceDe(linhas[5]), 5);
    EXPECT_FALSE(l.AdicionarSeNova(linhas[18]));
    std::u16string maiusculas = linhas[4];
    for (char16_t& c : maiusculas) c = c >= u'a' && c <= u'z' ? c - 32 : c;
    EXPECT_FALSE(l.AdicionarSeNovaBytes(plataforma::ParaCodigoPagina(maiusculas)));
    EXPECT_TRUE(l.AdicionarSeNovaBytes("uma linha nova"));
    std::vector<std::u16string> mais = {u"uma linha nova"};
    // More pieces go out after the searches.
    for (int i = 0; i < 2000; ++i) {
        mais.push_back(u"mais " + DeUtf8(std::to_string(i)) + std::u16string(300, u'z'));
        EXPECT_TRUE(l.AdicionarSeNova(mais.back()));
    }
    EXPECT_EQ(l.IndiceDe(linhas[3999]), 3999);
    EXPECT_EQ(NomesNaPasta(dir.Caminho()).size(), 1u);
    EXPECT_LT(l.Conteudo().size(), 600000u);

    ASSERT_EQ(l.Gravar(arquivo.u16string()).Situacao, plataforma::TResultadoGravacao::Gravado);
    EXPECT_EQ(LerArquivo(arquivo), ArquivoCom(linhas, mais, false));
    EXPECT_EQ(NomesNaPasta(dir.Caminho()), std::vector<std::string>{"ITENS.TXT"});
}

TEST_F(ListaEmArquivo, AReplacementBringsTheWrittenLinesBack) {
    TListaLinhas l;
    l.Destinar(arquivo.u16string());
    Encher(l);
    l.Substituir(3, u"nova");
    // Back in memory: the hidden file is gone, and nothing more goes out.
    EXPECT_TRUE(NomesNaPasta(dir.Caminho()).empty());
    l.Adicionar(u"mais uma");
    EXPECT_TRUE(NomesNaPasta(dir.Caminho()).empty());
    EXPECT_EQ(l.Linha(1), linhas[1]);
    ASSERT_EQ(l.Gravar(arquivo.u16string()).Situacao, plataforma::TResultadoGravacao::Gravado);
    EXPECT_EQ(LerArquivo(arquivo), ArquivoCom(linhas, {u"mais uma"}, true));
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

TEST_F(ListaEmArquivo, AFolderThatCannotTakeTheFileKeepsTheLinesForTheSave) {
    const fs::path ausente = dir.Caminho() / "nao-existe" / "ITENS.TXT";
    TListaLinhas l;
    l.Destinar(ausente.u16string());
    Encher(l);
    EXPECT_EQ(l.Conteudo(), esperado);
    EXPECT_EQ(l.Linha(0), linhas[0]);
    // The save reports what the system says, as for a list kept in memory.
    const auto r = l.Gravar(ausente.u16string());
    EXPECT_EQ(r.Situacao, plataforma::TResultadoGravacao::FalhaCriar);
    EXPECT_EQ(r.Causa, plataforma::GravarArquivo(ausente.u16string(), "x").Causa);
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
