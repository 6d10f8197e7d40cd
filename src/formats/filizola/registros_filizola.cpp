#include "formats/filizola/registros_filizola.h"

#include <array>

namespace quelb {

char16_t TipoVendaFilizola(TQuelbCargaBalTipoVenda ATipo) {
    // tpvPeso, tpvUnidade, tpvEAN13, tpvEAN13Und: a bar-code type takes the
    // code of its base type. A value outside the enumeration is sold by weight.
    static constexpr std::array<char16_t, 4> Codigos = {u'P', u'U', u'P', u'U'};
    const size_t i = static_cast<size_t>(ATipo);
    return i < Codigos.size() ? Codigos[i] : u'P';
}

template <class C>
void RegistroItemFilizola(TRegistroDe<C>& r, const TQuelbCargaBalItem& AItem) {
    r.inicio()
        .inteiro(AItem.Codigo, 6)               //  1  item code
        .literal(TipoVendaFilizola(AItem.Tipo))  //  7  "P" or "U"
        .direita(AItem.Descricao, 22)           //  8  description
        .decimal(AItem.ValorVenda, 7, 2)        // 30  price in hundredths
        .inteiro(AItem.Validade, 3);            // 37  validity period
}

template <class C>
void RegistroSetorFilizola(TRegistroDe<C>& r, const TQuelbCargaBalItem& AItem, int32_t APosicao) {
    r.inicio()
        .direita(AItem.Setor.Descricao, 12)  //  1  sector description
        .inteiro(AItem.Codigo, 6)            // 13  item code
        .inteiro(APosicao, 4)                // 19  place in the catalogue, from 1
        .inteiro(AItem.Tecla, 3);            // 23  key number
}

template <class C>
void RegistroNutricionalFilizola(TRegistroDe<C>& r, const TQuelbCargaBalItem& AItem) {
    const TQuelbCargaBalNutricional& n = AItem.Nutricional;
    // Ten slots of a five-character amount and a four-character companion
    // field. Slots 8 and 9 hold nutrients the catalogue does not carry: they
    // are filled with asterisks so that sodium keeps its columns.
    r.inicio()
        .inteiro(AItem.Codigo, 6)                         //   1  item code
        .direita(n.Descricao, 35)                         //   7  nutrition description
        .inteiro(n.ValorEnergetico, 5).inteiro(0, 4)      //  42  energy, whole units
        .decimal(n.Carboidrato, 5, 1).inteiro(0, 4)       //  51  carbohydrate, tenths
        .decimal(n.Proteina, 5, 1).inteiro(0, 4)          //  60  protein, tenths
        .decimal(n.GorduraTotal, 5, 1).inteiro(0, 4)      //  69  total fat, tenths
        .decimal(n.GorduraSaturada, 5, 1).inteiro(0, 4)   //  78  saturated fat, tenths
        .decimal(n.GorduraTrans, 5, 1).inteiro(0, 4)      //  87  trans fat, tenths
        .decimal(n.Fibra, 5, 1).inteiro(0, 4)             //  96  fibre, tenths
        .direita(u"*****", 5).direita(u"****", 4)         // 105  slot 8, not carried
        .direita(u"*****", 5).direita(u"****", 4)         // 114  slot 9, not carried
        .decimal(n.Sodio, 5, 1).inteiro(0, 4);            // 123  sodium, tenths
}

template <class C>
void RegistroInformacaoExtraFilizola(TRegistroDe<C>& r, const TQuelbCargaBalItem& AItem, int32_t ACodigo) {
    r.inicio()
        .direita(u" ", 12)                             //   1  blank
        .inteiro(AItem.Codigo, 6)                      //  13  item code
        .inteiro(ACodigo, 6)                           //  19  extra-information code
        .direita(AItem.InformacaoExtra.Receita, 840)   //  25  text, as it is
        .literal(u'@');                                // 865  closing mark
}

template void RegistroItemFilizola(TRegistro&, const TQuelbCargaBalItem&);
template void RegistroItemFilizola(TRegistroBytes&, const TQuelbCargaBalItem&);
template void RegistroSetorFilizola(TRegistro&, const TQuelbCargaBalItem&, int32_t);
template void RegistroSetorFilizola(TRegistroBytes&, const TQuelbCargaBalItem&, int32_t);
template void RegistroNutricionalFilizola(TRegistro&, const TQuelbCargaBalItem&);
template void RegistroNutricionalFilizola(TRegistroBytes&, const TQuelbCargaBalItem&);
template void RegistroInformacaoExtraFilizola(TRegistro&, const TQuelbCargaBalItem&, int32_t);
template void RegistroInformacaoExtraFilizola(TRegistroBytes&, const TQuelbCargaBalItem&, int32_t);

}  // namespace quelb
