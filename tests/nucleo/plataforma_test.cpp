#include <gtest/gtest.h>
#include <signal.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "apoio/diretorio_temporario.h"
#include "platform/plataforma.h"

namespace quelb::plataforma {
namespace {

TEST(CodigoPagina, DecodesEveryByteOfWindows1252) {
    EXPECT_EQ(DeCodigoPagina("P\xE3o franc\xEAs"), u"Pão francês");
    EXPECT_EQ(DeCodigoPagina("\x80\x8A\x9F"), u"€ŠŸ");
    // The five undefined bytes become the control characters of the same value.
    EXPECT_EQ(DeCodigoPagina("\x81\x8D\x8F\x90\x9D"), u"\u0081\u008D\u008F\u0090\u009D");
    std::string todos;
    for (int b = 1; b < 256; ++b) todos += static_cast<char>(b);
    EXPECT_EQ(ParaCodigoPagina(DeCodigoPagina(todos)), todos);  // the round trip is exact
}

TEST(CodigoPagina, CharactersOutsideTheCodePageBecomeAQuestionMark) {
    EXPECT_EQ(ParaCodigoPagina(u"a\u4E2Db"), "a?b");
    EXPECT_EQ(ParaCodigoPagina(u"a\U0001F600b"), "a?b");  // a surrogate pair is one character
    EXPECT_EQ(ParaCodigoPagina(std::u16string(u"a\xD800")), "a?");
    EXPECT_EQ(ParaCodigoPagina(std::u16string(1, u'\0')), std::string(1, '\0'));
    EXPECT_EQ(ParaCodigoPaginaArquivos(u"P\u00E3o a\u4E2Db"), "P\xE3o a?b");
}

// The tests run under the two locales that ctest sets in the environment.
TEST(FormatoNumerico, ComesFromTheEnvironmentAtLoad) {
    const char* lc = std::getenv("LC_ALL");
    const std::string local = lc ? lc : "";
    if (local.rfind("pt_BR", 0) == 0) {
        EXPECT_EQ(FormatoNumerico().SeparadorDecimal, u',');
        EXPECT_EQ(FormatoNumerico().SeparadorMilhar, u'.');
    } else if (local.rfind("en_US", 0) == 0) {
        EXPECT_EQ(FormatoNumerico().SeparadorDecimal, u'.');
        EXPECT_EQ(FormatoNumerico().SeparadorMilhar, u',');
    } else {
        GTEST_SKIP() << "locale " << local;
    }
}

TEST(FormatoNumerico, CanBeSetInProcess) {
    const TFormatoNumerico antes = FormatoNumerico();
    DefinirFormatoNumerico({u',', u'.'});
    EXPECT_EQ(FormatoNumerico().SeparadorDecimal, u',');
    DefinirFormatoNumerico(antes);
}

TEST(Arquivos, DirectoryExistenceFollowsLinks) {
    namespace fs = std::filesystem;
    teste::DiretorioTemporario dir;
    const fs::path& base = dir.Caminho();
    fs::create_directories(base / "real");
    fs::create_directory_symlink(base / "real", base / "link");
    { std::ofstream(base / "arquivo") << "x"; }
    auto u16 = [](const fs::path& p) { return p.u16string(); };
    EXPECT_TRUE(DiretorioExiste(u16(base / "real")));
    EXPECT_TRUE(DiretorioExiste(u16(base / "link")));
    EXPECT_FALSE(DiretorioExiste(u16(base / "arquivo")));
    EXPECT_FALSE(DiretorioExiste(u16(base / "nada")));
    EXPECT_FALSE(DiretorioExiste(u""));
}

std::atomic<int> Recebidos{0};
extern "C" void ContarSinal(int) { ++Recebidos; }

// The replacements of a load run with interruptions held back: one that
// comes meanwhile is delivered when they end, not lost.
TEST(Interrupcoes, AreHeldBackUntilTheStepsEnd) {
    for (const int sinal : {SIGINT, SIGTERM}) {
        SCOPED_TRACE(sinal);
        struct sigaction contar {}, anterior {};
        contar.sa_handler = ContarSinal;
        sigemptyset(&contar.sa_mask);
        ASSERT_EQ(sigaction(sinal, &contar, &anterior), 0);
        Recebidos = 0;
        {
            const TAdiarInterrupcoes adiar;
            raise(sinal);
            EXPECT_EQ(Recebidos, 0);
        }
        EXPECT_EQ(Recebidos, 1);
        sigaction(sinal, &anterior, nullptr);
    }
}

}  // namespace
}  // namespace quelb::plataforma
