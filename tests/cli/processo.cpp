#include "processo.h"

#include <fcntl.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

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

int Esperar(pid_t APid) {
    int estado = 0;
    while (waitpid(APid, &estado, 0) < 0 && errno == EINTR) {
    }
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

TResultadoProcesso ExecutarCargabal(const std::vector<std::string>& AArgs, const std::string& AEntrada) {
    DiretorioTemporario temp;
    const std::string entrada = (temp.Caminho() / "entrada").string();
    const std::string saida = (temp.Caminho() / "saida").string();
    const std::string erros = (temp.Caminho() / "erros").string();
    {
        std::ofstream f(entrada, std::ios::binary);
        f << AEntrada;
    }
    const std::string programa = CaminhoCargabal();
    std::vector<char*> argv = Argv(programa, AArgs);
    const pid_t pid = fork();
    if (pid == 0) {
        const int e = open(entrada.c_str(), O_RDONLY);
        const int s = open(saida.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int r = open(erros.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (e < 0 || s < 0 || r < 0 || dup2(e, 0) < 0 || dup2(s, 1) < 0 || dup2(r, 2) < 0) _exit(126);
        execv(programa.c_str(), argv.data());
        _exit(127);
    }
    TResultadoProcesso r;
    if (pid < 0) return r;
    r.Saida = Esperar(pid);
    r.SaidaPadrao = LerArquivo(saida);
    r.Erros = LerArquivo(erros);
    return r;
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
    r.Saida = Esperar(pid);
    return r;
}

}  // namespace quelb::teste
