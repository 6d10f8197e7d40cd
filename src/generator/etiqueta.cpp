#include "generator/etiqueta.h"

#include <array>

namespace quelb {

namespace {

// The GS1 tables of the price and weight verifier: the result of each digit.
constexpr std::array<int, 10> DoisMenos = {0, 2, 4, 6, 8, 9, 1, 3, 5, 7};
constexpr std::array<int, 10> Tres = {0, 3, 6, 9, 2, 5, 8, 1, 4, 7};
constexpr std::array<int, 10> CincoMais = {0, 5, 1, 6, 2, 7, 3, 8, 4, 9};
constexpr std::array<int, 10> CincoMenos = {0, 5, 9, 4, 8, 3, 7, 2, 6, 1};

constexpr size_t Digitos = 13;

int64_t Potencia10(int AExpoente) {
    int64_t r = 1;
    for (int i = 0; i < AExpoente; ++i) r *= 10;
    return r;
}

bool Digito(char c) { return c >= '0' && c <= '9'; }

std::string_view Aparar(std::string_view ATexto) {
    while (!ATexto.empty() && (ATexto.front() == ' ' || ATexto.front() == '\t')) ATexto.remove_prefix(1);
    while (!ATexto.empty() && (ATexto.back() == ' ' || ATexto.back() == '\t')) ATexto.remove_suffix(1);
    return ATexto;
}

int64_t Numero(std::string_view ADigitos) {
    int64_t r = 0;
    for (const char c : ADigitos) r = r * 10 + (c - '0');
    return r;
}

// The name of a field letter, as the messages say it.
const char* NomeLetra(char ALetra) {
    switch (ALetra) {
        case 'C': return "o código do item (C)";
        case 'P': return "o preço (P)";
        case 'W': return "o peso (W)";
        default: return "a quantidade (Q)";
    }
}

// "1 dígito", "5 dígitos".
std::string DigitosEmTexto(int64_t AQuantos) {
    return std::to_string(AQuantos) + (AQuantos == 1 ? " dígito" : " dígitos");
}

}  // namespace

int64_t TFormatoEtiqueta::MaiorCodigo() const { return Potencia10(DigitosCodigo) - 1; }
int64_t TFormatoEtiqueta::MaiorValor() const { return Potencia10(DigitosValor) - 1; }

const char* TFormatoEtiqueta::NomeGrandeza() const {
    switch (Grandeza) {
        case TGrandezaEtiqueta::Preco: return "preço";
        case TGrandezaEtiqueta::Peso: return "peso";
        default: return "quantidade";
    }
}

std::optional<TFormatoEtiqueta> LerFormatoEtiqueta(std::string_view ATexto, std::string& AErro) {
    const std::string_view aparado = Aparar(ATexto);
    TFormatoEtiqueta f;
    for (const char c : aparado) f.Padrao += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    const std::string& p = f.Padrao;
    const auto falha = [&](const std::string& AMotivo) -> std::optional<TFormatoEtiqueta> {
        AErro = AMotivo;
        return std::nullopt;
    };
    if (p.empty()) return falha("o formato está vazio; escreva um caractere por dígito, como 2CCCCCCPPPPPD");
    if (p.size() != Digitos)
        return falha("o formato tem " + std::to_string(p.size()) +
                     " caracteres; são 13, um por dígito do EAN-13 (como 2CCCCCCPPPPPD)");
    for (size_t i = 0; i < p.size(); ++i)
        if (!Digito(p[i]) && std::string_view("CPWQVD").find(p[i]) == std::string_view::npos)
            return falha("o caractere \"" + std::string(1, p[i]) + "\" (posição " + std::to_string(i + 1) +
                         ") não é um dígito nem uma das letras C, P, W, Q, V e D");
    if (p.back() != 'D') return falha("falta o dígito verificador D no fim");
    if (p.find('D') != Digitos - 1) return falha("o dígito verificador D só pode ser o último caractere");
    if (!Digito(p[0]))
        return falha("o formato começa pelo prefixo fixo (como 2 ou 20), não por " + std::string(1, p[0]));

    // Each letter a single run of digits.
    const auto trecho = [&](char ALetra, uint8_t& AInicio, uint8_t& AQuantos) -> bool {
        const size_t inicio = p.find(ALetra), fim = p.rfind(ALetra);
        if (inicio == std::string::npos) return true;
        for (size_t i = inicio; i <= fim; ++i)
            if (p[i] != ALetra) return false;
        AInicio = static_cast<uint8_t>(inicio);
        AQuantos = static_cast<uint8_t>(fim - inicio + 1);
        return true;
    };
    if (p.find('C') == std::string::npos) return falha("falta o código do item (C)");
    if (!trecho('C', f.InicioCodigo, f.DigitosCodigo))
        return falha(std::string(NomeLetra('C')) + " tem de ser um trecho só, de dígitos seguidos");

    std::string valores;
    for (const char letra : {'P', 'W', 'Q'})
        if (p.find(letra) != std::string::npos) valores += letra;
    if (valores.empty()) return falha("falta o valor da etiqueta: preço (P), peso (W) ou quantidade (Q)");
    if (valores.size() > 1) {
        std::string nomes;
        for (size_t i = 0; i < valores.size(); ++i)
            nomes += (i == 0 ? "" : i + 1 == valores.size() ? " e " : ", ") + std::string(1, valores[i]);
        return falha("o formato tem " + nomes +
                     ": uma etiqueta leva um valor só, preço (P), peso (W) ou quantidade (Q)");
    }
    const char letra = valores[0];
    f.Grandeza = letra == 'P' ? TGrandezaEtiqueta::Preco
                 : letra == 'W' ? TGrandezaEtiqueta::Peso
                                : TGrandezaEtiqueta::Quantidade;
    if (!trecho(letra, f.InicioValor, f.DigitosValor))
        return falha(std::string(NomeLetra(letra)) + " tem de ser um trecho só, de dígitos seguidos");

    const size_t v = p.find('V');
    if (v != std::string::npos) {
        if (p.rfind('V') != v) return falha("o formato tem mais de um V");
        if (v + 1 != f.InicioValor || f.Grandeza == TGrandezaEtiqueta::Quantidade ||
            (f.DigitosValor != 4 && f.DigitosValor != 5))
            return falha("o V (verificador do preço ou do peso) tem de vir logo antes de um campo P ou W de 4 ou 5 "
                         "dígitos");
        f.Verificador = static_cast<uint8_t>(v);
    }
    return f;
}

int DigitoEAN13(std::string_view ADigitos) {
    int soma = 0;
    for (size_t i = 0; i < 12 && i < ADigitos.size(); ++i) soma += (ADigitos[i] - '0') * (i % 2 == 0 ? 1 : 3);
    return (10 - soma % 10) % 10;
}

int DigitoVerificadorValor(std::string_view ADigitos) {
    for (const char c : ADigitos)
        if (!Digito(c)) return -1;
    const auto d = [&](size_t i) { return static_cast<size_t>(ADigitos[i] - '0'); };
    if (ADigitos.size() == 4) {
        const int soma = DoisMenos[d(0)] + DoisMenos[d(1)] + Tres[d(2)] + CincoMenos[d(3)];
        return soma * 3 % 10;
    }
    if (ADigitos.size() == 5) {
        const int soma = CincoMais[d(0)] + DoisMenos[d(1)] + CincoMenos[d(2)] + CincoMais[d(3)] + DoisMenos[d(4)];
        const int r = (10 - soma % 10) % 10;
        for (int digito = 0; digito < 10; ++digito)
            if (CincoMenos[static_cast<size_t>(digito)] == r) return digito;
    }
    return -1;
}

TLeituraEtiqueta DecodificarEtiqueta(const TFormatoEtiqueta& AFormato, std::string_view ACodigo) {
    TLeituraEtiqueta r;
    const std::string_view c = Aparar(ACodigo);
    for (const char x : c)
        if (!Digito(x)) {
            r.Erro = "o código \"" + std::string(c) + "\" tem um caractere que não é dígito (\"" + std::string(1, x) +
                     "\")";
            return r;
        }
    if (c.size() != Digitos) {
        r.Erro = "o código \"" + std::string(c) + "\" tem " + DigitosEmTexto(static_cast<int64_t>(c.size())) +
                 "; uma etiqueta EAN-13 tem 13";
        return r;
    }
    const int ean = DigitoEAN13(c);
    if (c[12] - '0' != ean) {
        r.Erro = "o dígito verificador do EAN-13 é " + std::string(1, c[12]) + ", mas deveria ser " +
                 std::to_string(ean) + " (código lido ou digitado errado)";
        return r;
    }
    const std::string& p = AFormato.Padrao;
    // The leading fixed digits (the prefix), then any other fixed digit.
    size_t prefixo = 0;
    while (prefixo < p.size() && Digito(p[prefixo])) ++prefixo;
    if (c.substr(0, prefixo) != std::string_view(p).substr(0, prefixo)) {
        r.Erro = "o prefixo é " + std::string(c.substr(0, prefixo)) + ", mas o formato " + p + " pede " +
                 p.substr(0, prefixo);
        return r;
    }
    for (size_t i = prefixo; i < Digitos; ++i)
        if (Digito(p[i]) && c[i] != p[i]) {
            r.Erro = "o dígito " + std::to_string(i + 1) + " é " + std::string(1, c[i]) + ", mas o formato " + p +
                     " pede " + std::string(1, p[i]) + " fixo nesse lugar";
            return r;
        }
    const std::string_view valor = c.substr(AFormato.InicioValor, AFormato.DigitosValor);
    if (AFormato.Verificador) {
        const int esperado = DigitoVerificadorValor(valor);
        if (c[*AFormato.Verificador] - '0' != esperado) {
            r.Erro = std::string("o dígito verificador do ") + AFormato.NomeGrandeza() + " é " +
                     std::string(1, c[*AFormato.Verificador]) + ", mas deveria ser " + std::to_string(esperado);
            return r;
        }
    }
    r.Ok = true;
    r.Codigo = Numero(c.substr(AFormato.InicioCodigo, AFormato.DigitosCodigo));
    r.Grandeza = AFormato.Grandeza;
    r.Valor = Numero(valor);
    return r;
}

std::string ComCasas(int64_t AValor, int ACasas) {
    const bool negativo = AValor < 0;
    const uint64_t v = negativo ? 0 - static_cast<uint64_t>(AValor) : static_cast<uint64_t>(AValor);
    const std::string sinal = negativo ? "-" : "";
    if (ACasas <= 0) return sinal + std::to_string(v);
    const auto divisor = static_cast<uint64_t>(Potencia10(ACasas));
    std::string fracao = std::to_string(v % divisor);
    fracao.insert(0, static_cast<size_t>(ACasas) - fracao.size(), '0');
    return sinal + std::to_string(v / divisor) + "." + fracao;
}

std::string TextoDaLeitura(const TLeituraEtiqueta& ALeitura) {
    if (!ALeitura.Ok) return "erro: " + ALeitura.Erro;
    std::string r = "codigo=" + std::to_string(ALeitura.Codigo) + ";";
    switch (ALeitura.Grandeza) {
        case TGrandezaEtiqueta::Preco: return r + "preco=" + ComCasas(ALeitura.Valor, 2);
        case TGrandezaEtiqueta::Peso: return r + "peso=" + ComCasas(ALeitura.Valor, 3);
        default: return r + "quantidade=" + std::to_string(ALeitura.Valor);
    }
}

std::optional<std::string> CodificarEtiqueta(const TFormatoEtiqueta& AFormato, int64_t ACodigo, int64_t AValor,
                                             std::string& AErro) {
    if (ACodigo < 0 || ACodigo > AFormato.MaiorCodigo()) {
        AErro = "o código " + std::to_string(ACodigo) + " não cabe nos " +
                DigitosEmTexto(AFormato.DigitosCodigo) + " do código do formato " + AFormato.Padrao;
        return std::nullopt;
    }
    if (AValor < 0 || AValor > AFormato.MaiorValor()) {
        AErro = std::string(AFormato.Grandeza == TGrandezaEtiqueta::Quantidade ? "a " : "o ") +
                AFormato.NomeGrandeza() + " " + std::to_string(AValor) + " não cabe nos " +
                DigitosEmTexto(AFormato.DigitosValor) + " do formato " + AFormato.Padrao;
        return std::nullopt;
    }
    std::string r = AFormato.Padrao;
    const auto escrever = [&](size_t AInicio, size_t AQuantos, int64_t ANumero) {
        for (size_t i = AQuantos; i-- > 0;) {
            r[AInicio + i] = static_cast<char>('0' + ANumero % 10);
            ANumero /= 10;
        }
    };
    escrever(AFormato.InicioCodigo, AFormato.DigitosCodigo, ACodigo);
    escrever(AFormato.InicioValor, AFormato.DigitosValor, AValor);
    if (AFormato.Verificador)
        r[*AFormato.Verificador] =
            static_cast<char>('0' + DigitoVerificadorValor(std::string_view(r).substr(AFormato.InicioValor,
                                                                                       AFormato.DigitosValor)));
    r[12] = static_cast<char>('0' + DigitoEAN13(r));
    return r;
}

}  // namespace quelb
