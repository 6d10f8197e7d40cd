// How "cargabal ler", "verificar" and "gerar" list what they find: the findings counted by kind, then
// the first 50 with the erros before any aviso, and every one with --todos.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "apoio/diretorio_temporario.h"
#include "cli/processo.h"

namespace quelb::teste {
namespace {

using testing::HasSubstr;
using testing::Not;
namespace fs = std::filesystem;

size_t Contar(const std::string& ATexto, const std::string& AParte) {
    size_t n = 0;
    for (size_t i = ATexto.find(AParte); i != std::string::npos; i = ATexto.find(AParte, i + 1)) ++n;
    return n;
}

// 60 empty lines (avisos), then a record whose sale type is not a code (an
// erro): the erro comes first all the same.
TEST(LerAchados, CountsByKindThenTheErrosBeforeTheAvisos) {
    if (CaminhoCargabal().empty()) GTEST_SKIP() << "the cargabal command is not part of this build";
    DiretorioTemporario pasta;
    const std::string registro = "0101u000001001490000" + std::string(50 + 250, ' ');
    std::ofstream(pasta.Caminho() / "TXITENS.TXT", std::ios::binary) << std::string(60, '\n') + registro + "\n";

    const TResultadoProcesso r = ExecutarCargabal({"ler", "-m", "toledo", "-e", pasta.Utf8(), "-s", "-"});
    EXPECT_EQ(r.Saida, 4);
    EXPECT_THAT(r.Erros, HasSubstr("cargabal: achados por tipo:\n"
                                   "      1  erro: campo tipo: \"…\" não é um código deste campo\n"
                                   "     60  aviso: linha vazia: não é um registro\n"
                                   "      1  aviso: as linhas terminam só com LF, sem CR\n"
                                   "TXITENS.TXT:61:5: erro: campo tipo: \"u\" não é um código deste campo\n"
                                   "TXITENS.TXT:1: aviso: as linhas terminam só com LF, sem CR\n"
                                   "TXITENS.TXT:1: aviso: linha vazia: não é um registro\n"));
    EXPECT_EQ(Contar(r.Erros, "TXITENS.TXT:"), 50u);
    EXPECT_THAT(r.Erros, HasSubstr("... e mais 12 achados (--todos lista todos)\n"));

    const TResultadoProcesso todos = ExecutarCargabal({"ler", "-m", "toledo", "-e", pasta.Utf8(), "-s", "-", "--todos"});
    EXPECT_EQ(Contar(todos.Erros, "TXITENS.TXT:"), 62u);
    EXPECT_THAT(todos.Erros, Not(HasSubstr("... e mais")));
}

// A folder with the files of two makes: the reading says which it left.
TEST(LerAchados, AFolderOfTwoMakesSaysWhatItDidNotRead) {
    if (CaminhoCargabal().empty()) GTEST_SKIP() << "the cargabal command is not part of this build";
    DiretorioTemporario pasta;
    const TResultadoProcesso g = ExecutarCargabal(
        {"gerar", "-m", "filizola", "-e", "-", "-s", pasta.Utf8(), "--silencioso"},
        R"({"produtos": [{"Codigo": 1, "Descricao": "PAO", "ValorVenda": "1.5"}]})");
    ASSERT_EQ(g.Saida, 0) << g.Erros;
    std::ofstream(pasta.Caminho() / "ITENSMGV.TXT", std::ios::binary) << "x\r\n";
    const TResultadoProcesso r = ExecutarCargabal({"ler", "-e", pasta.Utf8(), "-s", "-"});
    EXPECT_EQ(r.Saida, 0) << r.Erros;
    EXPECT_THAT(r.Erros, HasSubstr("cargabal: a pasta tem também arquivos de outro modelo, que não foram lidos: "
                                   "ITENSMGV.TXT (--modelo escolhe o modelo)\n"));
    EXPECT_THAT(r.Erros, HasSubstr("filizola: 1 item lido de 1 arquivo;"));
}

// gerar and verificar list the same way: the erro of the last item comes
// before the avisos of the others, after the counts by kind.
TEST(LerAchados, GerarAndVerificarListTheErrosFirst) {
    if (CaminhoCargabal().empty()) GTEST_SKIP() << "the cargabal command is not part of this build";
    std::string catalogo = R"({"produtos": [)";
    for (int i = 1; i <= 60; ++i)
        catalogo += R"({"Codigo": )" + std::to_string(i) + R"(, "Descricao": "Pão ☃", "ValorVenda": "1.5"},)";
    catalogo += R"({"Codigo": 1234567, "Descricao": "Pão", "ValorVenda": "1.5"}]})";
    DiretorioTemporario pasta;
    const std::string erro = "erro: produtos[60] (código 1234567), Codigo: 1234567 não cabe nos 6 dígitos de "
                             "ITENSMGV.TXT; o arquivo teria 123456\n";
    const std::string resumo = "cargabal: achados por tipo:\n"
                               "      1  erro: Codigo: N não cabe nos N dígitos de ITENSMGV.TXT; o arquivo teria N\n"
                               "     60  aviso: Descricao: \"…\" não existe na página de código de ITENSMGV.TXT; o "
                               "arquivo teria \"…\"\n";
    const TResultadoProcesso g =
        ExecutarCargabal({"gerar", "-m", "toledo-mgv6", "-e", "-", "-s", pasta.Utf8()}, catalogo);
    EXPECT_EQ(g.Saida, 3);
    EXPECT_THAT(g.Erros, HasSubstr(resumo + erro + "aviso: produtos[0] (código 1)"));
    EXPECT_THAT(g.Erros, HasSubstr("... e mais 11 achados (--todos lista todos)\n"));

    const TResultadoProcesso v = ExecutarCargabal({"verificar", "-m", "toledo-mgv6", "-e", "-"}, catalogo);
    EXPECT_EQ(v.Saida, 3);
    EXPECT_THAT(v.Erros, HasSubstr(resumo));
    EXPECT_TRUE(v.SaidaPadrao.starts_with(erro)) << v.SaidaPadrao;
    EXPECT_EQ(Contar(v.SaidaPadrao, "\n"), 51u);
    const TResultadoProcesso todos = ExecutarCargabal({"verificar", "-m", "toledo-mgv6", "-e", "-", "--todos"}, catalogo);
    EXPECT_EQ(Contar(todos.SaidaPadrao, "produtos["), 61u);
}

}  // namespace
}  // namespace quelb::teste
