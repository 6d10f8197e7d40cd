#include "falhas/mecanismos.h"

#include <fcntl.h>
#include <grp.h>
#include <linux/fs.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace quelb::teste {

namespace {

std::string Erro(const char* AOQue) { return std::string(AOQue) + ": " + std::strerror(errno); }

// Once per process: a private mount namespace. Without one (no permission
// for unshare) mounts are still undone by the destructors.
void NamespacePrivado() {
    static const bool feito = [] {
        if (unshare(CLONE_NEWNS) != 0) return false;
        return mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    }();
    (void)feito;
}

}  // namespace

TMontagem::~TMontagem() {
    if (!FPasta.empty()) umount2(FPasta.c_str(), MNT_DETACH);
}

std::string TMontagem::Tmpfs(const std::filesystem::path& APasta, size_t ABytes) {
    NamespacePrivado();
    const std::string opcoes = "size=" + std::to_string(ABytes) + ",mode=0755";
    if (mount("quelb_teste", APasta.c_str(), "tmpfs", 0, opcoes.c_str()) != 0) return Erro("mount tmpfs");
    FPasta = APasta;
    return {};
}

std::string TMontagem::SomenteLeitura(const std::filesystem::path& APasta) {
    NamespacePrivado();
    if (mount(APasta.c_str(), APasta.c_str(), nullptr, MS_BIND, nullptr) != 0) return Erro("mount --bind");
    FPasta = APasta;
    if (mount(nullptr, APasta.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0)
        return Erro("mount -o remount,bind,ro");
    return {};
}

std::string DefinirAtributo(const std::filesystem::path& AArquivo, int AAtributo, bool ALigado) {
    const int fd = open(AArquivo.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return Erro("open");
    int atributos = 0;
    std::string erro;
    if (ioctl(fd, FS_IOC_GETFLAGS, &atributos) != 0) {
        erro = Erro("FS_IOC_GETFLAGS");
    } else {
        atributos = ALigado ? (atributos | AAtributo) : (atributos & ~AAtributo);
        if (ioctl(fd, FS_IOC_SETFLAGS, &atributos) != 0) erro = Erro("FS_IOC_SETFLAGS");
    }
    close(fd);
    return erro;
}

void Encher(const std::filesystem::path& AArquivo, size_t ABytesLivres) {
    struct statvfs info;
    if (statvfs(AArquivo.parent_path().c_str(), &info) != 0) return;
    const size_t livres = static_cast<size_t>(info.f_bavail) * info.f_frsize;
    if (livres <= ABytesLivres) return;
    const int fd = open(AArquivo.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return;
    const std::string bloco(info.f_frsize, 'x');
    for (size_t falta = livres - ABytesLivres; falta > 0;) {
        const ssize_t n = write(fd, bloco.data(), std::min(falta, bloco.size()));
        if (n <= 0) break;
        falta -= static_cast<size_t>(n);
    }
    close(fd);
}

std::string TrocaDeUsuarioDisponivel() {
    if (geteuid() != 0) return "switching users needs root";
    return {};
}

std::optional<std::string> ComoUsuario(uid_t AUsuario, const std::function<std::string()>& AFuncao) {
    int canal[2];
    if (pipe2(canal, O_CLOEXEC) != 0) return std::nullopt;
    const pid_t filho = fork();
    if (filho < 0) return std::nullopt;
    if (filho == 0) {
        close(canal[0]);
        int codigo = 1;
        if (setgroups(0, nullptr) == 0 && setgid(AUsuario) == 0 && setuid(AUsuario) == 0) {
            const std::string r = AFuncao();
            codigo = write(canal[1], r.data(), r.size()) == static_cast<ssize_t>(r.size()) ? 0 : 1;
        }
        _exit(codigo);  // no exit handlers: the parent owns the test's state
    }
    close(canal[1]);
    std::string r;
    char bloco[4096];
    for (ssize_t n; (n = read(canal[0], bloco, sizeof bloco)) != 0;) {
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) break;
        r.append(bloco, static_cast<size_t>(n));
    }
    close(canal[0]);
    int situacao = 0;
    while (waitpid(filho, &situacao, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(situacao) || WEXITSTATUS(situacao) != 0) return std::nullopt;
    return r;
}

}  // namespace quelb::teste
