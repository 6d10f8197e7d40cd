// A lock between processes: LockFileEx on the first byte of a file that
// stays in place (hidden). A lock held by a process that ends is released by
// the system.
#include "platform/win32/windows_minimo.h"

#include "platform/trava_sistema.h"

namespace quelb::plataforma::sistema {

namespace {

HANDLE Alca(intptr_t AValor) { return reinterpret_cast<HANDLE>(AValor); }

}  // namespace

intptr_t AbrirTrava(const std::u16string& ACaminho) {
    if (!win32::NomeValido(ACaminho)) return -1;
    const std::u16string caminho = win32::CaminhoParaSistema(ACaminho);
    const HANDLE arquivo =
        CreateFileW(win32::Largo(caminho.c_str()), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_HIDDEN, nullptr);
    return arquivo == INVALID_HANDLE_VALUE ? -1 : reinterpret_cast<intptr_t>(arquivo);
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
