// Ramuza load (RAMUZA_ORIGINAL.TXT): one 192-character record per item, in
// catalogue order, numbered from 1.
#include "formats/ramuza/registro_ramuza.h"
#include "generator/escritores.h"

namespace quelb {

void GerarRamuza(TQuelbCargaBal& AGerador, TListaLinhas& AItens) {
    TRegistro registro;
    const int32_t total = AGerador.Produtos().Count();
    for (int32_t i = 0; i < total; ++i) {
        const TQuelbCargaBalItem& item = AGerador.Produtos().GetItem(i);
        MontarRegistroRamuza(registro, item, i + 1);
        AItens.Adicionar(registro.linha());
        AGerador.NotificarProduto(item, i, total);
    }
}

}  // namespace quelb
