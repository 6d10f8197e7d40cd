// cargabal: reads a product catalogue (JSON or CSV) and writes the load
// files of a scale model, through the generator's own interface.
//
// Exit status: 0 success; 1 the generation failed (the library's message);
// 2 bad arguments or a catalogue that cannot be read (nothing is written).
#include <cstdio>
#include <filesystem>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/erro.h"
#include "catalogue/texto.h"
#include "cli/catalogo.h"
#include "cli/entrada.h"
#include "cli/modelos_cli.h"
#include "cli/progresso.h"
#include "generator/gerador.h"
#include "generator/modelos.h"

#ifdef _WIN32
#include "platform/plataforma.h"
#include "platform/win32/windows_minimo.h"
#endif

#ifndef QUELB_VERSAO
#define QUELB_VERSAO "?"
#endif

namespace quelb::cli {

namespace {

constexpr int SaidaFalhaGeracao = 1;
constexpr int SaidaUsoOuCatalogo = 2;

constexpr const char* AjudaGeral =
    "cargabal " QUELB_VERSAO " - gera os arquivos de carga de produtos para balanças\n"
    "a partir de um catálogo em JSON ou CSV.\n"
    "\n"
    "Uso:\n"
    "  cargabal gerar --modelo MODELO --entrada CATALOGO --saida DIRETORIO [opções]\n"
    "  cargabal modelos\n"
    "  cargabal --help | --version\n"
    "\n"
    "Comandos:\n"
    "  gerar     lê o catálogo e grava no diretório os arquivos de carga do modelo\n"
    "  modelos   lista os modelos de balança, seus apelidos e os arquivos de cada um\n"
    "\n"
    "Use \"cargabal COMANDO --help\" para ver as opções de cada comando.\n";

constexpr const char* AjudaGerar =
    "Uso: cargabal gerar --modelo MODELO --entrada CATALOGO --saida DIRETORIO [opções]\n"
    "\n"
    "Lê o catálogo de produtos e grava no diretório os arquivos de carga do modelo.\n"
    "\n"
    "Opções:\n"
    "  -m, --modelo MODELO     o modelo da balança, pelo nome (modToledoMGV6) ou pelo\n"
    "                          apelido (toledo-mgv6); veja \"cargabal modelos\"\n"
    "  -e, --entrada CATALOGO  o arquivo do catálogo, JSON ou CSV; \"-\" lê da entrada\n"
    "                          padrão (JSON, ou o formato dado em --formato)\n"
    "  -s, --saida DIRETORIO   o diretório, já existente, onde os arquivos são gravados\n"
    "                          (arquivos de mesmo nome são substituídos)\n"
    "  -f, --formato FORMATO   json ou csv; sem esta opção o formato vem da extensão\n"
    "                          do arquivo (.json, .csv) ou do seu primeiro caractere\n"
    "      --silencioso        não mostra a barra de progresso nem o resumo\n"
    "  -h, --help              mostra esta ajuda\n"
    "\n"
    "Escreve na saída padrão o caminho completo de cada arquivo gravado, um por linha,\n"
    "e na saída de erros um resumo (itens, arquivos, bytes). Com a saída de erros num\n"
    "terminal, mostra o progresso da geração.\n"
    "\n"
    "Saída: 0 sucesso; 1 falha na geração (diretório inexistente, arquivo que não pôde\n"
    "ser gravado); 2 erro nos argumentos ou no catálogo (nada é gravado).\n";

constexpr const char* AjudaModelos =
    "Uso: cargabal modelos\n"
    "\n"
    "Lista os modelos de balança: o nome, o apelido aceito em --modelo, o nome de\n"
    "exibição e os arquivos que a geração pode gravar para o modelo.\n";

void Escrever(std::FILE* AFluxo, const std::string& ATexto) { std::fwrite(ATexto.data(), 1, ATexto.size(), AFluxo); }

int ErroDeUso(const std::string& AMensagem, const char* AComando) {
    Escrever(stderr, "cargabal: " + AMensagem + "\nUse \"cargabal " + AComando + "--help\" para ver as opções.\n");
    return SaidaUsoOuCatalogo;
}

bool PedeAjuda(const std::string& AArg) { return AArg == "-h" || AArg == "--help"; }

// Width of a UTF-8 text on a terminal, one column per character.
size_t Largura(std::string_view ATexto) {
    size_t n = 0;
    for (const char c : ATexto) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}

int ComandoModelos(const std::vector<std::string>& AArgs) {
    if (!AArgs.empty() && PedeAjuda(AArgs[0])) {
        Escrever(stdout, AjudaModelos);
        return 0;
    }
    if (!AArgs.empty()) return ErroDeUso("argumento inesperado \"" + AArgs[0] + "\"", "modelos ");

    std::vector<std::vector<std::string>> linhas = {{"MODELO", "APELIDO", "EXIBIÇÃO", "ARQUIVOS"}};
    for (const TDefinicaoModelo& m : Modelos()) {
        const std::string exibicao = ParaUtf8(m.Nome);
        std::string arquivos;
        for (const TArquivoModelo& a : m.Arquivos) arquivos += (arquivos.empty() ? "" : " ") + ParaUtf8(a.Nome);
        linhas.push_back({std::string(m.NomeEnumeracao), std::string(m.Apelido),
                          exibicao.empty() ? "(sem nome)" : exibicao, arquivos});
    }
    std::vector<size_t> larguras(3, 0);
    for (const auto& l : linhas)
        for (size_t c = 0; c < 3; ++c) larguras[c] = std::max(larguras[c], Largura(l[c]));
    for (const auto& l : linhas) {
        std::string texto;
        for (size_t c = 0; c < 3; ++c) texto += l[c] + std::string(larguras[c] - Largura(l[c]) + 2, ' ');
        Escrever(stdout, texto + l[3] + "\n");
    }
    return 0;
}

struct TOpcoesGerar {
    std::optional<std::string> Modelo, Entrada, Saida, Formato;
    bool Silencioso = false;
};

// Characters up to U+0020 at both ends do not make a directory name.
bool EmBranco(std::string_view ATexto) {
    for (const char c : ATexto)
        if (static_cast<unsigned char>(c) > ' ') return false;
    return true;
}

std::string Plural(size_t AQuantidade, const char* ASingular, const char* APlural) {
    return std::to_string(AQuantidade) + " " + (AQuantidade == 1 ? ASingular : APlural);
}

int Gerar(const TOpcoesGerar& AOpcoes) {
    const std::optional<TQuelbCargaBalModelo> modelo = ProcurarModelo(*AOpcoes.Modelo);
    if (!modelo)
        return ErroDeUso("modelo desconhecido \"" + *AOpcoes.Modelo +
                             "\"; \"cargabal modelos\" lista os nomes e apelidos aceitos",
                         "gerar ");
    std::optional<TFormatoCatalogo> formato;
    if (AOpcoes.Formato && !(formato = FormatoPorNome(*AOpcoes.Formato)))
        return ErroDeUso("formato desconhecido \"" + *AOpcoes.Formato + "\" (use json ou csv)", "gerar ");
    if (*AOpcoes.Entrada == "-" && !formato) formato = TFormatoCatalogo::Json;

    // The directory as the library gets it: absolute, so that the paths it
    // lists are full paths. A blank name goes as it is, for the library's
    // own message.
#ifdef _WIN32
    // Windows hands the arguments over in the ANSI code page; the name goes
    // on in UTF-16 from there.
    Texto diretorioTexto = plataforma::DeCodigoPagina(*AOpcoes.Saida);
    if (!EmBranco(*AOpcoes.Saida))
        diretorioTexto = std::filesystem::absolute(std::filesystem::path(diretorioTexto)).u16string();
#else
    std::string diretorio = *AOpcoes.Saida;
    if (!EmBranco(diretorio)) diretorio = std::filesystem::absolute(diretorio).string();
    Texto diretorioTexto;
    if (!DeUtf8(diretorio, diretorioTexto))
        return ErroDeUso("o nome do diretório de saída não é UTF-8 válido", "gerar ");
#endif

    TQuelbCargaBal gerador;
    gerador.Modelo = *modelo;
    try {
        // A missing directory is found before a large catalogue is read.
        TQuelbCargaBal::ValidarDiretorio(diretorioTexto);
    } catch (const EQuelbErro& e) {
        Escrever(stderr, std::string("cargabal: ") + e.what() + "\n");
        return SaidaFalhaGeracao;
    }

    std::optional<TBarraProgresso> barra;
    if (!AOpcoes.Silencioso && TBarraProgresso::Terminal(stderr)) barra.emplace(stderr);

    const std::string nomeEntrada = *AOpcoes.Entrada == "-" ? "entrada padrão" : *AOpcoes.Entrada;
    try {
        if (barra) barra->Mostrar("Lendo o catálogo " + nomeEntrada + "...");
        std::string conteudo = LerEntrada(*AOpcoes.Entrada);
        if (!formato) formato = DeduzirFormato(*AOpcoes.Entrada, conteudo);
        if (*formato == TFormatoCatalogo::Json) LerCatalogoJson(conteudo, gerador.Produtos());
        else LerCatalogoCsv(conteudo, gerador.Produtos());
    } catch (const ECatalogo& e) {
        if (barra) barra->Encerrar();
        Escrever(stderr, "cargabal: " + nomeEntrada + ": " + e.what() + "\n");
        return SaidaUsoOuCatalogo;
    }
    if (barra) gerador.OnProgresso = [&barra](const Texto& m, int32_t a, int32_t t) { barra->Evento(m, a, t); };
    int saida = 0;
    try {
        gerador.GerarArquivos(diretorioTexto);
    } catch (const EQuelbErro& e) {
        if (barra) barra->Encerrar();
        Escrever(stderr, std::string("cargabal: ") + e.what() + "\n");
        saida = SaidaFalhaGeracao;
    }
    if (barra) barra->Encerrar();

    // The files written, also those saved before a failure.
    uintmax_t bytes = 0;
    for (const Texto& caminho : gerador.ArquivosGerados()) {
        const std::string utf8 = ParaUtf8(caminho);
        Escrever(stdout, utf8 + "\n");
        std::error_code ignorado;
        const uintmax_t tamanho = std::filesystem::file_size(std::filesystem::path(caminho), ignorado);
        if (!ignorado) bytes += tamanho;
    }
    std::fflush(stdout);
    if (saida == 0 && !AOpcoes.Silencioso) {
        std::string nome = ParaUtf8(gerador.ModeloStr());
        if (nome.empty()) nome = DefinicaoModelo(gerador.Modelo)->NomeEnumeracao;
        Escrever(stderr, nome + ": " + Plural(static_cast<size_t>(gerador.Produtos().Count()), "item", "itens") +
                             ", " + Plural(gerador.ArquivosGerados().size(), "arquivo", "arquivos") + ", " +
                             Plural(bytes, "byte", "bytes") + ".\n");
    }
    return saida;
}

int ComandoGerar(const std::vector<std::string>& AArgs) {
    TOpcoesGerar opcoes;
    struct TOpcaoValor {
        const char* Curta;
        const char* Longa;
        std::optional<std::string> TOpcoesGerar::*Destino;
    };
    static constexpr TOpcaoValor ComValor[] = {
        {"-m", "--modelo", &TOpcoesGerar::Modelo},
        {"-e", "--entrada", &TOpcoesGerar::Entrada},
        {"-s", "--saida", &TOpcoesGerar::Saida},
        {"-f", "--formato", &TOpcoesGerar::Formato},
    };
    for (size_t i = 0; i < AArgs.size(); ++i) {
        const std::string& arg = AArgs[i];
        if (PedeAjuda(arg)) {
            Escrever(stdout, AjudaGerar);
            return 0;
        }
        if (arg == "--silencioso") {
            opcoes.Silencioso = true;
            continue;
        }
        const TOpcaoValor* opcao = nullptr;
        std::optional<std::string> valor;
        for (const TOpcaoValor& o : ComValor) {
            const std::string longa = o.Longa;
            if (arg == o.Curta || arg == longa) {
                opcao = &o;
            } else if (arg.starts_with(longa + "=")) {
                opcao = &o;
                valor = arg.substr(longa.size() + 1);
            }
        }
        if (opcao == nullptr) {
            if (arg.size() > 1 && arg[0] == '-') return ErroDeUso("opção desconhecida \"" + arg + "\"", "gerar ");
            return ErroDeUso("argumento inesperado \"" + arg + "\"", "gerar ");
        }
        if (!valor) {
            if (i + 1 >= AArgs.size())
                return ErroDeUso(std::string("falta o valor da opção ") + opcao->Longa, "gerar ");
            valor = AArgs[++i];
        }
        if (opcoes.*(opcao->Destino))
            return ErroDeUso(std::string("a opção ") + opcao->Longa + " foi dada mais de uma vez", "gerar ");
        opcoes.*(opcao->Destino) = std::move(valor);
    }
    for (const TOpcaoValor& o : ComValor)
        if (!(opcoes.*(o.Destino)) && o.Destino != &TOpcoesGerar::Formato)
            return ErroDeUso(std::string("falta a opção ") + o.Longa, "gerar ");
    return Gerar(opcoes);
}

int Executar(const std::vector<std::string>& AArgs) {
    if (AArgs.empty()) {
        Escrever(stderr, AjudaGeral);
        return SaidaUsoOuCatalogo;
    }
    const std::string& comando = AArgs[0];
    const std::vector<std::string> resto(AArgs.begin() + 1, AArgs.end());
    if (PedeAjuda(comando)) {
        Escrever(stdout, AjudaGeral);
        return 0;
    }
    if (comando == "--version" || comando == "-V") {
        Escrever(stdout, "cargabal " QUELB_VERSAO "\n");
        return 0;
    }
    if (comando == "gerar") return ComandoGerar(resto);
    if (comando == "modelos") return ComandoModelos(resto);
    return ErroDeUso("comando desconhecido \"" + comando + "\"", "");
}

}  // namespace

}  // namespace quelb::cli

int main(int argc, char** argv) {
#ifdef _WIN32
    // Messages and paths go out in UTF-8, which a console shows right in that
    // code page; the console gets its own back on the way out.
    struct TPaginaConsole {
        UINT Anterior = GetConsoleOutputCP();
        TPaginaConsole() { SetConsoleOutputCP(CP_UTF8); }
        ~TPaginaConsole() {
            if (Anterior) SetConsoleOutputCP(Anterior);
        }
    } paginaConsole;
#endif
    try {
        return quelb::cli::Executar(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::bad_alloc&) {
        std::fputs("cargabal: memória insuficiente\n", stderr);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "cargabal: %s\n", e.what());
    }
    return 1;
}
