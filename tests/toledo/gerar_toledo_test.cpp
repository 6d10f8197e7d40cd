// The Toledo writer: what each variant appends, the extra-information code,
// the conditions and de-duplication of the auxiliary records, and progress.
#include <gtest/gtest.h>

#include "apoio/carga.h"
#include "generator/escritores.h"

namespace quelb {
namespace {

using teste::pad;
using teste::Linha;
using teste::Linhas;
using std::u16string;
using TLinhas = std::vector<u16string>;

class GerarToledoTest : public testing::Test {
protected:
    TQuelbCargaBalItem& Novo(int32_t ACodigo) { return teste::NovoItem(FGerador, ACodigo); }
    void Gerar(int32_t AVariante) {
        if (AVariante == 0)
            GerarToledo(FGerador, FItens, FNutricionais, FReceitas, FTaras, nullptr, nullptr, 0);
        else
            GerarToledo(FGerador, FItens, FNutricionais, FReceitas, FTaras, &FFornecedores, &FSetores, AVariante);
    }
    // Every record kind set on one item.
    static void Completar(TQuelbCargaBalItem& i) {
        i.Setor.Codigo = 2;
        i.Setor.Descricao = u"Frios";
        i.Nutricional.Codigo = 3;
        i.Tara.Codigo = 4;
        i.Fornecedor.Codigo = 5;
        i.InformacaoExtra.Receita = u"Leite, sal.";
    }

    TQuelbCargaBal FGerador;
    TListaLinhas FItens, FNutricionais, FReceitas, FTaras, FFornecedores, FSetores;
};

TEST_F(GerarToledoTest, PlainToledoWritesTheItemRecordAlone) {
    Completar(Novo(1));
    Gerar(0);
    ASSERT_EQ(FItens.Count(), 1);
    EXPECT_EQ(Linha(FItens, 0).size(), 320u);
    EXPECT_EQ(Linha(FItens, 0).substr(70), pad(u"Leite, sal.", 250));
    EXPECT_EQ(FNutricionais.Count() + FReceitas.Count() + FTaras.Count(), 0);
}

TEST_F(GerarToledoTest, PlainToledoAndVersion1LeaveTheItemsUnchanged) {
    for (int32_t variante : {0, 1}) {
        SCOPED_TRACE(variante);
        FGerador.Produtos().Clear();
        TQuelbCargaBalItem& curto = Novo(1);
        curto.InformacaoExtra.Receita = u"ab";
        curto.InformacaoExtra.Codigo = 7;
        Novo(2).InformacaoExtra.Receita = u"abc";
        Gerar(variante);
        EXPECT_EQ(FGerador.Produtos().GetItem(0).InformacaoExtra.Codigo, 7);
        EXPECT_EQ(FGerador.Produtos().GetItem(1).InformacaoExtra.Codigo, 0);
    }
}

TEST_F(GerarToledoTest, EachMGVVariantWritesItsItemRecordWidthAndOneRecordPerItem) {
    const std::pair<int32_t, size_t> larguras[] = {{1, 113}, {2, 150}, {3, 150}};
    for (const auto& [variante, largura] : larguras) {
        SCOPED_TRACE(variante);
        FGerador.Produtos().Clear();
        FItens = TListaLinhas();
        Novo(9);
        Novo(9);  // the same code twice: two item lines
        Gerar(variante);
        ASSERT_EQ(FItens.Count(), 2);
        EXPECT_EQ(Linha(FItens, 0).size(), largura);
        EXPECT_EQ(Linha(FItens, 1), Linha(FItens, 0));
    }
}

// Column 69 and the start of the extra-information record for each variant.
TEST_F(GerarToledoTest, TheExtraInformationCodeOfEachVariant) {
    struct TCaso {
        int32_t variante;
        u16string receita;
        int32_t codigoInformacao;
        u16string coluna69;          // and the code of the record, when there is one
        size_t registros;
        int32_t codigoDepois;        // InformacaoExtra.Codigo after the generation
    };
    const TCaso casos[] = {
        {1, u"Leite, sal", 7, u"000042", 1, 7},   // version 1: always the item code
        {2, u"Leite, sal", 7, u"000007", 1, 7},   // MGV5: its own code
        {3, u"Leite, sal", 7, u"000007", 1, 7},
        {2, u"abc", 0, u"000042", 1, 42},          // no code of its own: the item code
        {2, u"ab", 7, u"000000", 0, 0},            // two characters: none, code reset
        {3, u"ab", 7, u"000000", 0, 0},
        {1, u"ab", 7, u"000042", 0, 7},            // version 1: no record, item unchanged
    };
    for (const TCaso& c : casos) {
        SCOPED_TRACE(testing::Message() << "variant " << c.variante << " text " << teste::utf8(c.receita));
        FGerador.Produtos().Clear();
        FItens = TListaLinhas();
        FReceitas = TListaLinhas();
        TQuelbCargaBalItem& i = Novo(42);
        i.InformacaoExtra.Receita = c.receita;
        i.InformacaoExtra.Codigo = c.codigoInformacao;
        i.InformacaoExtra.Observacao = u"obs";
        Gerar(c.variante);
        EXPECT_EQ(Linha(FItens, 0).substr(68, 6), c.coluna69);
        ASSERT_EQ(FReceitas.Count(), static_cast<int32_t>(c.registros));
        if (c.registros == 1) {
            EXPECT_EQ(Linha(FReceitas, 0), c.coluna69 + pad(u"obs", 100) + pad(c.receita, 840));
        }
        EXPECT_EQ(i.InformacaoExtra.Codigo, c.codigoDepois);
    }
}

TEST_F(GerarToledoTest, AuxiliaryRecordsNeedAPositiveCode) {
    for (int32_t codigo : {0, -3}) {
        TQuelbCargaBalItem& i = Novo(1);
        i.Setor.Codigo = codigo;
        i.Setor.Descricao = u"Frios";
        i.Nutricional.Codigo = codigo;
        i.Nutricional.ValorEnergetico = 150;  // amounts alone give nothing
        i.Tara.Codigo = codigo;
        i.Tara.Descricao = u"Pote";
        i.Fornecedor.Codigo = static_cast<int16_t>(codigo);
        i.Fornecedor.Descricao1 = u"Laticínio";
        i.CodigoTara = 5;        // the item's own codes play no part
        i.CodigoFornecedor = 5;
    }
    Gerar(2);
    EXPECT_EQ(Linha(FItens, 0).substr(0, 2), u"00");  // the item record keeps the code
    EXPECT_EQ(Linha(FItens, 1).substr(0, 2), u"-3");
    EXPECT_EQ(FSetores.Count() + FNutricionais.Count() + FTaras.Count() + FFornecedores.Count(), 0);
}

TEST_F(GerarToledoTest, AnyPositiveCodeGivesARecordEvenWithEmptyData) {
    TQuelbCargaBalItem& i = Novo(1);
    i.Tara.Codigo = 4;
    i.Fornecedor.Codigo = 1;
    i.Setor.Codigo = 1;
    i.Nutricional.Codigo = 1;
    Gerar(1);
    EXPECT_EQ(Linhas(FTaras), TLinhas{u"0004" u"000000" + pad(u"", 20)});
    EXPECT_EQ(Linhas(FFornecedores), TLinhas{u"0001" + pad(u"", 100 + 5 * 56)});
    EXPECT_EQ(Linhas(FSetores), TLinhas{u"01" + pad(u"", 40)});
    EXPECT_EQ(Linhas(FNutricionais), TLinhas{u"N000001" u"0" u"000" u"0" u"00" u"0" u"00" u"0000" u"0000" u"000"
                                             u"000" u"000" u"000" u"000" u"00000"});
}

TEST_F(GerarToledoTest, AuxiliaryRecordsAreWrittenOncePerWholeRecordIgnoringCase) {
    auto setor = [this](int32_t codigo, const char16_t* descricao) {
        TQuelbCargaBalItem& i = Novo(100 + codigo);
        i.Setor.Codigo = codigo;
        i.Setor.Descricao = descricao;
    };
    setor(1, u"Padaria");
    setor(2, u"Açougue");
    setor(1, u"PADARIA");   // case only: dropped
    setor(1, u"Confeitaria");  // same code, another name: kept
    setor(2, u"AÇOUGUE");   // accented letters fold too
    for (int n = 0; n < 10; ++n) {
        TQuelbCargaBalItem& i = Novo(n);
        i.Fornecedor.Codigo = 8;
        i.Fornecedor.Observacao = u"Entrega às terças";
        i.Fornecedor.Descricao1 = u"Granja Boa Vista";
    }
    Gerar(3);
    EXPECT_EQ(Linhas(FSetores), (TLinhas{u"01" + pad(u"Padaria", 40), u"02" + pad(u"Açougue", 40),
                                         u"01" + pad(u"Confeitaria", 40)}));
    ASSERT_EQ(FFornecedores.Count(), 1);
    EXPECT_EQ(Linha(FFornecedores, 0).substr(0, 4), u"0008");
}

TEST_F(GerarToledoTest, ExtraInformationIsDeduplicatedByItsWholeRecord) {
    // MGV5: items that share an extra-information code and text give one
    // record; version 1 keys the record by the item code, so they give two.
    for (int32_t variante : {2, 1}) {
        SCOPED_TRACE(variante);
        FGerador.Produtos().Clear();
        FReceitas = TListaLinhas();
        for (int32_t codigo : {10, 11}) {
            TQuelbCargaBalItem& i = Novo(codigo);
            i.InformacaoExtra.Codigo = 9;
            i.InformacaoExtra.Receita = codigo == 10 ? u"Contém lactose" : u"CONTÉM LACTOSE";
        }
        Gerar(variante);
        if (variante == 2)
            EXPECT_EQ(Linhas(FReceitas), TLinhas{u"000009" + pad(u"", 100) + pad(u"Contém lactose", 840)});
        else
            EXPECT_EQ(Linhas(FReceitas), (TLinhas{u"000010" + pad(u"", 100) + pad(u"Contém lactose", 840),
                                                  u"000011" + pad(u"", 100) + pad(u"CONTÉM LACTOSE", 840)}));
    }
}

TEST_F(GerarToledoTest, MGV5AndMGV6GiveTheSameLines) {
    auto preencher = [this] {
        FGerador.Produtos().Clear();
        Completar(Novo(1));
        TQuelbCargaBalItem& b = Novo(2);
        Completar(b);
        b.InformacaoExtra.Codigo = 30;
        b.InformacaoExtra.Receita = u"ab";
        Novo(3).InformacaoExtra.Receita = u"Açúcar";
    };
    std::vector<TLinhas> resultado[2];
    for (int32_t variante : {2, 3}) {
        preencher();
        TListaLinhas* listas[] = {&FItens, &FNutricionais, &FReceitas, &FTaras, &FFornecedores, &FSetores};
        for (TListaLinhas* l : listas) *l = TListaLinhas();
        Gerar(variante);
        for (TListaLinhas* l : listas) resultado[variante - 2].push_back(Linhas(*l));
    }
    EXPECT_EQ(resultado[0], resultado[1]);
    EXPECT_EQ(resultado[0][2].size(), 2u);  // the extra-information list is not empty
}

TEST_F(GerarToledoTest, OneProgressEventPerItemAfterAllItsRecords) {
    Completar(Novo(42));
    Novo(43).Descricao = u"Coxão mole";
    TQuelbCargaBalItem& c = Novo(44);
    c.Tara.Codigo = 1;
    std::vector<teste::TEvento> eventos;
    FGerador.OnProgresso = [&](const Texto& m, int32_t atual, int32_t total) {
        eventos.push_back({m, atual, total,
                           {FItens.Count(), FReceitas.Count(), FNutricionais.Count(), FTaras.Count(),
                            FFornecedores.Count(), FSetores.Count()}});
    };
    Gerar(2);
    ASSERT_EQ(eventos.size(), 3u);
    EXPECT_EQ(eventos[0].linhas, (std::vector<int32_t>{1, 1, 1, 1, 1, 1}));
    EXPECT_EQ(eventos[1].mensagem, u"Gerando produto 000043 Coxão mole");
    EXPECT_EQ(eventos[2].linhas, (std::vector<int32_t>{3, 1, 1, 2, 1, 1}));
    for (int32_t i = 0; i < 3; ++i) {
        EXPECT_EQ(eventos[i].atual, i);
        EXPECT_EQ(eventos[i].total, 3);
    }
}

TEST_F(GerarToledoTest, PlainToledoRaisesItsProgressEventsToo) {
    Novo(1);
    Novo(2);
    std::vector<int32_t> atuais;
    FGerador.OnProgresso = [&](const Texto&, int32_t atual, int32_t total) {
        EXPECT_EQ(total, 2);
        atuais.push_back(atual);
    };
    Gerar(0);
    EXPECT_EQ(atuais, (std::vector<int32_t>{0, 1}));
}

}  // namespace
}  // namespace quelb
