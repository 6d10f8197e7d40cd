#include "catalogue/item.h"

namespace quelb {

void TQuelbCargaBalNutricional::Limpar() {
    Codigo = 0;
    Qtd = 0;
    UndPorcao = tpGramas;
    PartInteira = 0;
    PartDecimal = tpPara0;
    MedCaseira = tpColherSopa;
    ValorEnergetico = 0;
    Carboidrato = Proteina = GorduraTotal = GorduraSaturada = GorduraTrans = Fibra = Sodio =
        TValorFixo();
}

int32_t TQuelbCargaBalItem::CodigoInformacaoExtra(TQuelbCargaBalModelo AModelo) {
    switch (AModelo) {
        case modFilizola:
        case modToledo:
        case modToledoMGV5:
        case modToledoMGV6:
            if (InformacaoExtra.Receita.size() < 3)
                InformacaoExtra.Codigo = 0;
            else if (InformacaoExtra.Codigo == 0)
                InformacaoExtra.Codigo = Codigo;
            break;
        default:
            break;
    }
    return InformacaoExtra.Codigo;
}

}  // namespace quelb
