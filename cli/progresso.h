#pragma once
// A one-line progress bar on a terminal, fed by the generator's progress
// events: items done of the total, rate and time left.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>

#include "catalogue/texto.h"

namespace quelb::cli {

class TBarraProgresso {
public:
    explicit TBarraProgresso(std::FILE* ADestino) : FDestino(ADestino) {}
    ~TBarraProgresso() { Encerrar(); }

    // True when the stream is a terminal (a bar makes sense there only).
    static bool Terminal(std::FILE* AFluxo);

    // One progress event of the generator. Redraws at most a few times a
    // second; the event "Terminado" erases the bar.
    void Evento(const Texto& AMensagem, int32_t AAtual, int32_t ATotal);
    // A line of text in place of the bar ("lendo o catálogo...").
    void Mostrar(const std::string& ATexto);
    // Erases the bar, if shown.
    void Encerrar();

private:
    using TRelogio = std::chrono::steady_clock;
    void Desenhar(int64_t AFeitos, int64_t ATotal, TRelogio::time_point AAgora);

    std::FILE* FDestino;
    bool FVisivel = false;
    bool FIniciado = false;
    TRelogio::time_point FInicio{};
    TRelogio::time_point FUltimoDesenho{};
};

}  // namespace quelb::cli
