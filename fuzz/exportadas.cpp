// The exported functions called in random sequences with arbitrary bytes:
// any byte but zero in the texts (some of megabytes), any bit pattern as the
// price (NaN, infinities, denormals). Each call must return a text, and the
// calls must keep their promises: LimparItems empties the list,
// AdicionarItem appends exactly one item even when it fails, DefinirCampo
// changes nothing when it fails, GerarArquivos lists only files that exist.
//
// Generations write only inside a folder of their own: a directory text
// from the input loses its "/" and is taken inside that folder.
#include <fuzzer/FuzzedDataProvider.h>
#include <unistd.h>

#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

#include "catalogue/propriedades.h"
#include "catalogue/texto.h"
#include "generator/modelos.h"
#include "interface/exportadas.h"
#include "quelb/cargabal.h"

namespace {

namespace fs = std::filesystem;

// The names hosts pass, from the model table.
const std::vector<std::string> TextosModelo = [] {
    std::vector<std::string> r;
    for (const quelb::TDefinicaoModelo& m : quelb::Modelos()) r.emplace_back(m.NomeEnumeracao);
    return r;
}();
const std::vector<const char*> NomesModelo = [] {
    std::vector<const char*> r;
    for (const std::string& t : TextosModelo) r.push_back(t.c_str());
    return r;
}();
const char* const NomesTipo[] = {"tpvPeso", "tpvUnidade", "tpvEAN13", "tpvEAN13Und"};
const char* const Inteiros[] = {"0", "1", "-1", "  42", "+7", "$1F", "0x7fffffff", "-2147483648", "70000"};
// Values of DefinirCampo of every kind of property.
const char* const Valores[] = {"0", "-1", "32768", "12,5", "0.015", "1e3", "tpGramas", "meses", "1/2",
                               "sim", "n\xE3o", "Farinha, \xE1gua e sal.", ""};
// The property paths, from the property table.
const std::vector<std::string> NomesPropriedade = [] {
    std::vector<std::string> r;
    for (const quelb::TPropriedade& p : quelb::Propriedades) r.emplace_back(p.Nome);
    return r;
}();
const std::vector<const char*> Propriedades = [] {
    std::vector<const char*> r;
    for (const std::string& t : NomesPropriedade) r.push_back(t.c_str());
    return r;
}();

// The sandbox: <pasta>/a is the directory the generations write to; a
// relative name from the input is taken inside <pasta>/a, so "." and ".."
// stay in the sandbox. <pasta>/a/arquivo is a file where a directory is
// expected.
struct TCaixaDeAreia {
    std::string pasta, destino;
    TCaixaDeAreia() {
        // QUELB_FUZZ_PASTA, else memory (fsync costs nothing there), else /tmp.
        const char* escolhida = std::getenv("QUELB_FUZZ_PASTA");
        const fs::path base = escolhida ? fs::path(escolhida)
                              : fs::is_directory("/dev/shm") ? fs::path("/dev/shm")
                                                             : fs::temp_directory_path();
        pasta = (base / ("quelb_fuzz_" + std::to_string(getpid()))).string();
        destino = pasta + "/a";
        fs::create_directories(destino);
        std::ofstream(destino + "/arquivo") << "x";
    }
    ~TCaixaDeAreia() {
        std::error_code ignorado;
        fs::remove_all(pasta, ignorado);
    }
};

const TCaixaDeAreia& Caixa() {
    static const TCaixaDeAreia caixa;
    return caixa;
}

void Falhou(const char* AOQue) {
    std::fprintf(stderr, "promessa quebrada: %s\n", AOQue);
    std::abort();
}

class TEntrada {
public:
    // One input in eight may hold one huge text: they cost time, and a few
    // are enough.
    TEntrada(const uint8_t* ADados, size_t ATamanho)
        : d(ADados, ATamanho), FGrandes(d.ConsumeIntegralInRange<int>(0, 7) == 0 ? 1 : 0) {}

    bool Acabou() { return d.remaining_bytes() == 0; }
    int Escolha(int AMaximo) { return d.ConsumeIntegralInRange<int>(0, AMaximo); }

    // A text: from a table of valid values, short bytes, or (rarely) a
    // repeated piece up to 256 KiB long (the boundary tests go to megabytes;
    // here each one costs too much time).
    std::string Texto(const char* const* ATabela = nullptr, size_t ATamanhoTabela = 0) {
        switch (Escolha(15)) {
            case 0:
            case 2:
            case 3:
                if (ATabela) return ATabela[Escolha(static_cast<int>(ATamanhoTabela) - 1)];
                return Inteiros[Escolha(std::size(Inteiros) - 1)];
            case 1:
                if (FGrandes > 0) {
                    --FGrandes;
                    const std::string pedaco = d.ConsumeRandomLengthString(8);
                    const size_t vezes = d.ConsumeIntegralInRange<size_t>(1, (256u << 10) / (pedaco.size() + 1));
                    std::string r;
                    r.reserve(vezes * pedaco.size());
                    for (size_t i = 0; i < vezes; ++i) r += pedaco;
                    return SemZeros(r);
                }
                [[fallthrough]];
            default:
                return SemZeros(d.ConsumeRandomLengthString(64));
        }
    }

    double Preco() {
        switch (Escolha(3)) {
            case 0: return std::bit_cast<double>(d.ConsumeIntegral<uint64_t>());
            case 1: {
                const double especiais[] = {std::numeric_limits<double>::quiet_NaN(),
                                            std::numeric_limits<double>::infinity(),
                                            -std::numeric_limits<double>::infinity(),
                                            std::numeric_limits<double>::denorm_min(),
                                            -0.0,
                                            1e300,
                                            -1e300,
                                            922337203685477.5807,
                                            -922337203685477.5808,
                                            0.00005};
                return especiais[Escolha(std::size(especiais) - 1)];
            }
            default: return d.ConsumeFloatingPointInRange<double>(-1e6, 1e6);
        }
    }

    // A directory for GerarArquivos, always inside the sandbox, or blank.
    std::string Diretorio() {
        const TCaixaDeAreia& caixa = Caixa();
        switch (Escolha(4)) {
            case 0: return caixa.destino;
            case 1: return caixa.destino + "/";
            case 2: return caixa.destino + "/arquivo";
            default: {
                std::string nome = Texto();
                std::erase(nome, '/');
                bool branco = true;
                for (unsigned char c : nome) branco &= c <= ' ';
                // A blank text is refused before it is used as a path.
                return branco ? nome : caixa.destino + "/" + nome;
            }
        }
    }

private:
    static std::string SemZeros(std::string ATexto) {
        for (char& c : ATexto)
            if (c == '\0') c = '\x01';
        return ATexto;
    }

    FuzzedDataProvider d;
    int FGrandes;  // huge texts still allowed
};

int32_t QuantidadeItens() {
    const quelb::TQuelbCargaBal* g = quelb::GeradorCompartilhado();
    return g ? g->Produtos().Count() : -1;
}

// Every property of the last item, as text; nothing without items.
std::vector<std::string> Retrato() {
    std::vector<std::string> r;
    const quelb::TQuelbCargaBal* g = quelb::GeradorCompartilhado();
    if (g == nullptr || g->Produtos().Count() == 0) return r;
    const quelb::TQuelbCargaBalItem& item = g->Produtos().GetItem(g->Produtos().Count() - 1);
    for (const quelb::TPropriedade& p : quelb::Propriedades)
        r.push_back(p.Texto ? quelb::ParaUtf8(p.Texto(item)) : std::to_string(p.Numero(item)));
    return r;
}

void Conferir(const char* AResultado) {
    if (AResultado == nullptr || AResultado[0] == '\0') Falhou("resultado nulo ou vazio");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* ADados, size_t ATamanho) {
    // Every input starts from the same state, so that a finding replays.
    Conferir(Inicializar("modFilizola"));
    Conferir(LimparItems());

    TEntrada e(ADados, ATamanho);
    for (int chamadas = 0; chamadas < 64 && !e.Acabou(); ++chamadas) {
        switch (e.Escolha(6)) {
            case 0: {
                const std::string nome = e.Texto(NomesModelo.data(), NomesModelo.size());
                Conferir(Inicializar(nome.c_str()));
                break;
            }
            case 1:
                Conferir(LimparItems());
                if (QuantidadeItens() != 0) Falhou("LimparItems deixou itens");
                break;
            case 2: {
                const std::string gerar = e.Diretorio();
                Conferir(GerarArquivos(gerar.c_str()));
                // Also after a failure: the files saved before it stay listed.
                for (const quelb::Texto& arquivo : quelb::GeradorCompartilhado()->ArquivosGerados())
                    if (!fs::is_regular_file(quelb::ParaUtf8(arquivo))) Falhou("arquivo listado não existe");
                break;
            }
            case 3: {
                const std::string nome = e.Texto(Propriedades.data(), Propriedades.size()),
                                  valor = e.Texto(Valores, std::size(Valores));
                const std::vector<std::string> antes = Retrato();
                const char* r = DefinirCampo(nome.c_str(), valor.c_str());
                Conferir(r);
                if (std::string(r) != "OK" && Retrato() != antes) Falhou("DefinirCampo falhou e mudou o item");
                break;
            }
            default: {
                const std::string etiqueta = e.Texto(), tipo = e.Texto(NomesTipo, std::size(NomesTipo)),
                                  codigo = e.Texto(), descricao = e.Texto(), validade = e.Texto(),
                                  tecla = e.Texto(), setor = e.Texto(), nomeSetor = e.Texto();
                const int32_t reservado = static_cast<int32_t>(e.Escolha(std::numeric_limits<int>::max()));
                const double preco = e.Preco();
                const int32_t antes = QuantidadeItens();
                Conferir(AdicionarItem(etiqueta.c_str(), tipo.c_str(), codigo.c_str(), descricao.c_str(),
                                       validade.c_str(), reservado, tecla.c_str(), setor.c_str(),
                                       nomeSetor.c_str(), preco));
                if (QuantidadeItens() != antes + 1) Falhou("AdicionarItem não acrescentou exatamente um item");
                break;
            }
        }
    }
    // Items left over would count as a leak candidate in every run, and
    // checking for leaks is slow.
    Conferir(LimparItems());
    return 0;
}
