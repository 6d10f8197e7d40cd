// The progress events of the three Urano writers: one per item, after that
// item's lines, with the item's position and the item count.
#include <gtest/gtest.h>

#include <functional>

#include "catalogue/erro.h"
#include "generator/escritores.h"
#include "urano/apoio_registros.h"

namespace quelb::teste {
namespace {

struct TCasoEscritor {
    const char* nome;
    // Runs the writer; returns the list whose lines the events are held against.
    std::function<void(TQuelbCargaBal&, TListasCarga&)> gerar;
    std::function<const TListaLinhas&(const TListasCarga&)> lista;
    int32_t linhasPrimeiroItem;  // lines of that list after the first item
};

const TCasoEscritor Escritores[] = {
    {"Urano", [](TQuelbCargaBal& g, TListasCarga& l) { GerarUrano(g, l.Itens); },
     [](const TListasCarga& l) -> const TListaLinhas& { return l.Itens; }, 3},
    {"Urano S", [](TQuelbCargaBal& g, TListasCarga& l) { GerarUranoS(g, l.Itens); },
     [](const TListasCarga& l) -> const TListaLinhas& { return l.Itens; }, 3},
    {"URF32",
     [](TQuelbCargaBal& g, TListasCarga& l) {
         GerarUranoURF32(g, l.Itens, l.Nutricionais, l.Receitas, l.ProdutosNutricionais, l.ProdutosReceitas);
     },
     [](const TListasCarga& l) -> const TListaLinhas& { return l.ProdutosReceitas; }, 1},
};

const std::u16string DescricaoLonga = u"Queijo minas frescal artesanal";  // wider than every field

void DoisItens(TQuelbCargaBal& g) {
    auto& a = g.Produtos().New();
    a.Codigo = 42;
    a.Descricao = DescricaoLonga;
    a.Nutricional.Qtd = 1;
    a.InformacaoExtra.Receita = u"abc";
    auto& b = g.Produtos().New();
    b.Codigo = 1234567;
    b.Descricao = u"Pão";
    b.InformacaoExtra.Receita = u"def";
}

TEST(ProgressoUrano, UmEventoPorItemDepoisDasSuasLinhas) {
    for (const auto& e : Escritores) {
        TQuelbCargaBal g;
        DoisItens(g);
        TListasCarga listas;
        std::vector<TEventoProgresso> eventos;
        g.OnProgresso = [&](const Texto& m, int32_t atual, int32_t total) {
            eventos.push_back({m, atual, total, e.lista(listas).Count()});
        };
        e.gerar(g, listas);
        ASSERT_EQ(eventos.size(), 2u) << e.nome;
        EXPECT_EQ(eventos[0].mensagem, u"Gerando produto 000042 " + DescricaoLonga) << e.nome;
        EXPECT_EQ(eventos[1].mensagem, u"Gerando produto 1234567 Pão") << e.nome;
        EXPECT_EQ(eventos[0].atual, 0) << e.nome;
        EXPECT_EQ(eventos[1].atual, 1) << e.nome;
        EXPECT_EQ(eventos[0].total, 2) << e.nome;
        EXPECT_EQ(eventos[1].total, 2) << e.nome;
        EXPECT_EQ(eventos[0].linhas, e.linhasPrimeiroItem) << e.nome;
        EXPECT_EQ(eventos[1].linhas, e.lista(listas).Count()) << e.nome;
    }
}

TEST(ProgressoUrano, ErroDoManipuladorParaOEscritor) {
    for (const auto& e : Escritores) {
        TQuelbCargaBal g;
        DoisItens(g);
        TListasCarga listas;
        g.OnProgresso = [](const Texto&, int32_t, int32_t) { throw EQuelbErro(u"cancelado"); };
        EXPECT_THROW(e.gerar(g, listas), EQuelbErro) << e.nome;
        EXPECT_EQ(e.lista(listas).Count(), e.linhasPrimeiroItem) << e.nome;
    }
}

// A handler that empties the catalogue mid-way ends the generation with the
// list's index error instead of reading a destroyed item.
TEST(ProgressoUrano, CatalogoEsvaziadoPeloManipulador) {
    for (const auto& e : Escritores) {
        TQuelbCargaBal g;
        DoisItens(g);
        TListasCarga listas;
        g.OnProgresso = [&g](const Texto&, int32_t, int32_t) { g.Produtos().Clear(); };
        EXPECT_THROW(e.gerar(g, listas), EListaIndice) << e.nome;
    }
}

}  // namespace
}  // namespace quelb::teste
