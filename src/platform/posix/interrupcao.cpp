// SIGINT and SIGTERM: held back during a few steps, or turned into a call of
// the command's handler.
#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>

#include "platform/plataforma.h"

namespace quelb::plataforma {

namespace {

void (*Tratador)(int) = nullptr;

extern "C" void AoSinal(int ASinal) {
    if (Tratador != nullptr) Tratador(ASinal == SIGTERM ? 143 : 130);
}

}  // namespace

struct TAdiarInterrupcoes::TEstado {
    sigset_t Anterior;
};

TAdiarInterrupcoes::TAdiarInterrupcoes() : FEstado(new TEstado) {
    sigset_t bloqueados;
    sigemptyset(&bloqueados);
    for (const int s : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) sigaddset(&bloqueados, s);
    pthread_sigmask(SIG_BLOCK, &bloqueados, &FEstado->Anterior);
}

TAdiarInterrupcoes::~TAdiarInterrupcoes() { pthread_sigmask(SIG_SETMASK, &FEstado->Anterior, nullptr); }

void TratarInterrupcoes(void (*AAoInterromper)(int)) {
    Tratador = AAoInterromper;
    struct sigaction acao {};
    acao.sa_handler = AoSinal;
    sigemptyset(&acao.sa_mask);
    // The other one waits while the handler runs.
    sigaddset(&acao.sa_mask, SIGINT);
    sigaddset(&acao.sa_mask, SIGTERM);
    acao.sa_flags = SA_RESTART;
    sigaction(SIGINT, &acao, nullptr);
    sigaction(SIGTERM, &acao, nullptr);
}

void EncerrarAgora(std::string_view AMensagem, int ACodigo) noexcept {
    for (size_t escrito = 0; escrito < AMensagem.size();) {
        const ssize_t n = write(STDERR_FILENO, AMensagem.data() + escrito, AMensagem.size() - escrito);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        escrito += static_cast<size_t>(n);
    }
    _exit(ACodigo);
}

}  // namespace quelb::plataforma
