// A load is a set of files that name one another: a generation replaces all
// of them or none. Failures before the replacements (a full disk on the
// fourth file, a folder in the way of any file, a cancellation) leave the
// six old files of a Toledo MGV6 load byte for byte and no temporary file;
// one generation into a folder at a time; what a killed generation left is
// removed by the next one.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "apoio/diretorio_temporario.h"
#include "falhas/mecanismos.h"
#include "falhas/pasta.h"
#include "generator/gerador.h"
#include "platform/plataforma.h"

namespace quelb {
namespace {

namespace fs = std::filesystem;
using teste::DiretorioTemporario;
using teste::Conteudo;
using teste::Escrever;
using teste::LerArquivo;

// The files of an MGV6 load, in save order.
const char* const ArquivosMGV[] = {"ITENSMGV.TXT", "DEPTO.TXT", "TXINFO.TXT", "INFNUTRI.TXT", "TARA.TXT", "TXFORN.TXT"};

using TPasta = std::map<std::string, std::string>;

// An old load: one short line in each file.
void CargaAntiga(const fs::path& APasta) {
    for (const char* nome : ArquivosMGV) Escrever(APasta / nome, std::string("antigo ") + nome + "\r\n");
}

// AItens items that fill the six files: each item has its own nutrition
// record and extra-information text; sectors, tares and suppliers repeat.
void Preencher(TQuelbCargaBal& g, int AItens) {
    g.Modelo = modToledoMGV6;
    for (int i = 1; i <= AItens; ++i) {
        TQuelbCargaBalItem& item = g.Produtos().New();
        const Texto n = DeUtf8(std::to_string(i));
        item.Codigo = i;
        item.Descricao = u"Produto " + n;
        item.Setor.Codigo = 1 + i % 5;
        item.Setor.Descricao = u"Setor " + DeUtf8(std::to_string(1 + i % 5));
        item.InformacaoExtra.Receita = u"Ingredientes do produto " + n;
        item.Nutricional.Codigo = i;
        item.Nutricional.Descricao = u"Porção " + n;
        item.Tara.Codigo = 1 + i % 3;
        item.Tara.Descricao = u"Tara";
        item.Fornecedor.Codigo = static_cast<int16_t>(1 + i % 4);
        item.Fornecedor.Descricao1 = u"Fornecedor";
    }
}

class Conjunto : public testing::Test {
protected:
    void SetUp() override {
        Preencher(g, 500);
        DiretorioTemporario referencia;
        g.GerarArquivos(referencia.Texto());
        novo = Conteudo(referencia.Caminho());
        ASSERT_EQ(novo.size(), 6u);
    }

    std::u16string Gerar(const fs::path& APasta) { return teste::Gerar(g, APasta); }

    TQuelbCargaBal g;
    DiretorioTemporario dir;
    TPasta novo;  // the files the generation writes
};

size_t Paginas(size_t ABytes) { return (ABytes + 4095) / 4096; }

TEST_F(Conjunto, AFullDiskOnTheFourthFileKeepsTheSixOldFiles) {
    // Small files are written out when the set is saved, in save order.
    size_t tresPrimeiros = 0;
    for (const char* nome : {"ITENSMGV.TXT", "DEPTO.TXT", "TXINFO.TXT"}) tresPrimeiros += Paginas(novo[nome].size());
    const size_t quarto = Paginas(novo["INFNUTRI.TXT"].size());
    ASSERT_GE(quarto, 4u) << novo["INFNUTRI.TXT"].size() << " " << novo["ITENSMGV.TXT"].size();
    ASSERT_LT(novo["ITENSMGV.TXT"].size(), 256u * 1024) << "a file written out during the generation";

    teste::TMontagem montagem;
    if (const std::string erro = montagem.Tmpfs(dir.Caminho(), 4 * 1024 * 1024); !erro.empty())
        GTEST_SKIP() << "a small tmpfs is needed for a full disk: " << erro;
    CargaAntiga(dir.Caminho());
    // Room for the first three new files and half the fourth.
    teste::Encher(dir.Caminho() / "enchimento", (tresPrimeiros + quarto / 2) * 4096);
    const TPasta esperado = Conteudo(dir.Caminho());

    EXPECT_EQ(Gerar(dir.Caminho()), u"Stream write error");
    EXPECT_TRUE(g.ArquivosGerados().empty());
    EXPECT_EQ(Conteudo(dir.Caminho()), esperado);
}

TEST_F(Conjunto, AFolderInThePlaceOfAnyFileKeepsTheOthers) {
    for (const char* obstaculo : ArquivosMGV) {
        SCOPED_TRACE(obstaculo);
        DiretorioTemporario pasta;
        CargaAntiga(pasta.Caminho());
        fs::remove(pasta.Caminho() / obstaculo);
        fs::create_directory(pasta.Caminho() / obstaculo);
        Escrever(pasta.Caminho() / obstaculo / "dentro.txt", "x");
        const TPasta esperado = Conteudo(pasta.Caminho());

        EXPECT_EQ(Gerar(pasta.Caminho()),
                  u"Cannot create file \"" + (pasta.Caminho() / obstaculo).u16string() + u"\". Is a directory");
        EXPECT_TRUE(g.ArquivosGerados().empty());
        EXPECT_EQ(Conteudo(pasta.Caminho()), esperado);
    }
}

// The old file of a list this load leaves empty is removed with the
// replacements only: a set that fails keeps it.
TEST_F(Conjunto, AFailedSetRemovesNoOldFile) {
    CargaAntiga(dir.Caminho());
    Escrever(dir.Caminho() / "TXINFO.TXT", "antigo\r\n");
    for (int i = 0; i < g.Produtos().Count(); ++i) g.Produtos().GetItem(i).InformacaoExtra.Receita.clear();
    g.LimparArquivosAntigos = true;
    fs::remove(dir.Caminho() / "TARA.TXT");
    fs::create_directory(dir.Caminho() / "TARA.TXT");
    const TPasta esperado = Conteudo(dir.Caminho());

    EXPECT_NE(Gerar(dir.Caminho()), u"OK");
    EXPECT_EQ(Conteudo(dir.Caminho()), esperado);
    EXPECT_TRUE(g.ArquivosAntigos().empty());

    fs::remove_all(dir.Caminho() / "TARA.TXT");
    ASSERT_EQ(Gerar(dir.Caminho()), u"OK");
    EXPECT_FALSE(fs::exists(dir.Caminho() / "TXINFO.TXT"));
    EXPECT_EQ(g.ArquivosAntigos(), std::vector<Texto>{(dir.Caminho() / "TXINFO.TXT").u16string()});
}

// A generation stopped before the replacements: by the progress handler
// while the large files are half written out, or by the last call before
// the replacements.
TEST(ConjuntoCancelado, AnExceptionBeforeTheReplacementsLeavesNothingBehind) {
    TQuelbCargaBal g;
    Preencher(g, 3000);  // ITENSMGV.TXT goes out in pieces during the generation
    DiretorioTemporario dir;
    struct {
        const char* caso;
        int32_t evento;  // the item whose progress event throws; -1: none
        bool antes;      // AntesDeSubstituir throws
    } casos[] = {{"an item's progress event", 2000, false}, {"just before the replacements", -1, true}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        CargaAntiga(dir.Caminho());
        const TPasta esperado = Conteudo(dir.Caminho());
        size_t temporarios = 0;
        g.OnProgresso = [&](const Texto&, int32_t APosicao, int32_t ATotal) {
            if (APosicao != c.evento || APosicao == ATotal) return;
            temporarios = Conteudo(dir.Caminho()).size() - esperado.size();
            throw std::runtime_error("cancelada");
        };
        g.AntesDeSubstituir = [&] {
            temporarios = Conteudo(dir.Caminho()).size() - esperado.size();
            if (c.antes) throw std::runtime_error("cancelada");
        };
        EXPECT_THROW(g.GerarArquivos(dir.Texto()), std::runtime_error);
        EXPECT_GE(temporarios, c.antes ? 6u : 1u) << "temporary files that were there";
        EXPECT_EQ(Conteudo(dir.Caminho()), esperado);
        // The lock went with the generation.
        plataforma::TTrava trava;
        EXPECT_EQ(trava.Travar((dir.Caminho() / teste::ArquivoTrava).u16string(), 0), plataforma::TTrava::Travada);
    }
}

TEST_F(Conjunto, ASecondGenerationWaitsForTheFolderThenGivesUp) {
    CargaAntiga(dir.Caminho());
    const fs::path abandonado = dir.Caminho() / ".ITENSMGV.TXT.0123456789abcdef.tmp";
    Escrever(abandonado, "de um processo morto");
    const TPasta esperado = Conteudo(dir.Caminho());
    plataforma::TTrava outra;
    const std::u16string trava = (dir.Caminho() / teste::ArquivoTrava).u16string();
    ASSERT_EQ(outra.Travar(trava, 0), plataforma::TTrava::Travada);

    g.EsperaTrava = 0;
    EXPECT_EQ(Gerar(dir.Caminho()), u"Outra geração de carga está gravando no diretório \"" + dir.Texto() +
                                         u"\" (esperou 0 s); tente de novo quando ela terminar.");
    EXPECT_THROW(g.GerarArquivos(dir.Texto()), EQuelbPastaOcupada);
    // Nothing touched, not even what the other one may be writing.
    EXPECT_EQ(Conteudo(dir.Caminho()), esperado);

    // Released during the wait: the generation goes on.
    g.EsperaTrava = 10;
    const auto inicio = std::chrono::steady_clock::now();
    std::thread liberar([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        outra.Liberar();
    });
    EXPECT_EQ(Gerar(dir.Caminho()), u"OK");
    liberar.join();
    EXPECT_GE(std::chrono::steady_clock::now() - inicio, std::chrono::milliseconds(300));
    EXPECT_EQ(Conteudo(dir.Caminho()), novo);
    // Nothing of the lock is left beside the load.
    EXPECT_FALSE(fs::exists(dir.Caminho() / teste::ArquivoTrava));
}

// Each holder removes the lock file when it is done. A waiter that locked
// the removed file takes the lock of the file at the path instead, so that
// two holders never work at once: one on the old file, one on a new one.
TEST(TravaRemovida, AWaiterOnTheRemovedFileTakesTheFileAtThePath) {
    teste::DiretorioTemporario dir;
    const std::u16string caminho = (dir.Caminho() / teste::ArquivoTrava).u16string();
    plataforma::TTrava primeira, segunda, terceira;
    ASSERT_EQ(primeira.Travar(caminho, 0), plataforma::TTrava::Travada);
    plataforma::TTrava::TSituacao situacao = plataforma::TTrava::SemTrava;
    std::thread esperar([&] { situacao = segunda.Travar(caminho, 10000); });
    std::this_thread::sleep_for(std::chrono::milliseconds(200));  // the second waits on the first file
    primeira.Liberar();
    esperar.join();
    ASSERT_EQ(situacao, plataforma::TTrava::Travada);
    EXPECT_TRUE(fs::exists(dir.Caminho() / teste::ArquivoTrava));
    // A newcomer finds the folder taken.
    EXPECT_EQ(terceira.Travar(caminho, 0), plataforma::TTrava::Ocupada);
    segunda.Liberar();
    EXPECT_FALSE(fs::exists(dir.Caminho() / teste::ArquivoTrava));
    EXPECT_EQ(terceira.Travar(caminho, 0), plataforma::TTrava::Travada);
}

// Under the lock, the temporary files of load files that a killed process
// left are removed; anything else stays.
TEST_F(Conjunto, TheTemporaryFilesOfAKilledGenerationAreRemoved) {
    const char* const removidos[] = {".ITENSMGV.TXT.0123456789abcdef.tmp", ".CADTXT.TXT.fedcba9876543210.tmp"};
    const char* const mantidos[] = {".outro.txt.0123456789abcdef.tmp", ".ITENSMGV.TXT.0123456789ABCDEF.tmp",
                                    ".ITENSMGV.TXT.0123456789abcde.tmp", ".ITENSMGV.TXT.tmp",
                                    "ITENSMGV.TXT.0123456789abcdef.tmp"};
    for (const char* nome : removidos) Escrever(dir.Caminho() / nome, "x");
    TPasta esperado = novo;
    for (const char* nome : mantidos) Escrever(dir.Caminho() / nome, esperado[nome] = "x");
    fs::create_directory(dir.Caminho() / ".DEPTO.TXT.0123456789abcdef.tmp");
    esperado[".DEPTO.TXT.0123456789abcdef.tmp"] = "<pasta>";

    ASSERT_EQ(Gerar(dir.Caminho()), u"OK");
    EXPECT_EQ(Conteudo(dir.Caminho()), esperado);
}

}  // namespace
}  // namespace quelb
