#pragma once
// Runs the built cargabal command as a user would: a separate process with
// its own standard input, output and error.
#include <string>
#include <vector>

namespace quelb::teste {

struct TResultadoProcesso {
    int Saida = -1;  // exit status; -1 when killed by a signal
    int Sinal = 0;   // the signal that killed it
    std::string SaidaPadrao;
    std::string Erros;
};

// Runs the command with AArgs, feeding AEntrada on standard input; output
// and error go to files, so neither is a terminal.
TResultadoProcesso ExecutarCargabal(const std::vector<std::string>& AArgs, const std::string& AEntrada = "");

// The same, started in the background: Esperar gives the result. Dropping
// it kills the command if it still runs.
class TCargabalEmExecucao {
public:
    explicit TCargabalEmExecucao(const std::vector<std::string>& AArgs, const std::string& AEntrada = "");
    ~TCargabalEmExecucao();
    TCargabalEmExecucao(const TCargabalEmExecucao&) = delete;
    TCargabalEmExecucao& operator=(const TCargabalEmExecucao&) = delete;

    // Sends ASinal (SIGINT, SIGTERM...) to the command.
    void Sinalizar(int ASinal);
    TResultadoProcesso Esperar();

private:
    std::string FPasta;  // standard input, output and error
    int FPid = -1;
};

// Runs the command with all three streams on a pseudo-terminal of 100
// columns; returns what the terminal received.
TResultadoProcesso ExecutarCargabalNoTerminal(const std::vector<std::string>& AArgs);

// The path of the built command, empty when the build has none.
std::string CaminhoCargabal();

}  // namespace quelb::teste
