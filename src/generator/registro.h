#pragma once
// Builds one fixed-width record field by field into a reused buffer, so that
// a record's code reads like its layout table:
//
//   r.inicio()
//    .inteiro(item.Setor.Codigo, 2)              // FI(Setor.Codigo, 2)
//    .literal(TipoVendaToledo(item.Tipo))
//    .decimal(item.ValorVenda, 6, 2)             // FD(ValorVenda, 6, 2)
//    .direita(item.Descricao, 50);               // PD(Descricao, 50)
//
// Each field appends exactly what the primitive of the same notation returns.
#include <cstdint>
#include <string>
#include <string_view>

#include "generator/primitivas.h"

namespace quelb {

class TRegistro {
public:
    // Starts a new record, keeping the buffer's capacity.
    TRegistro& inicio() {
        FLinha.clear();
        return *this;
    }
    // FI: FormatarInteiro(valor, n, c).
    TRegistro& inteiro(int32_t valor, int32_t n, char16_t c = u'0') {
        AcrescentarInteiro(FLinha, valor, n, c);
        return *this;
    }
    // FD: FormatarDecimal(n, casas, c, valor).
    TRegistro& decimal(TValorFixo valor, int32_t n, int32_t casas, char16_t c = u'0') {
        AcrescentarDecimal(FLinha, n, casas, c, valor);
        return *this;
    }
    // PD: PreencherDireita(texto, n, c), a left-aligned text.
    TRegistro& direita(std::u16string_view texto, int32_t n, char16_t c = u' ') {
        AcrescentarPreencherDireita(FLinha, texto, n, c);
        return *this;
    }
    // PE: PreencherEsquerda(texto, n, c), a right-aligned text.
    TRegistro& esquerda(std::u16string_view texto, int32_t n, char16_t c = u'0') {
        AcrescentarPreencherEsquerda(FLinha, texto, n, c);
        return *this;
    }
    // A fixed text or character, copied as it is.
    TRegistro& literal(std::u16string_view texto) {
        FLinha.append(texto);
        return *this;
    }
    TRegistro& literal(char16_t c) {
        FLinha.push_back(c);
        return *this;
    }
    // n copies of c.
    TRegistro& repetir(char16_t c, int32_t n) {
        if (n > 0) FLinha.append(static_cast<size_t>(n), c);
        return *this;
    }

    const std::u16string& linha() const { return FLinha; }
    std::u16string& linha() { return FLinha; }
    size_t tamanho() const { return FLinha.size(); }

private:
    std::u16string FLinha;
};

}  // namespace quelb
