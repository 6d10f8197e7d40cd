// The Toledo writers, generated for real and their files read back: what
// each variant writes, the extra-information code, the conditions and
// de-duplication of the auxiliary records, and progress.
#include <gtest/gtest.h>

#include "apoio/carga.h"

namespace quelb {
namespace {

using teste::pad;
using std::u16string;
using TLinhas = std::vector<u16string>;

class GerarToledoTest : public testing::Test {
protected:
    TQuelbCargaBalItem& Novo(int32_t ACodigo) { return teste::NovoItem(FGerador, ACodigo); }
    // Variants: 0 plain Toledo, 1 MGV5 version 1, 2 MGV5, 3 MGV6.
    void Gerar(int32_t AVariante) {
        static constexpr TQuelbCargaBalModelo Modelos[] = {modToledo, modToledoMGV5Ver1, modToledoMGV5,
                                                           modToledoMGV6};
        FGerador.Modelo = Modelos[AVariante];
        FArquivos = teste::GerarLinhas(FGerador);
    }
    const TLinhas& Itens() { return FArquivos[FGerador.Modelo == modToledo ? "TXITENS.TXT" : "ITENSMGV.TXT"]; }
    const TLinhas& Receitas() { return FArquivos["TXINFO.TXT"]; }
    const TLinhas& Nutricionais() { return FArquivos["INFNUTRI.TXT"]; }
    const TLinhas& Taras() { return FArquivos["TARA.TXT"]; }
    const TLinhas& Fornecedores() { return FArquivos["TXFORN.TXT"]; }
    const TLinhas& Setores() { return FArquivos["DEPTO.TXT"]; }
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
    teste::TLinhasArquivos FArquivos;
};

TEST_F(GerarToledoTest, PlainToledoWritesTheItemRecordAlone) {
    Completar(Novo(1));
    Gerar(0);
    ASSERT_EQ(Itens().size(), 1u);
    EXPECT_EQ(Itens()[0].size(), 320u);
    EXPECT_EQ(Itens()[0].substr(70), pad(u"Leite, sal.", 250));
    EXPECT_EQ(FArquivos.size(), 1u);  // no other file
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
        Novo(9);
        Novo(9);  // the same code twice: two item lines
        Gerar(variante);
        ASSERT_EQ(Itens().size(), 2u);
        EXPECT_EQ(Itens()[0].size(), largura);
        EXPECT_EQ(Itens()[1], Itens()[0]);
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
        TQuelbCargaBalItem& i = Novo(42);
        i.InformacaoExtra.Receita = c.receita;
        i.InformacaoExtra.Codigo = c.codigoInformacao;
        i.InformacaoExtra.Observacao = u"obs";
        Gerar(c.variante);
        EXPECT_EQ(Itens().at(0).substr(68, 6), c.coluna69);
        ASSERT_EQ(Receitas().size(), c.registros);
        if (c.registros == 1) {
            EXPECT_EQ(Receitas()[0], c.coluna69 + pad(u"obs", 100) + pad(c.receita, 840));
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
    EXPECT_EQ(Itens().at(0).substr(0, 2), u"00");  // the item record keeps the code
    EXPECT_EQ(Itens().at(1).substr(0, 2), u"-3");
    EXPECT_EQ(Setores().size() + Nutricionais().size() + Taras().size() + Fornecedores().size(), 0u);
}

TEST_F(GerarToledoTest, AnyPositiveCodeGivesARecordEvenWithEmptyData) {
    TQuelbCargaBalItem& i = Novo(1);
    i.Tara.Codigo = 4;
    i.Fornecedor.Codigo = 1;
    i.Setor.Codigo = 1;
    i.Nutricional.Codigo = 1;
    Gerar(1);
    EXPECT_EQ(Taras(), TLinhas{u"0004" u"000000" + pad(u"", 20)});
    EXPECT_EQ(Fornecedores(), TLinhas{u"0001" + pad(u"", 100 + 5 * 56)});
    EXPECT_EQ(Setores(), TLinhas{u"01" + pad(u"", 40)});
    EXPECT_EQ(Nutricionais(), TLinhas{u"N000001" u"0" u"000" u"0" u"00" u"0" u"00" u"0000" u"0000" u"000"
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
    EXPECT_EQ(Setores(), (TLinhas{u"01" + pad(u"Padaria", 40), u"02" + pad(u"Açougue", 40),
                                         u"01" + pad(u"Confeitaria", 40)}));
    ASSERT_EQ(Fornecedores().size(), 1u);
    EXPECT_EQ(Fornecedores()[0].substr(0, 4), u"0008");
}

TEST_F(GerarToledoTest, ExtraInformationIsDeduplicatedByItsWholeRecord) {
    // MGV5: items that share an extra-information code and text give one
    // record; version 1 keys the record by the item code, so they give two.
    for (int32_t variante : {2, 1}) {
        SCOPED_TRACE(variante);
        FGerador.Produtos().Clear();
        for (int32_t codigo : {10, 11}) {
            TQuelbCargaBalItem& i = Novo(codigo);
            i.InformacaoExtra.Codigo = 9;
            i.InformacaoExtra.Receita = codigo == 10 ? u"Contém lactose" : u"CONTÉM LACTOSE";
        }
        Gerar(variante);
        if (variante == 2)
            EXPECT_EQ(Receitas(), TLinhas{u"000009" + pad(u"", 100) + pad(u"Contém lactose", 840)});
        else
            EXPECT_EQ(Receitas(), (TLinhas{u"000010" + pad(u"", 100) + pad(u"Contém lactose", 840),
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
    teste::TLinhasArquivos resultado[2];
    for (int32_t variante : {2, 3}) {
        preencher();
        Gerar(variante);
        resultado[variante - 2] = FArquivos;
    }
    EXPECT_EQ(resultado[0], resultado[1]);
    EXPECT_EQ(resultado[0]["TXINFO.TXT"].size(), 2u);  // the extra-information file is not empty
}

// MGV5 settles each item's extra-information code as it writes it: the
// handler sees the current item's settled and the next item's not yet.
TEST_F(GerarToledoTest, OneProgressEventPerItemAfterAllItsRecords) {
    TQuelbCargaBalItem& a = Novo(42);
    Completar(a);
    TQuelbCargaBalItem& b = Novo(43);
    b.Descricao = u"Coxão mole";
    b.InformacaoExtra.Codigo = 9;  // no text: settled to 0
    TQuelbCargaBalItem& c = Novo(44);
    c.Tara.Codigo = 1;
    c.InformacaoExtra.Receita = u"abc";  // no code of its own: takes 44
    std::vector<teste::TEvento> eventos;
    FGerador.OnProgresso = [&](const Texto& m, int32_t atual, int32_t total) {
        eventos.push_back(
            {m, atual, total, {a.InformacaoExtra.Codigo, b.InformacaoExtra.Codigo, c.InformacaoExtra.Codigo}});
    };
    Gerar(2);
    EXPECT_EQ(eventos, (std::vector<teste::TEvento>{
                           {u"Iniciando a geração dos arquivos", 0, 3, {0, 9, 0}},
                           {u"Gerando produto 000042 ", 0, 3, {42, 9, 0}},
                           {u"Gerando produto 000043 Coxão mole", 1, 3, {42, 0, 0}},
                           {u"Gerando produto 000044 ", 2, 3, {42, 0, 44}},
                           {u"Terminado", 3, 3, {42, 0, 44}},
                       }));
}

// The start, one event per item, the end.
TEST_F(GerarToledoTest, PlainToledoRaisesItsProgressEventsToo) {
    Novo(1);
    Novo(2);
    std::vector<int32_t> atuais;
    FGerador.OnProgresso = [&](const Texto&, int32_t atual, int32_t total) {
        EXPECT_EQ(total, 2);
        atuais.push_back(atual);
    };
    Gerar(0);
    EXPECT_EQ(atuais, (std::vector<int32_t>{0, 0, 1, 2}));
}

}  // namespace
}  // namespace quelb
