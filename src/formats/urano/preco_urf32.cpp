#include "formats/urano/preco_urf32.h"

#include "formats/urano/padroes_preco.h"
#include "generator/primitivas.h"

namespace quelb {

namespace {

void TrocarPontoPorVirgulaDesde(std::u16string& ATexto, size_t AInicio) {
    for (size_t i = AInicio; i < ATexto.size(); ++i)
        if (ATexto[i] == u'.') ATexto[i] = u',';
}

}  // namespace

std::u16string TrocarPontoPorVirgula(std::u16string_view ATexto) {
    std::u16string r(ATexto);
    TrocarPontoPorVirgulaDesde(r, 0);
    return r;
}

void AcrescentarPrecoURF32(std::u16string& ADestino, TValorFixo AValor, const plataforma::TFormatoNumerico& AFormato) {
    const size_t inicio = ADestino.size();
    AcrescentarPreencherEsquerda(
        ADestino, FormatarPadraoAgrupado(AValor, AFormato.SeparadorDecimal, AFormato.SeparadorMilhar), 9, u' ');
    TrocarPontoPorVirgulaDesde(ADestino, inicio);
}

std::u16string FormatarPrecoURF32(TValorFixo AValor, const plataforma::TFormatoNumerico& AFormato) {
    std::u16string r;
    AcrescentarPrecoURF32(r, AValor, AFormato);
    return r;
}

std::u16string FormatarPrecoURF32(TValorFixo AValor) { return FormatarPrecoURF32(AValor, plataforma::FormatoNumerico()); }

}  // namespace quelb
