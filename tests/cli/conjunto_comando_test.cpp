// "cargabal gerar" and the load as one set of files: a folder held by
// another generation (exit 5), two generations into one folder at once, and
// Ctrl-C or SIGTERM at any moment of a large run. The folder always holds
// one whole load, never a mix of two, and no temporary file.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "apoio/diretorio_temporario.h"
#include "cli/processo.h"
#include "platform/plataforma.h"

namespace quelb::teste {
namespace {

namespace fs = std::filesystem;
using testing::HasSubstr;
using TPasta = std::map<std::string, std::string>;
using TRelogio = std::chrono::steady_clock;

// What a folder holds but the lock file, hidden files included.
TPasta Conteudo(const fs::path& APasta) {
    TPasta r;
    for (const auto& e : fs::directory_iterator(APasta))
        if (e.path().filename() != ArquivoTrava) r[e.path().filename().string()] = LerArquivo(e.path());
    return r;
}

// A CSV catalogue of AItens items that fill the six files of an MGV6 load;
// every file of variant 'A' differs from that of variant 'B'.
fs::path Catalogo(const fs::path& APasta, int AItens, char AVariante) {
    const fs::path caminho = APasta / (std::string("catalogo") + AVariante + ".csv");
    std::ofstream f(caminho, std::ios::binary);
    f << "Codigo;Descricao;ValorVenda;Setor.Codigo;Setor.Descricao;Nutricional.Codigo;Nutricional.Descricao;"
         "Nutricional.ValorEnergetico;Tara.Codigo;Tara.Descricao;Tara.Valor;Fornecedor.Codigo;Fornecedor.Descricao1;"
         "InformacaoExtra.Receita\n";
    for (int i = 1; i <= AItens; ++i) {
        const std::string v(1, AVariante);
        f << i << ";Produto " << v << " " << i << ";" << i % 100 + 1 << (AVariante == 'A' ? ",50" : ",75");
        f << ";" << 1 + i % 9 << ";Setor " << v;
        f << ";" << i << ";Porção " << v << " " << i << ";" << i % 500 + (AVariante == 'A' ? 1 : 2);
        f << ";" << 1 + i % 7 << ";Tara " << v << ";0,0" << 1 + i % 7;
        f << ";" << 1 + i % 11 << ";Fornecedor " << v << ";Ingredientes " << v << " do produto " << i << "\n";
    }
    return caminho;
}

std::vector<std::string> Gerar(const fs::path& ACatalogo, const fs::path& ASaida,
                               std::vector<std::string> AOpcoes = {}) {
    std::vector<std::string> args = {"gerar", "-m", "toledo-mgv6", "-e", ACatalogo.string(), "-s", ASaida.string()};
    args.insert(args.end(), AOpcoes.begin(), AOpcoes.end());
    return args;
}

class ConjuntoComando : public testing::Test {
protected:
    void SetUp() override {
        if (CaminhoCargabal().empty()) GTEST_SKIP() << "the cargabal command is not part of this build";
    }

    // The loads of catalogues A and B of AItens items, generated apart.
    void Referencias(int AItens) {
        for (const char v : {'A', 'B'}) {
            catalogos[v] = Catalogo(temp.Caminho(), AItens, v);
            const fs::path pasta = temp.Caminho() / (std::string("referencia") + v);
            fs::create_directory(pasta);
            const auto inicio = TRelogio::now();
            const TResultadoProcesso r = ExecutarCargabal(Gerar(catalogos[v], pasta));
            ASSERT_EQ(r.Saida, 0) << r.Erros;
            duracao = TRelogio::now() - inicio;
            cargas[v] = Conteudo(pasta);
            ASSERT_EQ(cargas[v].size(), 6u);
        }
        for (const auto& [nome, bytes] : cargas['A']) ASSERT_NE(bytes, cargas['B'][nome]) << nome;
    }

    DiretorioTemporario temp;
    std::map<char, fs::path> catalogos;
    std::map<char, TPasta> cargas;
    TRelogio::duration duracao{};
};

TEST_F(ConjuntoComando, AFolderHeldByAnotherGenerationEndsWithExit5) {
    const fs::path catalogo = Catalogo(temp.Caminho(), 3, 'A');
    const fs::path saida = temp.Caminho() / "carga";
    fs::create_directory(saida);
    plataforma::TTrava outra;
    ASSERT_EQ(outra.Travar((saida / ArquivoTrava).u16string(), 0), plataforma::TTrava::Travada);

    const auto inicio = TRelogio::now();
    const TResultadoProcesso r = ExecutarCargabal(Gerar(catalogo, saida, {"--espera", "1"}));
    EXPECT_EQ(r.Saida, 5);
    EXPECT_THAT(r.Erros, HasSubstr("cargabal: Outra geração de carga está gravando no diretório \"" + saida.string() +
                                   "\" (esperou 1 s); tente de novo quando ela terminar.\n"));
    EXPECT_GE(TRelogio::now() - inicio, std::chrono::seconds(1));
    EXPECT_EQ(r.SaidaPadrao, "");
    EXPECT_TRUE(Conteudo(saida).empty());
}

// Two scheduled jobs, or two terminals, on one folder.
TEST_F(ConjuntoComando, TwoGenerationsIntoOneFolderEndWithOneWholeSet) {
    Referencias(5000);
    const fs::path saida = temp.Caminho() / "carga";
    fs::create_directory(saida);
    for (int rodada = 0; rodada < 3; ++rodada) {
        SCOPED_TRACE(rodada);
        TCargabalEmExecucao a(Gerar(catalogos['A'], saida)), b(Gerar(catalogos['B'], saida));
        const TResultadoProcesso ra = a.Esperar(), rb = b.Esperar();
        EXPECT_EQ(ra.Saida, 0) << ra.Erros;
        EXPECT_EQ(rb.Saida, 0) << rb.Erros;
        const TPasta obtido = Conteudo(saida);
        EXPECT_TRUE(obtido == cargas['A'] || obtido == cargas['B']) << "a mixed load or temporary files";
    }
}

// Interrupted while it reads the catalogue, generates the items or saves the
// files: the folder holds the old load, or the whole new one when the
// interruption came during the last renames.
TEST_F(ConjuntoComando, AnInterruptionAtAnyMomentLeavesOneWholeSet) {
    Referencias(20000);
    const fs::path saida = temp.Caminho() / "carga";
    fs::create_directory(saida);
    ASSERT_EQ(ExecutarCargabal(Gerar(catalogos['A'], saida)).Saida, 0);
    char atual = 'A';

    const unsigned semente = std::random_device()();
    SCOPED_TRACE(testing::Message() << "seed " << semente);
    std::mt19937 aleatorio(semente);
    const auto limite = TRelogio::now() + std::chrono::seconds(30);
    const auto longo = std::chrono::duration_cast<std::chrono::microseconds>(duracao);
    std::uniform_int_distribution<int64_t> momento(0, longo.count());
    int interrompidas = 0;
    for (int vez = 0; vez < 20 && TRelogio::now() < limite; ++vez) {
        const char proxima = atual == 'A' ? 'B' : 'A';
        const int sinal = vez % 4 == 3 ? SIGTERM : SIGINT;
        const auto espera = std::chrono::microseconds(momento(aleatorio));
        SCOPED_TRACE(testing::Message() << "run " << vez << ", signal " << sinal << " after " << espera.count() << " us");
        TCargabalEmExecucao c(Gerar(catalogos[proxima], saida));
        std::this_thread::sleep_for(espera);
        c.Sinalizar(sinal);
        const TResultadoProcesso r = c.Esperar();
        if (r.Saida == 0) {
            atual = proxima;
        } else if (r.Sinal == 0) {
            // (A signal that came before the command set its handler ends
            // the process as the system does: nothing was written yet.)
            EXPECT_EQ(r.Saida, sinal == SIGTERM ? 143 : 130) << r.Erros;
            EXPECT_THAT(r.Erros, HasSubstr("cargabal: interrompido; nenhum arquivo de carga foi substituído"));
            EXPECT_EQ(r.SaidaPadrao, "");
            ++interrompidas;
        }
        ASSERT_TRUE(Conteudo(saida) == cargas[atual]) << "a mixed load or temporary files";
    }
    EXPECT_GT(interrompidas, 0);
}

}  // namespace
}  // namespace quelb::teste
