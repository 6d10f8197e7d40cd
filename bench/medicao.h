#pragma once
// Clock, median, memory of this process (Linux /proc) and plain file writes
// for the benchmark.
#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quelb::bench {

template <typename F>
double Segundos(F&& AFuncao) {
    const auto inicio = std::chrono::steady_clock::now();
    AFuncao();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio).count();
}

double Mediana(std::vector<double> AValores);

// A field of /proc/self/status in bytes ("VmRSS", "VmHWM"); -1 when missing.
int64_t MemoriaProcesso(const char* ACampo);
// Resets the peak resident size (VmHWM) to the current one; false when the
// system does not allow it.
bool ZerarPicoMemoria();

// Removes every file of the folder (not sub-folders).
void EsvaziarPasta(const std::string& APasta);
std::string LerArquivo(const std::string& ACaminho);
// Creates or truncates the file and writes ABytes with one write call (more
// only if the system writes less); throws on failure.
void GravarDeUmaVez(const std::string& ACaminho, std::string_view ABytes);

}  // namespace quelb::bench
