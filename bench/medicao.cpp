#include "bench/medicao.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace quelb::bench {

double Mediana(std::vector<double> AValores) {
    if (AValores.empty()) return 0;
    std::sort(AValores.begin(), AValores.end());
    const size_t m = AValores.size() / 2;
    return AValores.size() % 2 ? AValores[m] : (AValores[m - 1] + AValores[m]) / 2;
}

int64_t MemoriaProcesso(const char* ACampo) {
    std::FILE* f = std::fopen("/proc/self/status", "r");
    if (!f) return -1;
    char linha[256];
    const size_t n = std::strlen(ACampo);
    int64_t r = -1;
    while (std::fgets(linha, sizeof linha, f)) {
        if (std::strncmp(linha, ACampo, n) == 0 && linha[n] == ':') {
            long long kib = 0;
            if (std::sscanf(linha + n + 1, "%lld", &kib) == 1) r = kib * 1024;
            break;
        }
    }
    std::fclose(f);
    return r;
}

bool ZerarPicoMemoria() {
    const int fd = open("/proc/self/clear_refs", O_WRONLY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool ok = write(fd, "5", 1) == 1;
    close(fd);
    return ok;
}

void EsvaziarPasta(const std::string& APasta) {
    DIR* d = opendir(APasta.c_str());
    if (!d) return;
    while (const dirent* e = readdir(d)) {
        if (e->d_type == DT_DIR) continue;
        unlink((APasta + "/" + e->d_name).c_str());
    }
    closedir(d);
}

std::string LerArquivo(const std::string& ACaminho) {
    const int fd = open(ACaminho.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw std::runtime_error("não foi possível abrir " + ACaminho);
    std::string r;
    const off_t tamanho = lseek(fd, 0, SEEK_END);
    lseek(fd, 0, SEEK_SET);
    r.resize(static_cast<size_t>(tamanho));
    size_t lido = 0;
    while (lido < r.size()) {
        const ssize_t n = read(fd, r.data() + lido, r.size() - lido);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        lido += static_cast<size_t>(n);
    }
    close(fd);
    r.resize(lido);
    return r;
}

void GravarDeUmaVez(const std::string& ACaminho, std::string_view ABytes) {
    const int fd = open(ACaminho.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) throw std::runtime_error("não foi possível criar " + ACaminho + ": " + std::strerror(errno));
    size_t escrito = 0;
    while (escrito < ABytes.size()) {
        const ssize_t n = write(fd, ABytes.data() + escrito, ABytes.size() - escrito);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            close(fd);
            throw std::runtime_error("falha ao gravar " + ACaminho);
        }
        escrito += static_cast<size_t>(n);
    }
    close(fd);
}

}  // namespace quelb::bench
