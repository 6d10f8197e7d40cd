// The Ramuza record (RAMUZA_ORIGINAL.TXT): 192 characters per item, numbered
// from 1, with a tare scaled twice and twelve nutrient slots.
#include <gtest/gtest.h>

#include "generator/escritores.h"
#include "urano/apoio_registros.h"

namespace quelb::teste {
namespace {

// The fields of one expected record, each with its default text.
struct TRamuzaEsperado {
    std::u16string numero = u"0001";
    std::u16string codigo = u"000000";
    std::u16string preco = u"000000";
    std::u16string tipo = u"0";
    std::u16string validade = u"000";
    std::u16string tara = u"00000";
    std::u16string etiqueta = u"00";
    std::u16string qtd = u"00000";
    std::u16string energia = u"000", carboidrato = u"000", proteina = u"000", gorduraTotal = u"000",
                   gorduraSaturada = u"000", gorduraTrans = u"000", fibra = u"000", sodio = u"000";
    std::u16string descricao = pad(u"", 24);

    std::u16string Linha() const {
        return numero + u"A" + u"0" + codigo + preco + tipo + validade + n_de(13, u'0') + tara + etiqueta +  //
               u"01" + qtd + energia +                                                                      //
               u"02" + qtd + carboidrato +                                                                  //
               u"03" + qtd + proteina +                                                                     //
               u"04" + qtd + gorduraTotal +                                                                 //
               u"05" + qtd + gorduraSaturada +                                                              //
               u"06" + qtd + gorduraTrans +                                                                 //
               u"07" + qtd + fibra +                                                                        //
               u"08" + qtd + sodio +                                                                        //
               n_de(40, u'0') +                                                                             // slots 9-12
               u"##" + descricao + u"##" + u"##";
    }
};

struct TCasoRamuza {
    const char* nome;
    void (*preparar)(TQuelbCargaBalItem&);
    void (*esperar)(TRamuzaEsperado&);
};

std::u16string GerarUm(void (*preparar)(TQuelbCargaBalItem&)) {
    TQuelbCargaBal g;
    TListaLinhas lista;
    preparar(g.Produtos().New());
    GerarRamuza(g, lista);
    EXPECT_EQ(lista.Count(), 1);
    return std::u16string(Linha(lista, 0));
}

TEST(Ramuza, RegistroPadraoTem192Caracteres) {
    const auto linha = GerarUm([](TQuelbCargaBalItem&) {});
    EXPECT_EQ(linha.size(), 192u);
    EXPECT_EQ(linha, TRamuzaEsperado().Linha());
    EXPECT_EQ(linha.substr(188), u"####");
}

TEST(Ramuza, Campos) {
    using I = TQuelbCargaBalItem;
    using E = TRamuzaEsperado;
    const TCasoRamuza casos[] = {
        {"code", [](I& i) { i.Codigo = 42; }, [](E& e) { e.codigo = u"000042"; }},
        {"code cut to six", [](I& i) { i.Codigo = 1234567; }, [](E& e) { e.codigo = u"123456"; }},
        {"price in hundredths", [](I& i) { i.ValorVenda = V("9999.99"); }, [](E& e) { e.preco = u"999999"; }},
        {"price truncated", [](I& i) { i.ValorVenda = V("12.349"); }, [](E& e) { e.preco = u"001234"; }},
        {"price cut to six", [](I& i) { i.ValorVenda = V("10000"); }, [](E& e) { e.preco = u"100000"; }},
        {"by unit", [](I& i) { i.Tipo = tpvUnidade; }, [](E& e) { e.tipo = u"1"; }},
        {"EAN-13 by weight", [](I& i) { i.Tipo = tpvEAN13; }, [](E& e) { e.tipo = u"0"; }},
        {"EAN-13 by unit", [](I& i) { i.Tipo = tpvEAN13Und; }, [](E& e) { e.tipo = u"1"; }},
        {"validity", [](I& i) { i.Validade = 45; }, [](E& e) { e.validade = u"045"; }},
        {"tare 0.015", [](I& i) { i.Tara.Valor = V("0.015"); }, [](E& e) { e.tara = u"00150"; }},
        {"tare 0.5", [](I& i) { i.Tara.Valor = V("0.5"); }, [](E& e) { e.tara = u"05000"; }},
        {"tare cut to five", [](I& i) { i.Tara.Valor = V("10.0"); }, [](E& e) { e.tara = u"10000"; }},
        {"negative tare", [](I& i) { i.Tara.Valor = V("-0.015"); }, [](E& e) { e.tara = u"0-150"; }},
        {"label model", [](I& i) { i.ModeloEtiqueta = 5; }, [](E& e) { e.etiqueta = u"05"; }},
        {"portion in slots 1 to 8", [](I& i) { i.Nutricional.Qtd = 100; }, [](E& e) { e.qtd = u"00100"; }},
        {"energy cut to three", [](I& i) { i.Nutricional.ValorEnergetico = 1234; }, [](E& e) { e.energia = u"123"; }},
        {"carbohydrate 5.5", [](I& i) { i.Nutricional.Carboidrato = V("5.5"); }, [](E& e) { e.carboidrato = u"550"; }},
        {"carbohydrate 0.5", [](I& i) { i.Nutricional.Carboidrato = V("0.5"); }, [](E& e) { e.carboidrato = u"050"; }},
        {"carbohydrate cut", [](I& i) { i.Nutricional.Carboidrato = V("12.00"); }, [](E& e) { e.carboidrato = u"120"; }},
        {"each nutrient in its slot",
         [](I& i) {
             auto& n = i.Nutricional;
             n.Proteina = V("0.03");
             n.GorduraTotal = V("0.04");
             n.GorduraSaturada = V("0.05");
             n.GorduraTrans = V("0.06");
             n.Fibra = V("0.07");
             n.Sodio = V("0.089");
         },
         [](E& e) {
             e.proteina = u"003";
             e.gorduraTotal = u"004";
             e.gorduraSaturada = u"005";
             e.gorduraTrans = u"006";
             e.fibra = u"007";
             e.sodio = u"008";
         }},
        {"description of 24", [](I& i) { i.Descricao = u"Linguica toscana premium"; },
         [](E& e) { e.descricao = u"Linguica toscana premium"; }},
        {"description cut to 24", [](I& i) { i.Descricao = u"Linguica toscana apimentada"; },
         [](E& e) { e.descricao = u"Linguica toscana apiment"; }},
    };
    for (const auto& c : casos) {
        TRamuzaEsperado esperado;
        c.esperar(esperado);
        EXPECT_EQ(Visivel(GerarUm(c.preparar)), Visivel(esperado.Linha())) << c.nome;
    }
}

TEST(Ramuza, NumeroCorridoCortadoAQuatroDigitos) {
    TQuelbCargaBal g;
    for (int n = 0; n < 12345; ++n) g.Produtos().New().Codigo = 7;
    TListaLinhas lista;
    GerarRamuza(g, lista);
    ASSERT_EQ(lista.Count(), 12345);
    const struct {
        int32_t posicao;  // counted from 1
        const char16_t* numero;
    } casos[] = {{1, u"0001"}, {10, u"0010"}, {9999, u"9999"}, {10000, u"1000"}, {12345, u"1234"}};
    for (const auto& c : casos) EXPECT_EQ(Linha(lista, c.posicao - 1).substr(0, 4), c.numero) << c.posicao;
    // Equal items differ only in the running number.
    EXPECT_EQ(Linha(lista, 0).substr(4), Linha(lista, 1).substr(4));
    EXPECT_NE(Linha(lista, 0), Linha(lista, 1));
}

TEST(Ramuza, UmEventoPorItemDepoisDoSeuRegistro) {
    TQuelbCargaBal g;
    g.Produtos().New().Codigo = 42;
    auto& b = g.Produtos().New();
    b.Codigo = 7;
    b.Descricao = u"Mortadela defumada com pistache";
    TListaLinhas lista;
    std::vector<TEventoProgresso> eventos;
    g.OnProgresso = [&](const Texto& m, int32_t atual, int32_t total) {
        eventos.push_back({m, atual, total, lista.Count()});
    };
    GerarRamuza(g, lista);
    ASSERT_EQ(eventos.size(), 2u);
    EXPECT_EQ(eventos[0].mensagem, u"Gerando produto 000042 ");
    EXPECT_EQ(eventos[1].mensagem, u"Gerando produto 000007 Mortadela defumada com pistache");
    EXPECT_EQ(eventos[0].atual, 0);
    EXPECT_EQ(eventos[1].atual, 1);
    EXPECT_EQ(eventos[0].total, 2);
    EXPECT_EQ(eventos[1].total, 2);
    EXPECT_EQ(eventos[0].linhas, 1);
    EXPECT_EQ(eventos[1].linhas, 2);
}

TEST(Ramuza, ArquivoByteAByteSobQualquerFormato) {
    TRamuzaEsperado primeiro;
    primeiro.codigo = u"000042";
    primeiro.preco = u"001250";
    primeiro.tipo = u"1";
    primeiro.validade = u"010";
    primeiro.tara = u"00150";
    primeiro.etiqueta = u"03";
    primeiro.qtd = u"00100";
    primeiro.energia = u"250";
    primeiro.carboidrato = u"550";
    primeiro.descricao = pad(u"P\u00E3o de queijo", 24);
    TRamuzaEsperado segundo;
    segundo.numero = u"0002";
    segundo.codigo = u"000007";

    for (const auto& formato : {FormatoVirgula, FormatoPonto}) {
        TFormatoNumericoTemporario noEscopo(formato);
        DiretorioTemporario dir;
        TQuelbCargaBal g;
        g.Modelo = modRamuza;
        auto& a = g.Produtos().New();
        a.Codigo = 42;
        a.ValorVenda = V("12.5");
        a.Tipo = tpvUnidade;
        a.Validade = 10;
        a.Tara.Valor = V("0.015");
        a.ModeloEtiqueta = 3;
        a.Nutricional.Qtd = 100;
        a.Nutricional.ValorEnergetico = 250;
        a.Nutricional.Carboidrato = V("5.5");
        a.Descricao = u"P\u00E3o de queijo";
        g.Produtos().New().Codigo = 7;

        ASSERT_EQ(GerarEm(g, dir), std::vector<std::string>{"RAMUZA_ORIGINAL.TXT"});
        EXPECT_EQ(LerArquivo(dir.Caminho() / "RAMUZA_ORIGINAL.TXT"),
                  BytesDoArquivo({primeiro.Linha(), segundo.Linha()}))
            << "decimal " << static_cast<char>(formato.SeparadorDecimal);
    }
}

}  // namespace
}  // namespace quelb::teste
