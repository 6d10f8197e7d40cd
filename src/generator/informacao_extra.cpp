#include "generator/informacao_extra.h"

namespace quelb {

int32_t AcertarCodigoInformacaoExtra(TQuelbCargaBalItem& AItem) {
    TQuelbCargaBalInformacaoExtra& info = AItem.InformacaoExtra;
    if (info.Receita.size() < 3)
        info.Codigo = 0;
    else if (info.Codigo == 0)
        info.Codigo = AItem.Codigo;
    return info.Codigo;
}

}  // namespace quelb
