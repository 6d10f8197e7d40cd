#include "generator/modelos.h"

namespace quelb {

namespace {

void EscreverFilizola(TQuelbCargaBal& g, TListasCarga& l) {
    GerarFilizola(g, l.Itens, l.Setores, l.Nutricionais, l.Receitas);
}
template <int32_t Variante>
void EscreverToledoMGV(TQuelbCargaBal& g, TListasCarga& l) {
    GerarToledo(g, l.Itens, l.Nutricionais, l.Receitas, l.Taras, &l.Fornecedores, &l.Setores, Variante);
}
void EscreverToledo(TQuelbCargaBal& g, TListasCarga& l) {
    GerarToledo(g, l.Itens, l.Nutricionais, l.Receitas, l.Taras, nullptr, nullptr, 0);
}
void EscreverUrano(TQuelbCargaBal& g, TListasCarga& l) { GerarUrano(g, l.Itens); }
void EscreverUranoS(TQuelbCargaBal& g, TListasCarga& l) { GerarUranoS(g, l.Itens); }
void EscreverUranoURF32(TQuelbCargaBal& g, TListasCarga& l) {
    GerarUranoURF32(g, l.Itens, l.Nutricionais, l.Receitas, l.ProdutosNutricionais, l.ProdutosReceitas);
}
void EscreverRamuza(TQuelbCargaBal& g, TListasCarga& l) { GerarRamuza(g, l.Itens); }

constexpr std::array<std::u16string_view, 8> ArquivosToledoMGV = {
    u"ITENSMGV.TXT", u"DEPTO.TXT", u"TXINFO.TXT", u"INFNUTRI.TXT", u"", u"", u"TARA.TXT", u"TXFORN.TXT"};

// clang-format off
constexpr TDefinicaoModelo Modelos[QuantidadeModelos] = {
    {modFilizola, u"Filizola", EscreverFilizola,
     {u"CADTXT.TXT", u"SETORTXT.TXT", u"REC_ASS.TXT", u"NUTRI.TXT", u"", u"", u"", u""}},
    // Plain Toledo is handed a tare list that it never fills.
    {modToledo, u"Toledo", EscreverToledo,
     {u"TXITENS.TXT", u"", u"", u"", u"", u"", u"TARA.TXT", u""}},
    {modUrano, u"Urano", EscreverUrano,
     {u"PRODUTOS.TXT", u"", u"", u"", u"", u"", u"", u""}},
    {modUranoS, u"Urano (S)", EscreverUranoS,
     {u"PRODUTOS.TXT", u"", u"", u"", u"", u"", u"", u""}},
    {modToledoMGV5, u"Toledo MGV5", EscreverToledoMGV<2>, ArquivosToledoMGV},
    {modToledoMGV6, u"Toledo MGV6", EscreverToledoMGV<3>, ArquivosToledoMGV},
    {modUranoURF32, u"Urano URF32", EscreverUranoURF32,
     {u"PRODUTOS.TXT", u"", u"RECEITAS.TXT", u"INFORMACOESNUTRICIONAIS.TXT",
      u"PRODUTOSINFORMACOESNUTRICIONAIS.TXT", u"PRODUTOSRECEITAS.TXT", u"", u""}},
    {modRamuza, u"Ramuza", EscreverRamuza,
     {u"RAMUZA_ORIGINAL.TXT", u"", u"", u"", u"", u"", u"", u""}},
    // This model has no display name.
    {modToledoMGV5Ver1, u"", EscreverToledoMGV<1>, ArquivosToledoMGV},
};
// clang-format on

}  // namespace

const TDefinicaoModelo* DefinicaoModelo(TQuelbCargaBalModelo AModelo) {
    return static_cast<size_t>(AModelo) < std::size(Modelos) ? &Modelos[AModelo] : nullptr;
}

}  // namespace quelb
