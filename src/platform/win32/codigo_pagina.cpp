// The system's ANSI code page, and the code page of the load files, both
// ways, through the Win32 conversions. A character that the code page lacks
// becomes the best-fit character of the system's conversion table where it
// has one, otherwise the code page's default character ("?").
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

// A code page and the bytes that one UTF-16 code unit can take in it (a
// surrogate pair takes at most twice this).
struct TPagina {
    UINT Codigo;
    size_t BytesPorUnidade;
};

size_t BytesPorCaractere(UINT ACodigo) {
    CPINFO info;
    return GetCPInfo(ACodigo, &info) && info.MaxCharSize > 0 ? static_cast<size_t>(info.MaxCharSize) : 4u;
}

const TPagina& Sistema() {
    static const TPagina pagina{CP_ACP, BytesPorCaractere(CP_ACP)};
    return pagina;
}

// The ANSI code page when it has one byte per character, else Windows-1252.
const TPagina& DosArquivos() {
    static const TPagina pagina = Sistema().BytesPorUnidade == 1 ? Sistema() : TPagina{1252, 1};
    return pagina;
}

bool EhAlto(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }

// Converts one block (at most BlocoMaximo units) and appends it.
void ConverterBloco(const TPagina& APagina, std::u16string_view ABloco, std::string& ADestino) {
    const UINT cp = APagina.Codigo;
    const int entrada = static_cast<int>(ABloco.size());
    const size_t inicio = ADestino.size();
    ADestino.resize(inicio + ABloco.size() * APagina.BytesPorUnidade);
    int n = WideCharToMultiByte(cp, 0, Largo(ABloco.data()), entrada, ADestino.data() + inicio,
                                static_cast<int>(ADestino.size() - inicio), nullptr, nullptr);
    if (n == 0 && GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
        const int necessario = WideCharToMultiByte(cp, 0, Largo(ABloco.data()), entrada, nullptr, 0, nullptr, nullptr);
        if (necessario <= 0) FalhaConversao();
        ADestino.resize(inicio + static_cast<size_t>(necessario));
        n = WideCharToMultiByte(cp, 0, Largo(ABloco.data()), entrada, ADestino.data() + inicio, necessario, nullptr,
                                nullptr);
    }
    if (n <= 0) FalhaConversao();
    ADestino.resize(inicio + static_cast<size_t>(n));
}

std::u16string Decodificar(const TPagina& APagina, std::string_view ABytes) {
    const UINT cp = APagina.Codigo;
    std::u16string r;
    if (ABytes.empty()) return r;
    if (ABytes.size() > static_cast<size_t>(INT_MAX)) throw std::length_error("Texto longo demais");
    const int entrada = static_cast<int>(ABytes.size());
    // No code page gives more UTF-16 units than bytes.
    r.resize(ABytes.size());
    int n = MultiByteToWideChar(cp, 0, ABytes.data(), entrada, Largo(r.data()), entrada);
    if (n == 0 && GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
        const int necessario = MultiByteToWideChar(cp, 0, ABytes.data(), entrada, nullptr, 0);
        if (necessario <= 0) FalhaConversao();
        r.resize(static_cast<size_t>(necessario));
        n = MultiByteToWideChar(cp, 0, ABytes.data(), entrada, Largo(r.data()), necessario);
    }
    if (n <= 0) FalhaConversao();
    r.resize(static_cast<size_t>(n));
    return r;
}

void Codificar(const TPagina& APagina, std::u16string_view ATexto, std::string& ADestino) {
    while (!ATexto.empty()) {
        size_t tamanho = ATexto.size() < BlocoMaximo ? ATexto.size() : BlocoMaximo;
        // A surrogate pair stays within one block.
        if (tamanho < ATexto.size() && EhAlto(ATexto[tamanho - 1])) --tamanho;
        ConverterBloco(APagina, ATexto.substr(0, tamanho), ADestino);
        ATexto.remove_prefix(tamanho);
    }
}

}  // namespace

std::u16string DeCodigoPagina(std::string_view ABytes) { return Decodificar(Sistema(), ABytes); }

void ParaCodigoPagina(std::u16string_view ATexto, std::string& ADestino) { Codificar(Sistema(), ATexto, ADestino); }

std::string ParaCodigoPagina(std::u16string_view ATexto) {
    std::string r;
    Codificar(Sistema(), ATexto, r);
    return r;
}

std::u16string DeCodigoPaginaArquivos(std::string_view ABytes) { return Decodificar(DosArquivos(), ABytes); }

void ParaCodigoPaginaArquivos(std::u16string_view ATexto, std::string& ADestino) {
    Codificar(DosArquivos(), ATexto, ADestino);
}

std::string ParaCodigoPaginaArquivos(std::u16string_view ATexto) {
    std::string r;
    Codificar(DosArquivos(), ATexto, r);
    return r;
}

}  // namespace quelb::plataforma
