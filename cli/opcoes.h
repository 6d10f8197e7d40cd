#pragma once
// The options of a command, read one way for all of them by getopt_long:
// "-mtoledo", "-m toledo", "--modelo toledo", "--modelo=toledo", an
// unambiguous prefix ("--mod"), and "--" before arguments that are not
// options.
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace quelb::cli {

struct TOpcaoComando {
    const char* Nome;  // "--Nome"
    char Curta = 0;    // "-Curta", or none
    // Where the value of an option with a value goes; the mark an option
    // without one sets. Neither: the help option.
    std::optional<std::string>* Valor = nullptr;
    bool* Marca = nullptr;
};

// Reads the options of "cargabal AComando" from AArgs into the places of
// AOpcoes. A usage error (an unknown option, with a suggestion; a missing
// value, or a value that is itself an option; an option given twice; an
// argument that is not an option; a missing option of AObrigatorias) is
// written and its exit status returned; so is the help, AAjuda on standard
// output, with status 0. Nothing when the command goes on. With
// AArgumentos, the arguments that are not options go there, in order,
// instead of being an error.
std::optional<int> LerOpcoes(const std::vector<std::string>& AArgs, const std::string& AComando, const char* AAjuda,
                             std::span<const TOpcaoComando> AOpcoes, std::span<const char* const> AObrigatorias,
                             std::vector<std::string>* AArgumentos = nullptr);

// The path that an argument names: arguments are UTF-8 on every system
// (cargabal.exe takes them in UTF-16 and converts them). None when the
// argument is not well-formed UTF-8.
std::optional<std::filesystem::path> CaminhoDoArgumento(const std::string& AArgumento);

}  // namespace quelb::cli
