// POSIX has no ANSI code page: host texts and load files use Windows-1252,
// the code page of the Windows systems on which the scale loaders run.
#include "platform/cp1252.h"
#include "platform/plataforma.h"

namespace quelb::plataforma {

std::u16string DeCodigoPagina(std::string_view ABytes) { return cp1252::Decodificar(ABytes); }

void ParaCodigoPagina(std::u16string_view ATexto, std::string& ADestino) {
    cp1252::Codificar(ATexto, ADestino);
}

std::string ParaCodigoPagina(std::u16string_view ATexto) {
    std::string r;
    cp1252::Codificar(ATexto, r);
    return r;
}

std::u16string DeCodigoPaginaArquivos(std::string_view ABytes) { return DeCodigoPagina(ABytes); }
void ParaCodigoPaginaArquivos(std::u16string_view ATexto, std::string& ADestino) { ParaCodigoPagina(ATexto, ADestino); }
std::string ParaCodigoPaginaArquivos(std::u16string_view ATexto) { return ParaCodigoPagina(ATexto); }

}  // namespace quelb::plataforma
