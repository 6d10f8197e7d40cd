// Ramuza load (RAMUZA_ORIGINAL.TXT): one 192-character record per item, in
// catalogue order, numbered from 1.
#include "formats/ramuza/registro_ramuza.h"
#include "generator/escritores.h"

namespace quelb {

void GerarRamuza(TQuelbCargaBal& AGerador, TListaLinhas& AItens) {
    TRegistros registros;
    const int32_t total = AGerador.Produtos().Count();
    for (int32_t i = 0; i < total; ++i) {
        const TQuelbCargaBalItem& item = AGerador.Produtos().GetItem(i);
        AdicionarRegistro(AItens, registros, [&](auto& r) { MontarRegistroRamuza(r, item, i + 1); });
        AGerador.NotificarProduto(item, i, total);
    }
}

}  // namespace quelb
