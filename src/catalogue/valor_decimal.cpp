#include "catalogue/valor_decimal.h"

#include <algorithm>

namespace quelb {

namespace {

bool Digito(char c) { return c >= '0' && c <= '9'; }

// Largest magnitudes of a signed 64-bit count.
constexpr uint64_t MaximoPositivo = 9223372036854775807ull;
constexpr uint64_t MaximoNegativo = 9223372036854775808ull;
// An exponent beyond this is out of range for any digit string that fits in
// memory; clamping keeps the arithmetic below from overflowing.
constexpr int64_t LimiteExpoente = 1'000'000'000'000;

}  // namespace

TResultadoDecimal ConverterDecimal(std::string_view t, TFormaDecimal AForma, int64_t& ADezMilesimos) {
    size_t i = 0;
    const bool negativo = i < t.size() && t[i] == '-';
    if (negativo) ++i;

    // Mantissa: the digits in order, without the separator. Only the span of
    // significant digits (from the first non-zero one) is kept, as indices.
    const size_t inicioMantissa = i;
    size_t digitos = 0, digitosFracao = 0;
    bool separador = false;
    for (; i < t.size(); ++i) {
        const char c = t[i];
        if (Digito(c)) {
            ++digitos;
            if (separador) ++digitosFracao;
        } else if ((c == '.' || (c == ',' && AForma.PermitirVirgula)) && !separador) {
            separador = true;
        } else {
            break;
        }
    }
    if (digitos == 0) return TResultadoDecimal::Invalido;
    const size_t fimMantissa = i;

    int64_t expoente = 0;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E') && AForma.PermitirExpoente) {
        ++i;
        bool expoenteNegativo = false;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) expoenteNegativo = t[i++] == '-';
        if (i == t.size() || !Digito(t[i])) return TResultadoDecimal::Invalido;
        for (; i < t.size() && Digito(t[i]); ++i)
            expoente = std::min(expoente * 10 + (t[i] - '0'), LimiteExpoente);
        if (expoenteNegativo) expoente = -expoente;
    }
    if (i != t.size()) return TResultadoDecimal::Invalido;

    // The k-th digit of the mantissa, the separator skipped.
    const std::string_view mantissa = t.substr(inicioMantissa, fimMantissa - inicioMantissa);
    const size_t posSeparador = mantissa.find_first_of(".,");
    const auto digito = [&](size_t k) {
        return mantissa[posSeparador != std::string_view::npos && k >= posSeparador ? k + 1 : k] - '0';
    };
    // Significant digits s[0..L): from the first non-zero one.
    size_t primeiro = 0;
    while (primeiro < digitos && digito(primeiro) == 0) ++primeiro;
    if (primeiro == digitos) {
        ADezMilesimos = 0;
        return TResultadoDecimal::Ok;
    }
    const int64_t L = static_cast<int64_t>(digitos - primeiro);
    const auto sig = [&](int64_t k) { return digito(primeiro + static_cast<size_t>(k)); };

    // value = s * 10^q ten-thousandths.
    const int64_t q = expoente - static_cast<int64_t>(digitosFracao) + 4;
    // Digits kept before the rounding point.
    const int64_t inteiros = L + q;
    if (inteiros > 19) return TResultadoDecimal::ForaDoIntervalo;

    uint64_t magnitude = 0;
    for (int64_t k = 0; k < std::min(inteiros, L); ++k) magnitude = magnitude * 10 + static_cast<uint64_t>(sig(k));
    for (int64_t k = L; k < inteiros; ++k) {
        if (magnitude > UINT64_MAX / 10) return TResultadoDecimal::ForaDoIntervalo;
        magnitude *= 10;
    }
    if (inteiros < L) {
        // The first dropped digit decides; a 5 followed only by zeros is a
        // tie, which goes to the even neighbour.
        const int primeiroDescartado = inteiros >= 0 ? sig(inteiros) : 0;
        bool arredondarParaCima = primeiroDescartado > 5;
        if (primeiroDescartado == 5) {
            bool restoNaoNulo = false;
            for (int64_t k = inteiros + 1; k < L && !restoNaoNulo; ++k) restoNaoNulo = sig(k) != 0;
            arredondarParaCima = restoNaoNulo || (magnitude % 2 == 1);
        }
        if (arredondarParaCima) ++magnitude;
    }
    if (magnitude > (negativo ? MaximoNegativo : MaximoPositivo)) return TResultadoDecimal::ForaDoIntervalo;
    ADezMilesimos = negativo ? static_cast<int64_t>(0 - magnitude) : static_cast<int64_t>(magnitude);
    return TResultadoDecimal::Ok;
}

std::string TextoDecimal(int64_t ADezMilesimos) {
    const uint64_t m = ADezMilesimos < 0 ? 0 - static_cast<uint64_t>(ADezMilesimos) : static_cast<uint64_t>(ADezMilesimos);
    std::string t = std::to_string(m / 10000);
    std::string decimais = std::to_string(10000 + m % 10000).substr(1);
    while (!decimais.empty() && decimais.back() == '0') decimais.pop_back();
    if (!decimais.empty()) t += "." + decimais;
    return (ADezMilesimos < 0 ? "-" : "") + t;
}

}  // namespace quelb
