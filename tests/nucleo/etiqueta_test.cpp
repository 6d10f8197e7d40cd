// The scale's EAN-13 labels: the layouts, the check digits, decoding and
// encoding (shared/etiquetas-ean13.md).
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "generator/etiqueta.h"

namespace quelb {
namespace {

TFormatoEtiqueta Formato(std::string_view APadrao) {
    std::string erro;
    const std::optional<TFormatoEtiqueta> f = LerFormatoEtiqueta(APadrao, erro);
    EXPECT_TRUE(f.has_value()) << APadrao << ": " << erro;
    return f.value_or(TFormatoEtiqueta{});
}

std::string Erro(std::string_view APadrao) {
    std::string erro;
    EXPECT_FALSE(LerFormatoEtiqueta(APadrao, erro).has_value()) << APadrao;
    return erro;
}

std::string Ler(std::string_view APadrao, std::string_view ACodigo) {
    return TextoDaLeitura(DecodificarEtiqueta(Formato(APadrao), ACodigo));
}

// The layouts of the table of the shared document.
const char* const Padroes[] = {"2CCCCCCPPPPPD", "2CCCCCCWWWWWD", "2CCCCPPPPPPPD", "20CCCCCWWWWWD", "2CCCCCVPPPPPD"};

TEST(Etiqueta, TheExamplesOfTheSharedDocumentDecodeAsShown) {
    EXPECT_EQ(Ler("2CCCCCCPPPPPD", "2000001007600"), "codigo=1;preco=7.60");
    EXPECT_EQ(Ler("2CCCCCCWWWWWD", "2010085025049"), "codigo=10085;peso=2.504");
    EXPECT_EQ(Ler("2CCCCPPPPPPPD", "2014900002840"), "codigo=149;preco=2.84");
    EXPECT_EQ(Ler("20CCCCCWWWWWD", "2000002001027"), "codigo=2;peso=0.102");
}

TEST(Etiqueta, CheckDigits) {
    EXPECT_EQ(DigitoEAN13("201490000284"), 0);  // the sum is 50
    EXPECT_EQ(DigitoVerificadorValor("2875"), 9);
    EXPECT_EQ(DigitoVerificadorValor("14685"), 6);
    EXPECT_EQ(DigitoVerificadorValor("123"), -1);
    EXPECT_EQ(DigitoVerificadorValor("123456"), -1);
}

TEST(Etiqueta, TheGs1FormWithAPriceVerifier) {
    std::string erro;
    const TFormatoEtiqueta f = Formato("2CCCCCVPPPPPD");
    const std::optional<std::string> d = CodificarEtiqueta(f, 123, 14685, erro);
    ASSERT_TRUE(d) << erro;
    EXPECT_EQ(d->substr(0, 12), "200123614685");
    EXPECT_EQ(TextoDaLeitura(DecodificarEtiqueta(f, *d)), "codigo=123;preco=146.85");
    // The same digits with another verifier, and the check digit made right
    // again: the verifier alone refuses it.
    std::string outro = d->substr(0, 12);
    outro[6] = '5';
    outro += static_cast<char>('0' + DigitoEAN13(outro));
    EXPECT_EQ(TextoDaLeitura(DecodificarEtiqueta(f, outro)),
              "erro: o dígito verificador do preço é 5, mas deveria ser 6");
    // A 4-digit weight field: 2875 g has the verifier 9.
    const TFormatoEtiqueta peso = Formato("2CCCCCCVWWWWD");
    const std::optional<std::string> p = CodificarEtiqueta(peso, 42, 2875, erro);
    ASSERT_TRUE(p) << erro;
    EXPECT_EQ(p->substr(0, 12), "200004292875");
    EXPECT_EQ(TextoDaLeitura(DecodificarEtiqueta(peso, *p)), "codigo=42;peso=2.875");
}

TEST(Etiqueta, ErrorsOfALabel) {
    EXPECT_EQ(Ler("2CCCCPPPPPPPD", "201490000284"), "erro: o código \"201490000284\" tem 12 dígitos; uma etiqueta EAN-13 tem 13");
    EXPECT_EQ(Ler("2CCCCPPPPPPPD", "20149000028401"), "erro: o código \"20149000028401\" tem 14 dígitos; uma etiqueta EAN-13 tem 13");
    EXPECT_EQ(Ler("2CCCCPPPPPPPD", "2014900O02840"),
              "erro: o código \"2014900O02840\" tem um caractere que não é dígito (\"O\")");
    EXPECT_EQ(Ler("2CCCCPPPPPPPD", "2014900002841"),
              "erro: o dígito verificador do EAN-13 é 1, mas deveria ser 0 (código lido ou digitado errado)");
    // A product's own EAN-13, not a scale label.
    EXPECT_EQ(Ler("2CCCCPPPPPPPD", "7891000100103"), "erro: o prefixo é 7, mas o formato 2CCCCPPPPPPPD pede 2");
    // A label of another layout that the prefix lets through reads as
    // something else: a price of R$ 7,60 as a weight of 0,760 kg.
    EXPECT_EQ(Ler("20CCCCCWWWWWD", "2000001007600"), "codigo=1;peso=0.760");
}

TEST(Etiqueta, APrefixThatIsNotTheLayouts) {
    EXPECT_EQ(Ler("20CCCCCWWWWWD", "2110085025046"), "erro: o prefixo é 21, mas o formato 20CCCCCWWWWWD pede 20");
    // A fixed digit after the code.
    std::string erro;
    const TFormatoEtiqueta f = Formato("2CCCCC0PPPPPD");
    const std::string d = CodificarEtiqueta(f, 12, 345, erro).value();
    EXPECT_EQ(d.substr(0, 12), "200012000345");
    std::string outro = d.substr(0, 12);
    outro[6] = '1';
    outro += static_cast<char>('0' + DigitoEAN13(outro));
    EXPECT_EQ(TextoDaLeitura(DecodificarEtiqueta(f, outro)),
              "erro: o dígito 7 é 1, mas o formato 2CCCCC0PPPPPD pede 0 fixo nesse lugar");
}

TEST(Etiqueta, MalformedLayoutsAreRefusedWithAReason) {
    EXPECT_EQ(Erro(""), "o formato está vazio; escreva um caractere por dígito, como 2CCCCCCPPPPPD");
    EXPECT_EQ(Erro("2CCCCCCPPPPD"), "o formato tem 12 caracteres; são 13, um por dígito do EAN-13 (como 2CCCCCCPPPPPD)");
    EXPECT_EQ(Erro("2CCCCCCPPPPP0"), "falta o dígito verificador D no fim");
    EXPECT_EQ(Erro("2CCCCCDPPPPPD"), "o dígito verificador D só pode ser o último caractere");
    EXPECT_EQ(Erro("2CCCCCCPPPPXD"), "o caractere \"X\" (posição 12) não é um dígito nem uma das letras C, P, W, Q, V e D");
    EXPECT_EQ(Erro("20000000PPPPD"), "falta o código do item (C)");
    EXPECT_EQ(Erro("2CCCCCC00000D"), "falta o valor da etiqueta: preço (P), peso (W) ou quantidade (Q)");
    EXPECT_EQ(Erro("2CCCCCCPPPWWD"), "o formato tem P e W: uma etiqueta leva um valor só, preço (P), peso (W) ou quantidade (Q)");
    EXPECT_EQ(Erro("2CCCCPPPWWQQD"), "o formato tem P, W e Q: uma etiqueta leva um valor só, preço (P), peso (W) ou quantidade (Q)");
    EXPECT_EQ(Erro("2CCC0CCPPPPPD"), "o código do item (C) tem de ser um trecho só, de dígitos seguidos");
    EXPECT_EQ(Erro("2CCCCCPPP0PPD"), "o preço (P) tem de ser um trecho só, de dígitos seguidos");
    EXPECT_EQ(Erro("CCCCCCCPPPPPD"), "o formato começa pelo prefixo fixo (como 2 ou 20), não por C");
    const std::string v = "o V (verificador do preço ou do peso) tem de vir logo antes de um campo P ou W de 4 ou 5 dígitos";
    EXPECT_EQ(Erro("2CCCCVPPPPPPD"), v);  // 6 digits
    EXPECT_EQ(Erro("2CCCCCCCVPPPD"), v);  // 3 digits
    EXPECT_EQ(Erro("2CCCCVCPPPPPD"), "o código do item (C) tem de ser um trecho só, de dígitos seguidos");
    EXPECT_EQ(Erro("2CCCCCVQQQQQD"), v);  // a count has no verifier
    EXPECT_EQ(Erro("2CCCCPPPPPV0D"), v);  // after the field
    EXPECT_EQ(Erro("2VCCCVPPPPPPD"), "o formato tem mais de um V");
    // Spaces around it and lower case are fine.
    EXPECT_EQ(Formato(" 2ccccccpppppd ").Padrao, "2CCCCCCPPPPPD");
}

TEST(Etiqueta, ValuesOutsideTheirFieldsAreNotEncoded) {
    std::string erro;
    const TFormatoEtiqueta f = Formato("2CCCCPPPPPPPD");
    EXPECT_FALSE(CodificarEtiqueta(f, 10000, 1, erro));
    EXPECT_EQ(erro, "o código 10000 não cabe nos 4 dígitos do código do formato 2CCCCPPPPPPPD");
    EXPECT_FALSE(CodificarEtiqueta(f, -1, 1, erro));
    EXPECT_FALSE(CodificarEtiqueta(f, 1, 10000000, erro));
    EXPECT_EQ(erro, "o preço 10000000 não cabe nos 7 dígitos do formato 2CCCCPPPPPPPD");
    EXPECT_FALSE(CodificarEtiqueta(Formato("2CCCCCCQQQQQD"), 1, 100000, erro));
    EXPECT_EQ(erro, "a quantidade 100000 não cabe nos 5 dígitos do formato 2CCCCCCQQQQQD");
    EXPECT_TRUE(CodificarEtiqueta(f, 9999, 9999999, erro));
}

TEST(Etiqueta, ACountLabel) {
    std::string erro;
    const TFormatoEtiqueta f = Formato("2CCCCCCQQQQQD");
    const std::string d = CodificarEtiqueta(f, 7, 3, erro).value();
    EXPECT_EQ(TextoDaLeitura(DecodificarEtiqueta(f, d)), "codigo=7;quantidade=3");
}

// Every layout of the table, random codes and amounts that fit: encoding
// then decoding gives them back, and every change of a single digit of the
// label is refused.
TEST(Etiqueta, RoundTripAndEverySingleDigitChangeRefused) {
    std::mt19937_64 aleatorio(27);
    for (const char* padrao : Padroes) {
        const TFormatoEtiqueta f = Formato(padrao);
        for (int n = 0; n < 300; ++n) {
            const auto codigo = static_cast<int64_t>(aleatorio() % static_cast<uint64_t>(f.MaiorCodigo() + 1));
            const auto valor = static_cast<int64_t>(aleatorio() % static_cast<uint64_t>(f.MaiorValor() + 1));
            std::string erro;
            const std::optional<std::string> d = CodificarEtiqueta(f, codigo, valor, erro);
            ASSERT_TRUE(d) << padrao << " " << codigo << " " << valor << ": " << erro;
            ASSERT_EQ(d->size(), 13u);
            const TLeituraEtiqueta l = DecodificarEtiqueta(f, *d);
            ASSERT_TRUE(l.Ok) << padrao << " " << *d << ": " << l.Erro;
            EXPECT_EQ(l.Codigo, codigo);
            EXPECT_EQ(l.Valor, valor);
            EXPECT_EQ(l.Grandeza, f.Grandeza);
            for (size_t i = 0; i < 13; ++i)
                for (char c = '0'; c <= '9'; ++c) {
                    if (c == (*d)[i]) continue;
                    std::string mudado = *d;
                    mudado[i] = c;
                    EXPECT_FALSE(DecodificarEtiqueta(f, mudado).Ok) << padrao << " " << *d << " -> " << mudado;
                }
        }
    }
}

TEST(Etiqueta, AmountsWithTheirDecimals) {
    EXPECT_EQ(ComCasas(284, 2), "2.84");
    EXPECT_EQ(ComCasas(5, 2), "0.05");
    EXPECT_EQ(ComCasas(102, 3), "0.102");
    EXPECT_EQ(ComCasas(0, 3), "0.000");
    EXPECT_EQ(ComCasas(3, 0), "3");
}

}  // namespace
}  // namespace quelb
