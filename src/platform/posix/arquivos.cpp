#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "catalogue/texto.h"
#include "platform/plataforma.h"

namespace quelb::plataforma {

char16_t DelimitadorCaminho() { return u'/'; }

bool DiretorioExiste(const std::u16string& ACaminho) {
    struct stat info;
    const std::string caminho = ParaUtf8(ACaminho);
    return !caminho.empty() && stat(caminho.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

namespace {

std::u16string DescricaoErro(int AErro) { return DeUtf8(std::strerror(AErro)); }

}  // namespace

TResultadoGravacao GravarArquivo(const std::u16string& ACaminho, std::string_view ABytes) {
    TResultadoGravacao r;
    const std::string caminho = ParaUtf8(ACaminho);
    const int fd = open(caminho.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) {
        r.Situacao = TResultadoGravacao::FalhaCriar;
        r.Causa = DescricaoErro(errno);
        return r;
    }
    size_t escrito = 0;
    while (escrito < ABytes.size()) {
        const ssize_t n = write(fd, ABytes.data() + escrito, ABytes.size() - escrito);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            r.Situacao = TResultadoGravacao::FalhaEscrita;
            break;
        }
        escrito += static_cast<size_t>(n);
    }
    if (close(fd) != 0 && r.Situacao == TResultadoGravacao::Gravado) r.Situacao = TResultadoGravacao::FalhaEscrita;
    return r;
}

}  // namespace quelb::plataforma
