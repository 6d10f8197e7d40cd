#include "processo.h"

#include <fcntl.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <random>

#include "apoio/diretorio_temporario.h"

namespace quelb::teste {

namespace {

std::vector<char*> Argv(const std::string& APrograma, const std::vector<std::string>& AArgs) {
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(APrograma.c_str()));
    for (const std::string& a : AArgs) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    return argv;
}

int EsperarProcesso(pid_t APid, int* ASinal = nullptr) {
    int estado = 0;
    while (waitpid(APid, &estado, 0) < 0 && errno == EINTR) {
    }
    if (ASinal != nullptr) *ASinal = WIFSIGNALED(estado) ? WTERMSIG(estado) : 0;
    return WIFEXITED(estado) ? WEXITSTATUS(estado) : -1;
}

}  // namespace

std::string CaminhoCargabal() {
#ifdef QUELB_CARGABAL
    return QUELB_CARGABAL;
#else
    return {};
#endif
}

TCargabalEmExecucao::TCargabalEmExecucao(const std::vector<std::string>& AArgs, const std::string& AEntrada) {
    std::random_device aleatorio;
    FPasta = (std::filesystem::temp_directory_path() /
              ("quelb_processo_" + std::to_string(aleatorio()) + std::to_string(aleatorio())))
                 .string();
    std::filesystem::create_directories(FPasta);
    const std::string entrada = FPasta + "/entrada", saida = FPasta + "/saida", erros = FPasta + "/erros";
    std::ofstream(entrada, std::ios::binary) << AEntrada;
    const std::string programa = CaminhoCargabal();
    std::vector<char*> argv = Argv(programa, AArgs);
    FPid = fork();
    if (FPid == 0) {
        const int e = open(entrada.c_str(), O_RDONLY);
        const int s = open(saida.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int r = open(erros.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (e < 0 || s < 0 || r < 0 || dup2(e, 0) < 0 || dup2(s, 1) < 0 || dup2(r, 2) < 0) _exit(126);
        execv(programa.c_str(), argv.data());
        _exit(127);
    }
}

TCargabalEmExecucao::~TCargabalEmExecucao() {
    if (FPid > 0) {
        kill(FPid, SIGKILL);
        EsperarProcesso(FPid);
    }
    std::error_code ignorado;
    std::filesystem::remove_all(FPasta, ignorado);
}

void TCargabalEmExecucao::Sinalizar(int ASinal) {
    if (FPid > 0) kill(FPid, ASinal);
}

TResultadoProcesso TCargabalEmExecucao::Esperar() {
    TResultadoProcesso r;
    if (FPid <= 0) return r;
    r.Saida = EsperarProcesso(FPid, &r.Sinal);
    FPid = -1;
    r.SaidaPadrao = LerArquivo(FPasta + "/saida");
    r.Erros = LerArquivo(FPasta + "/erros");
    return r;
}

TResultadoProcesso ExecutarCargabal(const std::vector<std::string>& AArgs, const std::string& AEntrada) {
    return TCargabalEmExecucao(AArgs, AEntrada).Esperar();
}

TResultadoProcesso ExecutarCargabalNoTerminal(const std::vector<std::string>& AArgs) {
    const std::string programa = CaminhoCargabal();
    std::vector<char*> argv = Argv(programa, AArgs);
    winsize tamanho{};
    tamanho.ws_row = 24;
    tamanho.ws_col = 100;
    int mestre = -1;
    const pid_t pid = forkpty(&mestre, nullptr, nullptr, &tamanho);
    if (pid == 0) {
        execv(programa.c_str(), argv.data());
        _exit(127);
    }
    TResultadoProcesso r;
    if (pid < 0) return r;
    char bloco[4096];
    for (;;) {
        const ssize_t n = read(mestre, bloco, sizeof bloco);
        if (n > 0) r.Erros.append(bloco, static_cast<size_t>(n));
        else if (n < 0 && errno == EINTR) continue;
        else break;  // EIO once the child has closed the terminal
    }
    close(mestre);
    r.Saida = EsperarProcesso(pid);
    return r;
}

}  // namespace quelb::teste
