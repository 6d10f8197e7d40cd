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

// How a load file's bytes are read. Scales' loaders read Windows-1252; a
// file saved by an editor may be UTF-8, with or without a byte-order mark.
enum class TCodificacaoCarga : uint8_t {
    Windows1252,
    Utf8,                  // valid UTF-8 with at least one multi-byte sequence
    Utf8ComMarca,          // after a byte-order mark
    Utf8ComMarcaInvalido,  // a mark before bytes that are not UTF-8 (read as UTF-8, bad bytes as U+FFFD)
};

// The encoding of a file: UTF-8 after a byte-order mark; UTF-8 when the
// bytes are valid UTF-8 and hold at least one multi-byte sequence (plain
// ASCII reads the same either way); otherwise Windows-1252.
TCodificacaoCarga CodificacaoDe(std::string_view ABytes);

// The text of a file in that encoding, the mark left out.
Texto Decodificar(std::string_view ABytes, TCodificacaoCarga ACodificacao);

// The lines of a text, each ended by CR LF (a file without any CR LF is
// taken by its LF alone, and ASemCrLf tells so).
std::vector<TLinha> Linhas(std::u16string_view ATexto, bool& ASemCrLf);

}  // namespace quelb::carga
