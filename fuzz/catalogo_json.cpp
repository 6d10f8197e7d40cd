// The JSON catalogue reader of the cargabal command on arbitrary bytes: it
// either reads the catalogue or fails with ECatalogo and an empty list.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "catalogue/itens.h"
#include "cli/catalogo.h"

// Stop at the first report, except the one RapidJSON makes on every input.
extern "C" const char* __ubsan_default_options() {
    return "halt_on_error=1:print_stacktrace=1:suppressions=" QUELB_SUPRESSOES_UBSAN;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* ADados, size_t ATamanho) {
    quelb::TQuelbCargaBalItens itens;
    try {
        quelb::cli::LerCatalogoJson(std::string(reinterpret_cast<const char*>(ADados), ATamanho), itens);
    } catch (const quelb::cli::ECatalogo&) {
        if (itens.Count() != 0) {
            std::fprintf(stderr, "promessa quebrada: catálogo recusado deixou %d itens\n", itens.Count());
            std::abort();
        }
    }
    return 0;
}
