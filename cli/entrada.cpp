#include "cli/entrada.h"

#include "catalogue/nomes_catalogo.h"

namespace quelb::cli {

namespace {

std::string Minusculas(std::string_view ANome) {
    std::string r(ANome);
    for (char& c : r) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return r;
}

}  // namespace

std::optional<TFormatoCatalogo> FormatoPorNome(std::string_view ANome) {
    const std::string n = Minusculas(ANome);
    if (n == "json") return TFormatoCatalogo::Json;
    if (n == "csv") return TFormatoCatalogo::Csv;
    return std::nullopt;
}

std::optional<TCodificacaoCatalogo> CodificacaoPorNome(std::string_view ANome) {
    const std::string n = Minusculas(ANome);
    if (n == "utf-8" || n == "utf8") return TCodificacaoCatalogo::Utf8;
    if (n == "utf-16" || n == "utf16") return TCodificacaoCatalogo::Utf16;
    if (n == "windows-1252" || n == "cp1252" || n == "windows1252") return TCodificacaoCatalogo::Windows1252;
    return std::nullopt;
}

std::optional<TSeparadorDecimal> DecimalPorNome(std::string_view ANome) {
    const std::string n = Minusculas(ANome);
    if (n == "virgula" || n == "vírgula" || n == "," ) return TSeparadorDecimal::Virgula;
    if (n == "ponto" || n == ".") return TSeparadorDecimal::Ponto;
    return std::nullopt;
}

std::optional<std::string> Sugerir(std::string_view ANome, std::span<const std::string_view> ACandidatos) {
    const std::string nome = Minusculas(ANome);
    std::optional<std::string> melhor;
    size_t menor = 3;
    for (const std::string_view c : ACandidatos) {
        const std::string candidato = Minusculas(c);
        const size_t limite = candidato.size() >= 6 ? 2 : 1;
        const size_t d = DistanciaNomes(nome, candidato, limite);
        if (d <= limite && d < menor) {
            menor = d;
            melhor = std::string(c);
        }
    }
    if (melhor || nome.size() < 2) return melhor;
    for (const std::string_view c : ACandidatos) {
        if (!Minusculas(c).starts_with(nome)) continue;
        if (melhor) return std::nullopt;  // more than one
        melhor = std::string(c);
    }
    return melhor;
}

}  // namespace quelb::cli
