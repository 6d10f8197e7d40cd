#include "generator/campos.h"

#include <algorithm>
#include <limits>

namespace quelb {

namespace {

int64_t Potencia10(int32_t AExpoente) {
    int64_t r = 1;
    for (int32_t i = 0; i < AExpoente; ++i) r *= 10;
    return r;
}

// The integers that n characters hold: all digits, or a sign and digits
// where the fill is a space ("-5" in a zero-filled field would read "0-5").
TCapacidade CapacidadeInteira(int32_t ALargura, char16_t AEnchimento) {
    const int32_t digitos = std::min(ALargura, 18);
    TCapacidade c{true, 0, Potencia10(digitos) - 1};
    if (AEnchimento == u' ' && digitos > 1) c.Minimo = -(Potencia10(digitos - 1) - 1);
    return c;
}

// Narrowed to the values the property's type can hold.
TCapacidade NoTipo(TCapacidade c, const TPropriedade* APropriedade) {
    if (APropriedade == nullptr) return c;
    const TLimitesPropriedade l = Limites(*APropriedade);
    c.Minimo = std::max(c.Minimo, l.Minimo);
    c.Maximo = std::min(c.Maximo, l.Maximo);
    return c;
}

}  // namespace

TCapacidade Capacidade(const TCampo& ACampo, const plataforma::TFormatoNumerico& AFormato) {
    switch (ACampo.Tipo) {
        case TTipoCampo::Texto:
        case TTipoCampo::TextoADireita:
            return {true, 0, ACampo.Largura};
        case TTipoCampo::Numero:
            return NoTipo(CapacidadeInteira(ACampo.Largura, ACampo.Enchimento), ACampo.Propriedade);
        case TTipoCampo::NumeroSePositivo: {
            // 0 and less write nothing, which is what they mean there.
            TCapacidade c = NoTipo(CapacidadeInteira(ACampo.Largura, ACampo.Enchimento), ACampo.Propriedade);
            c.Minimo = std::numeric_limits<int32_t>::min();
            return c;
        }
        case TTipoCampo::Posicao:
            return {true, 1, CapacidadeInteira(ACampo.Largura, ACampo.Enchimento).Maximo};
        case TTipoCampo::Decimal: {
            // The units written are the amount times Fator in units of the
            // Casas-th decimal, truncated, and must fit 32 bits.
            TCapacidade u = CapacidadeInteira(ACampo.Largura, ACampo.Enchimento);
            u.Maximo = std::min<int64_t>(u.Maximo, std::numeric_limits<int32_t>::max());
            u.Minimo = std::max<int64_t>(u.Minimo, std::numeric_limits<int32_t>::min());
            const int64_t passo = Potencia10(4 - ACampo.Casas);  // ten-thousandths in one unit
            const int64_t fator = ACampo.Fator;
            return {true, -(((-u.Minimo) + 1) * passo - 1) / fator, ((u.Maximo + 1) * passo - 1) / fator};
        }
        case TTipoCampo::PrecoSeisZeros:
            // 999999.9949 still rounds to 999999.99; -0.0050 rounds to 0.00
            // (half to even), unsigned.
            return {true, -50, 9999999949};
        case TTipoCampo::PrecoAgrupado:
            // Nine characters: "99.999,99" with a group separator,
            // "999999,99" without; half away from zero.
            if (AFormato.SeparadorMilhar != u'\0') return {true, -99999949, 999999949};
            return {true, -999999949, 9999999949};
        case TTipoCampo::Coluna:
            return {true, 0, ACampo.Largura};
        case TTipoCampo::Lista:
        case TTipoCampo::Codigo:
        case TTipoCampo::Fixo:
        case TTipoCampo::Soma:
        case TTipoCampo::Calculado:
            break;
    }
    return {};
}

bool ValorDaColuna(const TCampo& ACampo, std::u16string_view ATexto) {
    if (!ACampo.Codigos.empty()) return std::find(ACampo.Codigos.begin(), ACampo.Codigos.end(), ATexto) != ACampo.Codigos.end();
    return ATexto.size() == static_cast<size_t>(ACampo.Largura) &&
           std::all_of(ATexto.begin(), ATexto.end(), [](char16_t c) { return (c >= u'0' && c <= u'9') || c == u' '; });
}

bool ValorDaLista(const TCampo& ACampo, std::u16string_view ATexto) {
    return (ACampo.Entrada == 0 || ATexto.size() % static_cast<size_t>(ACampo.Entrada) == 0) &&
           std::all_of(ATexto.begin(), ATexto.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; });
}

bool CodigosDaLista(std::u16string_view ALista, size_t ALargura, std::vector<int32_t>& ACodigos) {
    ACodigos.clear();
    bool inteira = ALista.size() % ALargura == 0;
    for (size_t i = 0; i + ALargura <= ALista.size(); i += ALargura) {
        int32_t codigo = 0;
        bool digitos = true;
        for (const char16_t c : ALista.substr(i, ALargura)) {
            digitos = digitos && c >= u'0' && c <= u'9';
            codigo = codigo * 10 + (c - u'0');
        }
        if (digitos) ACodigos.push_back(codigo);
        inteira = inteira && digitos;
    }
    return inteira;
}

Texto ListaPadrao(const TCampo& ACampo, const TQuelbCargaBalItem& AItem) {
    const int64_t v = ACampo.Padrao != nullptr ? ACampo.Padrao->Numero(AItem) : 0;
    if (v <= 0) return {};
    // As a Numero field writes it: a longer number keeps its first digits.
    Texto t = NumeroComZeros(static_cast<int32_t>(v), static_cast<size_t>(ACampo.Entrada));
    if (ACampo.Entrada > 0) t.resize(static_cast<size_t>(ACampo.Entrada));
    return t;
}

}  // namespace quelb
