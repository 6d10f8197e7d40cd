#include "generator/salvar.h"

#include "catalogue/erro.h"
#include "platform/plataforma.h"

namespace quelb {

void SalvarLista(const TListaLinhas& ALista, const std::u16string& ACaminho) {
    std::string bytes;
    const bool utf8 = plataforma::CodigoPaginaEhUtf8();
    // One byte per character on a single-byte code page.
    bytes.reserve(ALista.TamanhoTexto() * (utf8 ? 3 : 1) + 3);
    if (utf8) bytes.append("\xEF\xBB\xBF");
    ALista.Codificar(bytes);

    const plataforma::TResultadoGravacao r = plataforma::GravarArquivo(ACaminho, bytes);
    switch (r.Situacao) {
        case plataforma::TResultadoGravacao::Gravado:
            return;
        case plataforma::TResultadoGravacao::FalhaCriar:
            throw EQuelbErro(u"Cannot create file \"" + ACaminho + u"\". " + r.Causa);
        case plataforma::TResultadoGravacao::FalhaEscrita:
            throw EQuelbErro(u"Stream write error");
    }
}

}  // namespace quelb
