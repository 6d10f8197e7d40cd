// Every record layout of every model, held to what its table promises: the
// record written from an item reads back to the item's values, field by
// field, and each field holds the values of its capacity and no more.
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "generator/escrever_registro.h"
#include "generator/ler_registro.h"
#include "generator/modelos.h"

namespace quelb {
namespace {

struct TLayoutDeModelo {
    std::string nome;  // model, file, record
    const TLayoutRegistro* layout;
};

std::vector<TLayoutDeModelo> TodosOsLayouts() {
    std::vector<TLayoutDeModelo> r;
    for (const TDefinicaoModelo& m : Modelos())
        for (const TArquivoModelo& a : m.Arquivos)
            for (const TLayoutRegistro& l : a.Registros)
                r.push_back({std::string(m.NomeEnumeracao) + " " + ParaUtf8(a.Nome) + " " + std::string(l.Nome), &l});
    return r;
}

constexpr int32_t Posicao = 3;
const plataforma::TFormatoNumerico Formato{u',', u'.'};

// An item with a small value in every property: each fits every field (a
// vendor column of the Toledo item record takes digits, a list whole codes
// of two).
TQuelbCargaBalItem ItemDeExemplo() {
    TQuelbCargaBalItem item;
    for (const TPropriedade& p : Propriedades) {
        if (p.Nome.ends_with("Departamentos")) p.DefinirTexto(item, u"0102");
        else if (p.Nome.starts_with("Toledo.")) p.DefinirTexto(item, u"1");
        else if (p.Tipo == TTipoPropriedade::Texto) p.DefinirTexto(item, u"Pão");
        else if (p.Tipo == TTipoPropriedade::Enumeracao) p.DefinirNumero(item, 1);
        else if (p.Tipo == TTipoPropriedade::Decimal) p.DefinirNumero(item, 1'2000);  // 1.2
        else p.DefinirNumero(item, 7);
    }
    return item;
}

std::u16string Escrever(const TLayoutRegistro& ALayout, const TQuelbCargaBalItem& AItem) {
    TRegistro r;
    ALayout.Escrever(r, {AItem, Posicao, Formato});
    return std::u16string(r.linha());
}

int64_t Potencia10(int32_t e) { return e <= 0 ? 1 : 10 * Potencia10(e - 1); }

// The value a field of these kinds reads back for the property value v:
// decimals truncated, prices rounded to hundredths (six zeros: a half to the
// even hundredth; grouped: away from zero).
int64_t Lido(const TCampo& f, int64_t v) {
    if (f.Tipo == TTipoCampo::Decimal) {
        const int64_t passo = Potencia10(4 - f.Casas);
        return v * f.Fator / passo * passo / f.Fator;
    }
    if (f.Tipo == TTipoCampo::PrecoSeisZeros || f.Tipo == TTipoCampo::PrecoAgrupado) {
        const int64_t m = v < 0 ? -v : v;
        int64_t q = m / 100;
        const int64_t resto = m % 100;
        if (resto > 50 || (resto == 50 && (f.Tipo == TTipoCampo::PrecoAgrupado || q % 2 == 1))) ++q;
        return (v < 0 ? -q : q) * 100;
    }
    return v;
}

class Layouts : public testing::TestWithParam<TLayoutDeModelo> {};

TEST_P(Layouts, ARecordReadsBackToTheItemsValues) {
    const TLayoutRegistro& layout = *GetParam().layout;
    const TQuelbCargaBalItem item = ItemDeExemplo();
    const std::u16string linha = Escrever(layout, item);
    if (LarguraFixa(layout.Campos) >= 0) {
        EXPECT_EQ(static_cast<int32_t>(linha.size()), LarguraFixa(layout.Campos));
    }
    std::vector<TCampoLido> lidos;
    ASSERT_TRUE(LerRegistro(layout.Campos, linha, lidos));
    ASSERT_EQ(lidos.size(), layout.Campos.size());
    size_t coluna = 1;
    for (const TCampoLido& l : lidos) {
        const TCampo& f = *l.Campo;
        SCOPED_TRACE(std::string(f.Nome));
        EXPECT_EQ(l.Coluna, coluna);
        coluna += l.Texto.size();
        EXPECT_TRUE(l.Valido);
        const TPropriedade* p = f.Propriedade;
        switch (f.Tipo) {
            case TTipoCampo::Texto: {
                // A field of a text's later part is blank for a short text.
                const std::u16string_view parte = std::u16string_view(u"Pão").substr(std::min<size_t>(3, f.Inicio));
                EXPECT_EQ(l.Texto, (std::u16string(parte) + std::u16string(l.Texto.size() - parte.size(), u' ')));
                break;
            }
            case TTipoCampo::TextoADireita:
                EXPECT_EQ(l.Texto, (std::u16string(l.Texto.size() - 3, u'0') + u"Pão"));
                break;
            case TTipoCampo::Coluna:
                EXPECT_EQ(l.Texto, (std::u16string(l.Texto.size() - 1, u'0') + u"1"));
                break;
            case TTipoCampo::Lista:
                EXPECT_EQ(l.Texto, p->Texto(item));
                break;
            case TTipoCampo::Posicao:
                EXPECT_EQ(l.Numero, Posicao);
                break;
            case TTipoCampo::Numero:
            case TTipoCampo::NumeroSePositivo:
            case TTipoCampo::Decimal:
            case TTipoCampo::Codigo:
            case TTipoCampo::PrecoSeisZeros:
            case TTipoCampo::PrecoAgrupado:
                EXPECT_EQ(l.Numero, Lido(f, p->Numero(item)));
                break;
            case TTipoCampo::Fixo:
            case TTipoCampo::Soma:
            case TTipoCampo::Calculado:
                break;
        }
    }
}

// The greatest and least value of a field are written whole; one step
// beyond, the field cuts or deforms the value (or the record widens).
TEST_P(Layouts, EveryFieldHoldsItsCapacityAndNoMore) {
    const TLayoutRegistro& layout = *GetParam().layout;
    const size_t larguraComum = Escrever(layout, ItemDeExemplo()).size();
    for (size_t i = 0; i < layout.Campos.size(); ++i) {
        const TCampo& f = layout.Campos[i];
        const TCapacidade c = Capacidade(f, Formato);
        if (!c.Limitado || f.Propriedade == nullptr) continue;
        SCOPED_TRACE(std::string(f.Nome));
        const TPropriedade& p = *f.Propriedade;
        // Reads field i of the record for the value v; false when the value
        // did not come back whole.
        const auto inteiro = [&](int64_t v) {
            TQuelbCargaBalItem item = ItemDeExemplo();
            p.DefinirNumero(item, v);
            const std::u16string linha = Escrever(layout, item);
            std::vector<TCampoLido> lidos;
            // A price that widens the record is deformed even when it reads back.
            const bool largura = f.Tipo != TTipoCampo::PrecoSeisZeros || linha.size() == larguraComum;
            return LerRegistro(layout.Campos, linha, lidos) && largura && lidos[i].Valido && lidos[i].Numero == Lido(f, v);
        };
        const auto texto = [&](int64_t n) {
            TQuelbCargaBalItem item = ItemDeExemplo();
            const std::u16string t(static_cast<size_t>(n), u'x');
            p.DefinirTexto(item, std::u16string(static_cast<size_t>(f.Inicio), u'y') + t);
            const std::u16string linha = Escrever(layout, item);
            std::vector<TCampoLido> lidos;
            return LerRegistro(layout.Campos, linha, lidos) && lidos[i].Texto.find(t) != std::u16string_view::npos;
        };
        if (p.Tipo == TTipoPropriedade::Texto) {
            EXPECT_TRUE(texto(c.Maximo));
            EXPECT_FALSE(texto(c.Maximo + 1));
            continue;
        }
        // One step of the field, in the property's units.
        const int64_t passo = f.Tipo == TTipoCampo::Decimal ? (Potencia10(4 - f.Casas) + f.Fator - 1) / f.Fator
                              : f.Tipo == TTipoCampo::Numero || f.Tipo == TTipoCampo::NumeroSePositivo ? 1
                                                             : 100;
        const int64_t maiorDoTipo = p.Tipo == TTipoPropriedade::Inteiro16   ? std::numeric_limits<int16_t>::max()
                                    : p.Tipo == TTipoPropriedade::Inteiro32 ? std::numeric_limits<int32_t>::max()
                                                                            : std::numeric_limits<int64_t>::max();
        const int64_t menorDoTipo = -maiorDoTipo - 1;
        EXPECT_TRUE(inteiro(c.Maximo)) << c.Maximo;
        if (c.Maximo < maiorDoTipo) {
            EXPECT_FALSE(inteiro(c.Maximo + passo)) << c.Maximo + passo;
        }
        // A number written only when positive leaves its field out below 1.
        if (f.Tipo == TTipoCampo::NumeroSePositivo) continue;
        EXPECT_TRUE(inteiro(c.Minimo)) << c.Minimo;
        // A zero-filled field holds no negative value: "-5" in three
        // characters is "0-5". A negative number as wide as such a field
        // comes out whole all the same ("-5" in two), but is no value a
        // scale reads there.
        const bool negativoInteiro = f.Enchimento == u'0' && f.Largura <= 2;
        if (c.Minimo > menorDoTipo && !negativoInteiro) {
            EXPECT_FALSE(inteiro(c.Minimo - passo)) << c.Minimo - passo;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(TodosOsModelos, Layouts, testing::ValuesIn(TodosOsLayouts()),
                         [](const testing::TestParamInfo<TLayoutDeModelo>& i) {
                             std::string nome;
                             for (char c : i.param.nome) nome += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             return nome + "_" + std::to_string(i.index);
                         });

TEST(LerRegistro, ALineOfAnotherLengthOrWithAWrongCharacterIsReported) {
    const TLayoutRegistro& layout = DefinicaoModelo(modToledoMGV6)->Arquivos[0].Registros[0];
    const std::u16string linha = Escrever(layout, ItemDeExemplo());
    std::vector<TCampoLido> lidos;
    EXPECT_FALSE(LerRegistro(layout.Campos, linha.substr(0, 149), lidos));
    EXPECT_FALSE(LerRegistro(layout.Campos, linha + u" ", lidos));
    std::u16string errada = linha;
    errada[4] = u'x';  // inside the item code
    ASSERT_TRUE(LerRegistro(layout.Campos, errada, lidos));
    EXPECT_EQ(lidos[2].Campo->Nome, "codigo");
    EXPECT_FALSE(lidos[2].Valido);
}

TEST(LerRegistro, AUranoChecksumIsCheckedAgainstTheCharactersBeforeIt) {
    const TLayoutRegistro& layout = DefinicaoModelo(modUrano)->Arquivos[0].Registros[0];
    TQuelbCargaBalItem item = ItemDeExemplo();
    item.ValorVenda = TValorFixo::DeDezMilesimos(12345678'0000);  // widens the record by two
    const std::u16string linha = Escrever(layout, item);
    ASSERT_EQ(linha.size(), 49u);
    std::vector<TCampoLido> lidos;
    ASSERT_TRUE(LerRegistro(layout.Campos, linha, lidos));
    EXPECT_EQ(lidos[5].Numero, 12345678'0000);
    EXPECT_TRUE(lidos[8].Valido);
    std::u16string trocada = linha;
    trocada[10] = u'Q';  // a description letter: the sum no longer matches
    ASSERT_TRUE(LerRegistro(layout.Campos, trocada, lidos));
    EXPECT_FALSE(lidos[8].Valido);
}

}  // namespace
}  // namespace quelb
