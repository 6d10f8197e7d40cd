// Urano S load (PRODUTOS.TXT): a wider product record of its own, checksummed
// over its fields only in lower case, then the nutrition and recipe records
// of the Urano load. Every price here is written with a point, whatever the
// locale; the process-wide number format is left alone.
#include "formats/urano/codigos_urano.h"
#include "formats/urano/padroes_preco.h"
#include "formats/urano/registros_urano.h"
#include "generator/escritores.h"

namespace quelb {

namespace {

constexpr char16_t MarcaProdutoS = u'\x10';
constexpr char16_t PontoDecimal = u'.';
constexpr std::u16string_view FixoProdutoS = u"D0000                            ";  // D, 4 zeros, 28 spaces

// Product record, 90 characters.
template <class C>
void MontarProdutoS(TRegistroDe<C>& r, const TQuelbCargaBalItem& AItem) {
    r.inicio()
        .literal(MarcaProdutoS)                                              // 1: record kind
        .literal(InicioTexto)                                               // 2: start of text
        .inteiro(AItem.Codigo, 6)                                           // 3: item code
        .literal(TipoVendaUrano(AItem.Tipo))                                // 9: sale type
        .direita(AItem.Descricao, 30)                                       // 10: description
        .literal(FormatarPadraoSeisZeros(AItem.ValorVenda, PontoDecimal))   // 40: price, 9 or wider
        .inteiro(AItem.Validade, 4)                                         // 49: validity period
        .literal(FixoProdutoS);                                             // 53: fixed text
    // 86: checksum of the fields alone (from column 3), lower case; 90: end of text
    FecharRegistroUrano(r, r.linha().substr(2), TCaixaHexa::Minusculas);
}

}  // namespace

void GerarUranoS(TQuelbCargaBal& AGerador, TListaLinhas& AItens) {
    TRegistros produto;
    TRegistrosUrano registros(PontoDecimal);
    const int32_t total = AGerador.Produtos().Count();
    for (int32_t i = 0; i < total; ++i) {
        const TQuelbCargaBalItem& item = AGerador.Produtos().GetItem(i);
        AdicionarRegistro(AItens, produto, [&](auto& r) { MontarProdutoS(r, item); });
        registros.Preparar(item);
        registros.AdicionarNutricionalEReceita(item, AItens);
        AGerador.NotificarProduto(item, i, total);
    }
}

}  // namespace quelb
