#pragma once
// The one door to the operating system: the 8-bit code page, the user
// locale's number format, case-insensitive comparison and files. A POSIX and
// a Win32 implementation stand behind it; nothing else in the library
// includes system headers for these things.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace quelb::plataforma {

// ---- 8-bit code page (host texts, returned messages, load files) ----

// Host bytes to UTF-16.
std::u16string DeCodigoPagina(std::string_view ABytes);
// UTF-16 to host bytes, appended to ADestino. A character the code page
// cannot represent becomes its replacement ("?" or a best fit).
void ParaCodigoPagina(std::u16string_view ATexto, std::string& ADestino);
std::string ParaCodigoPagina(std::u16string_view ATexto);
// True when the code page is UTF-8 (files then start with a byte-order mark).
bool CodigoPaginaEhUtf8();

// ---- Number format of the user's locale, captured when the library loads ----

struct TFormatoNumerico {
    char16_t SeparadorDecimal = u'.';
    char16_t SeparadorMilhar = u',';
};
const TFormatoNumerico& FormatoNumerico();
// For tests and embedding programs: replaces the captured format.
void DefinirFormatoNumerico(const TFormatoNumerico& AFormato);

// ---- Case-insensitive comparison of whole lines ----

// Equal ignoring letter case, by the user locale's rules.
bool IguaisSemCaixa(std::u16string_view A, std::u16string_view B);
// A hash that agrees with IguaisSemCaixa: equal texts give equal hashes.
uint64_t HashSemCaixa(std::u16string_view ATexto);
// HashSemCaixa of the text whose characters are ACaracteres[b] for the bytes
// b of ABytes (a line kept as 8-bit bytes, with its table of characters).
// ALatin1 tells that the table gives every byte below 0x80 and from 0xA0 on
// as the character of the same value.
uint64_t HashSemCaixa(std::string_view ABytes, const char16_t (&ACaracteres)[256], bool ALatin1);

// ---- Files ----

// The path delimiter ("/" here, "\" on Windows).
char16_t DelimitadorCaminho();
// True when ACaminho names a directory (a link to one counts).
bool DiretorioExiste(const std::u16string& ACaminho);
// True when ACaminho names a plain file (a link to one counts).
bool ArquivoExiste(const std::u16string& ACaminho);
// Removes the file ACaminho; false when it could not be removed.
bool RemoverArquivo(const std::u16string& ACaminho);

struct TResultadoGravacao {
    enum TSituacao { Gravado, FalhaCriar, FalhaEscrita } Situacao = Gravado;
    std::u16string Causa;  // the system's description, for FalhaCriar
};

// A file saved in pieces, so that a large file never has to be whole in
// memory: the pieces go to a hidden temporary file in the same directory as
// they come, and Concluir flushes that file and moves it over the target in
// one step. Until then the file that the target names is untouched; after
// FalhaCriar or FalhaEscrita it is left exactly as it was and no temporary
// file remains (except when only the final flush of the directory fails,
// after the move). FalhaCriar: the file cannot be created or replaced (a
// directory, a read-only or locked file, a missing directory); FalhaEscrita:
// writing or flushing failed (a full disk).
class TGravacaoEmPartes {
public:
    // Dropping the object removes the temporary file unless Concluir put
    // it in place.

    // Creates the temporary file for ACaminho.
    TResultadoGravacao Iniciar(const std::u16string& ACaminho);
    bool Iniciada() const { return FArquivo != nullptr; }
    // Appends ABytes; false when they could not all be written (a full
    // disk), and later calls of Escrever and Concluir fail as well.
    bool Escrever(std::string_view ABytes);
    // Reads back ATamanho bytes written from AInicio on.
    bool Ler(uint64_t AInicio, char* ADestino, size_t ATamanho) const;
    // Flushes the file and moves it over the target; the save is over
    // either way (after a failure the temporary file is gone).
    TResultadoGravacao Concluir();
    // Closes and removes the temporary file.
    void Descartar() noexcept { FArquivo.reset(); }

private:
    struct TArquivo;  // the temporary file, as the system knows it
    struct TFechar {  // closes and removes it
        void operator()(TArquivo* AArquivo) const noexcept;
    };
    std::unique_ptr<TArquivo, TFechar> FArquivo;
};

}  // namespace quelb::plataforma
