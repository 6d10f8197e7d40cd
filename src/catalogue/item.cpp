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
    Carboidrato = Proteina = GorduraTotal = GorduraSaturada = GorduraTrans = Fibra = Sodio = AcucaresTotais =
        AcucaresAdicionados = Lactose = Galactose = TValorFixo();
    PorcoesEmbalagem = 0;
    AltoEmAcucarAdicionado = AltoEmGorduraSaturada = AltoEmSodio = false;
}

}  // namespace quelb
