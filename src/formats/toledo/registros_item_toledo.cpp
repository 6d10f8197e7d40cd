#include "formats/toledo/codigos_toledo.h"
#include "formats/toledo/registros_toledo.h"

namespace quelb {

namespace {

// Columns 1 to 68, the same in the three MGV layouts.
template <class C>
TRegistroDe<C>& InicioItemMGV(TRegistroDe<C>& r, const TQuelbCargaBalItem& AItem) {
    return r.inicio()
        .inteiro(AItem.Setor.Codigo, 2)         //   1  sector code
        .literal(TipoVendaToledo(AItem.Tipo))   //   3  sale type
        .inteiro(AItem.Codigo, 6)               //   4  item code
        .decimal(AItem.ValorVenda, 6, 2)        //  10  price in hundredths
        .inteiro(AItem.Validade, 3)             //  16  validity period
        .direita(AItem.Descricao, 50);          //  19  description
}

}  // namespace

template <class C>
void RegistroItemToledo(TRegistroDe<C>& r, const TQuelbCargaBalItem& AItem) {
    r.inicio()
        .inteiro(AItem.Setor.Codigo, 2)                 //  1  sector code
        .inteiro(AItem.ModeloEtiqueta, 2)               //  3  label model
        .literal(TipoVendaToledo(AItem.Tipo))           //  5  sale type
        .inteiro(AItem.Codigo, 6)                       //  6  item code
        .decimal(AItem.ValorVenda, 6, 2)                // 12  price in hundredths
        .inteiro(AItem.Validade, 3)                     // 18  validity period
        .direita(AItem.Descricao, 50)                   // 21  description
        .direita(AItem.InformacaoExtra.Receita, 250);   // 71  extra-information text
}

template <class C>
void RegistroItemToledoMGV5Ver1(TRegistroDe<C>& r, const TQuelbCargaBalItem& AItem) {
    InicioItemMGV(r, AItem)                       //   1  columns 1 to 68
        .inteiro(AItem.Codigo, 6)                 //  69  extra-information code: the item code
        .esquerda(u"0", 3)                        //  75  fixed
        .inteiro(AItem.Nutricional.Codigo, 4)     //  78  nutrition code
        .direita(u"1", 1)                         //  82  fixed
        .direita(u"1", 1)                         //  83  fixed
        .inteiro(AItem.CodigoFornecedor, 4)       //  84  supplier code
        .esquerda(u"0", 12)                       //  88  fixed
        .esquerda(u"0", 11)                       // 100  fixed
        .esquerda(u"0", 1)                        // 111  fixed
        .esquerda(u"0", 2);                       // 112  fixed
}

template <class C>
void RegistroItemToledoMGV(TRegistroDe<C>& r, const TQuelbCargaBalItem& AItem, int32_t ACodigoInformacao) {
    InicioItemMGV(r, AItem)                       //   1  columns 1 to 68
        .inteiro(ACodigoInformacao, 6)            //  69  extra-information code
        .esquerda(u"0", 4)                        //  75  fixed
        .inteiro(AItem.Nutricional.Codigo, 6)     //  79  nutrition code
        .direita(u"1", 1)                         //  85  fixed
        .direita(u"1", 1)                         //  86  fixed
        .inteiro(AItem.CodigoFornecedor, 4)       //  87  supplier code
        .esquerda(u"0", 12)                       //  91  fixed
        .esquerda(u"0", 11)                       // 103  fixed
        .esquerda(u"0", 1)                        // 114  fixed
        .esquerda(u"0", 4)                        // 115  fixed
        .inteiro(AItem.CodigoTara, 4)             // 119  tare code
        .esquerda(u"0", 4)                        // 123  fixed
        .esquerda(u"0", 4)                        // 127  fixed
        .esquerda(u"0", 4)                        // 131  fixed
        .esquerda(u"0", 4)                        // 135  fixed
        .esquerda(AItem.EAN13Fornecedor, 12);     // 139  supplier bar code, zeros on the left
}

template void RegistroItemToledo(TRegistro&, const TQuelbCargaBalItem&);
template void RegistroItemToledo(TRegistroBytes&, const TQuelbCargaBalItem&);
template void RegistroItemToledoMGV5Ver1(TRegistro&, const TQuelbCargaBalItem&);
template void RegistroItemToledoMGV5Ver1(TRegistroBytes&, const TQuelbCargaBalItem&);
template void RegistroItemToledoMGV(TRegistro&, const TQuelbCargaBalItem&, int32_t);
template void RegistroItemToledoMGV(TRegistroBytes&, const TQuelbCargaBalItem&, int32_t);

}  // namespace quelb
