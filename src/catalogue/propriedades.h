#pragma once
// The properties of an item, named by their catalogue path ("Codigo",
// "Nutricional.Qtd"), with their type and a way to read each one. Record
// layouts name the property a field shows by this path, and it is checked
// here when the layout is compiled: a misspelt path does not build.
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>

#include "catalogue/enumeracoes.h"
#include "catalogue/item.h"

namespace quelb {

enum class TTipoPropriedade : uint8_t { Inteiro32, Inteiro16, Decimal, Texto, Enumeracao, Booleano };

struct TPropriedade {
    std::string_view Nome;  // catalogue path
    TTipoPropriedade Tipo;
    // Value names of an enumeration, by ordinal.
    std::span<const char* const> Nomes;
    // Integers, enumeration ordinals and booleans (0, 1) as they are,
    // amounts in ten-thousandths; null for a text.
    int64_t (*Numero)(const TQuelbCargaBalItem&);
    // Null for anything but a text. Texto gives a copy in UTF-16; TextoItem
    // the text as the item keeps it (what the writers read).
    std::u16string (*Texto)(const TQuelbCargaBalItem&);
    const TTextoItem& (*TextoItem)(const TQuelbCargaBalItem&);
    // Sets the value (an amount in ten-thousandths, an enumeration by its
    // ordinal); the integer is narrowed to the property's type as it is.
    void (*DefinirNumero)(TQuelbCargaBalItem&, int64_t);
    void (*DefinirTexto)(TQuelbCargaBalItem&, std::u16string_view);
    TTextoItem& (*LocalTexto)(TQuelbCargaBalItem&);
};

namespace detalhe {

template <class T>
constexpr TTipoPropriedade TipoDe() {
    if constexpr (std::is_same_v<T, int32_t>) return TTipoPropriedade::Inteiro32;
    else if constexpr (std::is_same_v<T, int16_t>) return TTipoPropriedade::Inteiro16;
    else if constexpr (std::is_same_v<T, TValorFixo>) return TTipoPropriedade::Decimal;
    else if constexpr (std::is_same_v<T, TTextoItem>) return TTipoPropriedade::Texto;
    else if constexpr (std::is_same_v<T, bool>) return TTipoPropriedade::Booleano;
    else {
        static_assert(std::is_enum_v<T> && sizeof(T) == 1, "property type without a catalogue form");
        return TTipoPropriedade::Enumeracao;
    }
}

template <class T>
constexpr std::span<const char* const> NomesDe() {
    if constexpr (std::is_same_v<T, TQuelbCargaBalTipoVenda>) return NomesTipoVenda;
    else if constexpr (std::is_same_v<T, TQuelbCargaBalTipoValidade>) return NomesTipoValidade;
    else if constexpr (std::is_same_v<T, TQuelbCargaBalNutriUndPorcao>) return NomesUndPorcao;
    else if constexpr (std::is_same_v<T, TQuelbCargaBalNutriPartdecimal>) return NomesPartDecimal;
    else if constexpr (std::is_same_v<T, TQuelbCargaBalNutriMedCaseira>) return NomesMedCaseira;
    else return {};
}

template <class T>
constexpr int64_t ComoNumero(const T& AValor) {
    if constexpr (std::is_same_v<T, TValorFixo>) return AValor.DezMilesimos();
    else return static_cast<int64_t>(AValor);
}

template <class T>
constexpr T DeNumero(int64_t AValor) {
    if constexpr (std::is_same_v<T, TValorFixo>) return TValorFixo::DeDezMilesimos(AValor);
    else if constexpr (std::is_same_v<T, bool>) return AValor != 0;
    else return static_cast<T>(AValor);
}

// The property at AAcesso (a pointer to a member of the item, or to a member
// of one of its records after the record's own pointer).
template <auto... AAcesso>
const auto& Valor(const TQuelbCargaBalItem& AItem) {
    return (AItem .* ... .* AAcesso);
}
template <auto... AAcesso>
auto& Local(TQuelbCargaBalItem& AItem) {
    return (AItem .* ... .* AAcesso);
}

template <auto... AAcesso>
constexpr TPropriedade Propriedade(std::string_view ANome) {
    using T = std::remove_cvref_t<decltype(Valor<AAcesso...>(std::declval<const TQuelbCargaBalItem&>()))>;
    if constexpr (std::is_same_v<T, TTextoItem>) {
        return {ANome, TipoDe<T>(), {}, nullptr,
                [](const TQuelbCargaBalItem& i) { return Valor<AAcesso...>(i).Utf16(); },
                [](const TQuelbCargaBalItem& i) -> const TTextoItem& { return Valor<AAcesso...>(i); }, nullptr,
                [](TQuelbCargaBalItem& i, std::u16string_view v) { Local<AAcesso...>(i) = v; },
                [](TQuelbCargaBalItem& i) -> TTextoItem& { return Local<AAcesso...>(i); }};
    } else {
        return {ANome, TipoDe<T>(), NomesDe<T>(),
                [](const TQuelbCargaBalItem& i) { return ComoNumero(Valor<AAcesso...>(i)); }, nullptr, nullptr,
                [](TQuelbCargaBalItem& i, int64_t v) { Local<AAcesso...>(i) = DeNumero<T>(v); }, nullptr, nullptr};
    }
}

// A column of the Toledo item record that the vendor defines: a text.
template <size_t AColuna>
constexpr TPropriedade ColunaToledo(std::string_view ANome) {
    return {ANome, TTipoPropriedade::Texto, {}, nullptr,
            [](const TQuelbCargaBalItem& i) { return i.Toledo[AColuna].Utf16(); },
            [](const TQuelbCargaBalItem& i) -> const TTextoItem& { return i.Toledo[AColuna]; }, nullptr,
            [](TQuelbCargaBalItem& i, std::u16string_view v) { i.Toledo.Local(AColuna) = v; },
            [](TQuelbCargaBalItem& i) -> TTextoItem& { return i.Toledo.Local(AColuna); }};
}

using I = TQuelbCargaBalItem;
using T = TQuelbCargaBalColunasToledo;
using Setor = TQuelbCargaBalSetor;
using Nutri = TQuelbCargaBalNutricional;
using Tara = TQuelbCargaBalTaras;
using Forn = TQuelbCargaBalFornecedor;
using Info = TQuelbCargaBalInformacaoExtra;

}  // namespace detalhe

// Every property of the item, in the order of the item model.
inline constexpr TPropriedade Propriedades[] = {
    detalhe::Propriedade<&detalhe::I::Tecla>("Tecla"),
    detalhe::Propriedade<&detalhe::I::ValorVenda>("ValorVenda"),
    detalhe::Propriedade<&detalhe::I::ModeloEtiqueta>("ModeloEtiqueta"),
    detalhe::Propriedade<&detalhe::I::Descricao>("Descricao"),
    detalhe::Propriedade<&detalhe::I::Codigo>("Codigo"),
    detalhe::Propriedade<&detalhe::I::Tipo>("Tipo"),
    detalhe::Propriedade<&detalhe::I::Validade>("Validade"),
    detalhe::Propriedade<&detalhe::I::TipoValidade>("TipoValidade"),
    detalhe::Propriedade<&detalhe::I::Setor, &detalhe::Setor::Codigo>("Setor.Codigo"),
    detalhe::Propriedade<&detalhe::I::Setor, &detalhe::Setor::Descricao>("Setor.Descricao"),
    detalhe::Propriedade<&detalhe::I::Nutricional, &detalhe::Nutri::Codigo>("Nutricional.Codigo"),
    detalhe::Propriedade<&detalhe::I::Nutricional, &detalhe::Nutri::Descricao>("Nutricional.Descricao"),
    detalhe::Propriedade<&detalhe::I::Nutricional, &detalhe::Nutri::Qtd>("Nutricional.Qtd"),
    detalhe::Propriedade<&detalhe::I::Nutricional, &detalhe::Nutri::UndPorcao>("Nutricional.UndPorcao"),
    detalhe::Propriedade<&detalhe::I::Nutricional, &detalhe::Nutri::PartInteira>("Nutricional.PartInteira"),
    detalhe::Propriedade<&detalhe::I::Nutricional, &detalhe::Nutri::PartDecimal>("Nutricional.PartDecimal"),
    detalhe::Propriedade<&detalhe::I::Nutricional, &detalhe::Nutri::MedCaseira>("Nutricional.MedCaseira"),
    detalhe::Propriedade<&detalhe::I::Nutricional, &detalhe::Nutri::ValorEnergetico>("Nutricional.ValorEnergetico"),
    detalhe::Propriedade<&detalhe::I::Nutricional, &detalhe::Nutri::Carboidrato>("Nutricional.Carboidrato"),
    detalhe::Propriedade<&detalhe::I::Nutricional, &detalhe::Nutri::Proteina>("Nutricional.Proteina"),
    detalhe::Propriedade<&detalhe::I::Nutricional, &detalhe::Nutri::GorduraTotal>("Nutricional.GorduraTotal"),
    detalhe::Propriedade<&detalhe::I::Nutricional, &detalhe::Nutri::GorduraSaturada>("Nutricional.GorduraSaturada"),
    detalhe::Propriedade<&detalhe::I::Nutricional, &detalhe::Nutri::GorduraTrans>("Nutricional.GorduraTrans"),
    detalhe::Propriedade<&detalhe::I::Nutricional, &detalhe::Nutri::Fibra>("Nutricional.Fibra"),
    detalhe::Propriedade<&detalhe::I::Nutricional, &detalhe::Nutri::Sodio>("Nutricional.Sodio"),
    detalhe::Propriedade<&detalhe::I::Nutricional, &detalhe::Nutri::AcucaresTotais>("Nutricional.AcucaresTotais"),
    detalhe::Propriedade<&detalhe::I::Nutricional, &detalhe::Nutri::AcucaresAdicionados>(
        "Nutricional.AcucaresAdicionados"),
    detalhe::Propriedade<&detalhe::I::Nutricional, &detalhe::Nutri::PorcoesEmbalagem>("Nutricional.PorcoesEmbalagem"),
    detalhe::Propriedade<&detalhe::I::Nutricional, &detalhe::Nutri::AltoEmAcucarAdicionado>(
        "Nutricional.AltoEmAcucarAdicionado"),
    detalhe::Propriedade<&detalhe::I::Nutricional, &detalhe::Nutri::AltoEmGorduraSaturada>(
        "Nutricional.AltoEmGorduraSaturada"),
    detalhe::Propriedade<&detalhe::I::Nutricional, &detalhe::Nutri::AltoEmSodio>("Nutricional.AltoEmSodio"),
    detalhe::Propriedade<&detalhe::I::Nutricional, &detalhe::Nutri::Lactose>("Nutricional.Lactose"),
    detalhe::Propriedade<&detalhe::I::Nutricional, &detalhe::Nutri::Galactose>("Nutricional.Galactose"),
    detalhe::Propriedade<&detalhe::I::Tara, &detalhe::Tara::Codigo>("Tara.Codigo"),
    detalhe::Propriedade<&detalhe::I::Tara, &detalhe::Tara::Descricao>("Tara.Descricao"),
    detalhe::Propriedade<&detalhe::I::Tara, &detalhe::Tara::Valor>("Tara.Valor"),
    detalhe::Propriedade<&detalhe::I::Fornecedor, &detalhe::Forn::Codigo>("Fornecedor.Codigo"),
    detalhe::Propriedade<&detalhe::I::Fornecedor, &detalhe::Forn::Observacao>("Fornecedor.Observacao"),
    detalhe::Propriedade<&detalhe::I::Fornecedor, &detalhe::Forn::Descricao1>("Fornecedor.Descricao1"),
    detalhe::Propriedade<&detalhe::I::Fornecedor, &detalhe::Forn::Descricao2>("Fornecedor.Descricao2"),
    detalhe::Propriedade<&detalhe::I::Fornecedor, &detalhe::Forn::Descricao3>("Fornecedor.Descricao3"),
    detalhe::Propriedade<&detalhe::I::Fornecedor, &detalhe::Forn::Descricao4>("Fornecedor.Descricao4"),
    detalhe::Propriedade<&detalhe::I::Fornecedor, &detalhe::Forn::Descricao5>("Fornecedor.Descricao5"),
    detalhe::Propriedade<&detalhe::I::CodigoTexto1>("CodigoTexto1"),
    detalhe::Propriedade<&detalhe::I::CodigoTexto2>("CodigoTexto2"),
    detalhe::Propriedade<&detalhe::I::CodigoTexto3>("CodigoTexto3"),
    detalhe::Propriedade<&detalhe::I::CodigoInfoNutr>("CodigoInfoNutr"),
    detalhe::Propriedade<&detalhe::I::CodigoTara>("CodigoTara"),
    detalhe::Propriedade<&detalhe::I::CodigoFornecedor>("CodigoFornecedor"),
    detalhe::Propriedade<&detalhe::I::EAN13Fornecedor>("EAN13Fornecedor"),
    detalhe::Propriedade<&detalhe::I::InformacaoExtra, &detalhe::Info::Codigo>("InformacaoExtra.Codigo"),
    detalhe::Propriedade<&detalhe::I::InformacaoExtra, &detalhe::Info::Observacao>("InformacaoExtra.Observacao"),
    detalhe::Propriedade<&detalhe::I::InformacaoExtra, &detalhe::Info::Receita>("InformacaoExtra.Receita"),
    detalhe::ColunaToledo<detalhe::T::FFFF>("Toledo.FFFF"),
    detalhe::ColunaToledo<detalhe::T::DV>("Toledo.DV"),
    detalhe::ColunaToledo<detalhe::T::DE>("Toledo.DE"),
    detalhe::ColunaToledo<detalhe::T::L>("Toledo.L"),
    detalhe::ColunaToledo<detalhe::T::G>("Toledo.G"),
    detalhe::ColunaToledo<detalhe::T::Z>("Toledo.Z"),
    detalhe::ColunaToledo<detalhe::T::CS>("Toledo.CS"),
    detalhe::ColunaToledo<detalhe::T::FR>("Toledo.FR"),
    detalhe::ColunaToledo<detalhe::T::CE1>("Toledo.CE1"),
    detalhe::ColunaToledo<detalhe::T::CE2>("Toledo.CE2"),
    detalhe::ColunaToledo<detalhe::T::CON>("Toledo.CON"),
    detalhe::ColunaToledo<detalhe::T::GL>("Toledo.GL"),
    detalhe::ColunaToledo<detalhe::T::CE3>("Toledo.CE3"),
    detalhe::ColunaToledo<detalhe::T::CE4>("Toledo.CE4"),
    detalhe::ColunaToledo<detalhe::T::MIDIA>("Toledo.MIDIA"),
    detalhe::ColunaToledo<detalhe::T::PrecoPromocional>("Toledo.PrecoPromocional"),
    detalhe::ColunaToledo<detalhe::T::SF>("Toledo.SF"),
    detalhe::ColunaToledo<detalhe::T::ST>("Toledo.ST"),
    detalhe::ColunaToledo<detalhe::T::G1>("Toledo.G1"),
    detalhe::ColunaToledo<detalhe::T::PG>("Toledo.PG"),
    detalhe::ColunaToledo<detalhe::T::PPPPPP>("Toledo.PPPPPP"),
    detalhe::ColunaToledo<detalhe::T::Departamentos>("Toledo.Departamentos"),
    detalhe::ColunaToledo<detalhe::T::Fornecedores>("Toledo.Fornecedores"),
    detalhe::ColunaToledo<detalhe::T::BalancasInativas>("Toledo.BalancasInativas"),
    detalhe::ColunaToledo<detalhe::T::OutrosDepartamentos>("Toledo.OutrosDepartamentos"),
};

static_assert(std::size(Propriedades) <= MaximoPropriedades, "TQuelbCargaBalItem::Ausentes has a bit per property");

// The position of the property of that catalogue path in Propriedades, or
// the table's size when there is none.
constexpr size_t IndicePropriedade(std::string_view ANome) {
    size_t i = 0;
    while (i < std::size(Propriedades) && Propriedades[i].Nome != ANome) ++i;
    return i;
}

// The property of that catalogue path, or null.
constexpr const TPropriedade* ProcurarPropriedade(std::string_view ANome) {
    const size_t i = IndicePropriedade(ANome);
    return i < std::size(Propriedades) ? &Propriedades[i] : nullptr;
}

// True for a column of the Toledo item record that the vendor defines
// ("Toledo.DV") or one of its lists: its empty text is the usual content.
constexpr bool ColunaDoFabricante(const TPropriedade& APropriedade) { return APropriedade.Nome.starts_with("Toledo."); }

// The least and the greatest number a property holds: those of its 16- or
// 32-bit integer type; any for the others.
struct TLimitesPropriedade {
    int64_t Minimo, Maximo;
};
constexpr TLimitesPropriedade Limites(const TPropriedade& APropriedade) {
    if (APropriedade.Tipo == TTipoPropriedade::Inteiro16) return {INT16_MIN, INT16_MAX};
    if (APropriedade.Tipo == TTipoPropriedade::Inteiro32) return {INT32_MIN, INT32_MAX};
    return {INT64_MIN, INT64_MAX};
}
constexpr bool CabeNaPropriedade(const TPropriedade& APropriedade, int64_t AValor) {
    const TLimitesPropriedade l = Limites(APropriedade);
    return AValor >= l.Minimo && AValor <= l.Maximo;
}

}  // namespace quelb
