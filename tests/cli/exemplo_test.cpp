// The bundled sample catalogue: its JSON and CSV forms hold the same items,
// property by property.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "apoio/diretorio_temporario.h"
#include "cli/campos.h"
#include "cli/catalogo.h"

namespace quelb::cli {
namespace {

const std::filesystem::path Exemplos = std::filesystem::path(QUELB_DIR_TESTES) / ".." / "exemplos";

void CompararCampos(TQuelbCargaBalItem& a, TQuelbCargaBalItem& b, const TTabelaCampos& ATabela, int APosicao) {
    for (const TCampo& c : ATabela.Campos) {
        if (c.Tipo == TTipoCampo::Registro) {
            CompararCampos(a, b, *c.Registro, APosicao);
            continue;
        }
        const void* va = c.Local(a);
        const void* vb = c.Local(b);
        const std::string onde = "item " + std::to_string(APosicao) + ", " + std::string(ATabela.Nome) + " " +
                                 std::string(c.Nome);
        switch (c.Tipo) {
            case TTipoCampo::Inteiro32: EXPECT_EQ(*static_cast<const int32_t*>(va), *static_cast<const int32_t*>(vb)) << onde; break;
            case TTipoCampo::Inteiro16: EXPECT_EQ(*static_cast<const int16_t*>(va), *static_cast<const int16_t*>(vb)) << onde; break;
            case TTipoCampo::Enumeracao: EXPECT_EQ(*static_cast<const uint8_t*>(va), *static_cast<const uint8_t*>(vb)) << onde; break;
            case TTipoCampo::Decimal: EXPECT_EQ(*static_cast<const TValorFixo*>(va), *static_cast<const TValorFixo*>(vb)) << onde; break;
            case TTipoCampo::Texto: EXPECT_EQ(*static_cast<const Texto*>(va), *static_cast<const Texto*>(vb)) << onde; break;
            case TTipoCampo::Registro: break;
        }
    }
}

TEST(CatalogoDeExemplo, JsonECsvTemOsMesmosItens) {
    TQuelbCargaBalItens json, csv;
    LerCatalogoJson(teste::LerArquivo(Exemplos / "catalogo.json"), json);
    LerCatalogoCsv(teste::LerArquivo(Exemplos / "catalogo.csv"), csv);
    ASSERT_GE(json.Count(), 40);
    ASSERT_EQ(json.Count(), csv.Count());
    for (int32_t i = 0; i < json.Count(); ++i) CompararCampos(json.GetItem(i), csv.GetItem(i), CamposItem(), i);
}

}  // namespace
}  // namespace quelb::cli
