// A lock between processes: flock on a file in the folder, removed by its
// holder at the end. A lock held by a process that dies is released by the
// system (its file stays, and the next holder removes it).
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "catalogue/texto.h"
#include "platform/trava_sistema.h"

namespace quelb::plataforma::sistema {

intptr_t AbrirTrava(const std::u16string& ACaminho) {
    const std::string caminho = ParaUtf8(ACaminho);
    if (caminho.empty() || caminho.find('\0') != std::string::npos) return -1;
    // Read-only is enough for flock, and lets a file that another user
    // created serve as well. A link is not followed.
    return open(caminho.c_str(), O_RDONLY | O_CREAT | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC, 0666);
}

TTrava::TSituacao TentarTravar(intptr_t AAlca) {
    for (;;) {
        if (flock(static_cast<int>(AAlca), LOCK_EX | LOCK_NB) == 0) return TTrava::Travada;
        if (errno == EWOULDBLOCK) return TTrava::Ocupada;
        // ENOLCK, EOPNOTSUPP...: a file system without locks.
        if (errno != EINTR) return TTrava::SemTrava;
    }
}

bool MesmoArquivo(intptr_t AAlca, const std::u16string& ACaminho) {
    struct stat aberto {}, noCaminho {};
    if (fstat(static_cast<int>(AAlca), &aberto) != 0 || aberto.st_nlink == 0) return false;
    if (lstat(ParaUtf8(ACaminho).c_str(), &noCaminho) != 0) return false;
    return aberto.st_dev == noCaminho.st_dev && aberto.st_ino == noCaminho.st_ino;
}

void RemoverTrava(intptr_t, const std::u16string& ACaminho) noexcept {
    try {
        unlink(ParaUtf8(ACaminho).c_str());
    } catch (...) {
        // No memory for the name: the file stays, which is harmless.
    }
}

void FecharTrava(intptr_t AAlca) noexcept { close(static_cast<int>(AAlca)); }

}  // namespace quelb::plataforma::sistema
