#include <gtest/gtest.h>

#include <random>
#include <unordered_map>
#include <unordered_set>

#include "generator/tabela_inteiros.h"

namespace quelb {
namespace {

// Against std::unordered_set and std::unordered_map, through several
// growths: keys that repeat, 0 (the free-slot mark) and keys that fall on the
// same slots.
TEST(TabelaInteiros, AgreesWithTheStandardContainers) {
    TConjuntoInteiros conjunto;
    std::unordered_set<uint64_t> esperado;
    TTabelaInteiros<int32_t> tabela;
    std::unordered_map<uint64_t, int32_t> esperada;
    std::mt19937_64 sorteio(5);
    for (int i = 0; i < 200000; ++i) {
        uint64_t v;
        switch (i % 4) {
            case 0: v = sorteio() % 5000; break;  // repeats, 0 among them
            case 1: v = sorteio(); break;
            case 2: v = (sorteio() % 1000) << 40; break;  // differ only in high bits
            default: v = UINT64_MAX - sorteio() % 100; break;
        }
        ASSERT_EQ(conjunto.Inserir(v), esperado.insert(v).second) << i;
        // The first value put under a key stays.
        const auto [valor, novo] = tabela.Inserir(v, i);
        const auto [it, novoEsperado] = esperada.try_emplace(v, i);
        ASSERT_EQ(novo, novoEsperado) << i;
        ASSERT_EQ(valor, it->second) << i;
    }
    for (uint64_t v = 0; v < 6000; ++v) {
        ASSERT_EQ(conjunto.Contem(v), esperado.count(v) == 1) << v;
        ASSERT_EQ(tabela.Contem(v), esperada.count(v) == 1) << v;
    }
    EXPECT_FALSE(TConjuntoInteiros().Contem(0));
    EXPECT_FALSE(TConjuntoInteiros().Contem(7));
}

}  // namespace
}  // namespace quelb
