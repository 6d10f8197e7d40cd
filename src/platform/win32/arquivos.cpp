// Directories through the Win32 wide-character functions.
#include "platform/win32/windows_minimo.h"

#include "platform/plataforma.h"

namespace quelb::plataforma {

namespace {

using win32::Largo;
using win32::NomeValido;

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

}  // namespace

char16_t DelimitadorCaminho() { return u'\\'; }

bool DiretorioExiste(const std::u16string& ACaminho) {
    if (!NomeValido(ACaminho)) return false;
    const DWORD atributos = GetFileAttributesW(Largo(ACaminho.c_str()));
    if (atributos == INVALID_FILE_ATTRIBUTES || (atributos & FILE_ATTRIBUTE_DIRECTORY) == 0) return false;
    if (atributos & FILE_ATTRIBUTE_REPARSE_POINT) return AlvoEhDiretorio(ACaminho);
    return true;
}

bool ArquivoExiste(const std::u16string& ACaminho) {
    if (!NomeValido(ACaminho)) return false;
    const DWORD atributos = GetFileAttributesW(Largo(ACaminho.c_str()));
    if (atributos == INVALID_FILE_ATTRIBUTES || (atributos & FILE_ATTRIBUTE_DIRECTORY) != 0) return false;
    if (atributos & FILE_ATTRIBUTE_REPARSE_POINT) return !AlvoEhDiretorio(ACaminho);
    return true;
}

bool RemoverArquivo(const std::u16string& ACaminho) {
    return NomeValido(ACaminho) && DeleteFileW(Largo(ACaminho.c_str())) != 0;
}

// File names ignore letter case here: another case names the same file.
std::vector<std::u16string> OutrasCaixas(const std::u16string&, std::u16string_view) { return {}; }

}  // namespace quelb::plataforma
