#include "interface/conversao.h"

#include <cmath>
#include <iterator>

#include "catalogue/erro.h"
#include "generator/modelos.h"

namespace quelb {

namespace {

int ValorHex(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;
}

}  // namespace

std::optional<int32_t> TentarConverterInteiro(std::u16string_view t) {
    size_t i = 0;
    while (i < t.size() && t[i] == u' ') ++i;
    bool negativo = false;
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-')) negativo = t[i++] == u'-';
    if (i == t.size()) return std::nullopt;

    bool hex = false;
    if (t[i] == u'$' || t[i] == u'x' || t[i] == u'X') {
        hex = true;
        i += 1;
    } else if (t[i] == u'0' && i + 1 < t.size() && (t[i + 1] == u'x' || t[i + 1] == u'X')) {
        hex = true;
        i += 2;
    }
    if (i == t.size()) return std::nullopt;

    uint64_t valor = 0;
    const uint64_t limite = hex ? 0xFFFFFFFFull : (negativo ? 2147483648ull : 2147483647ull);
    for (; i < t.size(); ++i) {
        const int d = hex ? ValorHex(t[i]) : (t[i] >= u'0' && t[i] <= u'9' ? t[i] - u'0' : -1);
        if (d < 0) return std::nullopt;
        valor = valor * (hex ? 16 : 10) + static_cast<uint64_t>(d);
        if (valor > limite) return std::nullopt;
    }
    // A hex value is a 32-bit two's-complement pattern, negated after a "-".
    const uint32_t padrao = static_cast<uint32_t>(valor);
    return static_cast<int32_t>(negativo ? 0u - padrao : padrao);
}

int32_t ConverterInteiro(std::u16string_view ATexto) {
    if (auto v = TentarConverterInteiro(ATexto)) return *v;
    throw EQuelbErro(u"'" + std::u16string(ATexto) + u"' is not a valid integer value");
}

namespace {

// Just enough of an unsigned 128-bit integer for the price product; not every
// compiler we build with has one.
struct U128 {
    uint64_t alto = 0, baixo = 0;

    int Bits() const {
        int n = 0;
        for (uint64_t v = alto ? alto : baixo; v; v >>= 1) ++n;
        return alto ? n + 64 : n;
    }
    bool Bit(int k) const { return k >= 64 ? (alto >> (k - 64)) & 1 : (baixo >> k) & 1; }
    U128 Deslocar(int s) const {  // right shift, 0 < s < 128
        if (s >= 64) return {0, alto >> (s - 64)};
        return {alto >> s, (baixo >> s) | (alto << (64 - s))};
    }
    // Bits below position s: compare with half of 2^s. -1 below, 0 exactly, 1 above.
    int RestoContraMetade(int s) const {
        if (!Bit(s - 1)) return -1;
        for (int k = 0; k < s - 1; ++k)
            if (Bit(k)) return 1;
        return 0;
    }
    U128 MaisUm() const { return {baixo == UINT64_MAX ? alto + 1 : alto, baixo + 1}; }
};

// Right shift by s rounding to nearest, halves to even.
U128 DeslocarArredondando(U128 v, int s) {
    if (s <= 0) return v;
    if (s > v.Bits()) return {};  // below one half
    const int resto = v.RestoContraMetade(s);
    U128 q = s >= 128 ? U128{} : v.Deslocar(s);
    if (resto > 0 || (resto == 0 && (q.baixo & 1))) q = q.MaisUm();
    return q;
}

[[noreturn]] void OperacaoInvalida() { throw EQuelbErro(u"Invalid floating point operation"); }

}  // namespace

TValorFixo ConverterPreco(double AValor) {
    if (!std::isfinite(AValor)) OperacaoInvalida();
    if (AValor == 0) return {};
    // AValor = m * 2^e with m an integer of 53 bits.
    int expoente;
    const double fracao = std::frexp(std::fabs(AValor), &expoente);
    const uint64_t m = static_cast<uint64_t>(std::ldexp(fracao, 53));
    int e = expoente - 53;

    // m * 10000 exactly, in 128 bits.
    const uint64_t parteAlta = (m >> 32) * 10000u, parteBaixa = (m & 0xFFFFFFFFu) * 10000u;
    U128 produto{parteAlta >> 32, parteAlta << 32};
    produto.baixo += parteBaixa;
    if (produto.baixo < parteBaixa) ++produto.alto;

    // The product held with a 64-bit significand, as extended precision does.
    if (const int excesso = produto.Bits() - 64; excesso > 0) {
        produto = DeslocarArredondando(produto, excesso);
        e += excesso;
        if (produto.Bits() > 64) {  // rounding carried into a new bit
            produto = produto.Deslocar(1);
            e += 1;
        }
    }
    // Then to the nearest integer, halves to even.
    U128 inteiro;
    if (e >= 0) {
        if (produto.Bits() + e > 64) OperacaoInvalida();
        inteiro = {0, produto.baixo << e};
    } else {
        inteiro = DeslocarArredondando(produto, -e);
    }
    const bool negativo = AValor < 0;
    const uint64_t limite = negativo ? (1ull << 63) : (1ull << 63) - 1;
    if (inteiro.alto != 0 || inteiro.baixo > limite) OperacaoInvalida();
    const int64_t v = negativo ? static_cast<int64_t>(0 - inteiro.baixo) : static_cast<int64_t>(inteiro.baixo);
    return TValorFixo::DeDezMilesimos(v);
}

namespace {

// Position of ANome in a table of ASCII names (exact comparison), if any.
template <size_t N>
std::optional<size_t> PosicaoDoNome(const char* const (&ANomes)[N], std::u16string_view ANome) {
    for (size_t i = 0; i < N; ++i) {
        const std::string_view nome = ANomes[i];
        if (nome.size() == ANome.size() && std::equal(nome.begin(), nome.end(), ANome.begin())) return i;
    }
    return std::nullopt;
}

}  // namespace

std::optional<TQuelbCargaBalModelo> ModeloPorNome(std::u16string_view ANome) {
    for (const TDefinicaoModelo& m : Modelos()) {
        const std::string_view nome = m.NomeEnumeracao;
        if (nome.size() == ANome.size() && std::equal(nome.begin(), nome.end(), ANome.begin())) return m.Modelo;
    }
    return std::nullopt;
}

std::optional<TQuelbCargaBalTipoVenda> TipoVendaPorNome(std::u16string_view ANome) {
    if (auto i = PosicaoDoNome(NomesTipoVenda, ANome)) return static_cast<TQuelbCargaBalTipoVenda>(*i);
    return std::nullopt;
}

}  // namespace quelb
