#include "generator/modelos.h"

#include "formats/filizola/filizola.h"
#include "formats/ramuza/ramuza.h"
#include "formats/toledo/toledo.h"
#include "formats/urano/urano.h"

namespace quelb {

namespace {

constexpr TConteudoArquivo Itens = TConteudoArquivo::Itens;

// clang-format off
constexpr TDefinicaoModelo Tabela[] = {
    {modFilizola,       "modFilizola",       "filizola",       u"Filizola",    filizola::Arquivos,       Itens, filizola::CriarEscritor},
    {modToledo,         "modToledo",         "toledo",         u"Toledo",      toledo::ArquivosToledo,   Itens, toledo::CriarEscritorToledo},
    {modUrano,          "modUrano",          "urano",          u"Urano",       urano::ArquivosUrano,     Itens, urano::CriarEscritorUrano},
    {modUranoS,         "modUranoS",         "urano-s",        u"Urano (S)",   urano::ArquivosUranoS,    Itens, urano::CriarEscritorUranoS},
    {modToledoMGV5,     "modToledoMGV5",     "toledo-mgv5",    u"Toledo MGV5", toledo::ArquivosMGV,      Itens, toledo::CriarEscritorMGV},
    {modToledoMGV6,     "modToledoMGV6",     "toledo-mgv6",    u"Toledo MGV6", toledo::ArquivosMGV,      Itens, toledo::CriarEscritorMGV},
    {modUranoURF32,     "modUranoURF32",     "urano-urf32",    u"Urano URF32", urano::ArquivosURF32,     Itens, urano::CriarEscritorURF32},
    {modRamuza,         "modRamuza",         "ramuza",         u"Ramuza",      ramuza::Arquivos,         Itens, ramuza::CriarEscritor},
    // This model has no display name.
    {modToledoMGV5Ver1, "modToledoMGV5Ver1", "toledo-mgv5-v1", u"",            toledo::ArquivosMGV5Ver1, Itens, toledo::CriarEscritorMGV5Ver1},
    {modToledoMGV7,     "modToledoMGV7",     "toledo-mgv7",    u"Toledo MGV7", toledo::ArquivosMGV7,     Itens, toledo::CriarEscritorMGV7},
};
// clang-format on

// One row per model, in enumeration order: a model without its row does not
// build.
static_assert(std::size(Tabela) == QuantidadeModelos, "every model needs its row in the model table");
static_assert([] {
    for (int m = 0; m < QuantidadeModelos; ++m)
        if (Tabela[m].Modelo != m) return false;
    return true;
}(), "the rows of the model table follow the enumeration");

}  // namespace

const TArquivoModelo* TDefinicaoModelo::Arquivo(TConteudoArquivo AConteudo) const {
    for (const TArquivoModelo& a : Arquivos)
        if (a.Conteudo == AConteudo) return &a;
    return nullptr;
}

bool TDefinicaoModelo::ItemMostra(std::string_view APropriedade) const {
    for (const TCampo& f : Arquivos[0].Registros[0].Campos)
        if (f.Propriedade != nullptr && f.Propriedade->Nome == APropriedade) return true;
    return false;
}

const TDefinicaoModelo* DefinicaoModelo(TQuelbCargaBalModelo AModelo) {
    return static_cast<size_t>(AModelo) < std::size(Tabela) ? &Tabela[AModelo] : nullptr;
}

std::span<const TDefinicaoModelo> Modelos() { return Tabela; }

}  // namespace quelb
