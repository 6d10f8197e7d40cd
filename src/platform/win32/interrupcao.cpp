// Ctrl-C and Ctrl-Break in a console: turned into a call of the command's
// handler, on the thread the system starts for them.
#include "platform/win32/windows_minimo.h"

#include "platform/plataforma.h"

namespace quelb::plataforma {

namespace {

void (*Tratador)(int) = nullptr;

BOOL WINAPI AoEventoConsole(DWORD AEvento) {
    if (Tratador == nullptr || (AEvento != CTRL_C_EVENT && AEvento != CTRL_BREAK_EVENT)) return FALSE;
    Tratador(130);
    return TRUE;  // handled: the process goes on
}

}  // namespace

// A console handler returns TRUE or FALSE for the whole process: nothing to
// hold back here.
struct TAdiarInterrupcoes::TEstado {};
TAdiarInterrupcoes::TAdiarInterrupcoes() = default;
TAdiarInterrupcoes::~TAdiarInterrupcoes() = default;

void TratarInterrupcoes(void (*AAoInterromper)(int)) {
    Tratador = AAoInterromper;
    SetConsoleCtrlHandler(AoEventoConsole, TRUE);
}

void EncerrarAgora(std::string_view AMensagem, int ACodigo) noexcept {
    DWORD escrito = 0;
    WriteFile(GetStdHandle(STD_ERROR_HANDLE), AMensagem.data(), static_cast<DWORD>(AMensagem.size()), &escrito, nullptr);
    // No exit handlers: the main thread may be in the middle of anything.
    TerminateProcess(GetCurrentProcess(), static_cast<UINT>(ACodigo));
    ExitProcess(static_cast<UINT>(ACodigo));  // not reached
}

}  // namespace quelb::plataforma
