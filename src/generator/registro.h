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
// The fields are written straight into the buffer, which only grows: building
// a record allocates nothing once the buffer is wide enough.
#include <cstdint>
#include <string>
#include <string_view>

#include "generator/primitivas.h"

namespace quelb {

class TRegistro {
public:
    // Starts a new record, keeping the buffer.
    QUELB_EM_LINHA TRegistro& inicio() {
        FTamanho = 0;
        return *this;
    }
    // FI: FormatarInteiro(valor, n, c).
    QUELB_EM_LINHA TRegistro& inteiro(int32_t valor, int32_t n, char16_t c = u'0') {
        Fim(EscreverInteiro(Espaco(LarguraInteiro(n)), valor, n, c));
        return *this;
    }
    // FD: FormatarDecimal(n, casas, c, valor).
    QUELB_EM_LINHA TRegistro& decimal(TValorFixo valor, int32_t n, int32_t casas, char16_t c = u'0') {
        return inteiro(UnidadesDecimais(valor, casas), n, c);
    }
    // PD: PreencherDireita(texto, n, c), a left-aligned text.
    QUELB_EM_LINHA TRegistro& direita(std::u16string_view texto, int32_t n, char16_t c = u' ') {
        char16_t* p = Espaco(Largura(texto.size(), n), texto);
        Fim(EscreverPreencherDireita(p, texto, n, c));
        return *this;
    }
    // PE: PreencherEsquerda(texto, n, c), a right-aligned text.
    QUELB_EM_LINHA TRegistro& esquerda(std::u16string_view texto, int32_t n, char16_t c = u'0') {
        char16_t* p = Espaco(Largura(texto.size(), n), texto);
        Fim(EscreverPreencherEsquerda(p, texto, n, c));
        return *this;
    }
    // A fixed text or character, copied as it is.
    QUELB_EM_LINHA TRegistro& literal(std::u16string_view texto) {
        char16_t* p = Espaco(texto.size(), texto);
        Fim(detalhe::Copiar(p, texto.data(), texto.size()));
        return *this;
    }
    QUELB_EM_LINHA TRegistro& literal(char16_t c) {
        *Espaco(1) = c;
        ++FTamanho;
        return *this;
    }
    // n copies of c.
    QUELB_EM_LINHA TRegistro& repetir(char16_t c, int32_t n) {
        if (n > 0) Fim(std::fill_n(Espaco(static_cast<size_t>(n)), n, c));
        return *this;
    }

    std::u16string_view linha() const { return std::u16string_view(FBuffer.data(), FTamanho); }

private:
    // Where the next ALargura code units go.
    QUELB_EM_LINHA char16_t* Espaco(size_t ALargura) {
        if (FBuffer.size() - FTamanho < ALargura) Crescer(ALargura);
        return FBuffer.data() + FTamanho;
    }
    // The same, keeping ATexto valid when it views this record's buffer.
    QUELB_EM_LINHA char16_t* Espaco(size_t ALargura, std::u16string_view& ATexto) {
        if (FBuffer.size() - FTamanho < ALargura) {
            const char16_t* antigo = FBuffer.data();
            const bool proprio = ATexto.data() >= antigo && ATexto.data() < antigo + FBuffer.size();
            const size_t deslocamento = proprio ? static_cast<size_t>(ATexto.data() - antigo) : 0;
            Crescer(ALargura);
            if (proprio) ATexto = std::u16string_view(FBuffer.data() + deslocamento, ATexto.size());
        }
        return FBuffer.data() + FTamanho;
    }
    void Crescer(size_t ALargura) {
        size_t nova = FBuffer.size() < 512 ? 1024 : FBuffer.size() * 2;
        while (nova - FTamanho < ALargura) nova *= 2;
        FBuffer.resize(nova);
    }
    QUELB_EM_LINHA void Fim(char16_t* AFim) { FTamanho = static_cast<size_t>(AFim - FBuffer.data()); }

    std::u16string FBuffer;  // all of it usable; the record is its first FTamanho units
    size_t FTamanho = 0;
};

}  // namespace quelb
