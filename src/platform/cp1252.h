#pragma once
// Windows-1252, the ANSI code page of Brazilian Windows systems; used where
// the system has no ANSI code page of its own.
#include <string>
#include <string_view>

namespace quelb::plataforma::cp1252 {

std::u16string Decodificar(std::string_view ABytes);
// A character outside the code page becomes "?"; a surrogate pair counts as
// one character.
void Codificar(std::u16string_view ATexto, std::string& ADestino);

}  // namespace quelb::plataforma::cp1252
