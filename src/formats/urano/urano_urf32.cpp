// Urano URF32 load: plain fixed-width lines in five files. Every item has a
// product line and a nutrition line; an item with a portion quantity also
// has a product-nutrition link; a recipe text of three or more characters
// gives a recipe line and a product-recipe link, unless an equal recipe line
// (ignoring letter case) is already in the recipe file.
#include "formats/urano/codigos_urano.h"
#include "formats/urano/preco_urf32.h"
#include "generator/escritores.h"
#include "generator/registro.h"
#include "platform/plataforma.h"

namespace quelb {

namespace {

class TEscritorURF32 {
public:
    explicit TEscritorURF32(const plataforma::TFormatoNumerico& AFormato) : FFormato(AFormato) {}

    // Product line (PRODUTOS.TXT), 43 characters.
    template <class C>
    void Produto(TRegistroDe<C>& r, const TQuelbCargaBalItem& AItem) {
        r.inicio()
            .inteiro(AItem.Codigo, 6, u' ')                      // 1: item code, space-filled
            .literal(u'*')                                       // 7: fixed mark
            .literal(TipoVendaURF32(AItem.Tipo))                 // 8: sale type
            .direita(AItem.Descricao, 20)                        // 9: description
            .literal(Preco(AItem.ValorVenda))                    // 29: price, 9
            .inteiro(AItem.Validade, 5, u' ')                    // 38: validity period, space-filled
            .esquerda(TipoValidadeURF32(AItem.TipoValidade), 1);  // 43: validity unit
    }

    // Nutrition line (INFORMACOESNUTRICIONAIS.TXT), 57 characters.
    template <class C>
    void Nutricional(TRegistroDe<C>& r, const TQuelbCargaBalItem& AItem) {
        const TQuelbCargaBalNutricional& n = AItem.Nutricional;
        r.inicio()
            .inteiro(AItem.Codigo, 5, u' ')   // 1: item code, space-filled
            .inteiro(n.Qtd, 6)                // 6: portion quantity
            .inteiro(n.ValorEnergetico, 5)    // 12: energy value, whole units
            .decimal(n.Carboidrato, 6, 1)     // 17: carbohydrate, tenths
            .decimal(n.Proteina, 6, 1)        // 23: protein, tenths
            .decimal(n.GorduraTotal, 6, 1)    // 29: total fat, tenths
            .decimal(n.GorduraSaturada, 6, 1) // 35: saturated fat, tenths
            .decimal(n.GorduraTrans, 6, 1)    // 41: trans fat, tenths
            .decimal(n.Fibra, 6, 1)           // 47: fibre, tenths
            .decimal(n.Sodio, 5, 2);          // 53: sodium, hundredths
    }

    // Product-nutrition line and product-recipe line, 11 characters: the item
    // code, then the code of the linked record, which is the item code too.
    template <class C>
    static void Vinculo(TRegistroDe<C>& r, const TQuelbCargaBalItem& AItem) {
        r.inicio()
            .inteiro(AItem.Codigo, 6, u' ')   // 1: item code, space-filled
            .inteiro(AItem.Codigo, 5, u' ');  // 7: linked record's code, space-filled
    }

    // Recipe line (RECEITAS.TXT), 259 characters.
    template <class C>
    static void Receita(TRegistroDe<C>& r, const TQuelbCargaBalItem& AItem) {
        r.inicio()
            .inteiro(AItem.Codigo, 4)                        // 1: recipe code (the item code), zero-filled
            .literal(u' ')                                   // 5: separator
            .direita(AItem.InformacaoExtra.Receita, 254);    // 6: recipe text
    }

private:
    std::u16string_view Preco(TValorFixo AValor) {
        FPreco.clear();
        AcrescentarPrecoURF32(FPreco, AValor, FFormato);
        return FPreco;
    }

    const plataforma::TFormatoNumerico FFormato;
    std::u16string FPreco;
};

}  // namespace

void GerarUranoURF32(TQuelbCargaBal& AGerador, TListaLinhas& AItens, TListaLinhas& ANutricionais,
                     TListaLinhas& AReceitas, TListaLinhas& AProdutosNutricionais,
                     TListaLinhas& AProdutosReceitas) {
    TEscritorURF32 escritor(plataforma::FormatoNumerico());
    TRegistros registros;
    const int32_t total = AGerador.Produtos().Count();
    for (int32_t i = 0; i < total; ++i) {
        const TQuelbCargaBalItem& item = AGerador.Produtos().GetItem(i);
        AdicionarRegistro(AItens, registros, [&](auto& r) { escritor.Produto(r, item); });
        AdicionarRegistro(ANutricionais, registros, [&](auto& r) { escritor.Nutricional(r, item); });
        const auto vinculo = [&](auto& r) { TEscritorURF32::Vinculo(r, item); };
        if (item.Nutricional.Qtd > 0) AdicionarRegistro(AProdutosNutricionais, registros, vinculo);
        // Length as stored, spaces included. Lines equal but for letter case
        // count as equal; the first one stays.
        if (item.InformacaoExtra.Receita.size() > 2 &&
            AdicionarRegistroSeNovo(AReceitas, registros, [&](auto& r) { TEscritorURF32::Receita(r, item); }))
            AdicionarRegistro(AProdutosReceitas, registros, vinculo);
        AGerador.NotificarProduto(item, i, total);
    }
}

}  // namespace quelb
