#include "platform/win32/windows_minimo.h"

#include <string>

#include "platform/leitura.h"

namespace quelb::plataforma {

namespace {

HANDLE Identificador(intptr_t ADescritor) { return reinterpret_cast<HANDLE>(ADescritor); }

std::u16string Motivo(DWORD AErro) {
    switch (AErro) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND: return u"arquivo não encontrado";
        case ERROR_ACCESS_DENIED: return u"permissão negada";
        default: return win32::DescricaoErro(AErro);
    }
}

}  // namespace

bool TArquivoLeitura::Abrir(const std::u16string& ACaminho, std::u16string& ACausa) {
    Fechar();
    if (!win32::NomeValido(ACaminho)) {
        ACausa = Motivo(ERROR_FILE_NOT_FOUND);
        return false;
    }
    const DWORD atributos = GetFileAttributesW(win32::Largo(ACaminho.c_str()));
    if (atributos != INVALID_FILE_ATTRIBUTES && (atributos & FILE_ATTRIBUTE_DIRECTORY)) {
        ACausa = u"é um diretório";
        return false;
    }
    HANDLE h = CreateFileW(win32::Largo(ACaminho.c_str()), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        ACausa = Motivo(GetLastError());
        return false;
    }
    FDescritor = reinterpret_cast<intptr_t>(h);
    FProprio = true;
    LARGE_INTEGER tamanho{};
    FTamanho = GetFileSizeEx(h, &tamanho) ? static_cast<uint64_t>(tamanho.QuadPart) : 0;
    return true;
}

void TArquivoLeitura::AbrirEntradaPadrao() {
    Fechar();
    FDescritor = reinterpret_cast<intptr_t>(GetStdHandle(STD_INPUT_HANDLE));
    FProprio = false;
    FTamanho = 0;
}

size_t TArquivoLeitura::Ler(char* ADestino, size_t ATamanho) {
    if (FDescritor == -1 || FDescritor == 0) return 0;
    DWORD lidos = 0;
    const DWORD pedido = ATamanho > (1u << 30) ? (1u << 30) : static_cast<DWORD>(ATamanho);
    if (!ReadFile(Identificador(FDescritor), ADestino, pedido, &lidos, nullptr)) {
        const DWORD erro = GetLastError();
        if (erro != ERROR_BROKEN_PIPE && erro != ERROR_HANDLE_EOF) FErro = Motivo(erro);
        return 0;
    }
    return lidos;
}

void TArquivoLeitura::Fechar() noexcept {
    if (FDescritor != -1 && FProprio) CloseHandle(Identificador(FDescritor));
    FDescritor = -1;
    FProprio = false;
}

void ComporNfc(std::u16string& ATexto) {
    if (JaComposto(ATexto)) return;
    // NormalizeString is looked up at run time (Normaliz.dll, part of
    // Windows since Vista), so that the DLL keeps importing only KERNEL32.
    using TNormalizar = int(WINAPI*)(int, LPCWSTR, int, LPWSTR, int);
    static const TNormalizar Normalizar = [] {
        HMODULE m = LoadLibraryW(L"normaliz.dll");
        return m ? reinterpret_cast<TNormalizar>(reinterpret_cast<void*>(GetProcAddress(m, "NormalizeString")))
                 : nullptr;
    }();
    if (Normalizar == nullptr) return;
    constexpr int NormalizationC = 1;
    const int entrada = static_cast<int>(ATexto.size());
    std::u16string r(ATexto.size() + 8, u'\0');
    int n = Normalizar(NormalizationC, win32::Largo(ATexto.c_str()), entrada, win32::Largo(r.data()),
                       static_cast<int>(r.size()));
    if (n <= 0 && GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
        r.resize(ATexto.size() * 3 + 16);
        n = Normalizar(NormalizationC, win32::Largo(ATexto.c_str()), entrada, win32::Largo(r.data()),
                       static_cast<int>(r.size()));
    }
    if (n <= 0) return;  // an invalid text stays as it is
    r.resize(static_cast<size_t>(n));
    ATexto = std::move(r);
}

}  // namespace quelb::plataforma
