#pragma once
// The one door to the operating system: the 8-bit code page, the user
// locale's number format, case-insensitive comparison, files, locks between
// processes and interruptions. A POSIX and a Win32 implementation stand
// behind it; nothing else in the library includes system headers for these
// things.
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quelb::plataforma {

// ---- 8-bit code page (host texts, returned messages) ----

// Host bytes to UTF-16.
std::u16string DeCodigoPagina(std::string_view ABytes);
// UTF-16 to host bytes, appended to ADestino. A character the code page
// cannot represent becomes its replacement ("?" or a best fit).
void ParaCodigoPagina(std::u16string_view ATexto, std::string& ADestino);
std::string ParaCodigoPagina(std::u16string_view ATexto);

// ---- 8-bit code page of the load files ----

// Scale loaders read one byte per character of a fixed-width record. The
// load files use the ANSI code page when it has one byte per character, and
// Windows-1252 when it has more (UTF-8, the double-byte code pages), so that
// no record grows wider than its layout on any system.
std::u16string DeCodigoPaginaArquivos(std::string_view ABytes);
void ParaCodigoPaginaArquivos(std::u16string_view ATexto, std::string& ADestino);
std::string ParaCodigoPaginaArquivos(std::u16string_view ATexto);

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
// The paths of the files of the folder APasta (ending in the delimiter)
// whose names differ from ANome only in letter case, in name order. None
// where names ignore case (Windows): there they are the same file.
std::vector<std::u16string> OutrasCaixas(const std::u16string& APasta, std::u16string_view ANome);

struct TResultadoGravacao {
    enum TSituacao { Gravado, FalhaCriar, FalhaEscrita } Situacao = Gravado;
    std::u16string Causa;  // the system's description, for FalhaCriar
};

// A file saved in pieces, so that a large file never has to be whole in
// memory: the pieces go to a hidden temporary file in the same directory as
// they come; Preparar flushes that file and checks the target, Colocar moves
// it over the target in one step, SincronizarPasta makes the move durable.
// Until Colocar the file that the target names is untouched; after
// FalhaCriar or FalhaEscrita (from any step but SincronizarPasta) it is left
// exactly as it was and no temporary file remains. FalhaCriar: the file
// cannot be created or replaced (a directory, a read-only or locked file, a
// missing directory); FalhaEscrita: writing or flushing failed (a full
// disk). Several files prepared first and moved after make a set whose old
// files all stay until the first move.
class TGravacaoEmPartes {
public:
    // Dropping the object removes the temporary file unless Colocar put
    // it in place.

    // Creates the temporary file for ACaminho.
    TResultadoGravacao Iniciar(const std::u16string& ACaminho);
    bool Iniciada() const { return FArquivo != nullptr; }
    // Appends ABytes; false when they could not all be written (a full
    // disk), and later calls of Escrever and Preparar fail as well.
    bool Escrever(std::string_view ABytes);
    // Reads back ATamanho bytes written from AInicio on (before Preparar).
    bool Ler(uint64_t AInicio, char* ADestino, size_t ATamanho) const;
    // Flushes and closes the temporary file, and checks that the target may
    // be replaced (looked at again: it may have changed since Iniciar).
    TResultadoGravacao Preparar();
    // Moves the prepared file over the target.
    TResultadoGravacao Colocar();
    // After Colocar: makes the move durable (flushes the folder); the file
    // is in place whatever this returns.
    TResultadoGravacao SincronizarPasta();
    // Preparar, Colocar and SincronizarPasta in a row: the save of one file.
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

// Removes from the directory APasta the temporary files that a save of a
// file named one of ANomes left there (a process killed while it wrote
// them), recognised by the names TGravacaoEmPartes gives them. Call it only
// while no other process may be saving there. Returns how many it removed.
size_t RemoverTemporariosAbandonados(const std::u16string& APasta, std::span<const std::u16string_view> ANomes);

// An exclusive lock between processes, held on a file that is created when
// missing and left in place. Released by Liberar or by dropping the object
// (and by the system when the process ends).
class TTrava {
public:
    enum TSituacao {
        Travada,   // this object holds the lock
        SemTrava,  // the file system offers no lock there: nothing is held
        Ocupada,   // another holder kept it for the whole wait
    };
    TTrava() = default;
    TTrava(const TTrava&) = delete;
    TTrava& operator=(const TTrava&) = delete;
    ~TTrava() { Liberar(); }

    // Takes the lock of the file ACaminho, waiting up to AEsperaMs
    // milliseconds for another holder to release it.
    TSituacao Travar(const std::u16string& ACaminho, int64_t AEsperaMs);
    // Removes the lock file and releases the lock. A holder that waits on
    // the removed file sees that it is no longer the one at the path, and
    // takes the lock of the file there.
    void Liberar() noexcept;

private:
    intptr_t FAlca = -1;  // the open lock file; -1: none
    std::u16string FCaminho;
};

// ---- Interruptions (Ctrl-C, a request to terminate) ----

// While it lives, an interruption cannot stop the calling thread: one that
// comes is delivered when it ends (POSIX: SIGINT, SIGTERM, SIGHUP and SIGQUIT
// are blocked). On Windows a console handler decides alone, and nothing is
// done.
class TAdiarInterrupcoes {
public:
    TAdiarInterrupcoes();
    ~TAdiarInterrupcoes();
    TAdiarInterrupcoes(const TAdiarInterrupcoes&) = delete;
    TAdiarInterrupcoes& operator=(const TAdiarInterrupcoes&) = delete;

private:
    struct TEstado;
    std::unique_ptr<TEstado> FEstado;
};

// For a command: AAoInterromper(ACodigoSaida) is called when the user
// interrupts the process: 130 for Ctrl-C (SIGINT) and Ctrl-Break, 143 for
// SIGTERM. It is called from a signal handler (POSIX) or from a thread of
// the system (Windows): it may only set flags and call EncerrarAgora. The
// process is not ended for it.
void TratarInterrupcoes(void (*AAoInterromper)(int ACodigoSaida));
// Writes AMensagem to standard error and ends the process with ACodigo at
// once, running nothing else; safe inside a signal handler.
[[noreturn]] void EncerrarAgora(std::string_view AMensagem, int ACodigo) noexcept;

}  // namespace quelb::plataforma
