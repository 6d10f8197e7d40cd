#include "platform/memoria.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace quelb::plataforma {

namespace {

#if defined(__linux__)
// From this size on a block takes pages of its own; from the second size on,
// in whole large pages (a large page is resident as a whole, so smaller
// blocks keep small pages and use only what they touch).
constexpr size_t LimiteMapeado = size_t(64) << 10;
constexpr size_t LimitePaginasGrandes = size_t(16) << 20;
constexpr size_t Pagina = size_t(4) << 10;
constexpr size_t PaginaGrande = size_t(2) << 20;

void AconselharPaginasGrandes(char* ADados, size_t ATamanho) {
#if defined(MADV_HUGEPAGE)
    (void)madvise(ADados, ATamanho, MADV_HUGEPAGE);  // advice only
#else
    (void)ADados;
    (void)ATamanho;
#endif
}
#endif

}  // namespace

TBlocoMemoria::TBlocoMemoria(TBlocoMemoria&& AOutro) noexcept
    : FDados(std::exchange(AOutro.FDados, nullptr)),
      FCapacidade(std::exchange(AOutro.FCapacidade, 0)),
      FMapeado(std::exchange(AOutro.FMapeado, false)) {}

TBlocoMemoria& TBlocoMemoria::operator=(TBlocoMemoria&& AOutro) noexcept {
    if (this != &AOutro) {
        Liberar();
        FDados = std::exchange(AOutro.FDados, nullptr);
        FCapacidade = std::exchange(AOutro.FCapacidade, 0);
        FMapeado = std::exchange(AOutro.FMapeado, false);
    }
    return *this;
}

void TBlocoMemoria::Liberar() noexcept {
#if defined(__linux__)
    if (FMapeado) munmap(FDados, FCapacidade);
    else std::free(FDados);
#else
    std::free(FDados);
#endif
    FDados = nullptr;
    FCapacidade = 0;
    FMapeado = false;
}

void TBlocoMemoria::Crescer(size_t ACapacidade) {
    if (ACapacidade <= FCapacidade) return;
    size_t nova = FCapacidade * 2;
    if (nova < ACapacidade) nova = ACapacidade;
    if (nova < 256) nova = 256;
#if defined(__linux__)
    if (nova >= LimiteMapeado) {
        const size_t unidade = nova >= LimitePaginasGrandes ? PaginaGrande : Pagina;
        nova = (nova + unidade - 1) / unidade * unidade;
        void* p;
        if (FMapeado) {
            p = mremap(FDados, FCapacidade, nova, MREMAP_MAYMOVE);
        } else {
            p = mmap(nullptr, nova, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
            if (p != MAP_FAILED && FDados != nullptr) {
                std::memcpy(p, FDados, FCapacidade);
                std::free(FDados);
            }
        }
        if (p == MAP_FAILED) throw std::bad_alloc();
        FDados = static_cast<char*>(p);
        FCapacidade = nova;
        FMapeado = true;
        if (FCapacidade >= LimitePaginasGrandes) AconselharPaginasGrandes(FDados, FCapacidade);
        return;
    }
#endif
    void* p = std::realloc(FDados, nova);
    if (p == nullptr) throw std::bad_alloc();
    FDados = static_cast<char*>(p);
    FCapacidade = nova;
}

}  // namespace quelb::plataforma
