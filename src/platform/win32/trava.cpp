// A lock between processes: LockFileEx on the first byte of a hidden file in
// the folder, removed by its holder at the end. A lock held by a process that
// ends is released by the system (its file stays, and the next holder removes
// it).
#include "platform/win32/windows_minimo.h"

#include "platform/trava_sistema.h"

namespace quelb::plataforma::sistema {

namespace {

HANDLE Alca(intptr_t AValor) { return reinterpret_cast<HANDLE>(AValor); }

}  // namespace

intptr_t AbrirTrava(const std::u16string& ACaminho) {
    if (!win32::NomeValido(ACaminho)) return -1;
    const std::u16string caminho = win32::CaminhoParaSistema(ACaminho);
    const auto abrir = [&](DWORD AAcesso) {
        return CreateFileW(win32::Largo(caminho.c_str()), AAcesso, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_HIDDEN, nullptr);
    };
    // The right to delete lets the holder remove the file at the end; a
    // share that refuses it still gives a lock, on a file that stays.
    HANDLE arquivo = abrir(GENERIC_READ | DELETE);
    if (arquivo == INVALID_HANDLE_VALUE && GetLastError() != ERROR_ACCESS_DENIED) arquivo = abrir(GENERIC_READ);
    return arquivo == INVALID_HANDLE_VALUE ? -1 : reinterpret_cast<intptr_t>(arquivo);
}

bool MesmoArquivo(intptr_t AAlca, const std::u16string& ACaminho) {
    // A file being removed no longer opens (access denied): not the same.
    const HANDLE noCaminho =
        CreateFileW(win32::Largo(win32::CaminhoParaSistema(ACaminho).c_str()), FILE_READ_ATTRIBUTES,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (noCaminho == INVALID_HANDLE_VALUE) return false;
    // A file system that cannot tell a file's identity (some network
    // shares) gives the benefit of the doubt: the file opened at the path.
    BY_HANDLE_FILE_INFORMATION a{}, b{};
    const bool sabe = GetFileInformationByHandle(Alca(AAlca), &a) && GetFileInformationByHandle(noCaminho, &b) &&
                      (a.nFileIndexHigh | a.nFileIndexLow) != 0;
    const bool mesmo = !sabe || (a.dwVolumeSerialNumber == b.dwVolumeSerialNumber &&
                                 a.nFileIndexHigh == b.nFileIndexHigh && a.nFileIndexLow == b.nFileIndexLow);
    CloseHandle(noCaminho);
    return mesmo;
}

void RemoverTrava(intptr_t AAlca, const std::u16string&) noexcept {
    // Gone when the last handle on it closes; a waiter holding one sees it
    // no longer opens at the path.
    FILE_DISPOSITION_INFO remover{};
    remover.DeleteFile = TRUE;
    SetFileInformationByHandle(Alca(AAlca), FileDispositionInfo, &remover, sizeof remover);
}

TTrava::TSituacao TentarTravar(intptr_t AAlca) {
    OVERLAPPED inicio{};
    if (LockFileEx(Alca(AAlca), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &inicio))
        return TTrava::Travada;
    const DWORD erro = GetLastError();
    if (erro == ERROR_LOCK_VIOLATION || erro == ERROR_IO_PENDING || erro == ERROR_SHARING_VIOLATION)
        return TTrava::Ocupada;
    // ERROR_NOT_SUPPORTED, ERROR_INVALID_FUNCTION...: a share without locks.
    return TTrava::SemTrava;
}

void FecharTrava(intptr_t AAlca) noexcept { CloseHandle(Alca(AAlca)); }

}  // namespace quelb::plataforma::sistema
