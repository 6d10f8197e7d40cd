#include <sys/stat.h>

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

}  // namespace quelb::plataforma
