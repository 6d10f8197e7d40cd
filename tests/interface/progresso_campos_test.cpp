// DefinirCampo, ArquivosGerados, DefinirProgresso and the lock, called as a
// host calls them. The file's name sorts after exportadas_test.cpp, whose
// first case needs the library before any Inicializar.
#include <gtest/gtest.h>

#include <atomic>
#include <csetjmp>
#include <memory>
#include <chrono>
#include <cstring>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "apoio/diretorio_temporario.h"
#include "catalogue/propriedades.h"
#include "interface/exportadas.h"
#include "platform/plataforma.h"
#include "quelb/cargabal.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

namespace quelb {
namespace {

namespace fs = std::filesystem;

std::string Chamar(const char* resultado) { return resultado ? resultado : "(nulo)"; }

const TQuelbCargaBalItem& Ultimo() {
    const auto& produtos = GeradorCompartilhado()->Produtos();
    return produtos.GetItem(produtos.Count() - 1);
}

// A property of the last item, through the property table.
int64_t Numero(const char* nome) { return ProcurarPropriedade(nome)->Numero(Ultimo()); }
std::u16string TextoDe(const char* nome) { return std::u16string(ProcurarPropriedade(nome)->Texto(Ultimo())); }

void NovoItem(const char* codigo = "1") {
    ASSERT_EQ(Chamar(AdicionarItem("0", "tpvPeso", codigo, "Produto", "", 0, "", "1", "Setor", 1.0)), "OK");
}

std::string LerArquivo(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}

// The files of a folder, without the lock file that a generation leaves there.
std::vector<std::string> Nomes(const fs::path& pasta) {
    std::vector<std::string> r;
    for (const auto& e : fs::directory_iterator(pasta))
        if (e.path().filename() != ".cargabal.lock") r.push_back(e.path().filename().string());
    std::sort(r.begin(), r.end());
    return r;
}

TEST(DefinirCampo, SetsEachPropertyByTheCatalogueRules) {
    ASSERT_EQ(Chamar(Inicializar("modToledoMGV6")), "OK");
    ASSERT_EQ(Chamar(LimparItems()), "OK");
    NovoItem();
    const struct {
        const char* nome;
        const char* valor;
        const char* propriedade;
        int64_t numero;
    } casos[] = {
        {"Nutricional.Qtd", "30", "Nutricional.Qtd", 30},
        {"nutricional.QTD", " 31", "Nutricional.Qtd", -1},  // no trimming of integers: refused below
        {"Tara.Valor", "0,015", "Tara.Valor", 150},
        {"Tara.Valor", "0.025", "Tara.Valor", 250},
        {"ValorVenda", "12,5", "ValorVenda", 125000},
        {"Pre\xE7o", "1.99", "ValorVenda", 19900},  // a synonym, with an accent
        {"TipoValidade", "tpvMeses", "TipoValidade", tpvMeses},
        {"TipoValidade", "dias", "TipoValidade", tpvDias},
        {"Nutricional.PartDecimal", "1/2", "Nutricional.PartDecimal", 3},
        {"Nutricional.UndPorcao", "Mililitros", "Nutricional.UndPorcao", 1},
        {"Nutricional.AltoEmSodio", "sim", "Nutricional.AltoEmSodio", 1},
        {"Nutricional.AltoEmSodio", "n\xE3o", "Nutricional.AltoEmSodio", 0},
        {"Fornecedor.Codigo", "-32768", "Fornecedor.Codigo", -32768},
        {"Codigo", "-2147483648", "Codigo", INT32_MIN},
        {"Nutricional.Sodio", "-0,5", "Nutricional.Sodio", -5000},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(std::string(c.nome) + " = " + c.valor);
        const std::string r = Chamar(DefinirCampo(c.nome, c.valor));
        if (c.numero == -1) {
            EXPECT_NE(r, "OK");
            continue;
        }
        EXPECT_EQ(r, "OK");
        EXPECT_EQ(Numero(c.propriedade), c.numero);
    }
    EXPECT_EQ(Chamar(DefinirCampo("InformacaoExtra.Receita", "Farinha, \xE1gua e sal.")), "OK");
    EXPECT_EQ(TextoDe("InformacaoExtra.Receita"), u"Farinha, água e sal.");
    EXPECT_EQ(Chamar(DefinirCampo("Tara.Descricao", "")), "OK");
    EXPECT_EQ(TextoDe("Tara.Descricao"), u"");
}

// Every path of the table reaches its own property: a value of its type set
// through DefinirCampo reads back through the table.
TEST(DefinirCampo, EveryPropertyOfTheTable) {
    ASSERT_EQ(Chamar(LimparItems()), "OK");
    NovoItem();
    for (const TPropriedade& p : Propriedades) {
        const std::string nome(p.Nome);
        SCOPED_TRACE(nome);
        switch (p.Tipo) {
            case TTipoPropriedade::Texto:
                ASSERT_EQ(Chamar(DefinirCampo(nome.c_str(), ("A\xE7\xE3o " + nome).c_str())), "OK");
                EXPECT_EQ(ParaUtf8(p.Texto(Ultimo())), "Ação " + nome);
                break;
            case TTipoPropriedade::Enumeracao:
                ASSERT_EQ(Chamar(DefinirCampo(nome.c_str(), p.Nomes.back())), "OK");
                EXPECT_EQ(p.Numero(Ultimo()), static_cast<int64_t>(p.Nomes.size() - 1));
                break;
            case TTipoPropriedade::Booleano:
                ASSERT_EQ(Chamar(DefinirCampo(nome.c_str(), "1")), "OK");
                EXPECT_EQ(p.Numero(Ultimo()), 1);
                break;
            case TTipoPropriedade::Decimal:
                ASSERT_EQ(Chamar(DefinirCampo(nome.c_str(), "7,0625")), "OK");
                EXPECT_EQ(p.Numero(Ultimo()), 70625);
                break;
            case TTipoPropriedade::Inteiro32:
            case TTipoPropriedade::Inteiro16:
                ASSERT_EQ(Chamar(DefinirCampo(nome.c_str(), "-1234")), "OK");
                EXPECT_EQ(p.Numero(Ultimo()), -1234);
                break;
        }
    }
}

// A failure names the property and the value, and changes nothing.
TEST(DefinirCampo, AFailureNamesThePropertyAndTheValueAndChangesNothing) {
    ASSERT_EQ(Chamar(LimparItems()), "OK");
    NovoItem();
    ASSERT_EQ(Chamar(DefinirCampo("Nutricional.Qtd", "30")), "OK");
    const uint64_t versao = GeradorCompartilhado()->Produtos().Versao();
    const struct {
        const char* nome;
        const char* valor;
        const char* mensagem;
    } casos[] = {
        {"Nutricional.Qtd", "abc", "Nutricional.Qtd: esperado inteiro de 32 bits, encontrado \"abc\"."},
        {"Nutricional.Qtd", "1.5", "Nutricional.Qtd: esperado inteiro de 32 bits, encontrado \"1.5\"."},
        {"Nutricional.Qtd", "0x10", "Nutricional.Qtd: esperado inteiro de 32 bits, encontrado \"0x10\"."},
        {"Nutricional.Qtd", "", "Nutricional.Qtd: esperado inteiro de 32 bits, encontrado \"\"."},
        {"Fornecedor.Codigo", "40000", "Fornecedor.Codigo: esperado inteiro de 16 bits, encontrado \"40000\"."},
        {"Tara.Valor", "1.234,5", "Tara.Valor: valor inv\xE1lido \"1.234,5\"."},
        {"Tara.Valor", "99999999999999999", "Tara.Valor: valor fora do intervalo \"99999999999999999\"."},
        {"TipoValidade", "anos", "TipoValidade: esperado um de tpvDias ou tpvMeses, encontrado \"anos\"."},
        {"Nutricional.AltoEmSodio", "talvez",
         "Nutricional.AltoEmSodio: esperado verdadeiro ou falso (true/false, sim/n\xE3o, 1/0), encontrado \"talvez\"."},
        {"Nutricional.Qdt", "30",
         "Campo desconhecido em DefinirCampo: Nutricional.Qdt = \"30\"; quis dizer \"Nutricional.Qtd\"?"},
        {"Estoque", "5", "Campo desconhecido em DefinirCampo: Estoque = \"5\"."},
        {"Setor", "5", "Campo desconhecido em DefinirCampo: Setor = \"5\"."},
        {nullptr, nullptr, "Campo desconhecido em DefinirCampo:  = \"\"."},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.mensagem);
        EXPECT_EQ(Chamar(DefinirCampo(c.nome, c.valor)), c.mensagem);
    }
    EXPECT_EQ(Numero("Nutricional.Qtd"), 30);
    EXPECT_EQ(Numero("Fornecedor.Codigo"), 0);
    EXPECT_EQ(Numero("Tara.Valor"), 0);
    EXPECT_EQ(GeradorCompartilhado()->Produtos().Versao(), versao);

    ASSERT_EQ(Chamar(LimparItems()), "OK");
    EXPECT_EQ(Chamar(DefinirCampo("nutricional.qtd", "30")),
              "Nenhum produto para receber Nutricional.Qtd = \"30\": chame AdicionarItem antes de DefinirCampo.");
}

TEST(ArquivosGerados, ThePathsOfTheLatestGenerationInSaveOrder) {
    teste::DiretorioTemporario dir;
    ASSERT_EQ(Chamar(Inicializar("modToledoMGV6")), "OK");
    ASSERT_EQ(Chamar(LimparItems()), "OK");
    NovoItem();
    ASSERT_EQ(Chamar(DefinirCampo("Nutricional.Codigo", "5")), "OK");
    ASSERT_EQ(Chamar(DefinirCampo("Nutricional.Qtd", "30")), "OK");
    ASSERT_EQ(Chamar(DefinirCampo("InformacaoExtra.Receita", "Farinha, sal")), "OK");
    ASSERT_EQ(Chamar(GerarArquivos(dir.Utf8().c_str())), "OK");
    const std::string base = dir.Utf8() + "/";
    EXPECT_EQ(Chamar(ArquivosGerados()),
              base + "ITENSMGV.TXT\r\n" + base + "DEPTO.TXT\r\n" + base + "TXINFO.TXT\r\n" + base + "INFNUTRI.TXT");
}

// A generation that fails, however early, lists nothing: the paths of the
// one before are not this one's.
TEST(ArquivosGerados, EmptyAfterAFailedGeneration) {
    teste::DiretorioTemporario dir;
    ASSERT_EQ(Chamar(Inicializar("modToledoMGV6")), "OK");
    const std::string pasta = dir.Utf8();
    const std::string ausente = pasta + "/nao-existe";
    plataforma::TTrava outra;
    const struct {
        const char* caso;
        std::function<void()> preparar;
        const std::string& diretorio;
    } casos[] = {
        {"missing folder", [] {}, ausente},
        {"no products", [] { ASSERT_EQ(Chamar(LimparItems()), "OK"); }, pasta},
        {"folder busy",
         [&] {
             ASSERT_EQ(outra.Travar((dir.Caminho() / ".cargabal.lock").u16string(), 0),
                       plataforma::TTrava::Travada);
             GeradorCompartilhado()->EsperaTrava = 0;
         },
         pasta},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        ASSERT_EQ(Chamar(LimparItems()), "OK");
        NovoItem();
        ASSERT_EQ(Chamar(GerarArquivos(pasta.c_str())), "OK");
        ASSERT_NE(Chamar(ArquivosGerados()), "");
        c.preparar();
        EXPECT_NE(Chamar(GerarArquivos(c.diretorio.c_str())), "OK");
        EXPECT_EQ(Chamar(ArquivosGerados()), "");
    }
    outra.Liberar();
    GeradorCompartilhado()->EsperaTrava = TQuelbCargaBal().EsperaTrava;
}

// ---- the progress callback ----

struct TEvento {
    std::string Mensagem;
    int32_t Atual, Total;
};

// What the callback does at each event, and what it saw.
std::vector<TEvento> Eventos;
std::function<int32_t(const TEvento&)> Acao;

int32_t QUELB_CALL Registrar(const char* Mensagem, int32_t Atual, int32_t Total) {
    Eventos.push_back({Mensagem, Atual, Total});
    return Acao ? Acao(Eventos.back()) : 0;
}

class Progresso : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(Chamar(Inicializar("modToledoMGV6")), "OK");
        ASSERT_EQ(Chamar(LimparItems()), "OK");
        for (const char* codigo : {"1", "2", "3"}) {
            NovoItem(codigo);
            ASSERT_EQ(Chamar(DefinirCampo("Nutricional.Codigo", codigo)), "OK");
            ASSERT_EQ(Chamar(DefinirCampo("Nutricional.Qtd", "30")), "OK");
        }
        Eventos.clear();
        Acao = nullptr;
        ASSERT_EQ(Chamar(DefinirProgresso(Registrar)), "OK");
        // An earlier load that a stopped generation must leave alone.
        std::ofstream(dir.Caminho() / "ITENSMGV.TXT", std::ios::binary) << "anterior\r\n";
    }
    void TearDown() override {
        Acao = nullptr;
        EXPECT_EQ(Chamar(DefinirProgresso(nullptr)), "OK");
    }
    std::string Gerar() { return Chamar(GerarArquivos(dir.Utf8().c_str())); }
    // The generation stopped before the save: the old file as it was, no
    // other file and no temporary one beside it.
    void NadaGravado() {
        EXPECT_EQ(LerArquivo(dir.Caminho() / "ITENSMGV.TXT"), "anterior\r\n");
        EXPECT_EQ(Nomes(dir.Caminho()), std::vector<std::string>{"ITENSMGV.TXT"});
    }
    teste::DiretorioTemporario dir;
};

TEST_F(Progresso, EveryEventReachesTheCallbackInTheAnsiCodePage) {
    ASSERT_EQ(Chamar(DefinirCampo("Descricao", "P\xE3o")), "OK");
    EXPECT_EQ(Gerar(), "OK");
    ASSERT_EQ(Eventos.size(), 5u);
    EXPECT_EQ(Eventos[0].Mensagem, "Iniciando a gera\xE7\xE3o dos arquivos");
    EXPECT_EQ(Eventos[1].Mensagem, "Gerando produto 000001 Produto");
    EXPECT_EQ(Eventos[3].Mensagem, "Gerando produto 000003 P\xE3o");
    EXPECT_EQ(Eventos[4].Mensagem, "Terminado");
    for (size_t i = 0; i < Eventos.size(); ++i) {
        EXPECT_EQ(Eventos[i].Atual, i == 4 ? 3 : static_cast<int32_t>(i == 0 ? 0 : i - 1));
        EXPECT_EQ(Eventos[i].Total, 3);
    }
    // Removed, it is called no more.
    ASSERT_EQ(Chamar(DefinirProgresso(nullptr)), "OK");
    Eventos.clear();
    EXPECT_EQ(Gerar(), "OK");
    EXPECT_TRUE(Eventos.empty());
}

// A nonzero return at any event before the save cancels; at "Terminado" it
// is too late and ignored.
TEST_F(Progresso, ANonzeroReturnCancelsBeforeTheSave) {
    for (const size_t evento : {0u, 1u, 3u}) {
        SCOPED_TRACE(evento);
        Eventos.clear();
        Acao = [evento](const TEvento&) { return Eventos.size() == evento + 1 ? -1 : 0; };
        EXPECT_EQ(Gerar(), "A gera\xE7\xE3o dos arquivos foi cancelada; nenhum arquivo foi gravado.");
        EXPECT_EQ(Eventos.size(), evento + 1);
        NadaGravado();
    }
    Acao = [](const TEvento& e) { return e.Mensagem == "Terminado" ? 1 : 0; };
    EXPECT_EQ(Gerar(), "OK");
    EXPECT_EQ(Chamar(ArquivosGerados()).find("ITENSMGV.TXT"), dir.Utf8().size() + 1);
    // The next generation starts uncancelled.
    Acao = nullptr;
    EXPECT_EQ(Gerar(), "OK");
}

// The callback may call any function. One that changes the catalogue or the
// model stops the generation with nothing saved; GerarArquivos fails at
// once; the others leave it going.
TEST_F(Progresso, TheCallbackMayCallBackIn) {
    const std::string alterados =
        "Os produtos foram alterados durante a gera\xE7\xE3o dos arquivos; nenhum arquivo foi gravado.";
    const struct {
        const char* caso;
        std::function<std::string()> chamada;
        const char* resultadoDentro;  // null: anything but an error is fine
        bool para;
    } casos[] = {
        {"LimparItems", [] { return Chamar(LimparItems()); }, "OK", true},
        {"AdicionarItem",
         [] { return Chamar(AdicionarItem("0", "tpvPeso", "9", "x", "", 0, "", "1", "", 1.0)); }, "OK", true},
        {"DefinirCampo", [] { return Chamar(DefinirCampo("Nutricional.Qtd", "40")); }, "OK", true},
        {"Inicializar", [] { return Chamar(Inicializar("modFilizola")); }, "OK", true},
        {"CarregarCatalogo",
         [] { return Chamar(CarregarCatalogo(QUELB_DIR_TESTES "/cli/catalogos/limpo.json")); }, "OK", true},
        {"VerificarItens", [] { return Chamar(::VerificarItens()); }, nullptr, false},
        {"ArquivosGerados", [] { return Chamar(ArquivosGerados()); }, nullptr, false},
        {"DefinirCampo refused", [] { return Chamar(DefinirCampo("Nutricional.Qtd", "x")); }, nullptr, false},
        {"DefinirProgresso", [] { return Chamar(DefinirProgresso(Registrar)); }, "OK", false},
        {"Versao", [] { return Chamar(Versao()); }, nullptr, false},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        ASSERT_EQ(Chamar(Inicializar("modToledoMGV6")), "OK");
        std::string dentro;
        Acao = [&](const TEvento&) {
            if (Eventos.size() == 2) dentro = c.chamada();
            return 0;
        };
        Eventos.clear();
        const std::string r = Gerar();
        if (c.resultadoDentro) {
            EXPECT_EQ(dentro, c.resultadoDentro);
        }
        if (c.para) {
            EXPECT_EQ(r, alterados);
            EXPECT_EQ(Eventos.size(), 2u);
            NadaGravado();
            // Back to the three items of the fixture.
            Acao = nullptr;
            SetUp();
        } else {
            EXPECT_EQ(r, "OK");
            EXPECT_EQ(Eventos.size(), 5u);
        }
    }

    // GerarArquivos inside a generation fails at once; the outer one goes on.
    std::string dentro;
    Acao = [&](const TEvento&) {
        if (Eventos.size() == 2) dentro = Chamar(GerarArquivos(dir.Utf8().c_str()));
        return 0;
    };
    Eventos.clear();
    EXPECT_EQ(Gerar(), "OK");
    EXPECT_EQ(dentro,
              "Uma gera\xE7\xE3o dos arquivos j\xE1 est\xE1 em andamento: GerarArquivos n\xE3o pode ser chamada de "
              "dentro da fun\xE7\xE3o de progresso.");
    EXPECT_EQ(Eventos.size(), 5u);
}

// A C++ exception thrown by the callback stops the generation like any
// failure: its message is the result, nothing is saved, and neither the
// library's lock nor the folder's stays held.
TEST_F(Progresso, AnExceptionFromTheCallbackLeavesTheLibraryUsable) {
    Acao = [](const TEvento&) -> int32_t {
        if (Eventos.size() == 2) throw std::runtime_error("falha do host");
        return 0;
    };
    EXPECT_EQ(Gerar(), "falha do host");
    NadaGravado();
    plataforma::TTrava pasta;
    EXPECT_EQ(pasta.Travar((dir.Caminho() / ".cargabal.lock").u16string(), 0), plataforma::TTrava::Travada);
    pasta.Liberar();
    std::string deOutroFio;
    std::thread([&] { deOutroFio = Chamar(ArquivosGerados()); }).join();
    EXPECT_EQ(deOutroFio, "");
    Acao = nullptr;
    EXPECT_EQ(Gerar(), "OK");
}

// Where a callback that never returns jumps to.
std::jmp_buf Salto;

// A callback that never returns to the library (a longjmp; a host's own
// exception does the same past frames it does not know) leaves it usable:
// the next call gives the generation up, another thread is not blocked, the
// folder's lock is free, and the next generation saves. The frames skipped
// keep what they had allocated, which the leak checker is told to ignore.
TEST_F(Progresso, ACallbackThatNeverReturnsLeavesTheLibraryUsable) {
    Acao = [](const TEvento&) -> int32_t {
        if (Eventos.size() == 2) std::longjmp(Salto, 1);
        return 0;
    };
#if defined(__SANITIZE_ADDRESS__)
    __lsan_disable();
#endif
    if (setjmp(Salto) == 0) {
        Gerar();
        ADD_FAILURE() << "the callback returned";
    }
#if defined(__SANITIZE_ADDRESS__)
    __lsan_enable();
#endif
    Acao = nullptr;
    EXPECT_EQ(Chamar(ArquivosGerados()), "");
    NadaGravado();
    // Another thread gets through, within a bounded wait.
    auto outro = std::make_shared<std::atomic<bool>>(false);
    std::thread([outro] {
        Chamar(ArquivosGerados());
        *outro = true;
    }).detach();
    for (int i = 0; i < 500 && !*outro; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_TRUE(*outro) << "another thread is still blocked";
    plataforma::TTrava pasta;
    EXPECT_EQ(pasta.Travar((dir.Caminho() / ".cargabal.lock").u16string(), 0), plataforma::TTrava::Travada);
    pasta.Liberar();
    EXPECT_EQ(Gerar(), "OK");
}

// ---- two threads at once ----

// Two threads call every function in a loop, each in its own folder, for a
// bounded time: nothing crashes (ASan sees what goes wrong), every result is
// one that a call of the other thread in between explains, and a thread's
// returned text stays as it was while the other one calls.
TEST(Trava, TwoThreadsCallingAtOnce) {
    ASSERT_EQ(Chamar(Inicializar("modToledoMGV6")), "OK");
    ASSERT_EQ(Chamar(DefinirProgresso(nullptr)), "OK");
    std::atomic<int> erros{0};
    const auto fim = std::chrono::steady_clock::now() + std::chrono::milliseconds(1500);
    const auto trabalho = [&](int fio) {
        teste::DiretorioTemporario dir;
        const std::string codigo = std::to_string(fio + 1);
        for (int volta = 0; volta < 2000 && std::chrono::steady_clock::now() < fim; ++volta) {
            const char* recusa = DefinirCampo("Nao.Existe", codigo.c_str());
            const std::string copia = Chamar(recusa);
            if (copia.find("Nao.Existe = \"" + codigo + "\"") == std::string::npos) ++erros;
            // While the other thread calls, this thread's text stays.
            for (int i = 0; i < 3; ++i) std::this_thread::yield();
            if (std::strcmp(recusa, copia.c_str()) != 0) ++erros;
            if (fio == 0) Chamar(LimparItems());
            if (Chamar(AdicionarItem("0", "tpvPeso", codigo.c_str(), "x", "", 0, "", "1", "S", 1.0)) != "OK") ++erros;
            const std::string campo = Chamar(DefinirCampo("InformacaoExtra.Receita", "Farinha, sal"));
            if (campo != "OK" && campo.find("Nenhum produto") != 0) ++erros;
            const std::string gerar = Chamar(GerarArquivos(dir.Utf8().c_str()));
            if (gerar != "OK" && gerar.find("produtos") == std::string::npos) ++erros;
            Chamar(ArquivosGerados());
            Chamar(::VerificarItens());
        }
    };
    std::thread outro(trabalho, 1);
    trabalho(0);
    outro.join();
    EXPECT_EQ(erros.load(), 0);
}

}  // namespace
}  // namespace quelb
