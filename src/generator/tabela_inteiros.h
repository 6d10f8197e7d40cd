#pragma once
// A table keyed by 64-bit integers (hashes of lines, record codes), open
// addressed: one slot per entry, at most three quarters full, against some
// 40 bytes for a node of std::unordered_map. The check of a million-item
// catalogue keeps a few million entries.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace quelb {

template <class TValor>
class TTabelaInteiros {
public:
    // The value under AChave, putting AValor there when there is none; true
    // when it was put.
    std::pair<TValor&, bool> Inserir(uint64_t AChave, const TValor& AValor) {
        if (AChave == Vazio) {
            const bool novo = !FValorVazio;
            if (novo) FValorVazio = AValor;
            return {*FValorVazio, novo};
        }
        if ((FQuantos + 1) * 4 > FVagas.size() * 3) Crescer();
        TVaga& vaga = FVagas[Procurar(AChave)];
        if (vaga.Chave == AChave) return {vaga.Valor, false};
        vaga = {AChave, AValor};
        ++FQuantos;
        return {vaga.Valor, true};
    }
    bool Contem(uint64_t AChave) const {
        if (AChave == Vazio) return FValorVazio.has_value();
        return !FVagas.empty() && FVagas[Procurar(AChave)].Chave == AChave;
    }

private:
    // The key that marks a free slot; its value is kept apart.
    static constexpr uint64_t Vazio = 0;
    struct TVaga {
        uint64_t Chave;
        [[no_unique_address]] TValor Valor;
    };

    // The slot of AChave, or the free one where it would go.
    size_t Procurar(uint64_t AChave) const {
        const size_t mascara = FVagas.size() - 1;
        size_t i = static_cast<size_t>((AChave * 0x9E3779B97F4A7C15ull) >> 32) & mascara;
        while (FVagas[i].Chave != Vazio && FVagas[i].Chave != AChave) i = (i + 1) & mascara;
        return i;
    }
    void Crescer() {
        std::vector<TVaga> antigas(FVagas.empty() ? 64 : FVagas.size() * 2, TVaga{Vazio, TValor{}});
        antigas.swap(FVagas);
        for (const TVaga& v : antigas)
            if (v.Chave != Vazio) FVagas[Procurar(v.Chave)] = v;
    }

    std::vector<TVaga> FVagas;  // a power of two of them
    size_t FQuantos = 0;        // filled slots
    std::optional<TValor> FValorVazio;
};

// A set of 64-bit integers: the same table without values.
class TConjuntoInteiros {
public:
    // Adds AValor; false when it was there already.
    bool Inserir(uint64_t AValor) { return FTabela.Inserir(AValor, {}).second; }
    bool Contem(uint64_t AValor) const { return FTabela.Contem(AValor); }

private:
    struct TNada {};
    TTabelaInteiros<TNada> FTabela;
};

}  // namespace quelb
