#include "cli/interrupcao.h"

#include <atomic>
#include <cstring>

#include "platform/plataforma.h"

namespace quelb::cli {

namespace {

std::atomic<int> Codigo{0};
std::atomic<bool> Gerando{false};

static_assert(std::atomic<int>::is_always_lock_free && std::atomic<bool>::is_always_lock_free,
              "the flags are set from a signal handler");

// Runs in a signal handler (or, on Windows, on a thread of its own).
void AoInterromper(int ACodigo) {
    int nenhum = 0;
    Codigo.compare_exchange_strong(nenhum, ACodigo);
    // Nothing written yet: nothing to undo.
    if (!Gerando.load()) plataforma::EncerrarAgora(MensagemInterrupcao, ACodigo);
}

}  // namespace

void TratarInterrupcoes() { plataforma::TratarInterrupcoes(AoInterromper); }

void GeracaoIniciada() { Gerando.store(true); }

void VerificarInterrupcao() {
    if (Codigo.load() != 0) throw EInterrompido();
}

int CodigoInterrupcao() { return Codigo.load(); }

}  // namespace quelb::cli
