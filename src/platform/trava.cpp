// The wait for a lock between processes, the same on every system.
#include <chrono>
#include <thread>

#include "platform/trava_sistema.h"

namespace quelb::plataforma {

TTrava::TSituacao TTrava::Travar(const std::u16string& ACaminho, int64_t AEsperaMs) {
    Liberar();
    const auto limite = std::chrono::steady_clock::now() + std::chrono::milliseconds(AEsperaMs);
    const auto pausa = [] { std::this_thread::sleep_for(std::chrono::milliseconds(20)); };
    // Each holder removes the file when it is done; a waiter may then lock a
    // file that is no longer at the path, and takes the lock again. Past the
    // wait, a file replaced again and again counts as busy rather than
    // keeping the caller forever (after a few quick retries, so that a wait
    // of 0 still gets past one holder's removal).
    int trocas = 0;
    for (bool retomada = false;; retomada = true) {
        const intptr_t alca = sistema::AbrirTrava(ACaminho);
        if (alca == -1) {
            // A file being removed may refuse to open for a moment (Windows).
            if (!retomada) return SemTrava;
            if (std::chrono::steady_clock::now() >= limite) return Ocupada;
            pausa();
            continue;
        }
        TSituacao s;
        while ((s = sistema::TentarTravar(alca)) == Ocupada && std::chrono::steady_clock::now() < limite) pausa();
        if (s == Travada && sistema::MesmoArquivo(alca, ACaminho)) {
            FAlca = alca;
            FCaminho = ACaminho;
            return s;
        }
        sistema::FecharTrava(alca);
        if (s != Travada) return s;
        if (++trocas > 3 && std::chrono::steady_clock::now() >= limite) return Ocupada;
    }
}

void TTrava::Liberar() noexcept {
    if (FAlca == -1) return;
    // Removed while still locked: no one takes a lock on it in between.
    sistema::RemoverTrava(FAlca, FCaminho);
    sistema::FecharTrava(FAlca);
    FAlca = -1;
}

}  // namespace quelb::plataforma
