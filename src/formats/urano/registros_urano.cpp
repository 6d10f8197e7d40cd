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

void FecharRegistroUrano(TRegistro& ARegistro, std::u16string_view AConteudo, TCaixaHexa ACaixa) {
    // Summed before the record grows: AConteudo may view its buffer.
    const TCampoCurto soma = Hexadecimal4(SomaCaracteres(AConteudo), ACaixa);
    ARegistro.literal(soma)   // checksum
        .literal(FimTexto);  // end of text
}

void TRegistrosUrano::Preparar(const TQuelbCargaBalItem& AItem) {
    FComum.inicio()
        .inteiro(AItem.Codigo, 5)                                               // 3: item code
        .literal(TipoVendaUrano(AItem.Tipo))                                    // 8: sale type
        .direita(AItem.Descricao, 20)                                           // 9: description
        .literal(FormatarPadraoSeisZeros(AItem.ValorVenda, FSeparadorDecimal))  // 29: price, 9 or wider
        .inteiro(AItem.Validade, 4)                                             // 38: validity period
        .literal(u'D');                                                         // 42: fixed letter
}

// Product record, 47 characters.
void TRegistrosUrano::AdicionarProduto(TListaLinhas& ALista) {
    FRegistro.inicio()
        .literal(MarcaProduto)     // 1: record kind
        .literal(InicioTexto)      // 2: start of text
        .literal(FComum.linha());  // 3-42: code, sale type, description, price, validity, "D"
    // 43: checksum of columns 1 to 42; 47: end of text
    FecharRegistroUrano(FRegistro, FRegistro.linha(), TCaixaHexa::Maiusculas);
    ALista.Adicionar(FRegistro.linha());
}

// Nutrition record, 256 characters: the product fields and a blank block.
void TRegistrosUrano::AdicionarNutricional(TListaLinhas& ALista) {
    FRegistro.inicio()
        .literal(MarcaNutricional)            // 1: record kind
        .literal(InicioTexto)                 // 2: start of text
        .literal(FComum.linha())              // 3-42: as in the product record
        .direita(u"", LarguraBlocoEmBranco);  // 43-251: blank block
    // 252: checksum of columns 1 to 251; 256: end of text
    FecharRegistroUrano(FRegistro, FRegistro.linha(), TCaixaHexa::Maiusculas);
    ALista.Adicionar(FRegistro.linha());
}

// Recipe record, 871 characters, or 662 when the item has a nutrition record
// (the blank block is then left out and the text starts at column 43).
void TRegistrosUrano::AdicionarReceita(const TQuelbCargaBalItem& AItem, bool ATemNutricional,
                                       TListaLinhas& ALista) {
    FRegistro.inicio()
        .literal(MarcaReceita)                                      // 1: record kind
        .literal(InicioTexto)                                       // 2: start of text
        .literal(FComum.linha())                                    // 3-42: as in the product record
        .repetir(u' ', ATemNutricional ? 0 : LarguraBlocoEmBranco)  // 43-251: blank block, or nothing
        .direita(AItem.InformacaoExtra.Receita, LarguraReceita);    // 252 or 43: recipe text
    // 867 or 658: checksum of all preceding columns; 871 or 662: end of text
    FecharRegistroUrano(FRegistro, FRegistro.linha(), TCaixaHexa::Maiusculas);
    ALista.Adicionar(FRegistro.linha());
}

void TRegistrosUrano::AdicionarNutricionalEReceita(const TQuelbCargaBalItem& AItem, TListaLinhas& ALista) {
    const bool temNutricional = AItem.Nutricional.Qtd > 0;
    if (temNutricional) AdicionarNutricional(ALista);
    // One character is enough, a space included.
    if (!AItem.InformacaoExtra.Receita.empty()) AdicionarReceita(AItem, temNutricional, ALista);
}

}  // namespace quelb
