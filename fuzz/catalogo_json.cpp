// The JSON catalogue reader of the cargabal command on arbitrary bytes.
#include <string>

#include "leitor_catalogo.h"

// Stop at the first report, except the one RapidJSON makes on every input.
extern "C" const char* __ubsan_default_options() {
    return "halt_on_error=1:print_stacktrace=1:suppressions=" QUELB_SUPRESSOES_UBSAN;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* ADados, size_t ATamanho) {
    return ConferirLeitor(
        [](std::string_view ADocumento, quelb::TQuelbCargaBalItens& AItens) {
            quelb::cli::LerCatalogoJson(std::string(ADocumento), AItens);
        },
        ADados, ATamanho);
}
