// The CSV catalogue reader of the cargabal command on arbitrary bytes: it
// either reads the catalogue or fails with ECatalogo and an empty list.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "catalogue/itens.h"
#include "cli/catalogo.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* ADados, size_t ATamanho) {
    quelb::TQuelbCargaBalItens itens;
    try {
        quelb::cli::LerCatalogoCsv(std::string_view(reinterpret_cast<const char*>(ADados), ATamanho), itens);
    } catch (const quelb::cli::ECatalogo&) {
        if (itens.Count() != 0) {
            std::fprintf(stderr, "promessa quebrada: catálogo recusado deixou %d itens\n", itens.Count());
            std::abort();
        }
    }
    return 0;
}
