#include "cli/modelos_cli.h"

#include <vector>

#include "cli/entrada.h"
#include "cli/mensagens.h"
#include "generator/modelos.h"

namespace quelb::cli {

namespace {

bool IguaisSemCaixaAscii(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const auto minuscula = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (minuscula(a[i]) != minuscula(b[i])) return false;
    }
    return true;
}

}  // namespace

std::optional<TQuelbCargaBalModelo> ProcurarModelo(std::string_view ANome) {
    for (const TDefinicaoModelo& m : Modelos())
        if (IguaisSemCaixaAscii(ANome, m.NomeEnumeracao) || IguaisSemCaixaAscii(ANome, m.Apelido)) return m.Modelo;
    return std::nullopt;
}

std::string ModeloDesconhecido(std::string_view ANome) {
    std::vector<std::string_view> nomes;
    for (const TDefinicaoModelo& m : Modelos()) {
        nomes.push_back(m.Apelido);
        nomes.push_back(m.NomeEnumeracao);
    }
    return "modelo desconhecido \"" + std::string(ANome) + "\"" + QuisDizer(Sugerir(ANome, nomes)) +
           " (\"cargabal modelos\" lista os nomes e apelidos aceitos)";
}

}  // namespace quelb::cli
