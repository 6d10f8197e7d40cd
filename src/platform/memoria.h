#pragma once
// A growable block of raw memory for the large buffers of a generation (the
// bytes of each load file). Where the system allows it, a large block grows
// by moving its pages instead of copying them, so that old and new never
// take memory at the same time, and it is backed by large pages, which cost
// far fewer page faults to fill.
#include <cstddef>

namespace quelb::plataforma {

class TBlocoMemoria {
public:
    TBlocoMemoria() = default;
    ~TBlocoMemoria() { Liberar(); }
    TBlocoMemoria(TBlocoMemoria&& AOutro) noexcept;
    TBlocoMemoria& operator=(TBlocoMemoria&& AOutro) noexcept;
    TBlocoMemoria(const TBlocoMemoria&) = delete;
    TBlocoMemoria& operator=(const TBlocoMemoria&) = delete;

    char* Dados() const { return FDados; }
    size_t Capacidade() const { return FCapacidade; }

    // Makes room for at least ACapacidade bytes, keeping the contents; the
    // capacity at least doubles, so appending stays linear. Throws
    // std::bad_alloc.
    void Crescer(size_t ACapacidade);
    void Liberar() noexcept;

private:
    char* FDados = nullptr;
    size_t FCapacidade = 0;
    bool FMapeado = false;  // pages of the system, not of the C heap
};

}  // namespace quelb::plataforma
