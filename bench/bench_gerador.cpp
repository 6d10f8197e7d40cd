// Benchmark of the load generation against the physical limit of its output.
//
// For each catalogue profile, size and scale model it measures GerarArquivos
// into a folder on a memory file system and, in the same run, writing the
// very same bytes (the files just produced, read back into memory) with one
// write call per file into the same folder. Each measurement is taken after
// a warm-up, several times, interleaving the two so that both see the same
// machine, and the median is reported. A third timing writes the same bytes
// after copying them into new memory: what any generation that builds its
// files in memory pays at least. The peak memory of a generation is measured
// in a fresh process, on top of the catalogue.
//
//   bench_gerador [--n 10000,100000,1000000] [--modelos modFilizola,...]
//                 [--perfis realista,pior] [--repeticoes R] [--pasta DIR]
//   bench_gerador --json ARQUIVO --n N     (writes a realistic JSON catalogue)
//   bench_gerador --so-geracao 1 ...       (generations only, for a profiler)
//   bench_gerador --memoria --perfis P --n N --modelos M --pasta DIR
//                                          (peak memory of one generation, in bytes)
//
// The same choices may come from QUELB_BENCH_N, QUELB_BENCH_MODELOS,
// QUELB_BENCH_PERFIS and QUELB_BENCH_REPETICOES.
#include <malloc.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "bench/catalogo_json.h"
#include "bench/catalogo_sintetico.h"
#include "bench/medicao.h"
#include "catalogue/texto.h"
#include "generator/gerador.h"
#include "generator/modelos.h"

namespace quelb::bench {

namespace {

struct TOpcoes {
    std::vector<int32_t> Quantidades = {10000, 100000, 1000000};
    std::vector<TQuelbCargaBalModelo> Modelos;
    std::vector<TPerfil> Perfis = {TPerfil::Realista, TPerfil::PiorCaso};
    int Repeticoes = 0;  // 0: 5, or 3 from a million items on
    std::string Pasta;
    std::string Json;
    bool SoGeracao = false;
    bool Memoria = false;
};

struct TResultado {
    TPerfil Perfil;
    int32_t Quantidade;
    TQuelbCargaBalModelo Modelo;
    size_t Arquivos = 0;
    double Bytes = 0;
    double Geracao = 0;     // seconds, median
    double Bruta = 0;       // seconds, median
    double Copia = 0;       // seconds, median: the bytes copied into new memory, then written
    int64_t Memoria = -1;   // bytes of peak growth, -1 unknown
};

std::vector<std::string> Partes(const std::string& ATexto) {
    std::vector<std::string> r;
    std::stringstream s(ATexto);
    for (std::string p; std::getline(s, p, ',');)
        if (!p.empty()) r.push_back(p);
    return r;
}

[[noreturn]] void Uso(const std::string& AMensagem) {
    std::fprintf(stderr, "bench_gerador: %s\n", AMensagem.c_str());
    std::exit(2);
}

void LerQuantidades(const std::string& ATexto, TOpcoes& o) {
    o.Quantidades.clear();
    for (const std::string& p : Partes(ATexto)) {
        char* fim = nullptr;
        const long n = std::strtol(p.c_str(), &fim, 10);
        if (*fim != '\0' || n <= 0 || n > 100000000) Uso("quantidade inválida \"" + p + "\"");
        o.Quantidades.push_back(static_cast<int32_t>(n));
    }
}

std::string Nome(TQuelbCargaBalModelo AModelo) { return std::string(DefinicaoModelo(AModelo)->NomeEnumeracao); }

void LerModelos(const std::string& ATexto, TOpcoes& o) {
    o.Modelos.clear();
    for (const std::string& p : Partes(ATexto)) {
        bool achou = false;
        for (const TDefinicaoModelo& m : Modelos())
            if (p == m.NomeEnumeracao) {
                o.Modelos.push_back(m.Modelo);
                achou = true;
            }
        if (!achou) Uso("modelo desconhecido \"" + p + "\"");
    }
}

void LerPerfis(const std::string& ATexto, TOpcoes& o) {
    o.Perfis.clear();
    for (const std::string& p : Partes(ATexto)) {
        if (p == "realista") o.Perfis.push_back(TPerfil::Realista);
        else if (p == "pior") o.Perfis.push_back(TPerfil::PiorCaso);
        else Uso("perfil desconhecido \"" + p + "\" (realista ou pior)");
    }
}

TOpcoes LerOpcoes(int argc, char** argv) {
    TOpcoes o;
    for (int m = 0; m < QuantidadeModelos; ++m) o.Modelos.push_back(static_cast<TQuelbCargaBalModelo>(m));
    if (const char* v = std::getenv("QUELB_BENCH_N")) LerQuantidades(v, o);
    if (const char* v = std::getenv("QUELB_BENCH_MODELOS")) LerModelos(v, o);
    if (const char* v = std::getenv("QUELB_BENCH_PERFIS")) LerPerfis(v, o);
    if (const char* v = std::getenv("QUELB_BENCH_REPETICOES")) o.Repeticoes = std::atoi(v);
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--memoria") {
            o.Memoria = true;
            continue;
        }
        if (i + 1 >= argc) Uso("falta o valor de " + a);
        const std::string v = argv[++i];
        if (a == "--n") LerQuantidades(v, o);
        else if (a == "--modelos") LerModelos(v, o);
        else if (a == "--perfis") LerPerfis(v, o);
        else if (a == "--repeticoes") o.Repeticoes = std::atoi(v.c_str());
        else if (a == "--pasta") o.Pasta = v;
        else if (a == "--json") o.Json = v;
        else if (a == "--so-geracao") o.SoGeracao = v != "0";
        else Uso("opção desconhecida " + a);
    }
    if (o.Quantidades.empty() || o.Modelos.empty() || o.Perfis.empty()) Uso("nada a medir");
    return o;
}

// Peak memory of one generation, measured in a fresh process of this same
// program (--memoria): it builds the same catalogue, runs one generation of a
// single item so that the tables built once per process exist, and then
// compares its resident size before the generation with its peak resident
// size during it.
int64_t MedirMemoria(TPerfil APerfil, int32_t AQuantidade, TQuelbCargaBalModelo AModelo, const std::string& APasta) {
    int canal[2];
    if (pipe(canal) != 0) return -1;
    std::fflush(nullptr);
    const pid_t filho = fork();
    if (filho < 0) return -1;
    if (filho == 0) {
        close(canal[0]);
        dup2(canal[1], STDOUT_FILENO);
        const std::string quantidade = std::to_string(AQuantidade);
        const char* perfil = APerfil == TPerfil::Realista ? "realista" : "pior";
        execl("/proc/self/exe", "bench_gerador", "--memoria", "--perfis", perfil, "--n", quantidade.c_str(), "--modelos",
              Nome(AModelo).c_str(), "--pasta", APasta.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(canal[1]);
    std::string saida;
    char buf[64];
    for (ssize_t n; (n = read(canal[0], buf, sizeof buf)) > 0;) saida.append(buf, static_cast<size_t>(n));
    close(canal[0]);
    int situacao = 0;
    waitpid(filho, &situacao, 0);
    EsvaziarPasta(APasta);
    if (!WIFEXITED(situacao) || WEXITSTATUS(situacao) != 0 || saida.empty()) return -1;
    return std::strtoll(saida.c_str(), nullptr, 10);
}

// The --memoria mode: prints the growth in bytes, or -1.
int MemoriaDeUmaGeracao(const TOpcoes& o) {
    const Texto pasta = DeUtf8(o.Pasta);
    {
        TQuelbCargaBal aquecimento;
        aquecimento.Modelo = o.Modelos.front();
        PreencherCatalogo(o.Perfis.front(), 1, aquecimento.Produtos());
        aquecimento.GerarArquivos(pasta);
    }
    EsvaziarPasta(o.Pasta);
    TQuelbCargaBal gerador;
    gerador.Modelo = o.Modelos.front();
    PreencherCatalogo(o.Perfis.front(), o.Quantidades.front(), gerador.Produtos());
    // What was freed goes back to the system first, so that what the
    // generation takes shows as growth.
    malloc_trim(0);
    const int64_t antes = MemoriaProcesso("VmRSS");
    int64_t r = -1;
    if (antes >= 0 && ZerarPicoMemoria()) {
        gerador.GerarArquivos(pasta);
        const int64_t pico = MemoriaProcesso("VmHWM");
        if (pico >= 0) r = pico - antes;
    }
    std::printf("%lld\n", static_cast<long long>(r));
    return 0;
}

TResultado Medir(TQuelbCargaBal& AGerador, TPerfil APerfil, TQuelbCargaBalModelo AModelo,
                 const std::string& APasta, int ARepeticoes, bool ASoGeracao) {
    TResultado r{APerfil, AGerador.Produtos().Count(), AModelo};
    AGerador.Modelo = AModelo;
    const Texto pasta = DeUtf8(APasta);
    if (ASoGeracao) {
        std::vector<double> geracao;
        for (int i = 0; i < ARepeticoes; ++i) {
            EsvaziarPasta(APasta);
            geracao.push_back(Segundos([&] { AGerador.GerarArquivos(pasta); }));
        }
        EsvaziarPasta(APasta);
        r.Geracao = r.Bruta = r.Copia = Mediana(geracao);
        return r;
    }

    EsvaziarPasta(APasta);
    r.Memoria = MedirMemoria(APerfil, r.Quantidade, AModelo, APasta);

    // Warm-up, and the bytes that the raw write will write.
    AGerador.GerarArquivos(pasta);
    std::vector<std::pair<std::string, std::string>> arquivos;
    for (const Texto& caminho : AGerador.ArquivosGerados()) {
        const std::string utf8 = ParaUtf8(caminho);
        arquivos.emplace_back(utf8, LerArquivo(utf8));
        r.Bytes += static_cast<double>(arquivos.back().second.size());
    }
    r.Arquivos = arquivos.size();
    EsvaziarPasta(APasta);
    for (const auto& [caminho, bytes] : arquivos) GravarDeUmaVez(caminho, bytes);

    std::vector<double> geracao, bruta, copia;
    for (int i = 0; i < ARepeticoes; ++i) {
        EsvaziarPasta(APasta);
        geracao.push_back(Segundos([&] { AGerador.GerarArquivos(pasta); }));
        EsvaziarPasta(APasta);
        bruta.push_back(Segundos([&] {
            for (const auto& [caminho, bytes] : arquivos) GravarDeUmaVez(caminho, bytes);
        }));
        // What any generation that builds its files in memory pays at least:
        // new memory filled with the bytes, then the same writes.
        EsvaziarPasta(APasta);
        copia.push_back(Segundos([&] {
            std::vector<std::unique_ptr<char[]>> blocos(arquivos.size());
            for (size_t j = 0; j < arquivos.size(); ++j) {
                const std::string& bytes = arquivos[j].second;
                blocos[j].reset(new char[bytes.size()]);
                std::memcpy(blocos[j].get(), bytes.data(), bytes.size());
            }
            for (size_t j = 0; j < arquivos.size(); ++j)
                GravarDeUmaVez(arquivos[j].first, std::string_view(blocos[j].get(), arquivos[j].second.size()));
        }));
    }
    EsvaziarPasta(APasta);
    r.Geracao = Mediana(geracao);
    r.Bruta = Mediana(bruta);
    r.Copia = Mediana(copia);
    return r;
}


double MB(double ABytes) { return ABytes / 1e6; }

void Cabecalho() {
    std::printf(
        "| Perfil | Itens | Modelo | Arq. | Saída (MB) | Geração (ms) | Gravação bruta (ms) | Geração/bruta "
        "| Cópia+gravação/bruta | Itens/s | MB/s | Memória (MB) | Memória/saída |\n"
        "|---|---:|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|\n");
}

void Linha(const TResultado& r) {
    char memoria[32] = "?", proporcao[32] = "?";
    if (r.Memoria >= 0) {
        std::snprintf(memoria, sizeof memoria, "%.1f", MB(static_cast<double>(r.Memoria)));
        std::snprintf(proporcao, sizeof proporcao, "%.2f", static_cast<double>(r.Memoria) / r.Bytes);
    }
    std::printf("| %s | %d | %s | %zu | %.1f | %.1f | %.1f | %.2f | %.2f | %.0f | %.0f | %s | %s |\n",
                std::string(NomePerfil(r.Perfil)).c_str(), r.Quantidade, Nome(r.Modelo).c_str(), r.Arquivos,
                MB(r.Bytes), r.Geracao * 1e3, r.Bruta * 1e3, r.Geracao / r.Bruta, r.Copia / r.Bruta,
                r.Quantidade / r.Geracao,
                MB(r.Bytes) / r.Geracao, memoria, proporcao);
    std::fflush(stdout);
}

// The three targets, checked on the measured figures.
int Resumo(const std::vector<TResultado>& AResultados) {
    std::map<std::tuple<int, int, int32_t>, const TResultado*> porChave;
    for (const TResultado& r : AResultados)
        porChave[{static_cast<int>(r.Perfil), static_cast<int>(r.Modelo), r.Quantidade}] = &r;

    int falhas = 0;
    std::printf("\nMetas (geração/bruta <= 1,5 com 1.000.000 de itens; tempo por item de 1.000.000 <= 1,25 x o de "
                "100.000; memória <= 2 x saída):\n\n");
    std::printf("| Perfil | Modelo | Geração/bruta (1M) | ns/item 100k | ns/item 1M | Crescimento | Memória/saída "
                "(máx.) |\n|---|---|---:|---:|---:|---:|---:|\n");
    std::map<std::pair<int, int>, bool> vistos;
    for (const TResultado& r : AResultados) {
        const std::pair<int, int> chave{static_cast<int>(r.Perfil), static_cast<int>(r.Modelo)};
        if (vistos[chave]) continue;
        vistos[chave] = true;
        const auto um = porChave.find({chave.first, chave.second, 1000000});
        const auto cem = porChave.find({chave.first, chave.second, 100000});
        double memoria = 0;
        for (const TResultado& s : AResultados)
            if (s.Perfil == r.Perfil && s.Modelo == r.Modelo && s.Memoria >= 0)
                memoria = std::max(memoria, static_cast<double>(s.Memoria) / s.Bytes);
        std::string razao = "-", ns100 = "-", ns1m = "-", crescimento = "-";
        char buf[64];
        auto marca = [&](bool ok) {
            if (!ok) ++falhas;
            return ok ? "" : " ✗";
        };
        if (um != porChave.end()) {
            const double q = um->second->Geracao / um->second->Bruta;
            std::snprintf(buf, sizeof buf, "%.2f%s", q, marca(q <= 1.5));
            razao = buf;
            std::snprintf(buf, sizeof buf, "%.0f", um->second->Geracao / 1e6 * 1e9);
            ns1m = buf;
        }
        if (cem != porChave.end()) {
            std::snprintf(buf, sizeof buf, "%.0f", cem->second->Geracao / 1e5 * 1e9);
            ns100 = buf;
        }
        if (um != porChave.end() && cem != porChave.end()) {
            const double c = (um->second->Geracao / 1e6) / (cem->second->Geracao / 1e5);
            std::snprintf(buf, sizeof buf, "%.2f%s", c, marca(c <= 1.25));
            crescimento = buf;
        }
        std::snprintf(buf, sizeof buf, "%.2f%s", memoria, marca(memoria <= 2.0));
        std::printf("| %s | %s | %s | %s | %s | %s | %s |\n", std::string(NomePerfil(r.Perfil)).c_str(),
                    Nome(r.Modelo).c_str(), razao.c_str(), ns100.c_str(), ns1m.c_str(), crescimento.c_str(), buf);
    }
    std::printf("\n%d meta(s) não atingida(s).\n", falhas);
    return falhas;
}

int GerarJson(const TOpcoes& o) {
    TQuelbCargaBalItens itens;
    PreencherCatalogo(TPerfil::Realista, o.Quantidades.front(), itens);
    std::FILE* f = std::fopen(o.Json.c_str(), "wb");
    if (!f || !EscreverCatalogoJson(itens, f) || std::fclose(f) != 0) {
        std::fprintf(stderr, "bench_gerador: não foi possível gravar %s\n", o.Json.c_str());
        return 1;
    }
    return 0;
}

int Executar(int argc, char** argv) {
    const TOpcoes o = LerOpcoes(argc, argv);
    if (!o.Json.empty()) return GerarJson(o);
    if (o.Memoria) return MemoriaDeUmaGeracao(o);

    std::string pasta = o.Pasta;
    const bool pastaPropria = pasta.empty();
    if (pastaPropria) {
        pasta = "/dev/shm/quelb-bench-" + std::to_string(getpid());
        if (mkdir(pasta.c_str(), 0700) != 0) Uso("não foi possível criar " + pasta);
    }

    std::vector<TResultado> resultados;
    char data[32];
    const std::time_t agora = std::time(nullptr);
    std::strftime(data, sizeof data, "%Y-%m-%d %H:%M", std::localtime(&agora));
    std::printf("Medido em %s, pasta %s, %ld processadores.\n\n", data, pasta.c_str(), sysconf(_SC_NPROCESSORS_ONLN));
    Cabecalho();
    for (const TPerfil perfil : o.Perfis) {
        for (const int32_t n : o.Quantidades) {
            TQuelbCargaBal gerador;
            const double criacao = Segundos([&] { PreencherCatalogo(perfil, n, gerador.Produtos()); });
            std::fprintf(stderr, "catálogo %s de %d itens criado em %.1f s\n", std::string(NomePerfil(perfil)).c_str(),
                         n, criacao);
            const int repeticoes = o.Repeticoes > 0 ? o.Repeticoes : (n >= 1000000 ? 3 : 5);
            for (const TQuelbCargaBalModelo m : o.Modelos) {
                resultados.push_back(Medir(gerador, perfil, m, pasta, repeticoes, o.SoGeracao));
                Linha(resultados.back());
            }
        }
    }
    const int falhas = Resumo(resultados);
    if (pastaPropria) {
        EsvaziarPasta(pasta);
        rmdir(pasta.c_str());
    }
    (void)falhas;  // the targets are reported, not enforced
    return 0;
}

}  // namespace

}  // namespace quelb::bench

int main(int argc, char** argv) {
    try {
        return quelb::bench::Executar(argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_gerador: %s\n", e.what());
        return 1;
    }
}
