#include "generator/informacao_extra.h"

#include "catalogue/propriedades.h"

namespace quelb {

int32_t AcertarCodigoInformacaoExtra(TQuelbCargaBalItem& AItem) {
    TQuelbCargaBalInformacaoExtra& info = AItem.InformacaoExtra;
    // Without its text the code names the record the scale software has.
    static constexpr size_t Receita = IndicePropriedade("InformacaoExtra.Receita");
    if (AItem.Ausentes[Receita]) return info.Codigo;
    if (info.Receita.size() < 3)
        info.Codigo = 0;
    else if (info.Codigo == 0)
        info.Codigo = AItem.Codigo;
    return info.Codigo;
}

}  // namespace quelb
