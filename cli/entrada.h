#pragma once
// The values of the command's options, and the suggestions for names typed
// almost right.
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "catalogue/leitor_catalogo.h"

namespace quelb::cli {

// "json" or "csv" (any letter case); none for anything else.
std::optional<TFormatoCatalogo> FormatoPorNome(std::string_view ANome);
// "utf-8", "utf-16", "windows-1252" (also "utf8", "utf16", "cp1252").
std::optional<TCodificacaoCatalogo> CodificacaoPorNome(std::string_view ANome);
// "virgula" (or "vírgula") or "ponto".
std::optional<TSeparadorDecimal> DecimalPorNome(std::string_view ANome);

// The candidate that ANome is a near miss of (letter case ignored; at most
// two edits for names of 6 letters or more, one for shorter ones), or a
// candidate that starts with ANome when only one does.
std::optional<std::string> Sugerir(std::string_view ANome, std::span<const std::string_view> ACandidatos);

}  // namespace quelb::cli
