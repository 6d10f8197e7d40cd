#pragma once
// What every command writes the same way: its texts on a stream, a usage
// error with the way to the help, a suggestion, a count in words.
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

namespace quelb::cli {

// The exit status of a usage error (bad arguments), in every command.
inline constexpr int SaidaUso = 2;

void Escrever(std::FILE* AFluxo, const std::string& ATexto);

// "cargabal: AMensagem" and the help to see ("cargabal help AComando"), on
// standard error; returns SaidaUso.
int ErroDeUso(const std::string& AMensagem, const std::string& AComando);

// "; quis dizer "X"?" for a suggestion, nothing without one.
std::string QuisDizer(const std::optional<std::string>& ASugestao);

// "1 item", "3 itens".
std::string Plural(uint64_t AQuantidade, const char* ASingular, const char* APlural);

}  // namespace quelb::cli
