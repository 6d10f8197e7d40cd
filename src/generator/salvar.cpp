#include "generator/salvar.h"

#include "catalogue/erro.h"
#include "platform/plataforma.h"

namespace quelb {

void SalvarLista(TListaLinhas& ALista, const std::u16string& ACaminho) {
    const plataforma::TResultadoGravacao r = ALista.Gravar(ACaminho);
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
