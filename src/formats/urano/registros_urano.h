#pragma once
// The framed records that the Urano and Urano S loads share: the forty
// characters common to an item's records, the nutrition record and the
// recipe record. A framed record is a kind character, U+0002, fixed-width
// fields, a hexadecimal checksum and U+0003.
#include <string_view>

#include "catalogue/item.h"
#include "generator/lista_linhas.h"
#include "generator/registro.h"
#include "formats/urano/soma_caracteres.h"

namespace quelb {

inline constexpr char16_t InicioTexto = u'\x02';
inline constexpr char16_t FimTexto = u'\x03';

// Appends the checksum of AConteudo (at least four hexadecimal digits) and
// the end-of-text mark to ARegistro, a builder of either kind.
template <class C>
void FecharRegistroUrano(TRegistroDe<C>& ARegistro, std::basic_string_view<C> AConteudo, TCaixaHexa ACaixa);

// Builds the records of one item at a time into buffers reused across items:
// in the bytes of the file, or in UTF-16 for an item with a character that
// has no byte of its own.
class TRegistrosUrano {
public:
    // The decimal separator of the price in every record built here.
    explicit TRegistrosUrano(char16_t ASeparadorDecimal) : FSeparadorDecimal(ASeparadorDecimal) {}

    // Builds the part common to the item's records (columns 3 to 42 when the
    // price has nine characters). Call it first for each item.
    void Preparar(const TQuelbCargaBalItem& AItem);

    // The Urano product record (47 characters).
    void AdicionarProduto(TListaLinhas& ALista);
    // The nutrition record (256 characters), when Nutricional.Qtd > 0, then
    // the recipe record (871 or 662), when the item has a recipe text.
    void AdicionarNutricionalEReceita(const TQuelbCargaBalItem& AItem, TListaLinhas& ALista);

private:
    // The common part in the builder's kind; the UTF-16 one is built when
    // first asked for.
    const TRegistroBytes& Comum(const TRegistroBytes&) { return FComum.Bytes; }
    const TRegistro& Comum(const TRegistro&);
    template <class C>
    void MontarComum(TRegistroDe<C>& r);
    template <class C>
    void MontarProduto(TRegistroDe<C>& r);
    template <class C>
    void MontarNutricional(TRegistroDe<C>& r);
    template <class C>
    void MontarReceita(TRegistroDe<C>& r, bool ATemNutricional);

    char16_t FSeparadorDecimal;
    const TQuelbCargaBalItem* FItem = nullptr;
    TRegistros FComum;
    bool FComumEmTexto = false;  // FComum.Texto holds the current item's part
    TRegistros FRegistro;
};

}  // namespace quelb
