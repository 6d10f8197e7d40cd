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

size_t LarguraTerminal(std::FILE* AFluxo) {
#ifndef _WIN32
    winsize w{};
    if (ioctl(fileno(AFluxo), TIOCGWINSZ, &w) == 0 && w.ws_col >= 40) return w.ws_col;
#else
    (void)AFluxo;
#endif
    return 80;
}

// Characters of a UTF-8 text.
size_t Caracteres(std::string_view ATexto) {
    size_t n = 0;
    for (const char c : ATexto) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
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

std::string TamanhoLegivel(uint64_t ABytes) {
    if (ABytes < 1000) return std::to_string(ABytes) + (ABytes == 1 ? " byte" : " bytes");
    static constexpr const char* Unidades[] = {"kB", "MB", "GB", "TB"};
    double v = static_cast<double>(ABytes) / 1000;
    size_t u = 0;
    while (v >= 999.5 && u + 1 < std::size(Unidades)) {
        v /= 1000;
        ++u;
    }
    char r[32];
    if (v < 9.95) std::snprintf(r, sizeof r, "%.1f %s", v, Unidades[u]);
    else std::snprintf(r, sizeof r, "%.0f %s", v, Unidades[u]);
    std::string texto = r;
    std::replace(texto.begin(), texto.end(), '.', ',');
    return texto;
}

TBarraProgresso::TBarraProgresso(std::FILE* ADestino)
    : FDestino(ADestino), FLargura(std::min<size_t>(LarguraTerminal(ADestino) - 1, 100)) {}

bool TBarraProgresso::Terminal(std::FILE* AFluxo) {
#ifdef _WIN32
    return _isatty(_fileno(AFluxo));
#else
    return isatty(fileno(AFluxo));
#endif
}

bool TBarraProgresso::HoraDeDesenhar(bool AForcar) {
    const auto agora = TRelogio::now();
    if (!AForcar && FVisivel && agora - FUltimoDesenho < Intervalo) return false;
    FUltimoDesenho = agora;
    return true;
}

void TBarraProgresso::Leitura(uint64_t ALidos, uint64_t ATotal) {
    if (!FIniciada) {
        FIniciada = true;
        FInicioFase = TRelogio::now();
    }
    if (!HoraDeDesenhar(false)) return;
    const double segundos = std::chrono::duration<double>(TRelogio::now() - FInicioFase).count();
    const double taxa = segundos > 0.05 ? static_cast<double>(ALidos) / segundos : 0;
    std::string info = TamanhoLegivel(ALidos);
    double fracao = -1;
    if (ATotal > 0) {
        fracao = std::min(1.0, static_cast<double>(ALidos) / static_cast<double>(ATotal));
        info += " de " + TamanhoLegivel(ATotal);
    }
    if (taxa > 0) {
        info += "  " + TamanhoLegivel(static_cast<uint64_t>(taxa)) + "/s";
        if (ATotal > ALidos)
            info += "  faltam " + Duracao(static_cast<int64_t>(static_cast<double>(ATotal - ALidos) / taxa + 0.5));
    }
    Desenhar("Lendo o catálogo", fracao, info);
}

void TBarraProgresso::Evento(const Texto& AMensagem, int32_t AAtual, int32_t ATotal) {
    if (AMensagem == u"Terminado") {
        Encerrar();
        return;
    }
    // The writers raise their event after each item: position + 1 are done.
    const bool inicio = AMensagem == u"Iniciando a geração dos arquivos";
    const int64_t feitos = inicio ? 0 : int64_t{AAtual} + 1;
    if (!FFaseGeracao) {
        FFaseGeracao = true;
        FInicioFase = TRelogio::now();
    }
    if (!HoraDeDesenhar(inicio || feitos >= ATotal)) return;
    const double segundos = std::chrono::duration<double>(TRelogio::now() - FInicioFase).count();
    const double taxa = segundos > 0 ? static_cast<double>(feitos) / segundos : 0;
    std::string info = std::to_string(feitos) + "/" + std::to_string(ATotal) + " itens";
    if (feitos >= ATotal) {
        info += "  gravando os arquivos...";
    } else if (feitos > 0 && taxa > 0) {
        info += "  " + std::to_string(static_cast<int64_t>(taxa)) + " itens/s  faltam " +
                Duracao(static_cast<int64_t>(static_cast<double>(ATotal - feitos) / taxa + 0.5));
    }
    Desenhar("Gerando", ATotal > 0 ? static_cast<double>(feitos) / ATotal : 1.0, info);
}

void TBarraProgresso::Desenhar(const std::string& ARotulo, double AFracao, const std::string& AInfo) {
    constexpr size_t Barra = 20;
    std::string linha = ARotulo;
    linha.append(linha.size() < 17 ? 17 - Caracteres(linha) : 1, ' ');
    if (AFracao >= 0) {
        const auto cheios = static_cast<size_t>(AFracao * Barra);
        char porCento[8];
        std::snprintf(porCento, sizeof porCento, "%3d%%", static_cast<int>(AFracao * 100));
        linha += "[" + std::string(cheios, '#') + std::string(Barra - cheios, '.') + "] " + porCento + "  ";
    }
    linha += AInfo;
    // Always the same width: cut or filled with spaces.
    size_t n = Caracteres(linha);
    if (n > FLargura) {
        size_t corte = 0, k = 0;
        for (; corte < linha.size(); ++corte) {
            if ((static_cast<unsigned char>(linha[corte]) & 0xC0) != 0x80 && k++ == FLargura) break;
        }
        linha.resize(corte);
        n = FLargura;
    }
    linha.append(FLargura - n, ' ');
    std::fputs(("\r" + linha).c_str(), FDestino);
    std::fflush(FDestino);
    FVisivel = true;
}

void TBarraProgresso::Encerrar() {
    if (!FVisivel) return;
    std::fputs(("\r" + std::string(FLargura, ' ') + "\r").c_str(), FDestino);
    std::fflush(FDestino);
    FVisivel = false;
}

}  // namespace quelb::cli
