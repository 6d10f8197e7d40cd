// cargabal: reads a product catalogue (JSON or CSV) and writes the load
// files of a scale model, through the generator's own interface.
#include <getopt.h>

#include <cstdio>
#include <filesystem>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/erro.h"
#include "catalogue/leitor_catalogo.h"
#include "catalogue/texto.h"
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

// The exit status of the command, one entry per outcome (README keeps the
// same table).
enum TSaida : int {
    SaidaSucesso = 0,
    SaidaFalhaGeracao = 1,   // the generation failed: the directory, a file, an empty catalogue
    SaidaUsoOuCatalogo = 2,  // bad arguments, or a catalogue with errors: nothing is written
};

constexpr const char* AjudaGeral =
    "cargabal " QUELB_VERSAO " - gera os arquivos de carga de produtos para balanças\n"
    "a partir de um catálogo em JSON ou CSV.\n"
    "\n"
    "Uso:\n"
    "  cargabal gerar --modelo MODELO --entrada CATALOGO --saida DIRETORIO [opções]\n"
    "  cargabal modelos\n"
    "  cargabal help [COMANDO]\n"
    "  cargabal --help | --version\n"
    "\n"
    "Comandos:\n"
    "  gerar     lê o catálogo e grava no diretório os arquivos de carga do modelo\n"
    "  modelos   lista os modelos de balança, seus apelidos e os arquivos de cada um\n"
    "  help      mostra esta ajuda, ou a de um comando\n"
    "\n"
    "Use \"cargabal help COMANDO\" para ver as opções de cada comando.\n";

constexpr const char* AjudaGerar =
    "Uso: cargabal gerar --modelo MODELO --entrada CATALOGO --saida DIRETORIO [opções]\n"
    "\n"
    "Lê o catálogo de produtos e grava no diretório os arquivos de carga do modelo.\n"
    "\n"
    "Opções:\n"
    "  -m, --modelo MODELO       o modelo da balança, pelo nome (modToledoMGV6) ou pelo\n"
    "                            apelido (toledo-mgv6); veja \"cargabal modelos\"\n"
    "  -e, --entrada CATALOGO    o arquivo do catálogo, JSON ou CSV; \"-\" lê da entrada\n"
    "                            padrão\n"
    "  -s, --saida DIRETORIO     o diretório, já existente, onde os arquivos são gravados\n"
    "                            (arquivos de mesmo nome são substituídos)\n"
    "  -f, --formato FORMATO     json ou csv; sem esta opção o formato vem da extensão\n"
    "                            do arquivo (.json, .csv) ou do seu primeiro caractere\n"
    "      --codificacao COD     utf-8, utf-16 ou windows-1252; sem esta opção vale a\n"
    "                            marca de ordem de bytes, senão UTF-8, senão (CSV)\n"
    "                            Windows-1252\n"
    "      --decimal SEP         virgula ou ponto: o separador decimal de um CSV; sem\n"
    "                            esta opção, a vírgula com \";\" ou tabulação e o ponto\n"
    "                            com \",\"\n"
    "      --silencioso          não mostra a barra de progresso, os avisos nem o resumo\n"
    "  -h, --help                mostra esta ajuda\n"
    "\n"
    "Escreve na saída padrão o caminho completo de cada arquivo gravado, um por linha,\n"
    "e na saída de erros um resumo (itens, arquivos, tamanho). Com a saída de erros\n"
    "num terminal, mostra o progresso da leitura e da geração.\n"
    "\n"
    "Um catálogo com erros é recusado inteiro: todos os erros são listados (até 50),\n"
    "cada um com o seu lugar, e nada é gravado.\n"
    "\n"
    "Saída: 0 sucesso; 1 falha na geração (diretório inexistente, arquivo que não pôde\n"
    "ser gravado, catálogo sem produtos); 2 erro nos argumentos ou no catálogo (nada é\n"
    "gravado).\n";

constexpr const char* AjudaModelos =
    "Uso: cargabal modelos\n"
    "\n"
    "Lista os modelos de balança: o nome, o apelido aceito em --modelo, o nome de\n"
    "exibição e os arquivos que a geração pode gravar para o modelo.\n";

void Escrever(std::FILE* AFluxo, const std::string& ATexto) { std::fwrite(ATexto.data(), 1, ATexto.size(), AFluxo); }

int ErroDeUso(const std::string& AMensagem, const std::string& AComando) {
    Escrever(stderr, "cargabal: " + AMensagem + "\nUse \"cargabal help" + (AComando.empty() ? "" : " " + AComando) +
                         "\" para ver as opções.\n");
    return SaidaUsoOuCatalogo;
}

std::string QuisDizer(const std::optional<std::string>& ASugestao) {
    return ASugestao ? "; quis dizer \"" + *ASugestao + "\"?" : "";
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
        return SaidaSucesso;
    }
    if (!AArgs.empty()) return ErroDeUso("argumento inesperado \"" + AArgs[0] + "\"", "modelos");

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
    return SaidaSucesso;
}

struct TOpcoesGerar {
    std::optional<std::string> Modelo, Entrada, Saida, Formato, Codificacao, Decimal;
    bool Silencioso = false;
};

// Characters up to U+0020 at both ends do not make a directory name.
bool EmBranco(std::string_view ATexto) {
    for (const char c : ATexto)
        if (static_cast<unsigned char>(c) > ' ') return false;
    return true;
}

std::string Plural(uint64_t AQuantidade, const char* ASingular, const char* APlural) {
    return std::to_string(AQuantidade) + " " + (AQuantidade == 1 ? ASingular : APlural);
}

// The library's failures of a generation, as the command tells them.
std::string MensagemGeracao(const EQuelbErro& AErro) {
    const std::u16string& m = AErro.Mensagem();
    if (m == u"Não foram informados os produtos para a geração!") return "o catálogo não tem produtos";
    if (m == u"Stream write error") return "erro ao gravar os arquivos de carga (o disco está cheio?)";
    if (m == u"Stream read error") return "erro ao reler os arquivos de carga temporários";
    static constexpr std::u16string_view Criar = u"Cannot create file \"";
    if (m.starts_with(Criar)) {
        const size_t fim = m.find(u"\". ", Criar.size());
        if (fim != std::u16string::npos)
            return "não foi possível criar o arquivo \"" + ParaUtf8(m.substr(Criar.size(), fim - Criar.size())) +
                   "\": " + ParaUtf8(m.substr(fim + 3));
    }
    return AErro.what();
}

std::vector<std::string_view> NomesDosModelos() {
    std::vector<std::string_view> r;
    for (const TDefinicaoModelo& m : Modelos()) {
        r.push_back(m.Apelido);
        r.push_back(m.NomeEnumeracao);
    }
    return r;
}

int Gerar(const TOpcoesGerar& AOpcoes) {
    const std::optional<TQuelbCargaBalModelo> modelo = ProcurarModelo(*AOpcoes.Modelo);
    if (!modelo) {
        const std::vector<std::string_view> nomes = NomesDosModelos();
        return ErroDeUso("modelo desconhecido \"" + *AOpcoes.Modelo + "\"" + QuisDizer(Sugerir(*AOpcoes.Modelo, nomes)) +
                             " (\"cargabal modelos\" lista os nomes e apelidos aceitos)",
                         "gerar");
    }
    TOpcoesCatalogo opcoes;
    if (AOpcoes.Formato && !(opcoes.Formato = FormatoPorNome(*AOpcoes.Formato)))
        return ErroDeUso("formato desconhecido \"" + *AOpcoes.Formato + "\" (use json ou csv)", "gerar");
    if (AOpcoes.Codificacao && !(opcoes.Codificacao = CodificacaoPorNome(*AOpcoes.Codificacao)))
        return ErroDeUso("codificação desconhecida \"" + *AOpcoes.Codificacao +
                             "\" (use utf-8, utf-16 ou windows-1252)",
                         "gerar");
    if (AOpcoes.Decimal && !(opcoes.Decimal = DecimalPorNome(*AOpcoes.Decimal)))
        return ErroDeUso("separador decimal desconhecido \"" + *AOpcoes.Decimal + "\" (use virgula ou ponto)",
                         "gerar");

    // The directory as the library gets it: absolute, so that the paths it
    // lists are full paths.
    if (EmBranco(*AOpcoes.Saida)) return ErroDeUso("o diretório de saída (--saida) está em branco", "gerar");
#ifdef _WIN32
    // Windows hands the arguments over in the ANSI code page; the name goes
    // on in UTF-16 from there.
    const Texto diretorioTexto =
        std::filesystem::absolute(std::filesystem::path(plataforma::DeCodigoPagina(*AOpcoes.Saida))).u16string();
#else
    std::error_code erroCaminho;
    const std::string diretorio = std::filesystem::absolute(*AOpcoes.Saida, erroCaminho).string();
    Texto diretorioTexto;
    if (erroCaminho || !DeUtf8(diretorio, diretorioTexto))
        return ErroDeUso("o nome do diretório de saída não é UTF-8 válido", "gerar");
#endif

    TQuelbCargaBal gerador;
    gerador.Modelo = *modelo;
    try {
        // A missing directory is found before a large catalogue is read.
        TQuelbCargaBal::ValidarDiretorio(diretorioTexto);
    } catch (const EQuelbErro&) {
        Escrever(stderr, "cargabal: o diretório de saída \"" + *AOpcoes.Saida + "\" não existe\n");
        return SaidaFalhaGeracao;
    }

    std::optional<TBarraProgresso> barra;
    if (!AOpcoes.Silencioso && TBarraProgresso::Terminal(stderr)) barra.emplace(stderr);

    const bool padrao = *AOpcoes.Entrada == "-";
    const std::string nomeEntrada = padrao ? "entrada padrão" : *AOpcoes.Entrada;
    TRelatorioCatalogo relatorio;
    try {
        Texto caminho;
        if (!DeUtf8(*AOpcoes.Entrada, caminho))
            return ErroDeUso("o nome do arquivo de entrada não é UTF-8 válido", "gerar");
        const std::unique_ptr<TFonteCatalogo> fonte = AbrirArquivoCatalogo(caminho);
        const uint64_t total = fonte->Tamanho();
        if (barra) {
            barra->Leitura(0, total);
            opcoes.Progresso = [&barra, total](uint64_t ALidos) { barra->Leitura(ALidos, total); };
        }
        relatorio = LerCatalogo(*fonte, padrao ? "" : *AOpcoes.Entrada, opcoes, gerador.Produtos());
    } catch (const ECatalogoIlegivel& e) {
        if (barra) barra->Encerrar();
        Escrever(stderr, std::string("cargabal: ") + e.what() + "\n");
        return SaidaUsoOuCatalogo;
    }
    if (barra) barra->Encerrar();
    if (!relatorio.Ignorados.empty() && !AOpcoes.Silencioso) {
        std::string nomes;
        for (const std::string& n : relatorio.Ignorados) nomes += (nomes.empty() ? "\"" : ", \"") + n + "\"";
        Escrever(stderr, "cargabal: " + nomeEntrada + ": aviso: " +
                             (relatorio.Colunas ? (relatorio.Ignorados.size() == 1 ? "coluna ignorada: " : "colunas ignoradas: ")
                                                : (relatorio.Ignorados.size() == 1 ? "chave ignorada: " : "chaves ignoradas: ")) +
                             nomes + "\n");
    }
    if (!relatorio.Ok()) {
        for (const std::string& e : relatorio.Erros) Escrever(stderr, "cargabal: " + nomeEntrada + ": " + e + "\n");
        if (relatorio.QuantidadeErros > relatorio.Erros.size())
            Escrever(stderr, "cargabal: " + nomeEntrada + ": ... e mais " +
                                 Plural(relatorio.QuantidadeErros - relatorio.Erros.size(), "erro", "erros") + "\n");
        Escrever(stderr, "cargabal: " + nomeEntrada + ": " + Plural(relatorio.QuantidadeErros, "erro", "erros") +
                             " no catálogo; nada foi gravado\n");
        return SaidaUsoOuCatalogo;
    }

    if (barra) gerador.OnProgresso = [&barra](const Texto& m, int32_t a, int32_t t) { barra->Evento(m, a, t); };
    int saida = SaidaSucesso;
    try {
        gerador.GerarArquivos(diretorioTexto);
    } catch (const EQuelbErro& e) {
        if (barra) barra->Encerrar();
        Escrever(stderr, "cargabal: " + MensagemGeracao(e) + "\n");
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
    if (saida == SaidaSucesso && !AOpcoes.Silencioso) {
        std::string nome = ParaUtf8(gerador.ModeloStr());
        if (nome.empty()) nome = DefinicaoModelo(gerador.Modelo)->NomeEnumeracao;
        Escrever(stderr, nome + ": " + Plural(static_cast<uint64_t>(gerador.Produtos().Count()), "item", "itens") +
                             ", " + Plural(gerador.ArquivosGerados().size(), "arquivo", "arquivos") + ", " +
                             TamanhoLegivel(bytes) + ".\n");
    }
    return saida;
}

// The options of "gerar", read by getopt_long: "-mtoledo", "-m toledo",
// "--modelo toledo", "--modelo=toledo", an unambiguous prefix ("--mod"), and
// "--" before arguments that are not options.
enum : int { OpcaoCodificacao = 256, OpcaoDecimal, OpcaoSilencioso };

struct TOpcaoGerar {
    option Getopt;
    std::optional<std::string> TOpcoesGerar::*Destino;
};

const TOpcaoGerar OpcoesGerar[] = {
    {{"modelo", required_argument, nullptr, 'm'}, &TOpcoesGerar::Modelo},
    {{"entrada", required_argument, nullptr, 'e'}, &TOpcoesGerar::Entrada},
    {{"saida", required_argument, nullptr, 's'}, &TOpcoesGerar::Saida},
    {{"formato", required_argument, nullptr, 'f'}, &TOpcoesGerar::Formato},
    {{"codificacao", required_argument, nullptr, OpcaoCodificacao}, &TOpcoesGerar::Codificacao},
    {{"decimal", required_argument, nullptr, OpcaoDecimal}, &TOpcoesGerar::Decimal},
    {{"silencioso", no_argument, nullptr, OpcaoSilencioso}, nullptr},
    {{"help", no_argument, nullptr, 'h'}, nullptr},
};

const TOpcaoGerar* OpcaoPorValor(int AValor) {
    for (const TOpcaoGerar& o : OpcoesGerar)
        if (o.Getopt.val == AValor) return &o;
    return nullptr;
}

int ComandoGerar(const std::vector<std::string>& AArgs) {
    std::vector<std::string> copias(AArgs);
    copias.insert(copias.begin(), "cargabal gerar");
    std::vector<char*> argv;
    for (std::string& a : copias) argv.push_back(a.data());
    argv.push_back(nullptr);
    std::vector<option> longas;
    for (const TOpcaoGerar& o : OpcoesGerar) longas.push_back(o.Getopt);
    longas.push_back({nullptr, 0, nullptr, 0});

    TOpcoesGerar opcoes;
    opterr = 0;
    optind = 0;  // a fresh scan (glibc)
    const int argc = static_cast<int>(argv.size() - 1);
    for (;;) {
        const int c = getopt_long(argc, argv.data(), ":m:e:s:f:h", longas.data(), nullptr);
        if (c == -1) break;
        if (c == '?') {
            // An unknown option: its name, without a value given with "=".
            std::string nome = optopt != 0 ? std::string("-") + static_cast<char>(optopt) : std::string(argv[optind - 1]);
            if (const size_t igual = nome.find('='); igual != std::string::npos) nome.resize(igual);
            std::vector<std::string> candidatos;
            for (const TOpcaoGerar& o : OpcoesGerar) candidatos.push_back(std::string("--") + o.Getopt.name);
            const std::vector<std::string_view> vistas(candidatos.begin(), candidatos.end());
            return ErroDeUso("opção desconhecida \"" + nome + "\"" + QuisDizer(Sugerir(nome, vistas)), "gerar");
        }
        const TOpcaoGerar* opcao = OpcaoPorValor(c == ':' ? optopt : c);
        if (c == ':') return ErroDeUso(std::string("falta o valor da opção --") + opcao->Getopt.name, "gerar");
        if (c == 'h') {
            Escrever(stdout, AjudaGerar);
            return SaidaSucesso;
        }
        if (c == OpcaoSilencioso) {
            opcoes.Silencioso = true;
            continue;
        }
        // A value given apart that looks like an option ("-s --silencioso") is
        // an option forgotten its value; "-" alone is standard input.
        const std::string valor = optarg;
        if (optarg == argv[optind - 1] && valor.size() > 1 && valor[0] == '-')
            return ErroDeUso(std::string("falta o valor da opção --") + opcao->Getopt.name + ": \"" + valor +
                                 "\" é uma opção (para um valor que começa com \"-\", use --" + opcao->Getopt.name +
                                 "=VALOR)",
                             "gerar");
        if (opcoes.*(opcao->Destino))
            return ErroDeUso(std::string("a opção --") + opcao->Getopt.name + " foi dada mais de uma vez", "gerar");
        opcoes.*(opcao->Destino) = valor;
    }
    if (optind < argc) return ErroDeUso("argumento inesperado \"" + std::string(argv[optind]) + "\"", "gerar");
    for (const char* obrigatoria : {"modelo", "entrada", "saida"}) {
        for (const TOpcaoGerar& o : OpcoesGerar)
            if (std::string_view(o.Getopt.name) == obrigatoria && !(opcoes.*(o.Destino)))
                return ErroDeUso(std::string("falta a opção --") + obrigatoria, "gerar");
    }
    return Gerar(opcoes);
}

struct TComando {
    std::string_view Nome;
    int (*Executar)(const std::vector<std::string>&);
    const char* Ajuda;
};

int ComandoAjuda(const std::vector<std::string>& AArgs);

const TComando Comandos[] = {
    {"gerar", ComandoGerar, AjudaGerar},
    {"modelos", ComandoModelos, AjudaModelos},
    {"help", ComandoAjuda, AjudaGeral},
};

std::optional<std::string> SugerirComando(const std::string& ANome) {
    std::vector<std::string_view> nomes;
    for (const TComando& c : Comandos) nomes.push_back(c.Nome);
    return Sugerir(ANome, nomes);
}

int ComandoAjuda(const std::vector<std::string>& AArgs) {
    if (AArgs.empty()) {
        Escrever(stdout, AjudaGeral);
        return SaidaSucesso;
    }
    for (const TComando& c : Comandos) {
        if (c.Nome == AArgs[0]) {
            Escrever(stdout, c.Ajuda);
            return SaidaSucesso;
        }
    }
    return ErroDeUso("comando desconhecido \"" + AArgs[0] + "\"" + QuisDizer(SugerirComando(AArgs[0])), "");
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
        return SaidaSucesso;
    }
    if (comando == "--version" || comando == "-V") {
        Escrever(stdout, "cargabal " QUELB_VERSAO "\n");
        return SaidaSucesso;
    }
    for (const TComando& c : Comandos)
        if (c.Nome == comando) return c.Executar(resto);
    if (comando.starts_with("-")) {
        return ErroDeUso("opção desconhecida \"" + comando + "\" (o comando vem antes das opções: cargabal gerar ...)",
                         "");
    }
    return ErroDeUso("comando desconhecido \"" + comando + "\"" + QuisDizer(SugerirComando(comando)), "");
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
