#include "formats/toledo/codigos_toledo.h"
#include "formats/toledo/registros_toledo.h"

namespace quelb {

template <class C>
void RegistroInformacaoExtraToledo(TRegistroDe<C>& r, const TQuelbCargaBalInformacaoExtra& AInformacao,
                                   int32_t ACodigo) {
    r.inicio()
        .inteiro(ACodigo, 6)                     //   1  extra-information code
        .direita(AInformacao.Observacao, 100)    //   7  remark
        .direita(AInformacao.Receita, 840);      // 107  text, as it is
}

template <class C>
void RegistroNutricionalToledo(TRegistroDe<C>& r, const TQuelbCargaBalNutricional& n) {
    r.inicio()
        .literal(u'N')                             //  1  fixed letter
        .inteiro(n.Codigo, 6)                      //  2  nutrition code
        .literal(u'0')                             //  8  fixed digit
        .inteiro(n.Qtd, 3)                         //  9  portion quantity
        .literal(UndPorcaoToledo(n.UndPorcao))     // 12  portion unit
        .inteiro(n.PartInteira, 2)                 // 13  whole household measures
        .literal(PartDecimalToledo(n.PartDecimal)) // 15  fraction of the measure
        .literal(MedCaseiraToledo(n.MedCaseira))   // 16  household measure, two characters
        .inteiro(n.ValorEnergetico, 4)             // 18  energy, whole units
        .decimal(n.Carboidrato, 4, 1)              // 22  carbohydrate, tenths
        .decimal(n.Proteina, 3, 1)                 // 26  protein, tenths
        .decimal(n.GorduraTotal, 3, 1)             // 29  total fat, tenths
        .decimal(n.GorduraSaturada, 3, 1)          // 32  saturated fat, tenths
        .decimal(n.GorduraTrans, 3, 1)             // 35  trans fat, tenths
        .decimal(n.Fibra, 3, 1)                    // 38  fibre, tenths
        .decimal(n.Sodio, 5, 1);                   // 41  sodium, tenths
}

template <class C>
void RegistroTaraToledo(TRegistroDe<C>& r, const TQuelbCargaBalTaras& ATara) {
    r.inicio()
        .inteiro(ATara.Codigo, 4)        //  1  tare code
        .decimal(ATara.Valor, 6, 3)      //  5  value in thousandths
        .direita(ATara.Descricao, 20);   // 11  description
}

template <class C>
void RegistroFornecedorToledo(TRegistroDe<C>& r, const TQuelbCargaBalFornecedor& f) {
    r.inicio()
        .inteiro(f.Codigo, 4)              //   1  supplier code
        .direita(f.Observacao, 100)        //   5  remark
        .direita(f.Descricao1, 56)         // 105  description line 1
        .direita(f.Descricao2, 56)         // 161  description line 2
        .direita(f.Descricao3, 56)         // 217  description line 3
        .direita(f.Descricao4, 56)         // 273  description line 4
        .direita(f.Descricao5, 56);        // 329  description line 5
}

template <class C>
void RegistroSetorToledo(TRegistroDe<C>& r, const TQuelbCargaBalSetor& ASetor) {
    r.inicio()
        .inteiro(ASetor.Codigo, 2)         //  1  sector code
        .direita(ASetor.Descricao, 40);    //  3  description
}

template void RegistroInformacaoExtraToledo(TRegistro&, const TQuelbCargaBalInformacaoExtra&, int32_t);
template void RegistroInformacaoExtraToledo(TRegistroBytes&, const TQuelbCargaBalInformacaoExtra&, int32_t);
template void RegistroNutricionalToledo(TRegistro&, const TQuelbCargaBalNutricional&);
template void RegistroNutricionalToledo(TRegistroBytes&, const TQuelbCargaBalNutricional&);
template void RegistroTaraToledo(TRegistro&, const TQuelbCargaBalTaras&);
template void RegistroTaraToledo(TRegistroBytes&, const TQuelbCargaBalTaras&);
template void RegistroFornecedorToledo(TRegistro&, const TQuelbCargaBalFornecedor&);
template void RegistroFornecedorToledo(TRegistroBytes&, const TQuelbCargaBalFornecedor&);
template void RegistroSetorToledo(TRegistro&, const TQuelbCargaBalSetor&);
template void RegistroSetorToledo(TRegistroBytes&, const TQuelbCargaBalSetor&);

}  // namespace quelb
