// Versao(): the project's version, as a text that never changes.
#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "quelb/cargabal.h"

namespace quelb {
namespace {

TEST(Versao, IsTheProjectVersionAsMajorMinorPatch) {
    const char* versao = Versao();
    ASSERT_NE(versao, nullptr);
    EXPECT_STREQ(versao, QUELB_VERSAO);
    EXPECT_TRUE(std::regex_match(versao, std::regex("[0-9]+\\.[0-9]+\\.[0-9]+"))) << versao;
}

// The other calls, failures among them, neither move nor change the text.
TEST(Versao, StaysTheSameTextAcrossOtherCalls) {
    const char* versao = Versao();
    const std::string copia = versao;
    const std::string falha = GerarArquivos("/nao/existe");
    EXPECT_NE(falha, "OK");
    EXPECT_EQ(Versao(), versao);
    EXPECT_EQ(copia, versao);
    // Versao does not replace the text of the failure before it.
    const char* resultado = GerarArquivos("");
    const std::string antes = resultado;
    Versao();
    EXPECT_EQ(antes, resultado);
}

}  // namespace
}  // namespace quelb
