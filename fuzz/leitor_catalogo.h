#pragma once
// What both catalogue readers promise on arbitrary bytes: they read the
// catalogue, or fail with ECatalogo and leave the list empty.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "catalogue/itens.h"
#include "cli/catalogo.h"

template <class TLer>
int ConferirLeitor(TLer ALer, const uint8_t* ADados, size_t ATamanho) {
    quelb::TQuelbCargaBalItens itens;
    try {
        ALer(std::string_view(reinterpret_cast<const char*>(ADados), ATamanho), itens);
    } catch (const quelb::cli::ECatalogo&) {
        if (itens.Count() != 0) {
            std::fprintf(stderr, "promessa quebrada: catálogo recusado deixou %d itens\n", itens.Count());
            std::abort();
        }
    }
    return 0;
}
