#pragma once
// What the failure tests look at: a generation's result as the host gets it,
// and everything a folder holds.
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "apoio/diretorio_temporario.h"
#include "generator/gerador.h"

namespace quelb::teste {

// "OK", or the message of the failure.
inline std::u16string Gerar(TQuelbCargaBal& AGerador, const std::filesystem::path& APasta) {
    try {
        AGerador.GerarArquivos(APasta.u16string());
    } catch (const EQuelbErro& e) {
        return e.Mensagem();
    }
    return u"OK";
}

inline void Escrever(const std::filesystem::path& ACaminho, const std::string& ABytes) {
    std::ofstream(ACaminho, std::ios::binary) << ABytes;
}

// Everything under a folder but the generation's lock file, hidden files
// included: relative name to content ("<pasta>" for a folder, "-> target"
// for a link).
inline std::map<std::string, std::string> Conteudo(const std::filesystem::path& APasta) {
    namespace fs = std::filesystem;
    std::map<std::string, std::string> r;
    for (const auto& e : fs::recursive_directory_iterator(APasta)) {
        if (e.path().filename() == ArquivoTrava) continue;
        const std::string nome = e.path().lexically_relative(APasta).string();
        if (e.is_symlink()) r[nome] = "-> " + fs::read_symlink(e.path()).string();
        else if (e.is_directory()) r[nome] = "<pasta>";
        else r[nome] = LerArquivo(e.path());
    }
    return r;
}

}  // namespace quelb::teste
