// Saves that fail for real: a full disk, a target that cannot be replaced,
// the directory taken away during the generation, a rename the system
// refuses. Each must give the host's message, keep every old file exactly as
// it was (the load's files are replaced as one set), and leave no temporary
// file behind.
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sys/stat.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "apoio/diretorio_temporario.h"
#include "falhas/mecanismos.h"
#include "falhas/pasta.h"
#include "generator/gerador.h"

namespace quelb {
namespace {

namespace fs = std::filesystem;
using teste::DiretorioTemporario;
using teste::Conteudo;
using teste::Escrever;
using teste::LerArquivo;

const uid_t UsuarioComum = 65534;
const uid_t OutroUsuario = 65533;

std::u16string Causa(int AErro) { return DeUtf8(std::strerror(AErro)); }

std::u16string MensagemCriar(const fs::path& ACaminho, int AErro) {
    return u"Cannot create file \"" + ACaminho.u16string() + u"\". " + Causa(AErro);
}

// A Filizola load of 20 items with extra-information texts: the items file
// (a few hundred bytes) is saved first, the extra-information file (867
// bytes an item, five pages) after it.
class Falhas : public testing::Test {
protected:
    void SetUp() override {
        g.Modelo = modFilizola;
        for (int i = 1; i <= 20; ++i) {
            TQuelbCargaBalItem& item = g.Produtos().New();
            item.Codigo = i;
            item.Descricao = u"Produto " + DeUtf8(std::to_string(i));
            item.InformacaoExtra.Receita = u"Farinha de trigo, água e sal";
        }
        DiretorioTemporario referencia;
        g.GerarArquivos(referencia.Texto());
        novo = Conteudo(referencia.Caminho());
        ASSERT_EQ(novo.size(), 2u);
        ASSERT_GT(novo["REC_ASS.TXT"].size(), 4 * 4096u);
    }

    std::u16string Gerar(const fs::path& APasta) { return teste::Gerar(g, APasta); }

    std::vector<Texto> Listados(const fs::path& APasta, std::initializer_list<const char*> ANomes) {
        std::vector<Texto> r;
        for (const char* nome : ANomes) r.push_back((APasta / nome).u16string());
        return r;
    }

    TQuelbCargaBal g;
    DiretorioTemporario dir;
    std::map<std::string, std::string> novo;  // the files a generation writes
};

TEST_F(Falhas, AFullDiskKeepsEveryOldFileAndLeavesNoTemporary) {
    struct {
        const char* caso;
        size_t livres;  // bytes left free before the generation
    } casos[] = {{"no room at all", 0}, {"room for the items file only", 4096}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        const fs::path disco = dir.Caminho() / c.caso;
        fs::create_directory(disco);
        teste::TMontagem montagem;
        if (const std::string erro = montagem.Tmpfs(disco, 128 * 1024); !erro.empty())
            GTEST_SKIP() << "a small tmpfs is needed for a full disk: " << erro;
        Escrever(disco / "CADTXT.TXT", "itens antigos\r\n");
        Escrever(disco / "REC_ASS.TXT", "receitas antigas\r\n");
        teste::Encher(disco / "enchimento", c.livres);
        auto esperado = Conteudo(disco);

        EXPECT_EQ(Gerar(disco), u"Stream write error");
        EXPECT_TRUE(g.ArquivosGerados().empty());
        EXPECT_EQ(Conteudo(disco), esperado);
    }
}

// A large file goes out in pieces during the generation; the disk fills up
// after the first pieces.
TEST_F(Falhas, ADiskThatFillsUpDuringTheGenerationKeepsTheOldFile) {
    TQuelbCargaBal grande;
    grande.Modelo = modToledo;
    for (int i = 1; i <= 6000; ++i) {
        TQuelbCargaBalItem& item = grande.Produtos().New();
        item.Codigo = i;
        item.Descricao = u"Produto " + DeUtf8(std::to_string(i));
    }
    const fs::path disco = dir.Caminho() / "disco";
    fs::create_directory(disco);
    teste::TMontagem montagem;
    if (const std::string erro = montagem.Tmpfs(disco, 1024 * 1024); !erro.empty())
        GTEST_SKIP() << "a small tmpfs is needed for a full disk: " << erro;
    Escrever(disco / "TXITENS.TXT", "itens antigos\r\n");
    const auto esperado = Conteudo(disco);

    bool pecasGravadas = false;
    grande.OnProgresso = [&](const Texto&, int32_t APosicao, int32_t) {
        // Halfway, pieces of the new file are on the disk already.
        if (APosicao == 3000) pecasGravadas = Conteudo(disco).size() == 2;
    };
    try {
        grande.GerarArquivos(disco.u16string());
        ADD_FAILURE() << "the generation did not fail";
    } catch (const EQuelbErro& e) {
        EXPECT_EQ(e.Mensagem(), u"Stream write error");
    }
    EXPECT_TRUE(pecasGravadas);
    EXPECT_TRUE(grande.ArquivosGerados().empty());
    EXPECT_EQ(Conteudo(disco), esperado);
}

// Something in the way of the second file, REC_ASS.TXT.
struct TObstaculo {
    const char* caso;
    std::function<std::string(const fs::path&)> preparar;  // "" or why it is unavailable
    int erro;
};

std::string Atributo(const fs::path& AArquivo, int AAtributo) {
    Escrever(AArquivo, "receitas antigas\r\n");
    return teste::DefinirAtributo(AArquivo, AAtributo, true);
}

const TObstaculo Obstaculos[] = {
    {"a directory",
     [](const fs::path& a) {
         fs::create_directory(a);
         Escrever(a / "dentro.txt", "x");
         return std::string();
     },
     EISDIR},
    {"a file without write permission",
     [](const fs::path& a) {
         Escrever(a, "receitas antigas\r\n");
         fs::permissions(a, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
         return std::string();
     },
     EACCES},
    {"an immutable file", [](const fs::path& a) { return Atributo(a, FS_IMMUTABLE_FL); }, EPERM},
    {"an append-only file", [](const fs::path& a) { return Atributo(a, FS_APPEND_FL); }, EPERM},
};

TEST_F(Falhas, ATargetThatCannotBeReplacedStopsBeforeAnyReplacement) {
    std::string indisponiveis;
    for (const TObstaculo& o : Obstaculos) {
        SCOPED_TRACE(o.caso);
        DiretorioTemporario pasta;
        const fs::path alvo = pasta.Caminho() / "REC_ASS.TXT";
        Escrever(pasta.Caminho() / "CADTXT.TXT", "itens antigos\r\n");
        if (const std::string erro = o.preparar(alvo); !erro.empty()) {
            indisponiveis += std::string(" ") + o.caso + " (" + erro + ");";
            continue;
        }
        const auto esperado = Conteudo(pasta.Caminho());

        EXPECT_EQ(Gerar(pasta.Caminho()), MensagemCriar(alvo, o.erro));
        EXPECT_TRUE(g.ArquivosGerados().empty());
        EXPECT_EQ(Conteudo(pasta.Caminho()), esperado);

        teste::DefinirAtributo(alvo, FS_IMMUTABLE_FL | FS_APPEND_FL, false);
    }
    if (!indisponiveis.empty()) GTEST_SKIP() << "not available here:" << indisponiveis;
}

TEST_F(Falhas, AReadOnlyMountStopsTheFirstFile) {
    Escrever(dir.Caminho() / "CADTXT.TXT", "itens antigos\r\n");
    Escrever(dir.Caminho() / "REC_ASS.TXT", "receitas antigas\r\n");
    const auto esperado = Conteudo(dir.Caminho());
    teste::TMontagem montagem;
    if (const std::string erro = montagem.SomenteLeitura(dir.Caminho()); !erro.empty())
        GTEST_SKIP() << "a read-only bind mount is not available: " << erro;

    EXPECT_EQ(Gerar(dir.Caminho()), MensagemCriar(dir.Caminho() / "CADTXT.TXT", EROFS));
    EXPECT_TRUE(g.ArquivosGerados().empty());
    EXPECT_EQ(Conteudo(dir.Caminho()), esperado);
}

TEST_F(Falhas, TheDirectoryTakenAwayAfterValidation) {
    struct {
        const char* caso;
        std::function<void(const fs::path&)> acao;  // run at the first progress event
        int erro;
    } casos[] = {
        {"removed", [](const fs::path& p) { fs::remove_all(p); }, ENOENT},
        {"replaced by a file",
         [](const fs::path& p) {
             fs::remove_all(p);
             Escrever(p, "um arquivo");
         },
         ENOTDIR},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        const fs::path pasta = dir.Caminho() / "carga";
        fs::create_directory(pasta);
        g.OnProgresso = [&](const Texto& m, int32_t, int32_t) {
            if (m == u"Iniciando a geração dos arquivos") c.acao(pasta);
        };
        EXPECT_EQ(Gerar(pasta), MensagemCriar(pasta / "CADTXT.TXT", c.erro));
        EXPECT_TRUE(g.ArquivosGerados().empty());
        // Nothing was created beside it either.
        if (fs::is_regular_file(pasta)) {
            EXPECT_EQ(LerArquivo(pasta), "um arquivo");
        }
        EXPECT_EQ(Conteudo(dir.Caminho()).size(), fs::exists(pasta) ? 1u : 0u);
        fs::remove_all(pasta);
        g.OnProgresso = nullptr;
    }
}

// In a shared folder with the sticky bit (like /tmp) a user may write into
// another user's file but not rename over it: the file is created, written,
// flushed and checked, and then the system refuses its replacement. The item
// file is replaced last: refused, it stays old beside the files replaced
// before it, which alone are listed; any other refused stops the set before
// the item file.
TEST_F(Falhas, ARefusedRenameRemovesTheTemporary) {
    if (const std::string motivo = teste::TrocaDeUsuarioDisponivel(); !motivo.empty()) GTEST_SKIP() << motivo;
    struct {
        const char* recusado;
        std::vector<const char*> substituidos;
    } casos[] = {{"REC_ASS.TXT", {}}, {"CADTXT.TXT", {"REC_ASS.TXT"}}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.recusado);
        const fs::path pasta = dir.Caminho() / c.recusado;
        fs::create_directory(pasta);
        fs::permissions(pasta, fs::perms::all | fs::perms::sticky_bit);
        Escrever(pasta / "CADTXT.TXT", "itens antigos\r\n");
        Escrever(pasta / "REC_ASS.TXT", "receitas antigas\r\n");
        const fs::path alvo = pasta / c.recusado;
        fs::permissions(alvo, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                                  fs::perms::group_write | fs::perms::others_read | fs::perms::others_write);
        ASSERT_EQ(chown(alvo.c_str(), OutroUsuario, OutroUsuario), 0);
        // The other file is the user's own.
        for (const char* nome : {"CADTXT.TXT", "REC_ASS.TXT"})
            if (pasta / nome != alvo) ASSERT_EQ(chown((pasta / nome).c_str(), UsuarioComum, UsuarioComum), 0);
        auto esperado = Conteudo(pasta);
        std::string listados;
        for (const char* nome : c.substituidos) {
            esperado[nome] = novo[nome];
            listados += "\n" + (pasta / nome).string();
        }

        const std::optional<std::string> resultado = teste::ComoUsuario(UsuarioComum, [&] {
            std::string r = ParaUtf8(Gerar(pasta));
            for (const Texto& t : g.ArquivosGerados()) r += "\n" + ParaUtf8(t);
            return r;
        });
        ASSERT_TRUE(resultado.has_value()) << "the child process failed";
        EXPECT_EQ(*resultado, ParaUtf8(MensagemCriar(alvo, EPERM)) + listados);
        EXPECT_EQ(Conteudo(pasta), esperado);
        struct stat info;
        ASSERT_EQ(stat(alvo.c_str(), &info), 0);
        EXPECT_EQ(info.st_uid, OutroUsuario);
    }
}

// A replaced file keeps what the user gave it: its permissions, and the link
// through which it was named.
TEST_F(Falhas, AReplacedFileKeepsItsPermissionsAndLinks) {
    const fs::path outra = dir.Caminho() / "outra";
    const fs::path pasta = dir.Caminho() / "carga";
    fs::create_directory(outra);
    fs::create_directory(pasta);
    Escrever(pasta / "CADTXT.TXT", "itens antigos\r\n");
    fs::permissions(pasta / "CADTXT.TXT", fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    Escrever(outra / "receitas.txt", "receitas antigas\r\n");
    fs::create_symlink("../outra/receitas.txt", pasta / "REC_ASS.TXT");

    ASSERT_EQ(Gerar(pasta), u"OK");
    EXPECT_EQ(fs::status(pasta / "CADTXT.TXT").permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(Conteudo(dir.Caminho()),
              (std::map<std::string, std::string>{{"carga", "<pasta>"},
                                                  {"carga/CADTXT.TXT", novo["CADTXT.TXT"]},
                                                  {"carga/REC_ASS.TXT", "-> ../outra/receitas.txt"},
                                                  {"outra", "<pasta>"},
                                                  {"outra/receitas.txt", novo["REC_ASS.TXT"]}}));
}

}  // namespace
}  // namespace quelb
