#include "formats/urano/registros_urano.h"

#include "formats/urano/codigos_urano.h"
#include "formats/urano/padroes_preco.h"

namespace quelb {

namespace {
constexpr char16_t MarcaProduto = u'\x0A';
constexpr char16_t MarcaNutricional = u'\x0B';
constexpr char16_t MarcaReceita = u'\x0C';
constexpr int32_t LarguraBlocoEmBranco = 209;
constexpr int32_t LarguraReceita = 615;
}  // namespace

template <class C>
void FecharRegistroUrano(TRegistroDe<C>& ARegistro, std::basic_string_view<C> AConteudo, TCaixaHexa ACaixa) {
    // Summed before the record grows: AConteudo may view its buffer.
    const TCampoCurto soma = Hexadecimal4(SomaCaracteres(AConteudo), ACaixa);
    ARegistro.literal(soma)   // checksum
        .literal(FimTexto);  // end of text
}

template void FecharRegistroUrano(TRegistro&, std::u16string_view, TCaixaHexa);
template void FecharRegistroUrano(TRegistroBytes&, std::string_view, TCaixaHexa);

template <class C>
void TRegistrosUrano::MontarComum(TRegistroDe<C>& r) {
    const TQuelbCargaBalItem& item = *FItem;
    r.inicio()
        .inteiro(item.Codigo, 5)                                               // 3: item code
        .literal(TipoVendaUrano(item.Tipo))                                    // 8: sale type
        .direita(item.Descricao, 20)                                           // 9: description
        .literal(FormatarPadraoSeisZeros(item.ValorVenda, FSeparadorDecimal))  // 29: price, 9 or wider
        .inteiro(item.Validade, 4)                                             // 38: validity period
        .literal(u'D');                                                        // 42: fixed letter
}

void TRegistrosUrano::Preparar(const TQuelbCargaBalItem& AItem) {
    FItem = &AItem;
    MontarComum(FComum.Bytes);
    FComumEmTexto = false;
}

const TRegistro& TRegistrosUrano::Comum(const TRegistro&) {
    if (!FComumEmTexto) MontarComum(FComum.Texto);
    FComumEmTexto = true;
    return FComum.Texto;
}

// Product record, 47 characters.
template <class C>
void TRegistrosUrano::MontarProduto(TRegistroDe<C>& r) {
    r.inicio()
        .literal(MarcaProduto)  // 1: record kind
        .literal(InicioTexto)   // 2: start of text
        .literal(Comum(r));     // 3-42: code, sale type, description, price, validity, "D"
    // 43: checksum of columns 1 to 42; 47: end of text
    FecharRegistroUrano(r, r.linha(), TCaixaHexa::Maiusculas);
}

void TRegistrosUrano::AdicionarProduto(TListaLinhas& ALista) {
    AdicionarRegistro(ALista, FRegistro, [&](auto& r) { MontarProduto(r); });
}

// Nutrition record, 256 characters: the product fields and a blank block.
template <class C>
void TRegistrosUrano::MontarNutricional(TRegistroDe<C>& r) {
    r.inicio()
        .literal(MarcaNutricional)            // 1: record kind
        .literal(InicioTexto)                 // 2: start of text
        .literal(Comum(r))                    // 3-42: as in the product record
        .direita(u"", LarguraBlocoEmBranco);  // 43-251: blank block
    // 252: checksum of columns 1 to 251; 256: end of text
    FecharRegistroUrano(r, r.linha(), TCaixaHexa::Maiusculas);
}

// Recipe record, 871 characters, or 662 when the item has a nutrition record
// (the blank block is then left out and the text starts at column 43).
template <class C>
void TRegistrosUrano::MontarReceita(TRegistroDe<C>& r, bool ATemNutricional) {
    r.inicio()
        .literal(MarcaReceita)                                      // 1: record kind
        .literal(InicioTexto)                                       // 2: start of text
        .literal(Comum(r))                                          // 3-42: as in the product record
        .repetir(u' ', ATemNutricional ? 0 : LarguraBlocoEmBranco)  // 43-251: blank block, or nothing
        .direita(FItem->InformacaoExtra.Receita, LarguraReceita);   // 252 or 43: recipe text
    // 867 or 658: checksum of all preceding columns; 871 or 662: end of text
    FecharRegistroUrano(r, r.linha(), TCaixaHexa::Maiusculas);
}

void TRegistrosUrano::AdicionarNutricionalEReceita(const TQuelbCargaBalItem& AItem, TListaLinhas& ALista) {
    const bool temNutricional = AItem.Nutricional.Qtd > 0;
    if (temNutricional) AdicionarRegistro(ALista, FRegistro, [&](auto& r) { MontarNutricional(r); });
    // One character is enough, a space included.
    if (!AItem.InformacaoExtra.Receita.empty())
        AdicionarRegistro(ALista, FRegistro, [&](auto& r) { MontarReceita(r, temNutricional); });
}

}  // namespace quelb
