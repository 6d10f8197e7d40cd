// Toledo MGV7: the item record of version 4 and the nutrition record with
// the 2020 table, column by column; and the older models, whose bytes the
// new nutrition properties do not touch.
#include <gtest/gtest.h>

#include <random>

#include "apoio/carga.h"
#include "formats/toledo/layouts_toledo.h"
#include "generator/modelos.h"

namespace quelb {
namespace {

using teste::pad;
using teste::TCampo;
using teste::Valor;
using teste::zeros;

TQuelbCargaBalItem ItemDeExemplo() {
    TQuelbCargaBalItem i;
    i.Codigo = 42;
    i.Tipo = tpvUnidade;
    i.ValorVenda = Valor(12'5000);
    i.Validade = 10;
    i.Descricao = u"Pão";
    return i;
}

TEST(ItemMGV7, AfterTheMGV6ColumnsComeTheFieldsOfVersion4) {
    TQuelbCargaBalItem semSetor = ItemDeExemplo();
    const std::u16string mgv6 = teste::Escrever<toledo::ItemMGV>(semSetor);
    ASSERT_EQ(mgv6.size(), 150u);
    // No sector, a description of 50 characters or fewer.
    EXPECT_TRUE(teste::ConfereCampos(teste::Escrever<toledo::ItemMGV7>(semSetor),
                                     {{1, mgv6},
                                      {151, u"000000||"},
                                      {159, pad(u"", 70)},
                                      {229, zeros(24)},
                                      {253, u"0||0||"},
                                      {259, zeros(22)}}));

    // Sector 1 and a description of 100 characters: lines 3 and 4 hold
    // characters 51 to 85 and 86 to 100.
    TQuelbCargaBalItem comSetor = ItemDeExemplo();
    comSetor.Setor = {1, u"Padaria"};
    std::u16string descricao = comSetor.Descricao.Utf16();
    for (int k = 0; k < 100; ++k) descricao += static_cast<char16_t>(u'A' + k % 26);
    descricao.erase(0, 3);  // exactly 100 characters
    ASSERT_EQ(descricao.size(), 100u);
    comSetor.Descricao = descricao;
    const std::u16string linha = teste::Escrever<toledo::ItemMGV7>(comSetor);
    EXPECT_TRUE(teste::ConfereCampos(linha, {{1, teste::Escrever<toledo::ItemMGV>(comSetor)},
                                             {151, u"000000|01|"},
                                             {161, descricao.substr(50, 35)},
                                             {196, pad(descricao.substr(85), 35)},
                                             {231, zeros(24)},
                                             {255, u"0||0||"},
                                             {261, zeros(22)}}));
}

TEST(NutricionalMGV7, TheOlderBlockThenThe2020Table) {
    TQuelbCargaBalItem i = ItemDeExemplo();
    TQuelbCargaBalNutricional& n = i.Nutricional;
    n.Codigo = 7;
    n.Qtd = 50;
    n.UndPorcao = tpMililitros;
    n.PartInteira = 1;
    n.PartDecimal = tpPara12;
    n.MedCaseira = tpCopo;
    n.ValorEnergetico = 135;
    n.Carboidrato = Valor(12'3400);      // 12.34 g: 123 tenths
    n.AcucaresTotais = Valor(9'9900);    // 99 tenths
    n.AcucaresAdicionados = Valor(5000);  // 0.5 g
    n.Proteina = Valor(3'0000);
    n.GorduraTotal = Valor(4'5000);
    n.GorduraSaturada = Valor(2'0000);
    n.GorduraTrans = Valor(1000);
    n.Fibra = Valor(1'2000);
    n.Sodio = Valor(350'0000);  // 350 mg: 3500 tenths
    n.PorcoesEmbalagem = 4;
    n.AltoEmAcucarAdicionado = true;
    n.AltoEmSodio = true;
    n.Lactose = Valor(2'5000);
    const std::u16string mgv6 = teste::Escrever<toledo::Nutricional>(i);
    ASSERT_EQ(mgv6.size(), 45u);
    EXPECT_TRUE(teste::ConfereCampos(teste::Escrever<toledo::NutricionalMGV7>(i),
                                     {{1, mgv6},
                                      {46, u"0000"},
                                      {50, u"|"},
                                      {51, u"0"},    // portions given
                                      {52, u"004"},  // portions per package
                                      {55, u"050"},
                                      {58, u"1"},    // millilitres
                                      {59, u"01"},
                                      {61, u"3"},    // 1/2
                                      {62, u"15"},   // copo
                                      {64, u"0135"},
                                      {68, u"0123"},
                                      {72, u"099"},
                                      {75, u"005"},
                                      {78, u"030"},
                                      {81, u"045"},
                                      {84, u"020"},
                                      {87, u"001"},
                                      {90, u"012"},
                                      {93, u"03500"},
                                      {98, u"1"},
                                      {99, u"0"},
                                      {100, u"1"},
                                      {101, u"00025"},
                                      {106, u"00000"},
                                      {111, u"1"},  // lactose is given
                                      {112, pad(u"", 20)},
                                      {132, u"0"},
                                      {133, u"000"},
                                      {136, u"000"}}));
}

TEST(NutricionalMGV7, TheScaleCountsThePortionsOfAWeighedItemOnlyWhenNoneAreGiven) {
    const struct {
        TQuelbCargaBalTipoVenda tipo;
        int32_t porcoes;
        char16_t esperado;
    } casos[] = {{tpvPeso, 0, u'1'}, {tpvEAN13, 0, u'1'}, {tpvUnidade, 0, u'0'}, {tpvEAN13Und, 0, u'0'}, {tpvPeso, 3, u'0'}};
    for (const auto& c : casos) {
        TQuelbCargaBalItem i = ItemDeExemplo();
        i.Tipo = c.tipo;
        i.Nutricional.PorcoesEmbalagem = c.porcoes;
        EXPECT_EQ(teste::Escrever<toledo::NutricionalMGV7>(i)[50], c.esperado) << c.tipo << " " << c.porcoes;
    }
}

TEST(NutricionalMGV7, AUnitPortionIsWrittenAsGrams) {
    TQuelbCargaBalItem i = ItemDeExemplo();
    i.Nutricional.UndPorcao = tpUnidades;
    EXPECT_EQ(teste::Escrever<toledo::NutricionalMGV7>(i)[57], u'0');
    EXPECT_EQ(teste::Escrever<toledo::Nutricional>(i)[11], u'2');  // MGV6 has a code for it
}

// The 2020 properties, set at random, change no byte of the older models.
TEST(PropriedadesDe2020, LeaveTheOlderModelsAsTheyWere) {
    std::mt19937 sorteio(7);
    const auto ate = [&](int32_t n) { return static_cast<int32_t>(sorteio() % static_cast<uint32_t>(n)); };
    for (int rodada = 0; rodada < 10; ++rodada) {
        TQuelbCargaBal semNovas, comNovas;
        for (int32_t k = 0, n = 1 + ate(30); k < n; ++k) {
            TQuelbCargaBalItem& a = semNovas.Produtos().New();
            a.Codigo = ate(1000000);
            a.Descricao = u"Item " + DeUtf8(std::to_string(ate(100)));
            a.Tipo = static_cast<TQuelbCargaBalTipoVenda>(ate(4));
            a.ValorVenda = Valor(ate(100000000));
            a.Setor = {ate(5), u"Setor"};
            a.Nutricional.Codigo = ate(5);
            a.Nutricional.Descricao = u"Tabela";
            a.Nutricional.Qtd = ate(200);
            a.Nutricional.Carboidrato = Valor(ate(1000000));
            a.InformacaoExtra.Receita = ate(2) ? u"Farinha e sal" : u"";
            TQuelbCargaBalItem& b = comNovas.Produtos().New();
            b = a;
            TQuelbCargaBalNutricional& nb = b.Nutricional;
            nb.AcucaresTotais = Valor(ate(10000000));
            nb.AcucaresAdicionados = Valor(ate(10000000));
            nb.PorcoesEmbalagem = ate(1000);
            nb.AltoEmAcucarAdicionado = ate(2);
            nb.AltoEmGorduraSaturada = ate(2);
            nb.AltoEmSodio = ate(2);
            nb.Lactose = Valor(ate(10000000));
            nb.Galactose = Valor(ate(10000000));
        }
        for (const TDefinicaoModelo& m : Modelos()) {
            if (m.Modelo == modToledoMGV7) continue;
            semNovas.Modelo = comNovas.Modelo = m.Modelo;
            EXPECT_EQ(teste::GerarLinhas(semNovas), teste::GerarLinhas(comNovas)) << m.NomeEnumeracao;
        }
    }
}

}  // namespace
}  // namespace quelb
