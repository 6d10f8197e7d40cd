#include "formats/filizola/registros_filizola.h"
#include "generator/escritores.h"

namespace quelb {

void GerarFilizola(TQuelbCargaBal& AGerador, TListaLinhas& AItens, TListaLinhas& ASetores,
                   TListaLinhas& ANutricionais, TListaLinhas& AReceitas) {
    const int32_t total = AGerador.Produtos().Count();
    TRegistros registros;
    int32_t posicao = 0;
    for (const auto& p : AGerador.Produtos()) {
        TQuelbCargaBalItem& item = *p;

        AdicionarRegistro(AItens, registros, [&](auto& reg) { RegistroItemFilizola(reg, item); });

        // Sector records are not de-duplicated: one per item that has a
        // sector name or a key.
        if (!item.Setor.Descricao.empty() || item.Tecla > 0) {
            AdicionarRegistro(ASetores, registros, [&](auto& reg) { RegistroSetorFilizola(reg, item, posicao + 1); });
        }

        if (!item.Nutricional.Descricao.empty()) {
            AdicionarRegistro(ANutricionais, registros, [&](auto& reg) { RegistroNutricionalFilizola(reg, item); });
        }

        // The code is settled for every item (the change stays in the item),
        // also when the text is too short to give a record.
        const int32_t codigoInformacao = item.CodigoInformacaoExtra(modFilizola);
        if (item.InformacaoExtra.Receita.size() > 2) {
            AdicionarRegistroSeNovo(AReceitas, registros,
                                    [&](auto& reg) { RegistroInformacaoExtraFilizola(reg, item, codigoInformacao); });
        }

        AGerador.NotificarProduto(item, posicao, total);
        ++posicao;
    }
}

}  // namespace quelb
