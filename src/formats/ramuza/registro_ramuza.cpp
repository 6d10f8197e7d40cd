#include "formats/ramuza/registro_ramuza.h"

namespace quelb {

std::u16string_view TipoVendaRamuza(TQuelbCargaBalTipoVenda ATipo) {
    return ATipo == tpvUnidade || ATipo == tpvEAN13Und ? u"1" : u"0";
}

TValorFixo TaraCentuplicada(TValorFixo ATara) {
    // Exact for any real tare; an absurd one wraps instead of overflowing.
    return TValorFixo::DeDezMilesimos(
        static_cast<int64_t>(static_cast<uint64_t>(ATara.DezMilesimos()) * 100u));
}

template <class C>
void MontarRegistroRamuza(TRegistroDe<C>& r, const TQuelbCargaBalItem& AItem, int32_t ANumero) {
    const TQuelbCargaBalNutricional& n = AItem.Nutricional;
    r.inicio()
        .inteiro(ANumero, 4)                                // 1: running number (its decimal text, PE to 4)
        .literal(u'A')                                      // 5: fixed letter
        .literal(u'0')                                      // 6: fixed digit
        .inteiro(AItem.Codigo, 6)                           // 7: product code
        .decimal(AItem.ValorVenda, 6, 2)                    // 13: price in hundredths
        .literal(TipoVendaRamuza(AItem.Tipo))               // 19: sale type
        .inteiro(AItem.Validade, 3)                         // 20: validity period
        .esquerda(u"0", 13)                                 // 23: thirteen zeros
        .decimal(TaraCentuplicada(AItem.Tara.Valor), 5, 2)  // 36: tare times 10 000
        .inteiro(AItem.ModeloEtiqueta, 2)                   // 41: label model
        // Nutrient slots of ten characters: number, portion quantity, amount.
        .esquerda(u"1", 2).inteiro(n.Qtd, 5).inteiro(n.ValorEnergetico, 3)  // 43: slot 1, energy, whole units
        .esquerda(u"2", 2).inteiro(n.Qtd, 5).decimal(n.Carboidrato, 3, 2)    // 53: slot 2, carbohydrate, hundredths
        .esquerda(u"3", 2).inteiro(n.Qtd, 5).decimal(n.Proteina, 3, 2)       // 63: slot 3, protein
        .esquerda(u"4", 2).inteiro(n.Qtd, 5).decimal(n.GorduraTotal, 3, 2)   // 73: slot 4, total fat
        .esquerda(u"5", 2).inteiro(n.Qtd, 5).decimal(n.GorduraSaturada, 3, 2)  // 83: slot 5, saturated fat
        .esquerda(u"6", 2).inteiro(n.Qtd, 5).decimal(n.GorduraTrans, 3, 2)   // 93: slot 6, trans fat
        .esquerda(u"7", 2).inteiro(n.Qtd, 5).decimal(n.Fibra, 3, 2)          // 103: slot 7, fibre
        .esquerda(u"8", 2).inteiro(n.Qtd, 5).decimal(n.Sodio, 3, 2)          // 113: slot 8, sodium
        .esquerda(u"0", 2).esquerda(u"0", 5).esquerda(u"0", 3)               // 123: slot 9, empty
        .esquerda(u"0", 2).esquerda(u"0", 5).esquerda(u"0", 3)               // 133: slot 10, empty
        .esquerda(u"0", 2).esquerda(u"0", 5).esquerda(u"0", 3)               // 143: slot 11, empty
        .esquerda(u"0", 2).esquerda(u"0", 5).esquerda(u"0", 3)               // 153: slot 12, empty
        .literal(u"##")                                     // 163: opening mark
        .direita(AItem.Descricao, 24)                       // 165: description
        .literal(u"##")                                     // 189: mark after the description
        .literal(u"##");                                    // 191: mark after the second text, always empty
}

template void MontarRegistroRamuza(TRegistro&, const TQuelbCargaBalItem&, int32_t);
template void MontarRegistroRamuza(TRegistroBytes&, const TQuelbCargaBalItem&, int32_t);

}  // namespace quelb
