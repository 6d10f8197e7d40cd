#pragma once
// The text of a load file: its encoding, its lines, and its name as the
// scales' loaders compare it.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/texto.h"
#include "generator/ler_carga.h"

namespace quelb::carga {

// ASCII letters in upper case: file names compared as the scales' loaders
// compare them.
Texto Maiusculas(std::u16string_view ANome);

// The file of that name, letter case aside; null when none.
const TArquivoCarga* ProcurarArquivo(std::span<const TArquivoCarga> AArquivos, std::u16string_view ANome);

struct TLinha {
    std::u16string_view Texto;
    uint64_t Numero;  // of its first line in the file, from 1
};

// The text of a file: UTF-8 after a byte-order mark, otherwise Windows-1252.
// AUtf8Invalido: a mark before bytes that are not UTF-8.
Texto Decodificar(const std::string& ABytes, bool& AUtf8Invalido);

// The lines of a text, each ended by CR LF (a file without any CR LF is
// taken by its LF alone, and ASemCrLf tells so).
std::vector<TLinha> Linhas(std::u16string_view ATexto, bool& ASemCrLf);

}  // namespace quelb::carga
