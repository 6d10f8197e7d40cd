// Saving a file so that its name never points at a half-written file: the
// bytes go to a new file beside the target in pieces as they are made, are
// flushed to disk, and the new file is then renamed over the target in one
// step. Until that rename the old file is untouched; after any failure the
// temporary file is removed.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <unordered_set>

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

// Makes a rename durable; returns 0 or the error. A file system that cannot
// sync a directory (EINVAL) is taken at its word.
int SincronizarDiretorio(const std::string& APasta) {
    const int fd = open(APasta.empty() ? "." : APasta.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return 0;  // not readable: nothing to sync through
    const int erro = fsync(fd) == 0 || errno == EINVAL ? 0 : errno;
    close(fd);
    return erro;
}

// The state of the target when the file is put in place: an existing one
// must be writable in place and gives its owner and permissions.
struct TDestino {
    bool Existe = false;
    struct stat Anterior {};
};

int ExaminarDestino(const std::string& ADestino, TDestino& AInfo) {
    AInfo.Existe = stat(ADestino.c_str(), &AInfo.Anterior) == 0;
    if (!AInfo.Existe) return errno == ENOENT ? 0 : errno;
    return VerificarDestino(ADestino, AInfo.Anterior);
}

}  // namespace

struct TGravacaoEmPartes::TArquivo {
    int Descritor = -1;
    int Erro = 0;             // the first write error
    std::string Temporario;   // removed unless it was renamed into place
    std::string Destino;      // the system's form of the paths

    ~TArquivo() {
        if (Descritor >= 0) close(Descritor);
        if (!Temporario.empty()) unlink(Temporario.c_str());
    }
};

void TGravacaoEmPartes::TFechar::operator()(TArquivo* AArquivo) const noexcept { delete AArquivo; }

TResultadoGravacao TGravacaoEmPartes::Iniciar(const std::u16string& ACaminho) {
    Descartar();
    if (ACaminho.find(u'\0') != std::u16string::npos) return Falha(TResultadoGravacao::FalhaCriar, EINVAL);
    std::string destino = SeguirLinks(ParaUtf8(ACaminho));
    const std::string pasta = Pasta(destino);
    const std::string nome = destino.substr(pasta.size());
    if (nome.empty()) return Falha(TResultadoGravacao::FalhaCriar, EISDIR);

    TDestino info;
    if (const int erro = ExaminarDestino(destino, info)) return Falha(TResultadoGravacao::FalhaCriar, erro);

    std::unique_ptr<TArquivo, TFechar> arquivo(new TArquivo);
    for (int tentativa = 0; arquivo->Descritor < 0; ++tentativa) {
        std::string caminho = NomeTemporario(pasta, nome);
        // A replacement starts private and takes the old file's permissions
        // when it is put in place; a new file gets the usual 0666 less the
        // umask.
        arquivo->Descritor = open(caminho.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                                  info.Existe ? 0600 : 0666);
        if (arquivo->Descritor >= 0) {
            arquivo->Temporario = std::move(caminho);
        } else if (errno != EEXIST || tentativa == 100) {
            return Falha(TResultadoGravacao::FalhaCriar, errno);
        }
    }
    arquivo->Destino = std::move(destino);
    FArquivo = std::move(arquivo);
    return {};
}

bool TGravacaoEmPartes::Escrever(std::string_view ABytes) {
    if (!FArquivo) return false;
    if (FArquivo->Erro == 0 && !EscreverTudo(FArquivo->Descritor, ABytes)) FArquivo->Erro = errno != 0 ? errno : EIO;
    return FArquivo->Erro == 0;
}

bool TGravacaoEmPartes::Ler(uint64_t AInicio, char* ADestino, size_t ATamanho) const {
    if (!FArquivo) return false;
    size_t lido = 0;
    while (lido < ATamanho) {
        const ssize_t n =
            pread(FArquivo->Descritor, ADestino + lido, ATamanho - lido, static_cast<off_t>(AInicio + lido));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        lido += static_cast<size_t>(n);
    }
    return true;
}

TResultadoGravacao TGravacaoEmPartes::Preparar() {
    if (!FArquivo || FArquivo->Descritor < 0) {
        Descartar();
        return Falha(TResultadoGravacao::FalhaEscrita, EBADF);
    }
    // On a failure below the temporary file goes with the object.
    std::unique_ptr<TArquivo, TFechar> arquivo = std::move(FArquivo);
    if (arquivo->Erro != 0) return Falha(TResultadoGravacao::FalhaEscrita, arquivo->Erro);
    // The target is looked at again: it may have come or changed while the
    // pieces were written.
    TDestino info;
    if (const int erro = ExaminarDestino(arquivo->Destino, info)) return Falha(TResultadoGravacao::FalhaCriar, erro);
    if (info.Existe) {
        const struct stat& anterior = info.Anterior;
        // Best effort: only root may give the file to another owner.
        if ((anterior.st_uid != geteuid() || anterior.st_gid != getegid()) &&
            fchown(arquivo->Descritor, anterior.st_uid, anterior.st_gid) != 0) {
            // keeps the caller as owner
        }
        if (fchmod(arquivo->Descritor, anterior.st_mode & 0777) != 0) {
            // keeps what it was created with
        }
    }
    if (fsync(arquivo->Descritor) != 0 && errno != EINVAL) return Falha(TResultadoGravacao::FalhaEscrita, errno);
    const int fd = arquivo->Descritor;
    arquivo->Descritor = -1;
    // After EINTR Linux has closed the descriptor; the data was already
    // flushed by fsync.
    if (close(fd) != 0 && errno != EINTR) return Falha(TResultadoGravacao::FalhaEscrita, errno);
    FArquivo = std::move(arquivo);
    return {};
}

TResultadoGravacao TGravacaoEmPartes::Colocar() {
    if (!FArquivo || FArquivo->Descritor >= 0 || FArquivo->Temporario.empty()) {
        Descartar();
        return Falha(TResultadoGravacao::FalhaCriar, EBADF);
    }
    if (rename(FArquivo->Temporario.c_str(), FArquivo->Destino.c_str()) != 0) {
        const int erro = errno;
        Descartar();
        return Falha(TResultadoGravacao::FalhaCriar, erro);
    }
    FArquivo->Temporario.clear();  // it is the target now
    return {};
}

TResultadoGravacao TGravacaoEmPartes::SincronizarPasta() {
    if (!FArquivo) return Falha(TResultadoGravacao::FalhaEscrita, EBADF);
    if (const int erro = SincronizarDiretorio(Pasta(FArquivo->Destino)))
        return Falha(TResultadoGravacao::FalhaEscrita, erro);
    return {};
}

namespace {

bool Hexadecimal(std::string_view ATexto) {
    for (const char c : ATexto)
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
    return true;
}

// The target name of a temporary file name (see NomeTemporario), or empty.
std::string_view AlvoDoTemporario(std::string_view ANome) {
    constexpr size_t Sufixo = 1 + 16 + 4;  // ".3f9a0c1b2d4e5f60.tmp"
    if (ANome.size() <= 1 + Sufixo || ANome[0] != '.' || !ANome.ends_with(".tmp")) return {};
    const size_t ponto = ANome.size() - Sufixo;
    if (ANome[ponto] != '.' || !Hexadecimal(ANome.substr(ponto + 1, 16))) return {};
    return ANome.substr(1, ponto - 1);
}

}  // namespace

size_t RemoverTemporariosAbandonados(const std::u16string& APasta, std::span<const std::u16string_view> ANomes) {
    std::unordered_set<std::string> nomes;
    for (const std::u16string_view n : ANomes) nomes.insert(ParaUtf8(std::u16string(n)).substr(0, 200));
    const std::string caminho = ParaUtf8(APasta);
    if (caminho.find('\0') != std::string::npos) return 0;
    const int fd = open(caminho.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return 0;
    DIR* pasta = fdopendir(fd);
    if (pasta == nullptr) {
        close(fd);
        return 0;
    }
    size_t removidos = 0;
    while (const dirent* e = readdir(pasta)) {
        const std::string_view alvo = AlvoDoTemporario(e->d_name);
        if (alvo.empty() || !nomes.contains(std::string(alvo))) continue;
        struct stat info;
        // Plain files only: the temporary files are never links or folders.
        if (fstatat(fd, e->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(info.st_mode) &&
            unlinkat(fd, e->d_name, 0) == 0)
            ++removidos;
    }
    closedir(pasta);  // closes fd as well
    return removidos;
}

}  // namespace quelb::plataforma
