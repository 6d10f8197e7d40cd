// The system's ANSI code page, both ways, through the Win32 conversions. A
// character that the code page lacks becomes the best-fit character of the
// system's conversion table where it has one, otherwise the code page's
// default character ("?").
#include "platform/win32/windows_minimo.h"

#include <climits>
#include <stdexcept>

#include "platform/plataforma.h"

namespace quelb::plataforma {

namespace {

using win32::Largo;

// UTF-16 code units converted per call, so that every length fits an int.
constexpr size_t BlocoMaximo = size_t{1} << 28;

[[noreturn]] void FalhaConversao() {
    throw std::runtime_error("Falha na conversao de texto pela pagina de codigo do sistema");
}

// Bytes that one UTF-16 code unit can take in the ANSI code page (a surrogate
// pair takes at most twice this).
size_t BytesPorUnidade() {
    static const size_t maximo = [] {
        CPINFO info;
        return GetCPInfo(CP_ACP, &info) && info.MaxCharSize > 0 ? static_cast<size_t>(info.MaxCharSize) : 4u;
    }();
    return maximo;
}

bool EhAlto(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }

// Converts one block (at most BlocoMaximo units) and appends it.
void ConverterBloco(std::u16string_view ABloco, std::string& ADestino) {
    const int entrada = static_cast<int>(ABloco.size());
    const size_t inicio = ADestino.size();
    ADestino.resize(inicio + ABloco.size() * BytesPorUnidade());
    int n = WideCharToMultiByte(CP_ACP, 0, Largo(ABloco.data()), entrada, ADestino.data() + inicio,
                                static_cast<int>(ADestino.size() - inicio), nullptr, nullptr);
    if (n == 0 && GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
        const int necessario = WideCharToMultiByte(CP_ACP, 0, Largo(ABloco.data()), entrada, nullptr, 0, nullptr, nullptr);
        if (necessario <= 0) FalhaConversao();
        ADestino.resize(inicio + static_cast<size_t>(necessario));
        n = WideCharToMultiByte(CP_ACP, 0, Largo(ABloco.data()), entrada, ADestino.data() + inicio, necessario,
                                nullptr, nullptr);
    }
    if (n <= 0) FalhaConversao();
    ADestino.resize(inicio + static_cast<size_t>(n));
}

}  // namespace

std::u16string DeCodigoPagina(std::string_view ABytes) {
    std::u16string r;
    if (ABytes.empty()) return r;
    if (ABytes.size() > static_cast<size_t>(INT_MAX)) throw std::length_error("Texto longo demais");
    const int entrada = static_cast<int>(ABytes.size());
    // No code page gives more UTF-16 units than bytes.
    r.resize(ABytes.size());
    int n = MultiByteToWideChar(CP_ACP, 0, ABytes.data(), entrada, Largo(r.data()), entrada);
    if (n == 0 && GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
        const int necessario = MultiByteToWideChar(CP_ACP, 0, ABytes.data(), entrada, nullptr, 0);
        if (necessario <= 0) FalhaConversao();
        r.resize(static_cast<size_t>(necessario));
        n = MultiByteToWideChar(CP_ACP, 0, ABytes.data(), entrada, Largo(r.data()), necessario);
    }
    if (n <= 0) FalhaConversao();
    r.resize(static_cast<size_t>(n));
    return r;
}

void ParaCodigoPagina(std::u16string_view ATexto, std::string& ADestino) {
    while (!ATexto.empty()) {
        size_t tamanho = ATexto.size() < BlocoMaximo ? ATexto.size() : BlocoMaximo;
        // A surrogate pair stays within one block.
        if (tamanho < ATexto.size() && EhAlto(ATexto[tamanho - 1])) --tamanho;
        ConverterBloco(ATexto.substr(0, tamanho), ADestino);
        ATexto.remove_prefix(tamanho);
    }
}

std::string ParaCodigoPagina(std::u16string_view ATexto) {
    std::string r;
    ParaCodigoPagina(ATexto, r);
    return r;
}

bool CodigoPaginaEhUtf8() { return GetACP() == CP_UTF8; }

}  // namespace quelb::plataforma
