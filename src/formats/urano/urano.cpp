// Urano loads.
//
// Urano and Urano S write PRODUTOS.TXT: per item a product record, then a
// nutrition record when Nutricional.Qtd > 0 and a recipe record when the
// item has a recipe text (one character is enough, a space included).
// Urano's prices take the decimal separator of the number format captured
// when the library loaded; every price of Urano S is written with a point.
//
// URF32 writes five files: every item has a product line and a nutrition
// line; an item with a portion quantity also has a product-nutrition link;
// a recipe text of three or more characters gives a recipe line and a
// product-recipe link, unless an equal recipe line (letter case aside) is
// already in the recipe file.
#include "formats/urano/urano.h"

#include "formats/urano/layouts_urano.h"
#include "generator/escrever_registro.h"

namespace quelb::urano {

namespace {

using Conteudo = TConteudoArquivo;

// The nutrition and recipe records that Urano and Urano S share.
void AdicionarNutricionalEReceita(TCarga& ACarga, const TOrigem& o) {
    const bool temNutricional = o.Item.Nutricional.Qtd > 0;
    if (temNutricional) ACarga.Adicionar<Nutricional>(Conteudo::Itens, o);
    if (o.Item.InformacaoExtra.Receita.empty()) return;
    if (temNutricional)
        ACarga.Adicionar<ReceitaAposNutricional>(Conteudo::Itens, o);
    else
        ACarga.Adicionar<Receita>(Conteudo::Itens, o);
}

// Urano and Urano S: the product record of AProduto, then the nutrition and
// recipe records they share. AComPonto: every price with a point, whatever
// the locale (the process-wide format is left alone).
template <const auto& AProduto, bool AComPonto>
class TEscritorUrano final : public TEscritorItens {
public:
    explicit TEscritorUrano(TCarga& ACarga) : FCarga(ACarga) {}

    void Escrever(TQuelbCargaBalItem& AItem, int32_t APosicao) override {
        const TOrigem o{AItem, APosicao, FFormato};
        FCarga.Adicionar<AProduto>(Conteudo::Itens, o);
        AdicionarNutricionalEReceita(FCarga, o);
    }

private:
    TCarga& FCarga;
    const plataforma::TFormatoNumerico FFormato{AComPonto ? u'.' : FCarga.Formato.SeparadorDecimal,
                                                FCarga.Formato.SeparadorMilhar};
};

class TEscritorURF32 final : public TEscritorItens {
public:
    explicit TEscritorURF32(TCarga& ACarga) : FCarga(ACarga) {}

    void Escrever(TQuelbCargaBalItem& AItem, int32_t APosicao) override {
        const TOrigem o{AItem, APosicao, FFormato};
        FCarga.Adicionar<ProdutoURF32>(Conteudo::Itens, o);
        FCarga.Adicionar<NutricionalURF32>(Conteudo::Nutricional, o);
        if (AItem.Nutricional.Qtd > 0) FCarga.Adicionar<VinculoURF32>(Conteudo::ProdutosNutricional, o);
        // Length as stored, spaces included.
        if (AItem.InformacaoExtra.Receita.size() > 2 &&
            FCarga.AdicionarSeNovo<ReceitaURF32>(Conteudo::InformacaoExtra, o))
            FCarga.Adicionar<VinculoURF32>(Conteudo::ProdutosReceita, o);
    }

private:
    TCarga& FCarga;
    const plataforma::TFormatoNumerico& FFormato = FCarga.Formato;
};

constexpr TLayoutRegistro RegistrosUrano[] = {
    Layout<Produto>("produto"), Layout<Nutricional>("nutricional"), Layout<Receita>("receita"),
    Layout<ReceitaAposNutricional>("receita_apos_nutricional"),
};
constexpr TLayoutRegistro RegistrosUranoS[] = {
    Layout<ProdutoS>("produto"), Layout<Nutricional>("nutricional"), Layout<Receita>("receita"),
    Layout<ReceitaAposNutricional>("receita_apos_nutricional"),
};
constexpr TLayoutRegistro RegistrosProdutoURF32[] = {Layout<ProdutoURF32>("produto")};
constexpr TLayoutRegistro RegistrosNutricionalURF32[] = {Layout<NutricionalURF32>("nutricional")};
constexpr TLayoutRegistro RegistrosReceitaURF32[] = {Layout<ReceitaURF32>("receita")};
constexpr TLayoutRegistro RegistrosVinculoURF32[] = {Layout<VinculoURF32>("vinculo")};

}  // namespace

const std::array<TArquivoModelo, 1> ArquivosUrano = {{{Conteudo::Itens, u"PRODUTOS.TXT", RegistrosUrano}}};
const std::array<TArquivoModelo, 1> ArquivosUranoS = {{{Conteudo::Itens, u"PRODUTOS.TXT", RegistrosUranoS}}};
const std::array<TArquivoModelo, 5> ArquivosURF32 = {{
    {Conteudo::Itens, u"PRODUTOS.TXT", RegistrosProdutoURF32},
    {Conteudo::InformacaoExtra, u"RECEITAS.TXT", RegistrosReceitaURF32},
    {Conteudo::Nutricional, u"INFORMACOESNUTRICIONAIS.TXT", RegistrosNutricionalURF32},
    {Conteudo::ProdutosNutricional, u"PRODUTOSINFORMACOESNUTRICIONAIS.TXT", RegistrosVinculoURF32},
    {Conteudo::ProdutosReceita, u"PRODUTOSRECEITAS.TXT", RegistrosVinculoURF32},
}};

std::unique_ptr<TEscritorItens> CriarEscritorUrano(TCarga& ACarga) {
    return std::make_unique<TEscritorUrano<Produto, false>>(ACarga);
}
std::unique_ptr<TEscritorItens> CriarEscritorUranoS(TCarga& ACarga) {
    return std::make_unique<TEscritorUrano<ProdutoS, true>>(ACarga);
}
std::unique_ptr<TEscritorItens> CriarEscritorURF32(TCarga& ACarga) { return std::make_unique<TEscritorURF32>(ACarga); }

}  // namespace quelb::urano
