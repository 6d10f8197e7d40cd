// A lock between processes: flock on a file that stays in place. A lock
// held by a process that dies is released by the system.
#include <fcntl.h>
#include <sys/file.h>
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

void FecharTrava(intptr_t AAlca) noexcept { close(static_cast<int>(AAlca)); }

}  // namespace quelb::plataforma::sistema
