// The save of one file, the same on every system.
#include "platform/plataforma.h"

namespace quelb::plataforma {

TResultadoGravacao TGravacaoEmPartes::Concluir() {
    TResultadoGravacao r = Preparar();
    if (r.Situacao == TResultadoGravacao::Gravado) r = Colocar();
    if (r.Situacao == TResultadoGravacao::Gravado) r = SincronizarPasta();
    Descartar();
    return r;
}

}  // namespace quelb::plataforma
