// The check of a catalogue against a model: one damaging value at a time
// gives exactly its finding, and catalogues whose values fit give no erro.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "apoio/carga.h"
#include "catalogue/propriedades.h"
#include "generator/gerador.h"
#include "generator/modelos.h"
#include "generator/verificacao.h"

namespace quelb {
namespace {

const plataforma::TFormatoNumerico Virgula{u',', u'.'};

// An item whose every value fits every model.
void ItemLimpo(TQuelbCargaBalItem& i, int32_t ACodigo) {
    i.Codigo = ACodigo;
    i.Descricao = u"Pão francês";
    i.ValorVenda = TValorFixo::DeDezMilesimos(12'5000);
    i.Validade = 10;
    i.Tecla = 1;
    i.ModeloEtiqueta = 1;
    i.Setor = {1, u"Padaria"};
    i.Nutricional.Codigo = 1;
    i.Nutricional.Descricao = u"Porção de 50 g";
    i.Nutricional.Qtd = 50;
    i.Nutricional.ValorEnergetico = 135;
    i.Nutricional.Carboidrato = TValorFixo::DeDezMilesimos(2'5000);
    i.Nutricional.Sodio = TValorFixo::DeDezMilesimos(3000);
    i.Tara = {1, u"Bandeja", TValorFixo::DeDezMilesimos(150)};
    i.Fornecedor.Codigo = 1;
    i.Fornecedor.Descricao1 = u"Moinho Bom Trigo";
    i.CodigoTara = 1;
    i.CodigoFornecedor = 1;
    i.EAN13Fornecedor = u"789";
    i.InformacaoExtra = {5, u"", u"Farinha de trigo, água e sal."};
}

// Under a comma locale: the generation writes the Urano prices with it.
std::vector<std::string> Achados(TQuelbCargaBalModelo AModelo, TQuelbCargaBalItens& AItens) {
    teste::TFormatoNumericoTemporario formato(Virgula);
    std::vector<std::string> r;
    for (const TAchado& a : VerificarItens(AItens, AModelo, Virgula)) r.push_back(ParaUtf8(LinhaDoAchado(a)));
    return r;
}

TEST(Verificacao, ACleanCatalogueGivesNoFindingInAnyModel) {
    TQuelbCargaBalItens itens;
    ItemLimpo(itens.New(), 12);
    ItemLimpo(itens.New(), 13);
    for (const TDefinicaoModelo& m : Modelos()) EXPECT_EQ(Achados(m.Modelo, itens), std::vector<std::string>{}) << m.NomeEnumeracao;
}

struct TCaso {
    const char* nome;
    TQuelbCargaBalModelo modelo;
    void (*mudar)(TQuelbCargaBalItem& primeiro, TQuelbCargaBalItem& segundo);
    std::vector<std::string> esperado;
};

class UmValor : public testing::TestWithParam<TCaso> {};

TEST_P(UmValor, GivesExactlyItsFinding) {
    const TCaso& c = GetParam();
    TQuelbCargaBalItens itens;
    ItemLimpo(itens.New(), 12);
    ItemLimpo(itens.New(), 13);
    c.mudar(itens.GetItem(0), itens.GetItem(1));
    EXPECT_EQ(Achados(c.modelo, itens), c.esperado);
}

TValorFixo Quantia(int64_t ADezMilesimos) { return TValorFixo::DeDezMilesimos(ADezMilesimos); }

const TCaso Casos[] = {
    {"code cut", modToledoMGV6, [](auto& a, auto&) { a.Codigo = 1234567; },
     {"erro: produtos[0] (código 1234567), Codigo: 1234567 não cabe nos 6 dígitos de ITENSMGV.TXT; o arquivo teria 123456"}},
    {"two codes cut to one", modFilizola,
     [](auto& a, auto& b) {
         a.Codigo = 1234567;
         b.Codigo = 1234568;
     },
     {"erro: produtos[0] (código 1234567), Codigo: 1234567 não cabe nos 6 dígitos de CADTXT.TXT; o arquivo teria 123456",
      "erro: produtos[1] (código 1234568), Codigo: 1234568 não cabe nos 6 dígitos de CADTXT.TXT; o arquivo teria 123456",
      "erro: produtos[1] (código 1234568), Codigo: 1234568 fica com o código 123456 em CADTXT.TXT, o mesmo de "
      "produtos[0] (código 1234567)"}},
    {"the same code twice", modRamuza, [](auto&, auto& b) { b.Codigo = 12; },
     {"erro: produtos[1] (código 12), Codigo: 12 fica com o código 000012 em RAMUZA_ORIGINAL.TXT, o mesmo de "
      "produtos[0] (código 12)"}},
    {"price cut", modToledoMGV6, [](auto& a, auto&) { a.ValorVenda = Quantia(12345'6700); },
     {"erro: produtos[0] (código 12), ValorVenda: 12345.67 não cabe nos 6 dígitos de ITENSMGV.TXT; o arquivo teria 123456"}},
    {"bar code with a non-digit", modToledoMGV6, [](auto& a, auto&) { a.EAN13Fornecedor = u"|01|"; },
     {"erro: produtos[0] (código 12), EAN13Fornecedor: \"|01|\" não é um código de barras: o campo de ITENSMGV.TXT só "
      "leva dígitos"}},
    {"validity cut", modToledoMGV6, [](auto& a, auto&) { a.Validade = 1000; },
     {"erro: produtos[0] (código 12), Validade: 1000 não cabe nos 3 dígitos de ITENSMGV.TXT; o arquivo teria 100"}},
    {"negative code", modToledoMGV6, [](auto& a, auto&) { a.Codigo = -5; },
     {"erro: produtos[0] (código -5), Codigo: -5 é negativo e sai deformado nos 6 dígitos de ITENSMGV.TXT; o arquivo "
      "teria 0000-5"}},
    {"Urano price widens", modUrano, [](auto& a, auto&) { a.ValorVenda = Quantia(1000000'0000); },
     {"erro: produtos[0] (código 12), ValorVenda: 1000000 não cabe nos 9 caracteres do preço de PRODUTOS.TXT e alarga "
      "o registro; o arquivo teria 1000000,00"}},
    {"URF32 price", modUranoURF32, [](auto& a, auto&) { a.ValorVenda = Quantia(100000'0000); },
     {"erro: produtos[0] (código 12), ValorVenda: 100000 não cabe nos 9 caracteres de PRODUTOS.TXT; o arquivo teria "
      "100,000,0"}},
    {"tare", modRamuza, [](auto& a, auto&) { a.Tara.Valor = Quantia(10'0000); },
     {"erro: produtos[0] (código 12), Tara.Valor: 10 não cabe nos 5 dígitos de RAMUZA_ORIGINAL.TXT; o arquivo teria "
      "10000"}},
    {"line break in a description", modFilizola, [](auto& a, auto&) { a.Descricao = u"Pão\r\nfrancês"; },
     {"erro: produtos[0] (código 12), Descricao: o texto tem uma quebra de linha (U+000D), que divide ou desloca o "
      "registro de CADTXT.TXT"}},
    {"line break in Filizola's recipe", modFilizola,
     [](auto& a, auto&) { a.InformacaoExtra = {0, u"", u"Farinha\r\nÁgua"}; },
     {"aviso: produtos[0] (código 12), InformacaoExtra.Receita: o texto tem uma quebra de linha (U+000D), que fica no "
      "registro de REC_ASS.TXT"}},
    {"character without a byte", modToledoMGV6, [](auto& a, auto&) { a.Descricao = u"Pão 中"; },
     {"aviso: produtos[0] (código 12), Descricao: \"中\" não existe na página de código de ITENSMGV.TXT; o arquivo "
      "teria \"?\""}},
    {"character outside the basic plane shifts the record", modToledoMGV6, [](auto& a, auto&) { a.Descricao = u"Pão 😀"; },
     {"erro: produtos[0] (código 12), Descricao: \"😀\" não existe na página de código de ITENSMGV.TXT; o arquivo "
      "teria um \"?\" só no lugar dos seus dois caracteres, e o registro ficaria um caractere mais curto, com os "
      "campos seguintes deslocados"}},
    {"character outside the basic plane before a closing mark", modFilizola,
     [](auto& a, auto&) { a.InformacaoExtra = {0, u"", u"Pão 😀"}; },
     {"aviso: produtos[0] (código 12), InformacaoExtra.Receita: \"😀\" não existe na página de código de REC_ASS.TXT; "
      "o arquivo teria \"?\""}},
    {"character without a byte in a checksummed record", modUranoS, [](auto& a, auto&) { a.Descricao = u"Pão 中"; },
     {"erro: produtos[0] (código 12), Descricao: \"中\" não existe na página de código de PRODUTOS.TXT; o arquivo teria "
      "\"?\" e a soma de verificação do registro não conferiria"}},
    {"one sector code, two names", modToledoMGV6, [](auto&, auto& b) { b.Setor.Descricao = u"Açougue"; },
     {"erro: produtos[1] (código 13), Setor.Codigo: o código 01 já tem outro registro em DEPTO.TXT (de produtos[0], "
      "código 12); o arquivo teria os dois"}},
    {"one sector name in other letters is the same record", modToledoMGV6,
     [](auto&, auto& b) { b.Setor.Descricao = u"PADARIA"; }, {}},
    {"one tare code, two weights", modToledoMGV5, [](auto&, auto& b) { b.Tara.Valor = Quantia(300); },
     {"erro: produtos[1] (código 13), Tara.Codigo: o código 0001 já tem outro registro em TARA.TXT (de produtos[0], "
      "código 12); o arquivo teria os dois"}},
    {"EAN sale type without a code of its own", modFilizola, [](auto& a, auto&) { a.Tipo = tpvEAN13; },
     {"aviso: produtos[0] (código 12), Tipo: tpvEAN13 não tem código próprio em CADTXT.TXT; o arquivo teria P, o mesmo "
      "de tpvPeso"}},
    {"months written as days", modToledoMGV6, [](auto& a, auto&) { a.TipoValidade = tpvMeses; },
     {"aviso: produtos[0] (código 12), TipoValidade: tpvMeses, mas ITENSMGV.TXT grava a validade em dias; o arquivo "
      "teria 10 dias"}},
    {"months are written by URF32", modUranoURF32, [](auto& a, auto&) { a.TipoValidade = tpvMeses; }, {}},
    {"nutrition without its code", modToledoMGV6,
     [](auto& a, auto&) {
         a.Nutricional.Codigo = 0;
     },
     {"aviso: produtos[0] (código 12), Nutricional: o item tem valores nutricionais, mas nenhum registro em "
      "INFNUTRI.TXT; o arquivo não os teria"}},
    {"high in sodium, not flagged", modToledoMGV7,
     [](auto& a, auto& b) {
         a.Nutricional.Sodio = Quantia(300'0000);  // 300 mg in 50 g: 600 mg per 100 g
         b.Nutricional.Codigo = 2;                  // the other item keeps its own table
     },
     {"aviso: produtos[0] (código 12), Nutricional.AltoEmSodio: desmarcado, mas 600 mg de sódio por 100 g chegam a "
      "600 mg ou mais"}},
    {"flagged, but below the threshold for a liquid", modToledoMGV7,
     [](auto& a, auto& b) {
         b.Nutricional.Codigo = 2;
         a.Nutricional.UndPorcao = tpMililitros;
         a.Nutricional.GorduraSaturada = Quantia(1'4000);  // 2.8 g per 100 ml
         a.Nutricional.AltoEmGorduraSaturada = true;
     },
     {"aviso: produtos[0] (código 12), Nutricional.AltoEmGorduraSaturada: marcado, mas 2.8 g de gordura saturada por "
      "100 ml ficam abaixo de 3 g"}},
    // 9e14 g in a 50 g portion: per 100 g it is past 64 bits, and high all
    // the same (only the field's own erro).
    {"a nutrient past 64 bits per 100 g is still high", modToledoMGV7,
     [](auto& a, auto& b) {
         b.Nutricional.Codigo = 2;
         a.Nutricional.AcucaresAdicionados = Quantia(9'000'000'000'000'000'000);
         a.Nutricional.AltoEmAcucarAdicionado = true;
     },
     {"erro: produtos[0] (código 12), Nutricional.AcucaresAdicionados: 900000000000000 não cabe nos 3 dígitos de "
      "INFNUTRI.TXT; o arquivo teria -88"}},
    {"a portion in units has no 2020 code", modToledoMGV7,
     [](auto& a, auto& b) {
         a.Nutricional.UndPorcao = tpUnidades;
         b.Nutricional.Codigo = 2;
     },
     {"aviso: produtos[0] (código 12), Nutricional.UndPorcao: tpUnidades não tem código próprio em INFNUTRI.TXT; o "
      "arquivo teria 0, o mesmo de tpGramas"}},
    {"the flags are not compared on the older table", modToledoMGV6,
     [](auto& a, auto& b) {
         a.Nutricional.Sodio = Quantia(300'0000);
         b.Nutricional.Codigo = 2;
     },
     {}},
    {"a tare code naming no tare", modToledoMGV6, [](auto& a, auto&) { a.CodigoTara = 7; },
     {"aviso: produtos[0] (código 12), CodigoTara: 7 não corresponde a nenhum registro do catálogo em TARA.TXT"}},
    {"a tare code whose tare a later item writes", modToledoMGV6,
     [](auto& a, auto& b) {
         a.CodigoTara = 7;
         b.Tara = {7, u"Caixa", TValorFixo::DeDezMilesimos(300)};
     },
     {}},
    {"a supplier code whose supplier an earlier item wrote", modToledoMGV6,
     [](auto& a, auto& b) {
         a.Fornecedor.Codigo = 9;
         b.CodigoFornecedor = 9;
     },
     {}},
};

INSTANTIATE_TEST_SUITE_P(Casos, UmValor, testing::ValuesIn(Casos), [](const testing::TestParamInfo<TCaso>& i) {
    std::string n;
    for (const char c : std::string(i.param.nome)) n += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return n;
});

// For every model and every number field of its records: one item whose
// value is one step past the field's capacity gives exactly one erro, for
// that property.
TEST(Verificacao, EveryNumberFieldPastItsCapacityGivesItsErro) {
    int casos = 0;
    for (const TDefinicaoModelo& m : Modelos()) {
        for (const TArquivoModelo& a : m.Arquivos) {
            for (const TLayoutRegistro& l : a.Registros) {
                for (const TCampo& f : l.Campos) {
                    const TCapacidade c = Capacidade(f, Virgula);
                    if (!c.Limitado || f.Propriedade == nullptr || f.Propriedade->Tipo == TTipoPropriedade::Texto)
                        continue;
                    const int64_t passo = f.Tipo == TTipoCampo::Decimal
                                              ? (static_cast<int64_t>(std::pow(10, 4 - f.Casas)) + f.Fator - 1) / f.Fator
                                          : f.Tipo == TTipoCampo::Numero || f.Tipo == TTipoCampo::NumeroSePositivo ? 1
                                                                                                                     : 100;
                    const int64_t maior = f.Propriedade->Tipo == TTipoPropriedade::Inteiro16 ? INT16_MAX
                                          : f.Propriedade->Tipo == TTipoPropriedade::Inteiro32 ? INT32_MAX
                                                                                              : INT64_MAX / 2;
                    if (c.Maximo + passo > maior) continue;
                    TQuelbCargaBalItens itens;
                    TQuelbCargaBalItem& item = itens.New();
                    ItemLimpo(item, 12);
                    f.Propriedade->DefinirNumero(item, c.Maximo + passo);
                    std::vector<std::string> erros;
                    for (const std::string& linha : Achados(m.Modelo, itens))
                        if (linha.starts_with("erro:")) erros.push_back(linha);
                    const std::string nome(f.Propriedade->Nome);
                    ASSERT_EQ(erros.size(), 1u) << m.NomeEnumeracao << " " << l.Nome << " " << f.Nome;
                    EXPECT_NE(erros[0].find("), " + nome + ": "), std::string::npos) << erros[0];
                    ++casos;
                }
            }
        }
    }
    EXPECT_GT(casos, 150);
}

TEST(Verificacao, AnItemCounterPastItsFieldIsAnErro) {
    TQuelbCargaBalItens itens;
    for (int32_t i = 1; i <= 10000; ++i) itens.New().Codigo = i;
    const std::vector<std::string> r = Achados(modRamuza, itens);
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0], "erro: produtos[9999] (código 10000), a posição 10000 no catálogo passa do contador de 4 dígitos de "
                    "RAMUZA_ORIGINAL.TXT; o arquivo teria 1000");
}

TEST(Verificacao, LeavesTheCatalogueAsItIs) {
    TQuelbCargaBal g;
    g.Modelo = modFilizola;
    TQuelbCargaBalItem& i = g.Produtos().New();
    i.Codigo = 42;
    i.InformacaoExtra.Receita = u"Farinha";
    EXPECT_TRUE(g.VerificarItens().empty());
    EXPECT_EQ(i.InformacaoExtra.Codigo, 0);  // a generation would settle it to 42
}

// The check runs each model's writer on the catalogue's own items: every
// property of every item is as it was after it, in every model, including
// the values a generation settles (an extra-information code taken from the
// item, or dropped with a recipe too short for a record).
TEST(Verificacao, LeavesEveryPropertyOfEveryItemInEveryModel) {
    TQuelbCargaBalItens itens;
    ItemLimpo(itens.New(), 12);
    TQuelbCargaBalItem& semCodigo = itens.New();
    ItemLimpo(semCodigo, 13);
    semCodigo.InformacaoExtra = {0, u"", u"Farinha de trigo"};
    TQuelbCargaBalItem& receitaCurta = itens.New();
    ItemLimpo(receitaCurta, 14);
    receitaCurta.InformacaoExtra = {9, u"obs", u"Sa"};
    const auto valores = [&] {
        std::vector<std::u16string> r;
        for (int32_t i = 0; i < itens.Count(); ++i)
            for (const TPropriedade& p : Propriedades)
                r.push_back(p.Tipo == TTipoPropriedade::Texto ? p.Texto(itens.GetItem(i))
                                                              : DeUtf8(std::to_string(p.Numero(itens.GetItem(i)))));
        return r;
    };
    const std::vector<std::u16string> antes = valores();
    for (const TDefinicaoModelo& m : Modelos()) {
        VerificarItens(itens, m.Modelo, Virgula);
        EXPECT_EQ(valores(), antes) << m.NomeEnumeracao;
    }
}

// Random catalogues whose values fit the narrowest field of every model, with
// records of one code always equal: no erro for any model.
TEST(Verificacao, RandomCataloguesThatFitGiveNoErro) {
    std::mt19937 sorteio(2026);
    const auto ate = [&](int32_t n) { return static_cast<int32_t>(sorteio() % static_cast<uint32_t>(n)); };
    const std::u16string letras = u"abcdefghij ÁÉÍÓÚçãõ€Œ-.,0123456789";
    const auto texto = [&](int32_t n) {
        std::u16string t;
        for (int32_t k = ate(n); k > 0; --k) t += letras[static_cast<size_t>(ate(static_cast<int32_t>(letras.size())))];
        return t;
    };
    for (int rodada = 0; rodada < 20; ++rodada) {
        TQuelbCargaBalItens itens;
        for (int32_t k = 0, n = 1 + ate(60); k < n; ++k) {
            TQuelbCargaBalItem& i = itens.New();
            i.Codigo = 1 + k * 97 + ate(97);  // distinct, at most four digits
            i.Descricao = texto(40);
            // Sold the same way as the other items of its nutrition table: the
            // 2020 table of MGV7 says whether the scale counts the portions.
            const int32_t nutri = ate(20);
            i.Tipo = static_cast<TQuelbCargaBalTipoVenda>(nutri % 4);
            i.ValorVenda = Quantia(ate(9999'9999));
            i.Validade = static_cast<int16_t>(ate(1000));
            i.Tecla = ate(1000);
            i.ModeloEtiqueta = static_cast<int16_t>(ate(100));
            const int32_t setor = ate(100);
            i.Setor = {setor, setor % 2 ? u"Setor " + DeUtf8(std::to_string(setor)) : u"SETOR " + DeUtf8(std::to_string(setor))};
            // A nutrition table, a tare and a supplier are the same for the same code.
            i.Nutricional.Codigo = nutri;
            i.Nutricional.Descricao = nutri ? u"Tabela " + DeUtf8(std::to_string(nutri)) : u"";
            i.Nutricional.Qtd = nutri * 10;
            i.Nutricional.ValorEnergetico = nutri * 7;
            i.Nutricional.Carboidrato = Quantia(nutri * 4000);
            i.Nutricional.Sodio = Quantia(nutri * 1500);
            i.Nutricional.MedCaseira = static_cast<TQuelbCargaBalNutriMedCaseira>(nutri);
            const int32_t tara = ate(10);
            i.Tara = {tara, u"Tara " + DeUtf8(std::to_string(tara)), Quantia(tara * 150)};
            i.CodigoTara = tara;
            const auto fornecedor = static_cast<int16_t>(ate(10));
            i.Fornecedor.Codigo = fornecedor;
            i.Fornecedor.Descricao1 = u"Fornecedor " + DeUtf8(std::to_string(fornecedor));
            i.CodigoFornecedor = fornecedor;
            i.InformacaoExtra.Receita = texto(300);
        }
        for (const TDefinicaoModelo& m : Modelos())
            for (const TAchado& a : VerificarItens(itens, m.Modelo, Virgula))
                EXPECT_NE(a.Gravidade, TGravidade::Erro) << m.NomeEnumeracao << ": " << ParaUtf8(LinhaDoAchado(a));
    }
}

}  // namespace
}  // namespace quelb

namespace quelb {
namespace {

// Keeping only the first findings gives the first erros and the first avisos
// of the whole list, in the same order, and the counts of them all, by kind; the findings of the end (codes
// naming no record) fall among the others by position.
TEST(Verificacao, TheFirstFindingsAndTheCountsOfAll) {
    TQuelbCargaBalItens itens;
    for (int32_t i = 0; i < 300; ++i) {
        TQuelbCargaBalItem& item = itens.New();
        ItemLimpo(item, 12 + i);
        if (i % 3 == 0) item.TipoValidade = tpvMeses;
        if (i % 7 == 0) item.CodigoTara = 99;
        if (i % 11 == 0) item.Codigo = 1234567 + i;
    }
    teste::TFormatoNumericoTemporario formato(Virgula);
    for (const TQuelbCargaBalModelo modelo : {modToledoMGV6, modFilizola, modUrano}) {
        const std::vector<TAchado> todos = VerificarItens(itens, modelo, Virgula);
        ASSERT_GT(todos.size(), 100u);
        const auto erros = static_cast<size_t>(
            std::count_if(todos.begin(), todos.end(), [](const TAchado& a) { return a.Gravidade == TGravidade::Erro; }));
        for (const size_t maximo : {size_t{0}, size_t{1}, size_t{50}, todos.size(), todos.size() + 5}) {
            const TResumoVerificacao r = VerificarItens(itens, modelo, Virgula, maximo);
            // The first maximo erros and the first maximo avisos, in order.
            std::vector<Texto> esperados;
            size_t guardados[2] = {};
            for (const TAchado& a : todos)
                if (guardados[static_cast<size_t>(a.Gravidade)]++ < maximo) esperados.push_back(LinhaDoAchado(a));
            ASSERT_EQ(r.Primeiros.size(), esperados.size());
            for (size_t i = 0; i < r.Primeiros.size(); ++i)
                ASSERT_EQ(LinhaDoAchado(r.Primeiros[i]), esperados[i]) << maximo << " " << i;
            EXPECT_EQ(r.Erros, erros);
            EXPECT_EQ(r.Erros + r.Avisos, todos.size());
            // Counted by kind, every one.
            size_t contados = 0;
            for (const TTipoContado& t : r.Tipos) contados += t.Quantidade;
            EXPECT_EQ(contados, todos.size());
        }
    }
}

}  // namespace
}  // namespace quelb
