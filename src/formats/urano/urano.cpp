// Urano load (PRODUTOS.TXT): per item a product record, then a nutrition and
// a recipe record when the item has such data. Prices use the decimal
// separator of the number format captured when the library loaded.
#include "formats/urano/registros_urano.h"
#include "generator/escritores.h"
#include "platform/plataforma.h"

namespace quelb {

void GerarUrano(TQuelbCargaBal& AGerador, TListaLinhas& AItens) {
    TRegistrosUrano registros(plataforma::FormatoNumerico().SeparadorDecimal);
    const int32_t total = AGerador.Produtos().Count();
    for (int32_t i = 0; i < total; ++i) {
        const TQuelbCargaBalItem& item = AGerador.Produtos().GetItem(i);
        registros.Preparar(item);
        registros.AdicionarProduto(AItens);
        registros.AdicionarNutricionalEReceita(item, AItens);
        AGerador.NotificarProduto(item, i, total);
    }
}

}  // namespace quelb
