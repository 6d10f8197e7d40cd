// The wait for a lock between processes, the same on every system.
#include <chrono>
#include <thread>

#include "platform/trava_sistema.h"

namespace quelb::plataforma {

TTrava::TSituacao TTrava::Travar(const std::u16string& ACaminho, int64_t AEsperaMs) {
    Liberar();
    const intptr_t alca = sistema::AbrirTrava(ACaminho);
    if (alca == -1) return SemTrava;
    const auto limite = std::chrono::steady_clock::now() + std::chrono::milliseconds(AEsperaMs);
    for (;;) {
        const TSituacao s = sistema::TentarTravar(alca);
        if (s == Travada) {
            FAlca = alca;
            return s;
        }
        if (s == SemTrava || std::chrono::steady_clock::now() >= limite) {
            sistema::FecharTrava(alca);
            return s;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

void TTrava::Liberar() noexcept {
    if (FAlca == -1) return;
    sistema::FecharTrava(FAlca);
    FAlca = -1;
}

}  // namespace quelb::plataforma
