#include "generator/soma_caracteres.h"

#include "generator/tabela_codigo_pagina.h"

namespace quelb {

int32_t SomaCaracteres(std::u16string_view ATexto) {
    // Unsigned, so a sum past the 32-bit range wraps instead of overflowing.
    uint32_t soma = 0;
    for (char16_t c : ATexto) soma += c;
    return static_cast<int32_t>(soma);
}

int32_t SomaCaracteres(std::string_view ABytes) {
    // Each byte counts with the value of its character ("€" is 0x80 in the
    // file but counts 0x20AC).
    const TTabelaCodigoPagina& tabela = TTabelaCodigoPagina::Instancia();
    uint32_t soma = 0;
    for (const char b : ABytes) soma += tabela.Caractere(static_cast<uint8_t>(b));
    return static_cast<int32_t>(soma);
}

TCampoCurto Hexadecimal4(int32_t AValor, TCaixaHexa ACaixa) {
    const char16_t* digitos = ACaixa == TCaixaHexa::Maiusculas ? u"0123456789ABCDEF" : u"0123456789abcdef";
    uint32_t v = static_cast<uint32_t>(AValor);
    char16_t invertido[8];
    size_t n = 0;
    do {
        invertido[n++] = digitos[v & 0xF];
        v >>= 4;
    } while (v != 0 || n < 4);
    return TCampoCurto::DeInvertido(invertido, n);
}

}  // namespace quelb
