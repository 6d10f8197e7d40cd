#include <sys/stat.h>
#include <unistd.h>

#include "catalogue/texto.h"
#include "platform/plataforma.h"

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

}  // namespace quelb::plataforma
