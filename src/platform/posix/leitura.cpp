#include "platform/leitura.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utf8proc.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "catalogue/texto.h"

namespace quelb::plataforma {

namespace {

std::u16string Motivo(int AErro) {
    switch (AErro) {
        case ENOENT: return u"arquivo não encontrado";
        case EACCES: return u"permissão negada";
        case EISDIR: return u"é um diretório";
        default: return DeUtf8(std::strerror(AErro));
    }
}

}  // namespace

bool TArquivoLeitura::Abrir(const std::u16string& ACaminho, std::u16string& ACausa) {
    Fechar();
    const std::string caminho = ParaUtf8(ACaminho);
    if (caminho.empty() || caminho.find('\0') != std::string::npos) {
        ACausa = Motivo(ENOENT);
        return false;
    }
    const int d = open(caminho.c_str(), O_RDONLY | O_CLOEXEC);
    if (d < 0) {
        ACausa = Motivo(errno);
        return false;
    }
    struct stat info {};
    if (fstat(d, &info) == 0 && S_ISDIR(info.st_mode)) {
        close(d);
        ACausa = Motivo(EISDIR);
        return false;
    }
    FDescritor = d;
    FProprio = true;
    FTamanho = fstat(d, &info) == 0 && S_ISREG(info.st_mode) ? static_cast<uint64_t>(info.st_size) : 0;
#ifdef POSIX_FADV_SEQUENTIAL
    posix_fadvise(d, 0, 0, POSIX_FADV_SEQUENTIAL);
#endif
    return true;
}

void TArquivoLeitura::AbrirEntradaPadrao() {
    Fechar();
    FDescritor = STDIN_FILENO;
    FProprio = false;
    struct stat info {};
    FTamanho = fstat(STDIN_FILENO, &info) == 0 && S_ISREG(info.st_mode) ? static_cast<uint64_t>(info.st_size) : 0;
}

size_t TArquivoLeitura::Ler(char* ADestino, size_t ATamanho) {
    if (FDescritor < 0) return 0;
    for (;;) {
        const ssize_t n = read(static_cast<int>(FDescritor), ADestino, ATamanho);
        if (n >= 0) return static_cast<size_t>(n);
        if (errno == EINTR) continue;
        FErro = Motivo(errno);
        return 0;
    }
}

void TArquivoLeitura::Fechar() noexcept {
    if (FDescritor >= 0 && FProprio) close(static_cast<int>(FDescritor));
    FDescritor = -1;
    FProprio = false;
}

void ComporNfc(std::u16string& ATexto) {
    if (JaComposto(ATexto)) return;
    // utf8proc works on UTF-8; a lone surrogate has no UTF-8 form, so such a
    // text is left as it is.
    for (size_t i = 0; i < ATexto.size(); ++i) {
        const char16_t c = ATexto[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < ATexto.size() && ATexto[i + 1] >= 0xDC00 && ATexto[i + 1] <= 0xDFFF)
            ++i;
        else if (c >= 0xD800 && c <= 0xDFFF)
            return;
    }
    const std::string utf8 = ParaUtf8(ATexto);
    utf8proc_uint8_t* composto = nullptr;
    const utf8proc_ssize_t n =
        utf8proc_map(reinterpret_cast<const utf8proc_uint8_t*>(utf8.data()), static_cast<utf8proc_ssize_t>(utf8.size()),
                     &composto, static_cast<utf8proc_option_t>(UTF8PROC_STABLE | UTF8PROC_COMPOSE));
    if (n >= 0 && composto != nullptr) ATexto = DeUtf8(std::string_view(reinterpret_cast<char*>(composto), static_cast<size_t>(n)));
    std::free(composto);
}

}  // namespace quelb::plataforma
