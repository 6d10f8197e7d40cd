// Saving a file so that its name never points at a half-written file: the
// bytes go to a new file beside the target, are flushed to disk, and the new
// file is then renamed over the target in one step. Until that rename the old
// file is untouched; after any failure the temporary file is removed.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>

#include "catalogue/texto.h"
#include "platform/plataforma.h"

namespace quelb::plataforma {

namespace {

using TSituacao = TResultadoGravacao::TSituacao;

TResultadoGravacao Falha(TSituacao ASituacao, int AErro) {
    TResultadoGravacao r;
    r.Situacao = ASituacao;
    r.Causa = DeUtf8(std::strerror(AErro));
    return r;
}

// Closes the descriptor and removes the temporary file unless it was moved
// into place.
class TArquivoTemporario {
public:
    TArquivoTemporario() = default;
    TArquivoTemporario(const TArquivoTemporario&) = delete;
    TArquivoTemporario& operator=(const TArquivoTemporario&) = delete;
    ~TArquivoTemporario() {
        if (Descritor >= 0) close(Descritor);
        if (!Caminho.empty()) unlink(Caminho.c_str());
    }
    // Closes the descriptor; false when the close reports an error.
    bool Fechar() {
        const int fd = Descritor;
        Descritor = -1;
        // After EINTR Linux has closed the descriptor; the data was already
        // flushed by fsync.
        return close(fd) == 0 || errno == EINTR;
    }

    int Descritor = -1;
    std::string Caminho;
};

// The folder part of a path, with its final "/" ("" for a bare name).
std::string Pasta(const std::string& ACaminho) {
    const size_t barra = ACaminho.rfind('/');
    return barra == std::string::npos ? std::string() : ACaminho.substr(0, barra + 1);
}

// When the final name is a symbolic link, the file it points at is the one
// to replace: renaming over the link would turn it into a plain file.
std::string SeguirLinks(std::string ACaminho) {
    for (int nivel = 0; nivel < 40; ++nivel) {
        struct stat info;
        if (lstat(ACaminho.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return ACaminho;
        std::string alvo(static_cast<size_t>(info.st_size > 0 ? info.st_size : 255) + 1, '\0');
        const ssize_t n = readlink(ACaminho.c_str(), alvo.data(), alvo.size());
        if (n <= 0 || static_cast<size_t>(n) >= alvo.size()) return ACaminho;
        alvo.resize(static_cast<size_t>(n));
        ACaminho = alvo.front() == '/' ? alvo : Pasta(ACaminho) + alvo;
    }
    return ACaminho;  // a loop of links: opening it reports the loop
}

uint64_t NumeroAleatorio() {
    static std::atomic<uint64_t> contador{0};
    static const uint64_t semente = [] {
        std::random_device dispositivo;
        return (static_cast<uint64_t>(dispositivo()) << 32) ^ dispositivo();
    }();
    // Distinct within the process, hard to guess across processes.
    uint64_t x = semente + 0x9E3779B97F4A7C15ull * (++contador) + static_cast<uint64_t>(getpid());
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

// A hidden name beside the target: ".CADTXT.TXT.3f9a0c1b2d4e5f60.tmp".
std::string NomeTemporario(const std::string& APasta, const std::string& ANome) {
    static const char digitos[] = "0123456789abcdef";
    std::string nome = APasta + "." + ANome.substr(0, 200) + ".";
    for (uint64_t v = NumeroAleatorio(), i = 0; i < 16; ++i, v >>= 4) nome += digitos[v & 0xF];
    return nome + ".tmp";
}

// An existing target is only replaced when it could be written in place: a
// directory, a file without any write permission bit (root ignores those
// bits, the user's intent does not), an immutable file or a read-only mount
// all stop the save before anything is written.
int VerificarDestino(const std::string& ACaminho, const struct stat& AInfo) {
    if (S_ISDIR(AInfo.st_mode)) return EISDIR;
    if (S_ISREG(AInfo.st_mode) && (AInfo.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return EACCES;
    const int fd = open(ACaminho.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return errno;
    close(fd);
    return 0;
}

// Writes every byte, resuming after interruptions and short writes.
bool EscreverTudo(int ADescritor, std::string_view ABytes) {
    size_t escrito = 0;
    while (escrito < ABytes.size()) {
        const ssize_t n = write(ADescritor, ABytes.data() + escrito, ABytes.size() - escrito);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        escrito += static_cast<size_t>(n);
    }
    return true;
}

// Makes the rename durable; returns 0 or the error. A file system that
// cannot sync a directory (EINVAL) is taken at its word.
int SincronizarPasta(const std::string& APasta) {
    const int fd = open(APasta.empty() ? "." : APasta.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return 0;  // not readable: nothing to sync through
    const int erro = fsync(fd) == 0 || errno == EINVAL ? 0 : errno;
    close(fd);
    return erro;
}

}  // namespace

TResultadoGravacao GravarArquivo(const std::u16string& ACaminho, std::string_view ABytes) {
    if (ACaminho.find(u'\0') != std::u16string::npos) return Falha(TResultadoGravacao::FalhaCriar, EINVAL);
    const std::string destino = SeguirLinks(ParaUtf8(ACaminho));
    const std::string pasta = Pasta(destino);
    const std::string nome = destino.substr(pasta.size());
    if (nome.empty()) return Falha(TResultadoGravacao::FalhaCriar, EISDIR);

    struct stat anterior;
    const bool existe = stat(destino.c_str(), &anterior) == 0;
    if (!existe && errno != ENOENT) return Falha(TResultadoGravacao::FalhaCriar, errno);
    if (existe)
        if (const int erro = VerificarDestino(destino, anterior)) return Falha(TResultadoGravacao::FalhaCriar, erro);

    TArquivoTemporario temporario;
    for (int tentativa = 0; temporario.Descritor < 0; ++tentativa) {
        std::string caminho = NomeTemporario(pasta, nome);
        // A replacement starts private and takes the old file's permissions
        // below; a new file gets the usual 0666 less the umask.
        temporario.Descritor = open(caminho.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                                    existe ? 0600 : 0666);
        if (temporario.Descritor >= 0) {
            temporario.Caminho = std::move(caminho);
        } else if (errno != EEXIST || tentativa == 100) {
            return Falha(TResultadoGravacao::FalhaCriar, errno);
        }
    }

    if (!EscreverTudo(temporario.Descritor, ABytes)) return Falha(TResultadoGravacao::FalhaEscrita, errno);
    if (existe) {
        // Best effort: only root may give the file to another owner.
        if ((anterior.st_uid != geteuid() || anterior.st_gid != getegid()) &&
            fchown(temporario.Descritor, anterior.st_uid, anterior.st_gid) != 0) {
            // keeps the caller as owner
        }
        if (fchmod(temporario.Descritor, anterior.st_mode & 0777) != 0) {
            // keeps 0600
        }
    }
    if (fsync(temporario.Descritor) != 0 && errno != EINVAL) return Falha(TResultadoGravacao::FalhaEscrita, errno);
    if (!temporario.Fechar()) return Falha(TResultadoGravacao::FalhaEscrita, errno);

    if (rename(temporario.Caminho.c_str(), destino.c_str()) != 0) return Falha(TResultadoGravacao::FalhaCriar, errno);
    temporario.Caminho.clear();  // it is the target now

    // The new file is in place; if the rename cannot be made durable the
    // caller still hears of it.
    if (const int erro = SincronizarPasta(pasta)) return Falha(TResultadoGravacao::FalhaEscrita, erro);
    return {};
}

}  // namespace quelb::plataforma
