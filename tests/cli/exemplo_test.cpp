// The bundled sample catalogue: its JSON and CSV forms hold the same items,
// property by property.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "apoio/diretorio_temporario.h"
#include "catalogue/leitor_catalogo.h"
#include "catalogue/propriedades.h"

namespace quelb {
namespace {

const std::filesystem::path Exemplos = std::filesystem::path(QUELB_DIR_TESTES) / ".." / "exemplos";

TEST(CatalogoDeExemplo, JsonECsvTemOsMesmosItens) {
    TQuelbCargaBalItens json, csv;
    const TRelatorioCatalogo rj = LerCatalogo(teste::LerArquivo(Exemplos / "catalogo.json"), "catalogo.json", {}, json);
    const TRelatorioCatalogo rc = LerCatalogo(teste::LerArquivo(Exemplos / "catalogo.csv"), "catalogo.csv", {}, csv);
    ASSERT_TRUE(rj.Ok()) << rj.TextoErros();
    ASSERT_TRUE(rc.Ok()) << rc.TextoErros();
    EXPECT_TRUE(rj.Ignorados.empty());
    EXPECT_TRUE(rc.Ignorados.empty());
    ASSERT_GE(json.Count(), 40);
    ASSERT_EQ(json.Count(), csv.Count());
    for (int32_t i = 0; i < json.Count(); ++i) {
        for (const TPropriedade& p : Propriedades) {
            if (p.Texto) EXPECT_EQ(p.Texto(json.GetItem(i)), p.Texto(csv.GetItem(i))) << "item " << i << ", " << p.Nome;
            else EXPECT_EQ(p.Numero(json.GetItem(i)), p.Numero(csv.GetItem(i))) << "item " << i << ", " << p.Nome;
        }
    }
}

}  // namespace
}  // namespace quelb
