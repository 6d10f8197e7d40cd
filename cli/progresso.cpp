#include "cli/progresso.h"

#include <algorithm>
#include <string>

#ifdef _WIN32
#include <io.h>
#else
#include <sys/ioctl.h>
#include <unistd.h>
#endif

namespace quelb::cli {

namespace {

// Fewer redraws than this interval would only cost time.
constexpr auto Intervalo = std::chrono::milliseconds(200);

int LarguraTerminal(std::FILE* AFluxo) {
#ifndef _WIN32
    winsize w{};
    if (ioctl(fileno(AFluxo), TIOCGWINSZ, &w) == 0 && w.ws_col >= 40) return w.ws_col;
#else
    (void)AFluxo;
#endif
    return 80;
}

std::string Duracao(int64_t ASegundos) {
    char r[32];
    if (ASegundos >= 3600)
        std::snprintf(r, sizeof r, "%lld:%02lld:%02lld", static_cast<long long>(ASegundos / 3600),
                      static_cast<long long>(ASegundos / 60 % 60), static_cast<long long>(ASegundos % 60));
    else
        std::snprintf(r, sizeof r, "%lld:%02lld", static_cast<long long>(ASegundos / 60),
                      static_cast<long long>(ASegundos % 60));
    return r;
}

}  // namespace

bool TBarraProgresso::Terminal(std::FILE* AFluxo) {
#ifdef _WIN32
    return _isatty(_fileno(AFluxo));
#else
    return isatty(fileno(AFluxo));
#endif
}

void TBarraProgresso::Evento(const Texto& AMensagem, int32_t AAtual, int32_t ATotal) {
    const auto agora = TRelogio::now();
    if (AMensagem == u"Terminado") {
        Encerrar();
        return;
    }
    // The writers raise their event after each item: position + 1 are done.
    const bool inicio = AMensagem == u"Iniciando a geração dos arquivos";
    const int64_t feitos = inicio ? 0 : int64_t{AAtual} + 1;
    if (!FIniciado) {
        FIniciado = true;
        FInicio = agora;
    } else if (agora - FUltimoDesenho < Intervalo && feitos < ATotal) {
        return;
    }
    FUltimoDesenho = agora;
    Desenhar(feitos, ATotal, agora);
}

void TBarraProgresso::Desenhar(int64_t AFeitos, int64_t ATotal, TRelogio::time_point AAgora) {
    const double segundos = std::chrono::duration<double>(AAgora - FInicio).count();
    const double taxa = segundos > 0 ? static_cast<double>(AFeitos) / segundos : 0;
    const int64_t porCento = ATotal > 0 ? AFeitos * 100 / ATotal : 100;

    std::string info = " " + std::to_string(porCento) + "%  " + std::to_string(AFeitos) + "/" +
                       std::to_string(ATotal) + " itens";
    if (AFeitos >= ATotal) {
        info += "  gravando os arquivos...";
    } else if (AFeitos > 0 && taxa > 0) {
        info += "  " + std::to_string(static_cast<int64_t>(taxa)) + " itens/s  faltam " +
                Duracao(static_cast<int64_t>(static_cast<double>(ATotal - AFeitos) / taxa + 0.5));
    }
    const int largura = std::clamp(LarguraTerminal(FDestino) - static_cast<int>(info.size()) - 3, 10, 50);
    const int cheios = ATotal > 0 ? static_cast<int>(AFeitos * largura / ATotal) : largura;

    std::string linha = "\r[";
    linha.append(static_cast<size_t>(cheios), '#');
    linha.append(static_cast<size_t>(largura - cheios), '.');
    linha += "]" + info + "\x1b[K";
    std::fputs(linha.c_str(), FDestino);
    std::fflush(FDestino);
    FVisivel = true;
}

void TBarraProgresso::Mostrar(const std::string& ATexto) {
    std::fputs(("\r" + ATexto + "\x1b[K").c_str(), FDestino);
    std::fflush(FDestino);
    FVisivel = true;
}

void TBarraProgresso::Encerrar() {
    if (!FVisivel) return;
    std::fputs("\r\x1b[K", FDestino);
    std::fflush(FDestino);
    FVisivel = false;
}

}  // namespace quelb::cli
