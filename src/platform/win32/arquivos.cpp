// Directories and files through the Win32 wide-character functions.
#include "platform/win32/windows_minimo.h"

#include "platform/plataforma.h"

namespace quelb::plataforma {

namespace {

using win32::Largo;

// A name cut short by a NUL would reach another file than the one asked for.
bool NomeValido(const std::u16string& ACaminho) {
    return !ACaminho.empty() && ACaminho.find(u'\0') == std::u16string::npos;
}

// Follows a link (symbolic link or junction) to what it points at.
bool AlvoEhDiretorio(const std::u16string& ACaminho) {
    const HANDLE h = CreateFileW(Largo(ACaminho.c_str()), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                 nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    BY_HANDLE_FILE_INFORMATION info;
    const bool diretorio =
        GetFileInformationByHandle(h, &info) && (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    CloseHandle(h);
    return diretorio;
}

// WriteFile takes a 32-bit count; larger texts go in pieces.
constexpr size_t PedacoMaximo = size_t{1} << 30;

}  // namespace

char16_t DelimitadorCaminho() { return u'\\'; }

bool DiretorioExiste(const std::u16string& ACaminho) {
    if (!NomeValido(ACaminho)) return false;
    const DWORD atributos = GetFileAttributesW(Largo(ACaminho.c_str()));
    if (atributos == INVALID_FILE_ATTRIBUTES || (atributos & FILE_ATTRIBUTE_DIRECTORY) == 0) return false;
    if (atributos & FILE_ATTRIBUTE_REPARSE_POINT) return AlvoEhDiretorio(ACaminho);
    return true;
}

TResultadoGravacao GravarArquivo(const std::u16string& ACaminho, std::string_view ABytes) {
    TResultadoGravacao r;
    if (!NomeValido(ACaminho)) {
        r.Situacao = TResultadoGravacao::FalhaCriar;
        r.Causa = win32::DescricaoErro(ERROR_INVALID_NAME);
        return r;
    }
    // Creates the file, or empties one that exists.
    const HANDLE h = CreateFileW(Largo(ACaminho.c_str()), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        r.Situacao = TResultadoGravacao::FalhaCriar;
        r.Causa = win32::DescricaoErro(GetLastError());
        return r;
    }
    while (!ABytes.empty()) {
        const DWORD pedaco = static_cast<DWORD>(ABytes.size() < PedacoMaximo ? ABytes.size() : PedacoMaximo);
        DWORD escrito = 0;
        if (!WriteFile(h, ABytes.data(), pedaco, &escrito, nullptr) || escrito == 0) {
            r.Situacao = TResultadoGravacao::FalhaEscrita;
            break;
        }
        ABytes.remove_prefix(escrito);
    }
    if (!CloseHandle(h) && r.Situacao == TResultadoGravacao::Gravado) r.Situacao = TResultadoGravacao::FalhaEscrita;
    return r;
}

}  // namespace quelb::plataforma
