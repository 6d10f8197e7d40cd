// How "cargabal ler" lists what it finds: the findings counted by kind, then
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

}  // namespace
}  // namespace quelb::teste
