#pragma once
// A set of 64-bit integers (hashes of lines, record codes) in one open-addressed
// table: 8 bytes a slot, at most three quarters full, against some 40 for a
// node of std::unordered_set. The check of a million-item catalogue keeps
// a few million of them.
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace quelb {

class TConjuntoInteiros {
public:
    // Adds AValor; false when it was there already.
    bool Inserir(uint64_t AValor) {
        if (AValor == Vazio) return !std::exchange(FTemVazio, true);
        if ((FQuantos + 1) * 4 > FVagas.size() * 3) Crescer();
        uint64_t& vaga = Procurar(AValor);
        if (vaga == AValor) return false;
        vaga = AValor;
        ++FQuantos;
        return true;
    }
    bool Contem(uint64_t AValor) const {
        if (AValor == Vazio) return FTemVazio;
        if (FVagas.empty()) return false;
        return const_cast<TConjuntoInteiros*>(this)->Procurar(AValor) == AValor;
    }

private:
    // The value that marks a free slot; kept apart when it is in the set.
    static constexpr uint64_t Vazio = 0;

    // The slot of AValor, or the free one where it would go.
    uint64_t& Procurar(uint64_t AValor) {
        const size_t mascara = FVagas.size() - 1;
        size_t i = static_cast<size_t>((AValor * 0x9E3779B97F4A7C15ull) >> 32) & mascara;
        while (FVagas[i] != Vazio && FVagas[i] != AValor) i = (i + 1) & mascara;
        return FVagas[i];
    }
    void Crescer() {
        std::vector<uint64_t> antigas(FVagas.empty() ? 64 : FVagas.size() * 2, Vazio);
        antigas.swap(FVagas);
        for (const uint64_t v : antigas)
            if (v != Vazio) Procurar(v) = v;
    }

    std::vector<uint64_t> FVagas;  // a power of two of them
    size_t FQuantos = 0;           // filled slots
    bool FTemVazio = false;
};

}  // namespace quelb
