#include "cli/modelos_cli.h"

#include "generator/modelos.h"

namespace quelb::cli {

namespace {

// Indexed by TQuelbCargaBalModelo.
constexpr std::string_view Apelidos[QuantidadeModelos] = {
    "filizola", "toledo", "urano", "urano-s", "toledo-mgv5", "toledo-mgv6", "urano-urf32", "ramuza", "toledo-mgv5-v1",
};

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
    for (int m = 0; m < QuantidadeModelos; ++m)
        if (IguaisSemCaixaAscii(ANome, NomesModelo[m]) || IguaisSemCaixaAscii(ANome, Apelidos[m]))
            return static_cast<TQuelbCargaBalModelo>(m);
    return std::nullopt;
}

std::string_view ApelidoModelo(TQuelbCargaBalModelo AModelo) { return Apelidos[AModelo]; }

std::vector<std::u16string_view> ArquivosDoModelo(TQuelbCargaBalModelo AModelo) {
    std::vector<std::u16string_view> r;
    const TDefinicaoModelo* d = DefinicaoModelo(AModelo);
    if (d == nullptr) return r;
    for (size_t i = 0; i < d->Arquivos.size(); ++i) {
        // Plain Toledo is handed a tare list that its writer never fills.
        if (AModelo == modToledo && d->Arquivos[i] == u"TARA.TXT") continue;
        if (!d->Arquivos[i].empty()) r.push_back(d->Arquivos[i]);
    }
    return r;
}

}  // namespace quelb::cli
