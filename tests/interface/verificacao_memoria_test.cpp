// The exported VerificarItens keeps only the findings it shows: with many
// items that each give one, the memory it takes while it runs stays near
// what 1,000 findings need, however many there are. Measured by counting
// the bytes that operator new hands out in this test program.
#include <gtest/gtest.h>
#include <malloc.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <new>
#include <string>

#include "interface/exportadas.h"
#include "quelb/cargabal.h"

namespace {

std::atomic<bool> Medindo{false};
std::atomic<int64_t> Vivos{0}, Pico{0};

void Contar(void* p, int64_t sinal) {
    if (!p || !Medindo.load(std::memory_order_relaxed)) return;
    const int64_t agora = Vivos += sinal * static_cast<int64_t>(malloc_usable_size(p));
    int64_t pico = Pico.load();
    while (agora > pico && !Pico.compare_exchange_weak(pico, agora)) {
    }
}

}  // namespace

void* operator new(std::size_t n) {
    void* p = std::malloc(n ? n : 1);
    if (!p) throw std::bad_alloc();
    Contar(p, 1);
    return p;
}
void operator delete(void* p) noexcept {
    Contar(p, -1);
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept { operator delete(p); }
// The other forms, so that every allocation and its release go through the
// same pair (the sanitizers check that they match).
void* operator new(std::size_t n, const std::nothrow_t&) noexcept {
    void* p = std::malloc(n ? n : 1);
    Contar(p, 1);
    return p;
}
void* operator new[](std::size_t n) { return operator new(n); }
void* operator new[](std::size_t n, const std::nothrow_t&) noexcept { return operator new(n, std::nothrow); }
void operator delete(void* p, const std::nothrow_t&) noexcept { operator delete(p); }
void operator delete[](void* p) noexcept { operator delete(p); }
void operator delete[](void* p, std::size_t) noexcept { operator delete(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { operator delete(p); }

namespace quelb {
namespace {

TEST(VerificarItensMemoria, KeepsOnlyTheFindingsItShows) {
    constexpr int Itens = 30000;
    ASSERT_STREQ(Inicializar("modToledoMGV6"), "OK");
    ASSERT_STREQ(LimparItems(), "OK");
    // Seven-digit codes, cut to six different ones: one finding per item.
    for (int i = 0; i < Itens; ++i) {
        const std::string codigo = std::to_string(1000000 + 10 * i);
        ASSERT_STREQ(AdicionarItem("0", "tpvPeso", codigo.c_str(), "Produto", "", 0, "", "0", "", 1.0), "OK");
    }
    Vivos = 0;
    Pico = 0;
    Medindo = true;
    const std::string texto = ::VerificarItens();
    Medindo = false;
    EXPECT_EQ(std::count(texto.begin(), texto.end(), '\n'), 1000);
    EXPECT_NE(texto.find("... e mais 29000 achados."), std::string::npos) << texto.substr(texto.size() - 200);
    // All 30,000 findings took 8.5 MB at the peak; 1,000 and the check's
    // tables of 30,000 codes take far less.
    EXPECT_LT(Pico.load(), 4 * 1024 * 1024) << "bytes at the peak";
    ASSERT_STREQ(LimparItems(), "OK");
}

}  // namespace
}  // namespace quelb
