#include "catalogue/nomes_catalogo.h"

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "catalogue/propriedades.h"
#include "catalogue/texto.h"

namespace quelb {

namespace {

// Latin-1 letters without their accents, from U+00C0.
constexpr char SemAcento[] =
    "aaaaaaaceeeeiiii"   // C0..CF
    "dnooooo*ouuuuyts"   // D0..DF
    "aaaaaaaceeeeiiii"   // E0..EF
    "dnooooo/ouuuuyty";  // F0..FF

struct TEntrada {
    std::string Normalizado;
    std::string Exibido;  // as the catalogue format spells it
    TAlvoNome Alvo;
};

// Exports name a few properties of the item their own way.
constexpr std::pair<std::string_view, std::string_view> Sinonimos[] = {
    {"PLU", "Codigo"},         {"Cod", "Codigo"},       {"Nome", "Descricao"}, {"Produto", "Descricao"},
    {"Preco", "ValorVenda"},   {"PrecoVenda", "ValorVenda"}, {"Valor", "ValorVenda"},
};

std::string Minusculas(std::string_view ANome) {
    std::string r(ANome);
    for (char& c : r) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return r;
}

struct TTabelas {
    // [0] the item, [1 + r] record r; and every column path.
    std::vector<TEntrada> Niveis[1 + QuantidadeRegistros];
    std::vector<TEntrada> Caminhos;

    TTabelas() {
        for (size_t i = 0; i < std::size(Propriedades); ++i) {
            const std::string_view nome = Propriedades[i].Nome;
            const TAlvoNome alvo{static_cast<int16_t>(i), -1};
            Caminhos.push_back({Minusculas(nome), std::string(nome), alvo});
            const size_t ponto = nome.find('.');
            if (ponto == std::string_view::npos) {
                Niveis[0].push_back({Minusculas(nome), std::string(nome), alvo});
                continue;
            }
            const auto r = std::find(std::begin(NomesRegistros), std::end(NomesRegistros), nome.substr(0, ponto));
            const std::string_view proprio = nome.substr(ponto + 1);
            Niveis[1 + (r - std::begin(NomesRegistros))].push_back({Minusculas(proprio), std::string(proprio), alvo});
        }
        for (int r = 0; r < QuantidadeRegistros; ++r)
            Niveis[0].push_back({Minusculas(NomesRegistros[r]), std::string(NomesRegistros[r]), {-1, static_cast<int8_t>(r)}});
        for (const auto& [sinonimo, nome] : Sinonimos) {
            const TAlvoNome alvo{static_cast<int16_t>(IndicePropriedade(nome)), -1};
            Niveis[0].push_back({Minusculas(sinonimo), std::string(nome), alvo});
            Caminhos.push_back({Minusculas(sinonimo), std::string(nome), alvo});
        }
    }
};

const TTabelas& Tabelas() {
    static const TTabelas t;
    return t;
}

TAlvoNome Procurar(const std::vector<TEntrada>& AEntradas, std::string_view ANormalizado) {
    for (const TEntrada& e : AEntradas)
        if (e.Normalizado == ANormalizado) return e.Alvo;
    return {};
}

std::optional<std::string> Sugerir(const std::vector<TEntrada>& AEntradas, std::string_view ANormalizado) {
    const TEntrada* melhor = nullptr;
    size_t menor = 3;
    for (const TEntrada& e : AEntradas) {
        const size_t limite = e.Normalizado.size() >= 6 ? 2 : 1;
        const size_t d = DistanciaNomes(ANormalizado, e.Normalizado, limite);
        if (d <= limite && d < menor) {
            menor = d;
            melhor = &e;
        }
    }
    if (melhor == nullptr) return std::nullopt;
    return melhor->Exibido;
}

}  // namespace

std::string NormalizarNome(std::u16string_view ANome) {
    const auto espaco = [](char16_t c) { return c == u' ' || c == u'\t' || c == 0xA0; };
    while (!ANome.empty() && espaco(ANome.front())) ANome.remove_prefix(1);
    while (!ANome.empty() && espaco(ANome.back())) ANome.remove_suffix(1);
    std::string r;
    r.reserve(ANome.size());
    for (size_t i = 0; i < ANome.size(); ++i) {
        const char16_t c = ANome[i];
        if (c < 0x80) {
            r += static_cast<char>(c >= u'A' && c <= u'Z' ? c - u'A' + u'a' : c);
        } else if (c >= 0xC0 && c <= 0xFF && SemAcento[c - 0xC0] != '*' && SemAcento[c - 0xC0] != '/') {
            r += SemAcento[c - 0xC0];
        } else if (c >= 0x300 && c <= 0x36F) {
            // a combining accent of a decomposed letter
        } else {
            r += ParaUtf8(ANome.substr(i, 1));
        }
    }
    return r;
}

TAlvoNome ProcurarNome(int ARegistro, std::string_view ANormalizado) {
    return Procurar(Tabelas().Niveis[1 + ARegistro], ANormalizado);
}

TAlvoNome ProcurarCaminho(std::string_view ANormalizado) {
    const TAlvoNome alvo = Procurar(Tabelas().Caminhos, ANormalizado);
    if (alvo.Conhecido()) return alvo;
    // "Setor . Codigo": spaces around the dot do not count either.
    const size_t ponto = ANormalizado.find('.');
    if (ponto == std::string_view::npos) return {};
    std::string junto(ANormalizado.substr(0, ponto));
    while (!junto.empty() && junto.back() == ' ') junto.pop_back();
    std::string_view resto = ANormalizado.substr(ponto + 1);
    while (!resto.empty() && resto.front() == ' ') resto.remove_prefix(1);
    junto += '.';
    junto += resto;
    return junto.size() == ANormalizado.size() ? TAlvoNome{} : Procurar(Tabelas().Caminhos, junto);
}

std::optional<std::string> SugerirNome(int ARegistro, std::string_view ANormalizado) {
    return Sugerir(Tabelas().Niveis[1 + ARegistro], ANormalizado);
}

std::optional<std::string> SugerirCaminho(std::string_view ANormalizado) {
    return Sugerir(Tabelas().Caminhos, ANormalizado);
}

size_t DistanciaNomes(std::string_view A, std::string_view B, size_t ALimite) {
    if ((A.size() > B.size() ? A.size() - B.size() : B.size() - A.size()) > ALimite) return ALimite + 1;
    // Optimal string alignment, three rows.
    const size_t n = B.size();
    std::vector<size_t> anterior2(n + 1), anterior(n + 1), atual(n + 1);
    for (size_t j = 0; j <= n; ++j) anterior[j] = j;
    for (size_t i = 1; i <= A.size(); ++i) {
        atual[0] = i;
        size_t menorDaLinha = atual[0];
        for (size_t j = 1; j <= n; ++j) {
            const size_t custo = A[i - 1] == B[j - 1] ? 0 : 1;
            atual[j] = std::min({anterior[j] + 1, atual[j - 1] + 1, anterior[j - 1] + custo});
            if (i > 1 && j > 1 && A[i - 1] == B[j - 2] && A[i - 2] == B[j - 1])
                atual[j] = std::min(atual[j], anterior2[j - 2] + 1);
            menorDaLinha = std::min(menorDaLinha, atual[j]);
        }
        if (menorDaLinha > ALimite) return ALimite + 1;
        std::swap(anterior2, anterior);
        std::swap(anterior, atual);
    }
    return std::min(anterior[n], ALimite + 1);
}

}  // namespace quelb
