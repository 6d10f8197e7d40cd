#include <gtest/gtest.h>

#include <random>
#include <unordered_set>

#include "generator/conjunto_inteiros.h"

namespace quelb {
namespace {

// Against std::unordered_set, through several growths: values that repeat,
// 0 (the free-slot mark) and values that fall on the same slots.
TEST(ConjuntoInteiros, AgreesWithAStandardSet) {
    TConjuntoInteiros conjunto;
    std::unordered_set<uint64_t> esperado;
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
    }
    for (uint64_t v = 0; v < 6000; ++v) ASSERT_EQ(conjunto.Contem(v), esperado.count(v) == 1) << v;
    EXPECT_FALSE(TConjuntoInteiros().Contem(0));
    EXPECT_FALSE(TConjuntoInteiros().Contem(7));
}

}  // namespace
}  // namespace quelb
