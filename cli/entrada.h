#pragma once
// Reading the catalogue file (or standard input) and telling its format.
#include <optional>
#include <string>
#include <string_view>

namespace quelb::cli {

enum class TFormatoCatalogo { Json, Csv };

// "json" or "csv"; none for anything else.
std::optional<TFormatoCatalogo> FormatoPorNome(std::string_view ANome);

// By the file's extension (.json, .csv, any letter case); otherwise by the
// first character that is not blank: "{" is JSON, anything else CSV.
TFormatoCatalogo DeduzirFormato(std::string_view ACaminho, std::string_view AConteudo);

// The whole file, or standard input for "-". Fails with ECatalogo
// ("não foi possível ler ...: arquivo não encontrado").
std::string LerEntrada(const std::string& ACaminho);

}  // namespace quelb::cli
