#pragma once
// Pieces shared by the JSON and the CSV reader.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/leitor_catalogo.h"
#include "catalogue/propriedades.h"

namespace quelb::leitura {

// The catalogue's bytes as UTF-8: a byte-order mark dropped, UTF-16 and a
// chosen Windows-1252 converted, anything else passed through as it is (a
// CSV file tells UTF-8 from Windows-1252 cell by cell).
class TEntrada {
public:
    TEntrada(TFonteCatalogo& AFonte, const TOpcoesCatalogo& AOpcoes);

    // Reads the first block and looks at its first bytes. False (with the
    // reason in AErro) for the bytes of a spreadsheet.
    bool Preparar(std::string& AErro);
    // The first character that is not blank, 0 for none.
    char PrimeiroCaractere() const;
    // Up to ATamanho (at least 8) bytes; 0 at the end.
    size_t Ler(char* ADestino, size_t ATamanho);
    // True when the bytes were converted to UTF-8 here (they are then valid
    // UTF-8; otherwise they are as in the file).
    bool Convertida() const { return FModo != TModo::Direto; }
    uint64_t Lidos() const { return FLidos; }

private:
    enum class TModo { Direto, Utf16LE, Utf16BE, Windows1252 };
    size_t LerFonte(char* ADestino, size_t ATamanho);
    size_t Converter(const char* ABytes, size_t ATamanho, char* ADestino);

    TFonteCatalogo& FFonte;
    const TOpcoesCatalogo& FOpcoes;
    TModo FModo = TModo::Direto;
    std::string FPendente;  // converted bytes of the first block, not yet read
    size_t FPosPendente = 0;
    std::string FResto;     // an odd byte or a high surrogate left for the next block
    std::vector<char> FBruto;
    uint64_t FLidos = 0;
};

// The reading at hand: the list, the report, what the required properties
// were given.
struct TContexto {
    TQuelbCargaBalItens& Itens;
    TRelatorioCatalogo& Relatorio;
    int32_t Antes = 0;  // items in the list before the reading
    // The texts of the items read, handed to the list's arena when the
    // reading succeeds; a failed reading gives them back with its items.
    TArenaTextos Textos;
    std::vector<std::string> IgnoradosNormalizados;
    bool DeuCodigo = false, DeuDescricao = false, DeuValorVenda = false;

    // A name that is not a property: named once in the report.
    void Ignorar(const std::string& ANome, const std::string& ANormalizado);
    // Marks a required property given.
    void Deu(size_t APropriedade);
    // After the last item: the required properties that no item gave.
    void ConferirObrigatorias(bool AColunas);
};

// The value as a message shows it: in quotes, shortened when long.
std::string Citar(std::string_view AUtf8);
// "inteiro de 32 bits", "um de tpvDias ou tpvMeses", ...
std::string DescreverEsperado(const TPropriedade& APropriedade);
// Well-formed UTF-8 (no overlong forms, surrogates or values past U+10FFFF).
bool Utf8Valido(std::string_view ABytes);
// Room that DefinirTextoUtf8 reuses from text to text.
struct TRascunhoTexto {
    std::string Bytes;
    std::u16string Utf16;
};
// Converts a UTF-8 text, composes it to NFC and stores it (in AArena, the
// item list's, when it has a byte per character). Returns false, and changes
// nothing, when the bytes are not well-formed UTF-8.
bool DefinirTextoUtf8(const TPropriedade& APropriedade, TQuelbCargaBalItem& AItem, std::string_view AUtf8,
                      TRascunhoTexto& ARascunho, TArenaTextos& AArena);

bool LerJson(TEntrada& AEntrada, TContexto& AContexto);
bool LerCsv(TEntrada& AEntrada, const TOpcoesCatalogo& AOpcoes, TContexto& AContexto);

}  // namespace quelb::leitura
