// What every model shares, one row per model: a catalogue changed by the
// progress handler stops the generation with nothing saved, and which loads
// settle the item's extra-information code.
#include <gtest/gtest.h>

#include "apoio/carga.h"

namespace quelb {
namespace {

constexpr TQuelbCargaBalModelo TodosOsModelos[] = {
    modFilizola,   modToledo,     modUrano,  modUranoS,         modToledoMGV5,
    modToledoMGV6, modUranoURF32, modRamuza, modToledoMGV5Ver1, modToledoMGV7,
};

// A handler that clears the catalogue or adds to it at the second item event
// ends the generation before it reads an item that may be gone: the error,
// and no file left in the folder (ASan sees any read of a freed item). One
// that cancels ends it the same way, with its own message.
TEST(TodosOsModelos, ACatalogueChangedDuringTheGenerationStopsItWithNothingSaved) {
    static_assert(std::size(TodosOsModelos) == QuantidadeModelos);
    const char16_t* const alterados =
        u"Os produtos foram alterados durante a geração dos arquivos; nenhum arquivo foi gravado.";
    const struct {
        const char* nome;
        void (*mudar)(TQuelbCargaBal&);
        const char16_t* mensagem;
    } mudancas[] = {
        {"cleared", [](TQuelbCargaBal& g) { g.Produtos().Clear(); }, alterados},
        {"item added", [](TQuelbCargaBal& g) { g.Produtos().New().Codigo = 99; }, alterados},
        {"property changed", [](TQuelbCargaBal& g) { g.Produtos().Alterado(); }, alterados},
        {"cancelled", [](TQuelbCargaBal& g) { g.Cancelar(); },
         u"A geração dos arquivos foi cancelada; nenhum arquivo foi gravado."},
    };
    for (const TQuelbCargaBalModelo modelo : TodosOsModelos) {
        for (const auto& m : mudancas) {
            SCOPED_TRACE(testing::Message() << DefinicaoModelo(modelo)->NomeEnumeracao << ", " << m.nome);
            TQuelbCargaBal g;
            g.Modelo = modelo;
            for (int32_t codigo = 1; codigo <= 3; ++codigo) {
                TQuelbCargaBalItem& i = teste::NovoItem(g, codigo);
                i.Descricao = u"Item com todos os registros";
                i.Setor = {1, u"Padaria"};
                i.Tecla = 1;
                i.Nutricional.Codigo = 1;
                i.Nutricional.Qtd = 1;
                i.Nutricional.Descricao = u"Porção";
                i.InformacaoExtra.Receita = u"Farinha, sal";
                i.Tara.Codigo = 1;
                i.Fornecedor.Codigo = 1;
            }
            int32_t eventosItem = 0;
            g.OnProgresso = [&](const Texto& mensagem, int32_t, int32_t) {
                if (mensagem.starts_with(u"Gerando produto") && ++eventosItem == 2) m.mudar(g);
            };
            teste::DiretorioTemporario dir;
            try {
                g.GerarArquivos(dir.Texto());
                ADD_FAILURE() << "no error";
            } catch (const EQuelbCargaBal& e) {
                EXPECT_EQ(e.Mensagem(), m.mensagem);
            }
            EXPECT_EQ(eventosItem, 2);
            EXPECT_EQ(teste::ArquivosEm(dir), std::vector<std::string>{});
        }
    }
}

// Filizola, MGV5, MGV6 and MGV7 settle the code in the item as they write it: a
// text shorter than three characters has no record (code 0), a text without
// a code of its own takes the item's code. The other loads leave it alone.
TEST(TodosOsModelos, TheExtraInformationCodeAfterAGeneration) {
    const struct {
        TQuelbCargaBalModelo modelo;
        const char16_t* receita;
        int32_t codigoAntes;
        int32_t codigoDepois;
    } casos[] = {
        {modFilizola, u"ab", 7, 0},  // fewer than 3: no record
        {modFilizola, u"abc", 0, 123},
        {modToledoMGV5, u"abc", 0, 123},  // takes the item's code
        {modToledoMGV5, u"abc", 55, 55},  // keeps its own code
        {modToledoMGV6, u"", 4, 0},
        {modToledoMGV6, u"abcd", 0, 123},
        {modToledoMGV7, u"abcd", 0, 123},
        {modToledo, u"abcd", 0, 0},  // other models: unchanged
        {modToledo, u"ab", 7, 7},
        {modToledoMGV5Ver1, u"ab", 9, 9},
        {modToledoMGV5Ver1, u"abc", 0, 0},
        {modUrano, u"", 9, 9},
        {modUranoS, u"abc", 0, 0},
        {modUranoURF32, u"abcdef", 0, 0},
        {modRamuza, u"ab", 7, 7},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << DefinicaoModelo(c.modelo)->NomeEnumeracao << " ["
                                        << teste::utf8(c.receita) << "] " << c.codigoAntes);
        TQuelbCargaBal g;
        g.Modelo = c.modelo;
        TQuelbCargaBalItem& item = teste::NovoItem(g, 123);
        item.InformacaoExtra.Receita = c.receita;
        item.InformacaoExtra.Codigo = c.codigoAntes;
        teste::DiretorioTemporario dir;
        teste::GerarEm(g, dir);
        EXPECT_EQ(item.InformacaoExtra.Codigo, c.codigoDepois);
    }
}

}  // namespace
}  // namespace quelb
