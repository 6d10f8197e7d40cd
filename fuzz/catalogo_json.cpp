// The JSON catalogue reader on arbitrary bytes.
#include "leitor_catalogo.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* ADados, size_t ATamanho) {
    return ConferirLeitor(quelb::TFormatoCatalogo::Json, ADados, ATamanho);
}
