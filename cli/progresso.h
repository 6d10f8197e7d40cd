#pragma once
// A one-line progress bar on a terminal: first the reading of the catalogue
// (bytes read of the file's size, rate, time left), then the generation
// (items done of the total). The line always has the same width and is
// redrawn with a carriage return only, so no terminal escape code is ever
// written (a "dumb" terminal shows it as well).
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>

#include "catalogue/texto.h"

namespace quelb::cli {

class TBarraProgresso {
public:
    explicit TBarraProgresso(std::FILE* ADestino);
    ~TBarraProgresso() { Encerrar(); }

    // True when the stream is a terminal (a bar makes sense there only).
    static bool Terminal(std::FILE* AFluxo);

    // Bytes of the catalogue read so far, of ATotal (0 when unknown).
    void Leitura(uint64_t ALidos, uint64_t ATotal);
    // One progress event of the generator. The event "Terminado" erases the
    // bar.
    void Evento(const Texto& AMensagem, int32_t AAtual, int32_t ATotal);
    // Erases the bar, if shown.
    void Encerrar();

private:
    using TRelogio = std::chrono::steady_clock;
    // Redraws when the last drawing is old enough, or always with AForcar.
    bool HoraDeDesenhar(bool AForcar);
    void Desenhar(const std::string& ARotulo, double AFracao, const std::string& AInfo);

    std::FILE* FDestino;
    size_t FLargura;
    bool FVisivel = false;
    TRelogio::time_point FInicioFase{};
    bool FFaseGeracao = false;
    bool FIniciada = false;
    TRelogio::time_point FUltimoDesenho{};
};

// "548 MB", "1,2 kB", "17 bytes": a size for people.
std::string TamanhoLegivel(uint64_t ABytes);

}  // namespace quelb::cli
