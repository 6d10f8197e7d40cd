#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include "catalogue/texto.h"
#include "platform/plataforma.h"

#include <algorithm>

namespace quelb::plataforma {

char16_t DelimitadorCaminho() { return u'/'; }

bool DiretorioExiste(const std::u16string& ACaminho) {
    struct stat info;
    const std::string caminho = ParaUtf8(ACaminho);
    // A zero inside the text would cut the name short.
    return !caminho.empty() && caminho.find('\0') == std::string::npos && stat(caminho.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool ArquivoExiste(const std::u16string& ACaminho) {
    struct stat info;
    const std::string caminho = ParaUtf8(ACaminho);
    return !caminho.empty() && caminho.find('\0') == std::string::npos && stat(caminho.c_str(), &info) == 0 &&
           S_ISREG(info.st_mode);
}

bool RemoverArquivo(const std::u16string& ACaminho) {
    const std::string caminho = ParaUtf8(ACaminho);
    return caminho.find('\0') == std::string::npos && unlink(caminho.c_str()) == 0;
}

std::vector<std::u16string> OutrasCaixas(const std::u16string& APasta, std::u16string_view ANome) {
    std::vector<std::u16string> r;
    const std::string pasta = ParaUtf8(APasta);
    if (pasta.empty() || pasta.find('\0') != std::string::npos) return r;
    DIR* d = opendir(pasta.c_str());
    if (d == nullptr) return r;
    while (const dirent* e = readdir(d)) {
        const std::u16string nome = DeUtf8(e->d_name);
        if (nome != ANome && IguaisSemCaixa(nome, ANome) && ArquivoExiste(APasta + nome)) r.push_back(APasta + nome);
    }
    closedir(d);
    std::sort(r.begin(), r.end());
    return r;
}

}  // namespace quelb::plataforma
