#pragma once
// A record layout is a table of fields, declared once beside the vendor's
// layout and read line by line against it:
//
//   inline constexpr auto ItemFilizola = std::to_array<TCampo>({
//       campo::Numero("codigo", 6, "Codigo"),                      //  1
//       campo::Codigo("tipo", "Tipo", CodigosTipoVendaFilizola),   //  7
//       campo::Texto("descricao", 22, "Descricao"),                //  8
//       ...
//   });
//   static_assert(LarguraFixa(ItemFilizola) == 39);
//
// The same table writes the record (escrever_registro.h), tells how much each
// field holds (Capacidade) and reads a record line back (ler_registro.h).
// Every field names the item property it shows by its catalogue path; a path
// that the item does not have stops the build.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "catalogue/propriedades.h"
#include "generator/soma_caracteres.h"
#include "platform/plataforma.h"

namespace quelb {

enum class TTipoCampo : uint8_t {
    // Text from its character Inicio on (0: all of it), left-aligned and
    // filled with spaces on the right; a longer text keeps its first
    // characters.
    Texto,
    // Text, right-aligned and filled with zeros on the left; a longer text
    // keeps its first characters.
    TextoADireita,
    // Integer in decimal digits ("-" first when negative), right-aligned and
    // filled with Enchimento; a longer number keeps its first characters.
    Numero,
    // The same for a positive number; nothing at all for 0 or less.
    NumeroSePositivo,
    // A number the layout computes from the item (Calcular), written as a
    // Numero.
    Calculado,
    // Amount in units of its Casas-th decimal, truncated toward zero (low 32
    // bits), then written as a Numero.
    Decimal,
    // The code of an enumeration value, from the field's table of codes; a
    // value outside the table takes the first code.
    Codigo,
    // A fixed text.
    Fixo,
    // A column the vendor defines (DoFabricante): the property's text, of
    // Largura characters (right-aligned with zeros when shorter, its first
    // characters when longer), or the constant Fixo when the text is empty.
    // Read back: digits and spaces, or one of Codigos when the column has
    // them.
    Coluna,
    // A list between two "|" marks (the marks are fields of their own):
    // the property's text as it is, codes of Entrada digits one after the
    // other; when it is empty, the property Padrao in Entrada digits if
    // positive, else nothing. Read back by the marks, whatever its length.
    Lista,
    // The item's place in the catalogue, counted from 1, written as a Numero.
    Posicao,
    // Price by the pattern "000000.00" with the generation's decimal
    // separator: rounded to hundredths (a half to the even hundredth), at
    // least six integer digits, never cut: a larger price widens the record.
    PrecoSeisZeros,
    // Price by the pattern "###,###,##0.00" (a half away from zero), grouped
    // with the locale's separators, right-aligned with spaces in Largura and
    // cut to its first Largura characters; then every "." becomes ",".
    PrecoAgrupado,
    // Checksum: the sum of the character values of the record so far, from
    // column Desde + 1, in hexadecimal with at least four digits, never cut.
    Soma,
};

struct TCampo {
    std::string_view Nome;  // as the vendor layout names it, in lower case
    TTipoCampo Tipo;
    int32_t Largura;  // characters (the least, for the fields that widen)
    char16_t Enchimento = u'0';
    int32_t Casas = 0;   // Decimal: decimals written
    uint32_t Fator = 1;  // Decimal: the amount is multiplied by it first
    // The item property shown; null for fixed fields, the position and the
    // checksum.
    const TPropriedade* Propriedade = nullptr;
    std::u16string_view Fixo = {};                      // Fixo, Coluna: the text
    std::span<const std::u16string_view> Codigos = {};  // Codigo: codes by ordinal; Coluna: the values it takes
    int32_t Desde = 0;                          // Soma
    TCaixaHexa Caixa = TCaixaHexa::Maiusculas;  // Soma

    int32_t Inicio = 0;                                    // Texto: the first character written
    int32_t Entrada = 0;                          // Lista: digits of each code (0: any number of digits)
    const TPropriedade* Padrao = nullptr;         // Lista: the number written when the list is empty
    int64_t (*Calcular)(const TQuelbCargaBalItem&) = nullptr;  // Calculado

    // The column as the vendor's legend names it ("DV, imprime data de
    // validade"), for the messages; empty where Nome says it.
    std::string_view Legenda = {};
    // A column that the vendor defines and this library fills with its
    // constant: another value in a load is the store's setting, not damage.
    bool DoFabricante = false;

    // True for the fields whose width follows the value.
    constexpr bool Variavel() const {
        return Tipo == TTipoCampo::PrecoSeisZeros || Tipo == TTipoCampo::Soma || Tipo == TTipoCampo::NumeroSePositivo ||
               Tipo == TTipoCampo::Lista;
    }
};

namespace campo {

// The property of APropriedade; in a table (a constant expression) an
// unknown path stops the build here.
constexpr const TPropriedade* Exigir(std::string_view APropriedade) {
    const size_t i = IndicePropriedade(APropriedade);
    if (i == std::size(Propriedades)) throw std::logic_error("the item has no such property");
    return &Propriedades[i];
}

constexpr TCampo Texto(std::string_view ANome, int32_t ALargura, std::string_view APropriedade) {
    return {.Nome = ANome, .Tipo = TTipoCampo::Texto, .Largura = ALargura, .Enchimento = u' ',
            .Propriedade = Exigir(APropriedade)};
}
// The part of a text from its character AInicio (counted from 0) on.
constexpr TCampo TrechoDeTexto(std::string_view ANome, int32_t ALargura, int32_t AInicio,
                               std::string_view APropriedade) {
    return {.Nome = ANome, .Tipo = TTipoCampo::Texto, .Largura = ALargura, .Enchimento = u' ',
            .Propriedade = Exigir(APropriedade), .Inicio = AInicio};
}
constexpr TCampo TextoADireita(std::string_view ANome, int32_t ALargura, std::string_view APropriedade) {
    return {.Nome = ANome, .Tipo = TTipoCampo::TextoADireita, .Largura = ALargura, .Enchimento = u'0',
            .Propriedade = Exigir(APropriedade)};
}
constexpr TCampo Numero(std::string_view ANome, int32_t ALargura, std::string_view APropriedade,
                        char16_t AEnchimento = u'0') {
    return {.Nome = ANome, .Tipo = TTipoCampo::Numero, .Largura = ALargura, .Enchimento = AEnchimento,
            .Propriedade = Exigir(APropriedade)};
}
constexpr TCampo NumeroSePositivo(std::string_view ANome, int32_t ALargura, std::string_view APropriedade) {
    return {.Nome = ANome, .Tipo = TTipoCampo::NumeroSePositivo, .Largura = ALargura, .Enchimento = u'0',
            .Propriedade = Exigir(APropriedade)};
}
constexpr TCampo Calculado(std::string_view ANome, int32_t ALargura, int64_t (*ACalcular)(const TQuelbCargaBalItem&)) {
    return {.Nome = ANome, .Tipo = TTipoCampo::Calculado, .Largura = ALargura, .Calcular = ACalcular};
}
constexpr TCampo Decimal(std::string_view ANome, int32_t ALargura, int32_t ACasas, std::string_view APropriedade,
                         uint32_t AFator = 1) {
    return {.Nome = ANome, .Tipo = TTipoCampo::Decimal, .Largura = ALargura, .Casas = ACasas, .Fator = AFator,
            .Propriedade = Exigir(APropriedade)};
}
constexpr TCampo Codigo(std::string_view ANome, std::string_view APropriedade,
                        std::span<const std::u16string_view> ACodigos) {
    return {.Nome = ANome, .Tipo = TTipoCampo::Codigo, .Largura = static_cast<int32_t>(ACodigos[0].size()),
            .Propriedade = Exigir(APropriedade), .Codigos = ACodigos};
}
constexpr TCampo Fixo(std::string_view ANome, std::u16string_view ATexto) {
    return {.Nome = ANome, .Tipo = TTipoCampo::Fixo, .Largura = static_cast<int32_t>(ATexto.size()), .Fixo = ATexto};
}
// A fixed field of N characters c.
template <size_t N, char16_t c>
inline constexpr std::array<char16_t, N> Repeticao = [] {
    std::array<char16_t, N> r{};
    r.fill(c);
    return r;
}();
template <size_t N, char16_t c>
constexpr TCampo Repetido(std::string_view ANome) {
    return Fixo(ANome, std::u16string_view(Repeticao<N, c>.data(), N));
}
// AFixo, a column of the vendor's (DoFabricante) named by its legend.
constexpr TCampo DoFabricante(TCampo AFixo, std::string_view ALegenda) {
    AFixo.Legenda = ALegenda;
    AFixo.DoFabricante = true;
    return AFixo;
}
// AFixo as a column of the vendor's whose characters are the property
// APropriedade, AFixo's text when it is empty; ACodigos, when given, are the
// values the column takes.
constexpr TCampo Coluna(TCampo AFixo, std::string_view APropriedade, std::string_view ALegenda,
                        std::span<const std::u16string_view> ACodigos = {}) {
    TCampo c = DoFabricante(AFixo, ALegenda);
    c.Tipo = TTipoCampo::Coluna;
    c.Propriedade = Exigir(APropriedade);
    c.Codigos = ACodigos;
    return c;
}
// A list of codes of AEntrada digits (0: any) between "|" marks, the
// property APropriedade; when it is empty, the number APadrao if positive.
constexpr TCampo Lista(std::string_view ANome, int32_t AEntrada, std::string_view APropriedade,
                       std::string_view ALegenda, std::string_view APadrao = {}) {
    return {.Nome = ANome, .Tipo = TTipoCampo::Lista, .Largura = 0, .Propriedade = Exigir(APropriedade),
            .Entrada = AEntrada, .Padrao = APadrao.empty() ? nullptr : Exigir(APadrao), .Legenda = ALegenda,
            .DoFabricante = true};
}
// ACampo named in messages by the vendor's legend.
constexpr TCampo Legendado(TCampo ACampo, std::string_view ALegenda) {
    ACampo.Legenda = ALegenda;
    return ACampo;
}
constexpr TCampo Posicao(std::string_view ANome, int32_t ALargura) {
    return {.Nome = ANome, .Tipo = TTipoCampo::Posicao, .Largura = ALargura};
}
constexpr TCampo PrecoSeisZeros(std::string_view ANome, std::string_view APropriedade) {
    return {.Nome = ANome, .Tipo = TTipoCampo::PrecoSeisZeros, .Largura = 9, .Propriedade = Exigir(APropriedade)};
}
constexpr TCampo PrecoAgrupado(std::string_view ANome, int32_t ALargura, std::string_view APropriedade) {
    return {.Nome = ANome, .Tipo = TTipoCampo::PrecoAgrupado, .Largura = ALargura, .Enchimento = u' ',
            .Propriedade = Exigir(APropriedade)};
}
constexpr TCampo Soma(std::string_view ANome, int32_t ADesde, TCaixaHexa ACaixa) {
    return {.Nome = ANome, .Tipo = TTipoCampo::Soma, .Largura = 4, .Desde = ADesde, .Caixa = ACaixa};
}

}  // namespace campo

// The width of a record of these fields (the least, where a field widens).
constexpr int32_t Largura(std::span<const TCampo> ACampos) {
    int32_t n = 0;
    for (const TCampo& c : ACampos) n += c.Largura;
    return n;
}
// The same for a record whose width never changes; -1 when a field widens.
constexpr int32_t LarguraFixa(std::span<const TCampo> ACampos) {
    for (const TCampo& c : ACampos)
        if (c.Variavel()) return -1;
    return Largura(ACampos);
}

// Two tables one after the other (a part that several records share).
template <size_t N, size_t M>
constexpr std::array<TCampo, N + M> Juntar(const std::array<TCampo, N>& A, const std::array<TCampo, M>& B) {
    std::array<TCampo, N + M> r{};
    for (size_t i = 0; i < N; ++i) r[i] = A[i];
    for (size_t i = 0; i < M; ++i) r[N + i] = B[i];
    return r;
}

template <class C>
class TRegistroDe;
struct TOrigem;

// A record layout as the model table lists it (made by Layout<>, in
// escrever_registro.h): its fields, and the writing of a record by them in
// UTF-16.
struct TLayoutRegistro {
    std::string_view Nome;
    std::span<const TCampo> Campos;
    void (*Escrever)(TRegistroDe<char16_t>&, const TOrigem&);
    // The field whose value keys the record in its file.
    std::string_view Chave = "codigo";
};

// What a field holds without being cut or deformed. For numbers, the least
// and the greatest value of the property (amounts in ten-thousandths); for
// texts, Maximo is the number of characters. Fields without a property (and
// enumeration codes, which are never cut) hold anything: Limitado is false.
struct TCapacidade {
    bool Limitado = false;
    int64_t Minimo = 0;
    int64_t Maximo = 0;
};
TCapacidade Capacidade(const TCampo& ACampo, const plataforma::TFormatoNumerico& AFormato);

// True when ATexto is a value the Coluna field ACampo takes: its width, of
// digits and spaces, or one of its codes.
bool ValorDaColuna(const TCampo& ACampo, std::u16string_view ATexto);
// True when ATexto is a list the Lista field ACampo takes: digits, whole
// codes of its Entrada digits.
bool ValorDaLista(const TCampo& ACampo, std::u16string_view ATexto);
// The codes of ALargura digits of a list, one after the other ("0305": 3
// and 5), in ACodigos; false when the list has other characters or ends in
// part of a code (ACodigos then holds its codes that are whole digits).
bool CodigosDaLista(std::u16string_view ALista, size_t ALargura, std::vector<int32_t>& ACodigos);
// What a Lista field writes for an empty property: the number of its
// Padrao in Entrada digits when positive (as a Numero writes it), else nothing.
Texto ListaPadrao(const TCampo& ACampo, const TQuelbCargaBalItem& AItem);

}  // namespace quelb
