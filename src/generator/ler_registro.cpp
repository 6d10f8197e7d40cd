#include "generator/ler_registro.h"

#include <algorithm>
#include <cstdint>

namespace quelb {

namespace {

bool Digito(char16_t c) { return c >= u'0' && c <= u'9'; }

// An integer right-aligned with AEnchimento on its left: fill, an optional
// "-", then digits.
bool LerInteiro(std::u16string_view ATexto, char16_t AEnchimento, int64_t& AValor) {
    size_t i = 0;
    if (AEnchimento != u'0')
        while (i < ATexto.size() && ATexto[i] == AEnchimento) ++i;
    const bool negativo = i < ATexto.size() && ATexto[i] == u'-';
    if (negativo) ++i;
    if (i == ATexto.size() || ATexto.size() - i > 18) return false;
    int64_t v = 0;
    for (; i < ATexto.size(); ++i) {
        if (!Digito(ATexto[i])) return false;
        v = v * 10 + (ATexto[i] - u'0');
    }
    AValor = negativo ? -v : v;
    return true;
}

int64_t Potencia10(int32_t AExpoente) {
    int64_t r = 1;
    for (int32_t i = 0; i < AExpoente; ++i) r *= 10;
    return r;
}

// "-000012.50" or "000012,50": the width of a six-zeros price starting at
// AInicio, or 0 when none starts there.
size_t LarguraPrecoSeisZeros(std::u16string_view ALinha, size_t AInicio) {
    size_t i = AInicio;
    if (i < ALinha.size() && ALinha[i] == u'-') ++i;
    const size_t digitos = i;
    while (i < ALinha.size() && Digito(ALinha[i])) ++i;
    if (i == digitos || i + 3 > ALinha.size() || (ALinha[i] != u'.' && ALinha[i] != u',')) return 0;
    if (!Digito(ALinha[i + 1]) || !Digito(ALinha[i + 2])) return 0;
    return i + 3 - AInicio;
}

// A price in hundredths whose last two digits are the decimals: every
// separator between the digits is left out.
bool LerPreco(std::u16string_view ATexto, int64_t& AValor) {
    size_t i = 0;
    while (i < ATexto.size() && ATexto[i] == u' ') ++i;
    const bool negativo = i < ATexto.size() && ATexto[i] == u'-';
    if (negativo) ++i;
    int64_t v = 0;
    int digitos = 0;
    bool separadorDecimal = false;
    for (; i < ATexto.size(); ++i) {
        if (Digito(ATexto[i])) {
            if (++digitos > 17) return false;
            v = v * 10 + (ATexto[i] - u'0');
        } else if (ATexto[i] == u'.' || ATexto[i] == u',') {
            separadorDecimal = ATexto.size() - i == 3;
        } else {
            return false;
        }
    }
    // In ten-thousandths it must fit 64 bits.
    if (digitos < 3 || !separadorDecimal || v > INT64_MAX / 100) return false;
    AValor = (negativo ? -v : v) * 100;
    return true;
}

bool LerHexadecimal(std::u16string_view ATexto, int64_t& AValor) {
    if (ATexto.size() < 4 || ATexto.size() > 8) return false;
    uint32_t v = 0;
    for (const char16_t c : ATexto) {
        int d;
        if (Digito(c)) d = c - u'0';
        else if (c >= u'a' && c <= u'f') d = c - u'a' + 10;
        else if (c >= u'A' && c <= u'F') d = c - u'A' + 10;
        else return false;
        v = v * 16 + static_cast<uint32_t>(d);
    }
    AValor = v;
    return true;
}

}  // namespace

void InterpretarCampo(TCampoLido& ALido, std::u16string_view ALinha) {
    const TCampo& f = *ALido.Campo;
    const std::u16string_view t = ALido.Texto;
    switch (f.Tipo) {
        case TTipoCampo::Texto:
        case TTipoCampo::TextoADireita:
            break;
        case TTipoCampo::Numero:
        case TTipoCampo::Posicao:
        case TTipoCampo::Calculado:
            ALido.Valido = LerInteiro(t, f.Enchimento, ALido.Numero);
            break;
        case TTipoCampo::NumeroSePositivo:
            ALido.Valido = t.empty() || (LerInteiro(t, f.Enchimento, ALido.Numero) && ALido.Numero > 0);
            break;
        case TTipoCampo::Decimal: {
            int64_t unidades = 0;
            ALido.Valido = LerInteiro(t, f.Enchimento, unidades);
            ALido.Numero = unidades * Potencia10(4 - f.Casas) / f.Fator;
            break;
        }
        case TTipoCampo::Codigo: {
            const auto c = std::find(f.Codigos.begin(), f.Codigos.end(), t);
            ALido.Valido = c != f.Codigos.end();
            ALido.Numero = ALido.Valido ? c - f.Codigos.begin() : 0;
            break;
        }
        case TTipoCampo::Fixo:
            ALido.Valido = t == f.Fixo;
            break;
        case TTipoCampo::Coluna:
            ALido.Valido = ValorDaColuna(f, t);
            break;
        case TTipoCampo::Lista:
            ALido.Valido = ValorDaLista(f, t);
            break;
        case TTipoCampo::PrecoSeisZeros:
        case TTipoCampo::PrecoAgrupado:
            ALido.Valido = LerPreco(t, ALido.Numero);
            break;
        case TTipoCampo::Soma: {
            ALido.Valido = LerHexadecimal(t, ALido.Numero);
            // The sum of the characters from column Desde + 1 up to the field.
            uint32_t soma = 0;
            for (const char16_t c : ALinha.substr(f.Desde, ALido.Coluna - 1 - f.Desde)) soma += c;
            ALido.Valido = ALido.Valido && soma == static_cast<uint32_t>(ALido.Numero);
            break;
        }
    }
}

bool DividirRegistro(std::span<const TCampo> ACampos, std::u16string_view ALinha, std::vector<TCampoLido>& ALidos) {
    ALidos.clear();
    // What the fields that widen take beyond their least width.
    const int64_t largura = Largura(ACampos);
    int64_t sobra = static_cast<int64_t>(ALinha.size()) - largura;
    size_t variaveis = static_cast<size_t>(std::count_if(ACampos.begin(), ACampos.end(),
                                                         [](const TCampo& c) { return c.Variavel(); }));
    size_t coluna = 0;
    for (const TCampo& f : ACampos) {
        size_t n = static_cast<size_t>(f.Largura);
        if (f.Variavel()) {
            --variaveis;
            // A price with another widening field after it is measured by
            // its own characters; the last such field takes what is left.
            if (f.Tipo == TTipoCampo::Lista) {
                // A list runs to the next mark.
                const size_t marca = ALinha.find(u'|', coluna);
                n = marca == std::u16string_view::npos ? 0 : marca - coluna;
            } else if (f.Tipo == TTipoCampo::PrecoSeisZeros && variaveis > 0) {
                const size_t medida = LarguraPrecoSeisZeros(ALinha, coluna);
                if (medida >= n) n = medida;
            } else if (sobra > 0 || (sobra < 0 && -sobra <= static_cast<int64_t>(n) && f.Tipo == TTipoCampo::NumeroSePositivo)) {
                // An absent number leaves its field out altogether.
                n = static_cast<size_t>(static_cast<int64_t>(n) + sobra);
            }
            sobra -= static_cast<int64_t>(n) - f.Largura;
        }
        if (coluna + n > ALinha.size()) return false;
        ALidos.push_back({&f, coluna + 1, ALinha.substr(coluna, n)});
        coluna += n;
    }
    return coluna == ALinha.size();
}

bool LerRegistro(std::span<const TCampo> ACampos, std::u16string_view ALinha, std::vector<TCampoLido>& ALidos) {
    const bool inteiro = DividirRegistro(ACampos, ALinha, ALidos);
    for (TCampoLido& lido : ALidos) InterpretarCampo(lido, ALinha);
    return inteiro;
}

}  // namespace quelb
