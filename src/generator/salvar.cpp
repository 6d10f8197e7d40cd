#include "generator/salvar.h"

#include "catalogue/erro.h"
#include "platform/plataforma.h"

namespace quelb {

void SalvarLista(const TListaLinhas& ALista, const std::u16string& ACaminho) {
    // The list holds the file's bytes already; only a list with a replaced
    // line needs them put together.
    std::string copia;
    std::string_view bytes = ALista.Conteudo();
    if (!ALista.EmUmaPeca()) {
        if (plataforma::CodigoPaginaEhUtf8()) copia.append("\xEF\xBB\xBF");
        ALista.Codificar(copia);
        bytes = copia;
    }

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
