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
    std::u16string_view Produto(const TQuelbCargaBalItem& AItem) {
        FLinha.inicio()
            .inteiro(AItem.Codigo, 6, u' ')                      // 1: item code, space-filled
            .literal(u'*')                                       // 7: fixed mark
            .literal(TipoVendaURF32(AItem.Tipo))                 // 8: sale type
            .direita(AItem.Descricao, 20)                        // 9: description
            .literal(Preco(AItem.ValorVenda))                    // 29: price, 9
            .inteiro(AItem.Validade, 5, u' ')                    // 38: validity period, space-filled
            .esquerda(TipoValidadeURF32(AItem.TipoValidade), 1);  // 43: validity unit
        return FLinha.linha();
    }

    // Nutrition line (INFORMACOESNUTRICIONAIS.TXT), 57 characters.
    std::u16string_view Nutricional(const TQuelbCargaBalItem& AItem) {
        const TQuelbCargaBalNutricional& n = AItem.Nutricional;
        FLinha.inicio()
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
        return FLinha.linha();
    }

    // Product-nutrition line and product-recipe line, 11 characters: the item
    // code, then the code of the linked record, which is the item code too.
    std::u16string_view Vinculo(const TQuelbCargaBalItem& AItem) {
        FLinha.inicio()
            .inteiro(AItem.Codigo, 6, u' ')   // 1: item code, space-filled
            .inteiro(AItem.Codigo, 5, u' ');  // 7: linked record's code, space-filled
        return FLinha.linha();
    }

    // Recipe line (RECEITAS.TXT), 259 characters.
    std::u16string_view Receita(const TQuelbCargaBalItem& AItem) {
        FLinha.inicio()
            .inteiro(AItem.Codigo, 4)                        // 1: recipe code (the item code), zero-filled
            .literal(u' ')                                   // 5: separator
            .direita(AItem.InformacaoExtra.Receita, 254);    // 6: recipe text
        return FLinha.linha();
    }

private:
    std::u16string_view Preco(TValorFixo AValor) {
        FPreco.clear();
        AcrescentarPrecoURF32(FPreco, AValor, FFormato);
        return FPreco;
    }

    const plataforma::TFormatoNumerico FFormato;
    TRegistro FLinha;
    std::u16string FPreco;
};

}  // namespace

void GerarUranoURF32(TQuelbCargaBal& AGerador, TListaLinhas& AItens, TListaLinhas& ANutricionais,
                     TListaLinhas& AReceitas, TListaLinhas& AProdutosNutricionais,
                     TListaLinhas& AProdutosReceitas) {
    TEscritorURF32 escritor(plataforma::FormatoNumerico());
    const int32_t total = AGerador.Produtos().Count();
    for (int32_t i = 0; i < total; ++i) {
        const TQuelbCargaBalItem& item = AGerador.Produtos().GetItem(i);
        AItens.Adicionar(escritor.Produto(item));
        ANutricionais.Adicionar(escritor.Nutricional(item));
        if (item.Nutricional.Qtd > 0) AProdutosNutricionais.Adicionar(escritor.Vinculo(item));
        // Length as stored, spaces included. Lines equal but for letter case
        // count as equal; the first one stays.
        if (item.InformacaoExtra.Receita.size() > 2 && AReceitas.AdicionarSeNova(escritor.Receita(item)))
            AProdutosReceitas.Adicionar(escritor.Vinculo(item));
        AGerador.NotificarProduto(item, i, total);
    }
}

}  // namespace quelb
