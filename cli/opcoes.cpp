#include "cli/opcoes.h"

#include <getopt.h>

#include "catalogue/texto.h"
#include "cli/entrada.h"
#include "cli/mensagens.h"

namespace quelb::cli {

namespace {

// getopt_long's code of an option: its letter, or past every letter.
int Codigo(const TOpcaoComando& AOpcao, size_t AIndice) {
    return AOpcao.Curta != 0 ? AOpcao.Curta : 256 + static_cast<int>(AIndice);
}

}  // namespace

std::optional<int> LerOpcoes(const std::vector<std::string>& AArgs, const std::string& AComando, const char* AAjuda,
                             std::span<const TOpcaoComando> AOpcoes, std::span<const char* const> AObrigatorias,
                             std::vector<std::string>* AArgumentos) {
    std::vector<std::string> copias(AArgs);
    copias.insert(copias.begin(), "cargabal " + AComando);
    std::vector<char*> argv;
    for (std::string& a : copias) argv.push_back(a.data());
    argv.push_back(nullptr);
    // ":" first: a missing value comes back as ':', not as an unknown option.
    std::string curtas = ":";
    std::vector<option> longas;
    for (size_t i = 0; i < AOpcoes.size(); ++i) {
        const TOpcaoComando& o = AOpcoes[i];
        longas.push_back({o.Nome, o.Valor ? required_argument : no_argument, nullptr, Codigo(o, i)});
        if (o.Curta != 0) curtas += std::string(1, o.Curta) + (o.Valor ? ":" : "");
    }
    longas.push_back({nullptr, 0, nullptr, 0});
    const auto opcao = [&](int ACodigo) -> const TOpcaoComando* {
        for (size_t i = 0; i < AOpcoes.size(); ++i)
            if (Codigo(AOpcoes[i], i) == ACodigo) return &AOpcoes[i];
        return nullptr;
    };

    opterr = 0;
    optind = 0;  // a fresh scan (glibc)
    const int argc = static_cast<int>(argv.size() - 1);
    for (;;) {
        const int c = getopt_long(argc, argv.data(), curtas.c_str(), longas.data(), nullptr);
        if (c == -1) break;
        if (c == '?') {
            // An unknown option: its name, without a value given with "=".
            std::string nome = optopt != 0 ? std::string("-") + static_cast<char>(optopt) : std::string(argv[optind - 1]);
            if (const size_t igual = nome.find('='); igual != std::string::npos) nome.resize(igual);
            std::vector<std::string> candidatos;
            for (const TOpcaoComando& o : AOpcoes) candidatos.push_back(std::string("--") + o.Nome);
            const std::vector<std::string_view> vistas(candidatos.begin(), candidatos.end());
            return ErroDeUso("opção desconhecida \"" + nome + "\"" + QuisDizer(Sugerir(nome, vistas)), AComando);
        }
        const TOpcaoComando& o = *opcao(c == ':' ? optopt : c);
        if (c == ':') return ErroDeUso(std::string("falta o valor da opção --") + o.Nome, AComando);
        if (o.Marca != nullptr) {
            *o.Marca = true;
            continue;
        }
        if (o.Valor == nullptr) {
            Escrever(stdout, AAjuda);
            return 0;
        }
        // A value given apart that looks like an option ("-s --silencioso") is
        // an option forgotten its value; "-" alone is standard input.
        const std::string valor = optarg;
        if (optarg == argv[optind - 1] && valor.size() > 1 && valor[0] == '-')
            return ErroDeUso(std::string("falta o valor da opção --") + o.Nome + ": \"" + valor +
                                 "\" é uma opção (para um valor que começa com \"-\", use --" + o.Nome + "=VALOR)",
                             AComando);
        if (*o.Valor) return ErroDeUso(std::string("a opção --") + o.Nome + " foi dada mais de uma vez", AComando);
        *o.Valor = valor;
    }
    if (AArgumentos != nullptr)
        AArgumentos->assign(argv.begin() + optind, argv.begin() + argc);
    else if (optind < argc)
        return ErroDeUso("argumento inesperado \"" + std::string(argv[optind]) + "\"", AComando);
    for (const char* obrigatoria : AObrigatorias)
        for (const TOpcaoComando& o : AOpcoes)
            if (std::string_view(o.Nome) == obrigatoria && o.Valor != nullptr && !*o.Valor)
                return ErroDeUso(std::string("falta a opção --") + obrigatoria, AComando);
    return std::nullopt;
}

std::optional<std::filesystem::path> CaminhoDoArgumento(const std::string& AArgumento) {
    std::u16string caminho;
    if (!DeUtf8(AArgumento, caminho)) return std::nullopt;
    return std::filesystem::path(caminho);
}

}  // namespace quelb::cli
