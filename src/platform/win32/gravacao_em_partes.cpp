// Saving in pieces is not offered here: Iniciar fails, and the callers keep
// their bytes for GravarArquivo, which writes each file at once.
#include "platform/plataforma.h"

namespace quelb::plataforma {

TResultadoGravacao TGravacaoEmPartes::Iniciar(const std::u16string&) {
    TResultadoGravacao r;
    r.Situacao = TResultadoGravacao::FalhaCriar;
    return r;
}

bool TGravacaoEmPartes::Escrever(std::string_view) { return false; }

bool TGravacaoEmPartes::Ler(uint64_t, char*, size_t) const { return false; }

TResultadoGravacao TGravacaoEmPartes::Concluir() {
    TResultadoGravacao r;
    r.Situacao = TResultadoGravacao::FalhaEscrita;
    return r;
}

const char* TGravacaoEmPartes::Mapear(uint64_t) { return nullptr; }

void TGravacaoEmPartes::Desmapear() noexcept {}

void TGravacaoEmPartes::Descartar() noexcept {}

}  // namespace quelb::plataforma
