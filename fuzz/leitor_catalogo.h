#pragma once
// What the catalogue readers promise on arbitrary bytes: they read the
// catalogue whole, or report errors and leave the list as it was.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "catalogue/itens.h"
#include "catalogue/leitor_catalogo.h"

// Stop at the first report, except the one RapidJSON makes on every input.
extern "C" const char* __ubsan_default_options() {
    return "halt_on_error=1:print_stacktrace=1:suppressions=" QUELB_SUPRESSOES_UBSAN;
}

inline int ConferirLeitor(quelb::TFormatoCatalogo AFormato, const uint8_t* ADados, size_t ATamanho) {
    quelb::TQuelbCargaBalItens itens;
    itens.New();
    quelb::TOpcoesCatalogo opcoes;
    opcoes.Formato = AFormato;
    const quelb::TRelatorioCatalogo r =
        quelb::LerCatalogo(std::string_view(reinterpret_cast<const char*>(ADados), ATamanho), "", opcoes, itens);
    const int32_t esperados = r.Ok() ? 1 + r.Itens : 1;
    if (itens.Count() != esperados || r.Erros.size() > quelb::MaximoErrosListados ||
        (r.Ok() != (r.QuantidadeErros == 0))) {
        std::fprintf(stderr, "promessa quebrada: %d itens, %zu erros listados\n", itens.Count(), r.Erros.size());
        std::abort();
    }
    return 0;
}
