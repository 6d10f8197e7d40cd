#pragma once
// A fresh directory under the system's temporary folder, removed at the end.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace quelb::teste {

class DiretorioTemporario {
public:
    DiretorioTemporario() {
        std::random_device aleatorio;
        FCaminho = std::filesystem::temp_directory_path() /
                   ("quelb_teste_" + std::to_string(aleatorio()) + std::to_string(aleatorio()));
        std::filesystem::create_directories(FCaminho);
    }
    ~DiretorioTemporario() {
        std::error_code ignorado;
        std::filesystem::remove_all(FCaminho, ignorado);
    }
    DiretorioTemporario(const DiretorioTemporario&) = delete;
    DiretorioTemporario& operator=(const DiretorioTemporario&) = delete;

    const std::filesystem::path& Caminho() const { return FCaminho; }
    std::u16string Texto() const { return FCaminho.u16string(); }
    std::string Utf8() const { return FCaminho.string(); }

private:
    std::filesystem::path FCaminho;
};

// The lock file that a generation leaves in its folder, empty.
inline const std::filesystem::path ArquivoTrava = ".cargabal.lock";

// Names of what APasta holds, sorted, without the lock file.
inline std::vector<std::string> NomesDaCarga(const std::filesystem::path& APasta) {
    std::vector<std::string> r;
    for (const auto& e : std::filesystem::directory_iterator(APasta))
        if (e.path().filename() != ArquivoTrava) r.push_back(e.path().filename().string());
    std::sort(r.begin(), r.end());
    return r;
}

inline std::string LerArquivo(const std::filesystem::path& ACaminho) {
    std::ifstream f(ACaminho, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

}  // namespace quelb::teste
