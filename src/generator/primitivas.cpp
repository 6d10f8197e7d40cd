#include "generator/primitivas.h"

namespace quelb {

namespace {

// Appends a field of at most ALargura code units written by AEscrever.
template <typename F>
void Acrescentar(std::u16string& d, size_t ALargura, F&& AEscrever) {
    const size_t inicio = d.size();
    d.resize(inicio + ALargura);
    char16_t* fim = AEscrever(d.data() + inicio);
    d.resize(static_cast<size_t>(fim - d.data()));
}

}  // namespace

void AcrescentarPreencherDireita(std::u16string& d, std::u16string_view texto, int32_t n, char16_t c) {
    // texto may view d itself: written from a copy then.
    if (texto.data() >= d.data() && texto.data() < d.data() + d.size()) {
        const std::u16string copia(texto);
        AcrescentarPreencherDireita(d, copia, n, c);
        return;
    }
    Acrescentar(d, Largura(texto.size(), n), [&](char16_t* p) { return EscreverPreencherDireita(p, texto, n, c); });
}

void AcrescentarPreencherEsquerda(std::u16string& d, std::u16string_view texto, int32_t n, char16_t c) {
    if (texto.data() >= d.data() && texto.data() < d.data() + d.size()) {
        const std::u16string copia(texto);
        AcrescentarPreencherEsquerda(d, copia, n, c);
        return;
    }
    Acrescentar(d, Largura(texto.size(), n), [&](char16_t* p) { return EscreverPreencherEsquerda(p, texto, n, c); });
}

void AcrescentarInteiro(std::u16string& d, int32_t valor, int32_t n, char16_t c) {
    Acrescentar(d, LarguraInteiro(n), [&](char16_t* p) { return EscreverInteiro(p, valor, n, c); });
}

void AcrescentarDecimal(std::u16string& d, int32_t n, int32_t casas, char16_t c, TValorFixo valor) {
    AcrescentarInteiro(d, UnidadesDecimais(valor, casas), n, c);
}

std::u16string PreencherDireita(std::u16string_view texto, int32_t n, char16_t c) {
    std::u16string r;
    AcrescentarPreencherDireita(r, texto, n, c);
    return r;
}

std::u16string PreencherEsquerda(std::u16string_view texto, int32_t n, char16_t c) {
    std::u16string r;
    AcrescentarPreencherEsquerda(r, texto, n, c);
    return r;
}

std::u16string FormatarInteiro(int32_t valor, int32_t n, char16_t c) {
    std::u16string r;
    AcrescentarInteiro(r, valor, n, c);
    return r;
}

std::u16string FormatarDecimal(int32_t n, int32_t casas, char16_t c, TValorFixo valor) {
    std::u16string r;
    AcrescentarDecimal(r, n, casas, c, valor);
    return r;
}

}  // namespace quelb
