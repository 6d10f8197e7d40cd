#pragma once
// Catalogue files (JSON and CSV) read into an item list as they stream in:
// the file is never whole in memory, each item is built as its text goes by,
// and every error is collected with its place instead of stopping at the
// first. The rules are those of docs/formato-catalogo.md.
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/itens.h"

namespace quelb {

enum class TFormatoCatalogo { Json, Csv };
enum class TCodificacaoCatalogo { Utf8, Utf16, Windows1252 };
enum class TSeparadorDecimal { Virgula, Ponto };

// Where the bytes come from: a file, standard input, memory.
class TFonteCatalogo {
public:
    virtual ~TFonteCatalogo() = default;
    // Up to ATamanho bytes; 0 at the end. A read failure throws
    // ECatalogoIlegivel.
    virtual size_t Ler(char* ADestino, size_t ATamanho) = 0;
    // The size in bytes, 0 when unknown.
    virtual uint64_t Tamanho() const { return 0; }
};

// Bytes in memory.
class TFonteMemoria : public TFonteCatalogo {
public:
    explicit TFonteMemoria(std::string_view ABytes) : FBytes(ABytes) {}
    size_t Ler(char* ADestino, size_t ATamanho) override;
    uint64_t Tamanho() const override { return FBytes.size(); }

private:
    std::string_view FBytes;
};

// A file that could not be read (the message names it and says why).
class ECatalogoIlegivel : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A file of the system, through the platform layer; standard input for "-".
// Fails with ECatalogoIlegivel when it cannot be opened.
std::unique_ptr<TFonteCatalogo> AbrirArquivoCatalogo(const std::u16string& ACaminho);

struct TOpcoesCatalogo {
    // None: by the name's extension (.json, .csv), else by the first
    // character that is not blank ("{" or "[" is JSON).
    std::optional<TFormatoCatalogo> Formato;
    // None: a byte-order mark, else UTF-8, else (CSV) Windows-1252.
    std::optional<TCodificacaoCatalogo> Codificacao;
    // CSV only. None: the comma for ";" and tab delimiters, the point for ",".
    std::optional<TSeparadorDecimal> Decimal;
    // Called as the bytes are read, with the count read so far.
    std::function<void(uint64_t ALidos)> Progresso;
};

// Errors listed by a reading, at most this many; the rest are counted.
inline constexpr size_t MaximoErrosListados = 50;

struct TRelatorioCatalogo {
    // Each error with its place, in file order (UTF-8, Portuguese):
    // "produtos[3].Nutricional.Qtd: esperado ... (linha 17, coluna 20)".
    std::vector<std::string> Erros;
    uint64_t QuantidadeErros = 0;
    // Names of keys or columns that were ignored, each once, as written.
    std::vector<std::string> Ignorados;
    bool Colunas = false;  // the ignored names are CSV columns, not JSON keys
    int32_t Itens = 0;     // items appended
    // The line of each item appended, in order, when the catalogue is CSV
    // (one line per product); empty for JSON.
    std::vector<uint64_t> LinhasDosItens;

    bool Ok() const { return QuantidadeErros == 0; }
    // The errors one per line, then "... e mais N erros" past the listed.
    std::string TextoErros() const;
    void Adicionar(std::string AErro);
};

// Appends the items of the catalogue to AItens: all of them, or none when
// any error is found (the list is then as it was). ANome is the file's name,
// for its extension; an empty name or "-" has none.
TRelatorioCatalogo LerCatalogo(TFonteCatalogo& AFonte, std::string_view ANome, const TOpcoesCatalogo& AOpcoes,
                               TQuelbCargaBalItens& AItens);

// The same from bytes in memory.
TRelatorioCatalogo LerCatalogo(std::string_view ABytes, std::string_view ANome, const TOpcoesCatalogo& AOpcoes,
                               TQuelbCargaBalItens& AItens);

}  // namespace quelb
