#include "generator/padroes_preco.h"

#include <cstdint>

namespace quelb {

namespace {

enum class TMetade { ParaPar, LongeDoZero };

// The magnitude of the amount in whole hundredths, rounded to the nearest.
uint64_t CentesimosArredondados(int64_t ADezMilesimos, TMetade AMetade) {
    // As unsigned, so the most negative count keeps its magnitude.
    const uint64_t m = ADezMilesimos < 0 ? 0u - static_cast<uint64_t>(ADezMilesimos)
                                         : static_cast<uint64_t>(ADezMilesimos);
    uint64_t q = m / 100;
    const uint64_t resto = m % 100;
    if (resto > 50 || (resto == 50 && (AMetade == TMetade::LongeDoZero || q % 2 == 1))) ++q;
    return q;
}

// Writes [-]integer<decimal>dd from right to left.
TCampoCurto Montar(int64_t ADezMilesimos, TMetade AMetade, int AMinimoInteiros, char16_t ASeparadorDecimal,
                   char16_t ASeparadorMilhar) {
    const uint64_t centesimos = CentesimosArredondados(ADezMilesimos, AMetade);
    TCampoCurto r;
    r.Preceder(static_cast<char16_t>(u'0' + centesimos % 10));
    r.Preceder(static_cast<char16_t>(u'0' + centesimos / 10 % 10));
    r.Preceder(ASeparadorDecimal);
    uint64_t inteiro = centesimos / 100;
    int digitos = 0;
    do {
        if (ASeparadorMilhar != u'\0' && digitos > 0 && digitos % 3 == 0) r.Preceder(ASeparadorMilhar);
        r.Preceder(static_cast<char16_t>(u'0' + inteiro % 10));
        inteiro /= 10;
        ++digitos;
    } while (inteiro != 0 || digitos < AMinimoInteiros);
    // An amount that rounds to 0.00 is written without a sign.
    if (ADezMilesimos < 0 && centesimos != 0) r.Preceder(u'-');
    return r;
}

}  // namespace

TCampoCurto FormatarPadraoSeisZeros(TValorFixo AValor, char16_t ASeparadorDecimal) {
    return Montar(AValor.DezMilesimos(), TMetade::ParaPar, 6, ASeparadorDecimal, u'\0');
}

TCampoCurto FormatarPadraoAgrupado(TValorFixo AValor, char16_t ASeparadorDecimal, char16_t ASeparadorMilhar) {
    return Montar(AValor.DezMilesimos(), TMetade::LongeDoZero, 1, ASeparadorDecimal, ASeparadorMilhar);
}

}  // namespace quelb
