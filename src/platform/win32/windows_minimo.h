#pragma once
// <windows.h> as the Win32 platform layer needs it: the locale-name functions
// of Windows Vista and later, nothing of the GUI, no min/max macros. Include
// this before any other header of the layer's files.
#ifndef _WIN32_WINNT
#define _WIN32_WINNT 0x0600
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <string>
#include <string_view>

namespace quelb::plataforma::win32 {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide characters are UTF-16 code units");

// The library's UTF-16 text as the W functions take it.
inline const wchar_t* Largo(const char16_t* ATexto) { return reinterpret_cast<const wchar_t*>(ATexto); }
inline wchar_t* Largo(char16_t* ATexto) { return reinterpret_cast<wchar_t*>(ATexto); }

// A name cut short by a NUL would reach another file than the one asked for.
inline bool NomeValido(const std::u16string& ACaminho) {
    return !ACaminho.empty() && ACaminho.find(u'\0') == std::u16string::npos;
}

// ACaminho as the file functions take it past MAX_PATH: absolute, in the
// "\\?\" form when it is that long; unchanged when it cannot be made
// absolute.
std::u16string CaminhoParaSistema(const std::u16string& ACaminho);

// The system's description of a Win32 error code, in the user's language,
// without the trailing line break and period that system messages carry.
std::u16string DescricaoErro(DWORD ACodigo);

}  // namespace quelb::plataforma::win32
