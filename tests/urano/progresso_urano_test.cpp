// The progress events of the three Urano loads: one per item, between the
// start and the end, with the item's position and the item count; an error
// from the handler stops the generation.
#include <gtest/gtest.h>

#include "catalogue/erro.h"
#include "urano/apoio_registros.h"

namespace quelb::teste {
namespace {

constexpr TQuelbCargaBalModelo Modelos[] = {modUrano, modUranoS, modUranoURF32};

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

TEST(ProgressoUrano, UmEventoPorItemEntreOInicioEOFim) {
    for (const TQuelbCargaBalModelo modelo : Modelos) {
        SCOPED_TRACE(DefinicaoModelo(modelo)->NomeEnumeracao);
        TQuelbCargaBal g;
        g.Modelo = modelo;
        DoisItens(g);
        std::vector<TEvento> eventos;
        g.OnProgresso = [&](const Texto& m, int32_t atual, int32_t total) { eventos.push_back({m, atual, total}); };
        DiretorioTemporario dir;
        GerarEm(g, dir);
        EXPECT_EQ(eventos, (std::vector<TEvento>{
                               {u"Iniciando a geração dos arquivos", 0, 2},
                               {u"Gerando produto 000042 " + DescricaoLonga, 0, 2},
                               {u"Gerando produto 1234567 Pão", 1, 2},
                               {u"Terminado", 2, 2},
                           }));
    }
}

TEST(ProgressoUrano, ErroDoManipuladorParaOEscritor) {
    for (const TQuelbCargaBalModelo modelo : Modelos) {
        SCOPED_TRACE(DefinicaoModelo(modelo)->NomeEnumeracao);
        TQuelbCargaBal g;
        g.Modelo = modelo;
        DoisItens(g);
        int32_t eventosItem = 0;
        g.OnProgresso = [&](const Texto& m, int32_t, int32_t) {
            if (m.starts_with(u"Gerando produto")) {
                ++eventosItem;
                throw EQuelbErro(u"cancelado");
            }
        };
        DiretorioTemporario dir;
        EXPECT_THROW(g.GerarArquivos(dir.Texto()), EQuelbErro);
        EXPECT_EQ(eventosItem, 1);
        EXPECT_EQ(ArquivosEm(dir), std::vector<std::string>{});
    }
}

}  // namespace
}  // namespace quelb::teste
