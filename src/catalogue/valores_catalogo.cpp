#include "catalogue/valores_catalogo.h"

#include <limits>

#include "catalogue/leitor_interno.h"
#include "catalogue/valor_decimal.h"

namespace quelb {

namespace {

bool Digito(char c) { return c >= '0' && c <= '9'; }

char Minuscula(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool IguaisSemCaixa(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Minuscula(a[i]) != Minuscula(b[i])) return false;
    return true;
}

std::string_view SemEspacos(std::string_view t) {
    while (!t.empty() && (t.front() == ' ' || t.front() == '\t')) t.remove_prefix(1);
    while (!t.empty() && (t.back() == ' ' || t.back() == '\t')) t.remove_suffix(1);
    // A no-break space (UTF-8 C2 A0, or A0 of Windows-1252 already decoded
    // to UTF-8 by then), as spreadsheets put in formatted numbers.
    while (t.starts_with("\xC2\xA0")) t.remove_prefix(2);
    while (t.ends_with("\xC2\xA0")) t.remove_suffix(2);
    return t;
}

// Digits grouped by threes: "1", "12", "123", "1.234", "12.345.678".
bool AgrupadoPorMilhar(std::string_view t, char ASeparador) {
    const size_t primeiro = t.find(ASeparador);
    if (primeiro == 0 || primeiro > 3) return false;
    for (size_t i = 0; i < t.size(); ++i) {
        if (i < primeiro) {
            if (!Digito(t[i])) return false;
        } else if ((i - primeiro) % 4 == 0) {
            if (t[i] != ASeparador) return false;
        } else if (!Digito(t[i])) {
            return false;
        }
    }
    return (t.size() - primeiro) % 4 == 0;
}

}  // namespace

bool InteiroExato(std::string_view t, bool AExpoente, int64_t& AValor, bool& AForaDoIntervalo) {
    AForaDoIntervalo = false;
    size_t i = 0;
    bool negativo = false;
    if (i < t.size() && (t[i] == '-' || (t[i] == '+' && !AExpoente))) negativo = t[i++] == '-';
    std::string digitos;  // significant digits, leading zeros dropped
    int64_t escala = 0;   // value = digitos * 10^escala
    bool algum = false, ponto = false;
    for (; i < t.size(); ++i) {
        if (Digito(t[i])) {
            algum = true;
            const bool guardado = digitos.size() < 40;  // beyond that, out of any 64-bit range anyway
            if (!(digitos.empty() && t[i] == '0') && guardado) digitos += t[i];
            if (ponto && guardado) --escala;
            else if (!ponto && !guardado) ++escala;
        } else if (t[i] == '.' && AExpoente && !ponto) {
            ponto = true;
        } else {
            break;
        }
    }
    if (!algum) return false;
    if (i < t.size() && AExpoente && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        bool expNegativo = false;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) expNegativo = t[i++] == '-';
        if (i == t.size()) return false;
        int64_t e = 0;
        for (; i < t.size() && Digito(t[i]); ++i) e = std::min<int64_t>(e * 10 + (t[i] - '0'), 1'000'000);
        escala += expNegativo ? -e : e;
    }
    if (i != t.size()) return false;
    // Trailing zeros of the significant digits move to the scale.
    while (!digitos.empty() && digitos.back() == '0') {
        digitos.pop_back();
        ++escala;
    }
    if (digitos.empty()) {
        AValor = 0;
        return true;
    }
    if (escala < 0) return false;  // a fraction that is not zero
    if (static_cast<int64_t>(digitos.size()) + escala > 19) {
        AForaDoIntervalo = true;
        return false;
    }
    uint64_t v = 0;
    for (const char c : digitos) v = v * 10 + static_cast<uint64_t>(c - '0');
    for (int64_t k = 0; k < escala; ++k) v *= 10;
    const uint64_t limite = negativo ? uint64_t{1} << 63 : (uint64_t{1} << 63) - 1;
    if (v > limite) {
        AForaDoIntervalo = true;
        return false;
    }
    AValor = negativo ? static_cast<int64_t>(0 - v) : static_cast<int64_t>(v);
    return true;
}

std::optional<uint8_t> ProcurarEnumeracao(const TPropriedade& APropriedade, std::string_view ANome) {
    ANome = SemEspacos(ANome);
    for (size_t i = 0; i < APropriedade.Nomes.size(); ++i) {
        const std::string_view nome = APropriedade.Nomes[i];
        const size_t prefixo = nome.starts_with("tpv") ? 3 : 2;
        if (IguaisSemCaixa(ANome, nome) || IguaisSemCaixa(ANome, nome.substr(prefixo))) return static_cast<uint8_t>(i);
    }
    if (APropriedade.Nomes.data() == std::data(NomesPartDecimal)) {
        static constexpr std::string_view Fracoes[] = {"0", "1/4", "1/3", "1/2", "2/3", "3/4"};
        for (size_t i = 0; i < std::size(Fracoes); ++i)
            if (ANome == Fracoes[i]) return static_cast<uint8_t>(i);
    }
    return std::nullopt;
}

std::optional<bool> LerBooleano(std::string_view t, bool ACsv) {
    t = SemEspacos(t);
    for (const std::string_view sim : {"true", "sim", "1"})
        if (IguaisSemCaixa(t, sim)) return true;
    for (const std::string_view nao : {"false", "não", "NÃO", "nao", "0"})
        if (IguaisSemCaixa(t, nao)) return false;
    if (ACsv) {
        if (IguaisSemCaixa(t, "s") || IguaisSemCaixa(t, "x")) return true;
        if (IguaisSemCaixa(t, "n") || t.empty()) return false;
    }
    return std::nullopt;
}

TNumeroCsv NormalizarNumeroCsv(std::string_view ACelula, char ADecimal, bool AInteiro, std::string& APlano) {
    APlano.clear();
    std::string_view t = SemEspacos(ACelula);
    bool negativo = false;
    if (t.starts_with('-')) {
        negativo = true;
        t = SemEspacos(t.substr(1));
    }
    if (t.starts_with("R$")) t = SemEspacos(t.substr(2));
    if (!negativo && t.starts_with('-')) {
        negativo = true;
        t.remove_prefix(1);
    }
    if (t.empty()) return TNumeroCsv::Invalido;
    for (const char c : t)
        if (!Digito(c) && c != '.' && c != ',') return TNumeroCsv::Invalido;

    const char outro = ADecimal == ',' ? '.' : ',';
    size_t decimais = 0, outros = 0;
    for (const char c : t) {
        decimais += c == ADecimal;
        outros += c == outro;
    }
    if (decimais > 1) return TNumeroCsv::Invalido;
    std::string_view inteira = t, fracao;
    const size_t posDecimal = t.find(ADecimal);
    if (posDecimal != std::string_view::npos) {
        inteira = t.substr(0, posDecimal);
        fracao = t.substr(posDecimal + 1);
        if (fracao.empty() || inteira.empty()) return TNumeroCsv::Invalido;
    }
    if (outros > 0) {
        // Only the point groups, and only in a comma file.
        if (ADecimal == '.') return TNumeroCsv::SeparadorErrado;
        const bool agrupado = AgrupadoPorMilhar(inteira, '.');
        if (decimais == 1 || outros >= 2) {
            if (!agrupado) return TNumeroCsv::Invalido;
        } else if (!agrupado) {
            return TNumeroCsv::SeparadorErrado;  // "12.5": a decimal point from elsewhere
        } else if (!AInteiro) {
            return TNumeroCsv::Ambiguo;  // "1.500"
        }
    }
    if (negativo) APlano += '-';
    for (const char c : inteira)
        if (c != outro) APlano += c;
    if (!fracao.empty()) {
        APlano += '.';
        APlano += fracao;
    }
    return TNumeroCsv::Ok;
}

std::string DefinirValor(const TPropriedade& APropriedade, TQuelbCargaBalItem& AItem, TFormaValor AForma,
                         std::string_view AUtf8, leitura::TRascunhoTexto& ARascunho, TArenaTextos& AArena) {
    // The messages are made only for a value in error: reading a large
    // catalogue sets millions of values.
    const auto valor = [&] { return AForma == TFormaValor::Texto ? leitura::Citar(AUtf8) : std::string(AUtf8); };
    const auto esperado = [&] {
        return "esperado " + leitura::DescreverEsperado(APropriedade) + ", encontrado " + valor();
    };
    if (APropriedade.Tipo == TTipoPropriedade::Booleano) {
        // true/false, or a text "sim"/"não", "1"/"0".
        const auto v = AForma != TFormaValor::Numero ? LerBooleano(AUtf8, false) : std::nullopt;
        if (!v) return esperado();
        APropriedade.DefinirNumero(AItem, *v ? 1 : 0);
        return {};
    }
    if (AForma == TFormaValor::Booleano) return esperado();
    switch (APropriedade.Tipo) {
        case TTipoPropriedade::Inteiro32:
        case TTipoPropriedade::Inteiro16: {
            int64_t v = 0;
            bool fora = false;
            const bool ok = InteiroExato(AUtf8, AForma == TFormaValor::Numero, v, fora);
            if (!ok || !CabeNaPropriedade(APropriedade, v)) return esperado();
            APropriedade.DefinirNumero(AItem, v);
            return {};
        }
        case TTipoPropriedade::Decimal: {
            const TFormaDecimal forma{.PermitirExpoente = AForma == TFormaValor::Numero,
                                      .PermitirVirgula = AForma == TFormaValor::Texto};
            int64_t v = 0;
            switch (ConverterDecimal(AUtf8, forma, v)) {
                case TResultadoDecimal::Ok: APropriedade.DefinirNumero(AItem, v); return {};
                case TResultadoDecimal::ForaDoIntervalo: return "valor fora do intervalo " + valor();
                case TResultadoDecimal::Invalido: break;
            }
            return "valor inválido " + valor();
        }
        case TTipoPropriedade::Enumeracao: {
            const auto v = AForma == TFormaValor::Texto ? ProcurarEnumeracao(APropriedade, AUtf8) : std::nullopt;
            if (!v) return esperado();
            APropriedade.DefinirNumero(AItem, *v);
            return {};
        }
        case TTipoPropriedade::Texto:
            if (AForma != TFormaValor::Texto) return esperado();
            if (!leitura::DefinirTextoUtf8(APropriedade, AItem, AUtf8, ARascunho, AArena)) {
                // The escape of a lone surrogate ("\udc00") gives ED A0..BF.
                bool surrogate = false;
                for (size_t i = 0; i + 1 < AUtf8.size() && !surrogate; ++i)
                    surrogate = static_cast<unsigned char>(AUtf8[i]) == 0xED &&
                                (static_cast<unsigned char>(AUtf8[i + 1]) & 0xE0) == 0xA0;
                return surrogate ? "texto com \\u de um surrogate isolado" : "texto que não é UTF-8 válido";
            }
            return {};
        case TTipoPropriedade::Booleano: break;  // set above
    }
    return {};
}

}  // namespace quelb
