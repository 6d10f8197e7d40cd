// The system's own description of a Win32 error code.
#include "platform/win32/windows_minimo.h"

#include <string>

namespace quelb::plataforma::win32 {

std::u16string DescricaoErro(DWORD ACodigo) {
    wchar_t* texto = nullptr;
    const DWORD n = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, ACodigo,
        0, reinterpret_cast<LPWSTR>(&texto), 0, nullptr);
    std::u16string r;
    if (n > 0 && texto != nullptr) r.assign(reinterpret_cast<const char16_t*>(texto), n);
    if (texto != nullptr) LocalFree(texto);
    // System messages end with a period and CR LF; the text is quoted after
    // a sentence of its own, so both go.
    while (!r.empty() && (r.back() <= u' ' || r.back() == u'.')) r.pop_back();
    if (r.empty()) {
        r = u"Erro do sistema ";
        for (char c : std::to_string(ACodigo)) r += static_cast<char16_t>(c);
    }
    return r;
}

}  // namespace quelb::plataforma::win32
