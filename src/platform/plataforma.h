#pragma once
// The one door to the operating system: the 8-bit code page, the user
// locale's number format, case-insensitive comparison and files. A POSIX and
// a Win32 implementation stand behind it; nothing else in the library
// includes system headers for these things.
#include <cstdint>
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

struct TResultadoGravacao {
    enum TSituacao { Gravado, FalhaCriar, FalhaEscrita } Situacao = Gravado;
    std::u16string Causa;  // the system's description, for FalhaCriar
};
// Creates (or replaces) the file with ABytes in one step: the bytes go to a
// temporary file in the same directory, are flushed, and that file is moved
// over ACaminho. On FalhaCriar or FalhaEscrita the file that ACaminho named
// before is left exactly as it was and no temporary file remains (except
// when only the final flush of the directory fails, after the move).
// FalhaCriar: the file cannot be created or replaced (a directory, a
// read-only or locked file, a missing directory); FalhaEscrita: writing or
// flushing failed (a full disk).
TResultadoGravacao GravarArquivo(const std::u16string& ACaminho, std::string_view ABytes);

// A file saved in pieces, with the guarantees of GravarArquivo: the pieces go
// to the temporary file as they come, so that a large file never has to be
// whole in memory, and Concluir moves it over the target. Where the system
// offers no such file, Iniciar fails and the caller keeps its bytes for
// GravarArquivo, which then reports what is wrong.
class TGravacaoEmPartes {
public:
    TGravacaoEmPartes() = default;
    TGravacaoEmPartes(TGravacaoEmPartes&& AOutra) noexcept { Tomar(AOutra); }
    TGravacaoEmPartes& operator=(TGravacaoEmPartes&& AOutra) noexcept {
        if (this != &AOutra) {
            Descartar();
            Tomar(AOutra);
        }
        return *this;
    }
    // Removes the temporary file unless Concluir put it in place.
    ~TGravacaoEmPartes() { Descartar(); }

    // Creates the temporary file for ACaminho; fails as GravarArquivo would.
    TResultadoGravacao Iniciar(const std::u16string& ACaminho);
    bool Iniciada() const { return FDescritor >= 0; }
    // Appends ABytes; false when they could not all be written (a full
    // disk), and later calls of Escrever and Concluir fail as well.
    bool Escrever(std::string_view ABytes);
    // Reads back ATamanho bytes written from AInicio on.
    bool Ler(uint64_t AInicio, char* ADestino, size_t ATamanho) const;
    // The first ATamanho bytes written (ATamanho at most what was written),
    // mapped into memory for reading: the file's own pages, so reading them
    // takes no memory of its own. Null where the system cannot map the file.
    const char* Mapeados(uint64_t ATamanho) {
        return ATamanho <= FTamanhoMapa ? FMapa : Mapear(ATamanho);
    }
    // Flushes the file and moves it over the target.
    TResultadoGravacao Concluir();
    // Closes and removes the temporary file.
    void Descartar() noexcept;

private:
    const char* Mapear(uint64_t ATamanho);
    void Desmapear() noexcept;

    void Tomar(TGravacaoEmPartes& AOutra) noexcept {
        FDescritor = AOutra.FDescritor;
        FErro = AOutra.FErro;
        FMapa = AOutra.FMapa;
        FTamanhoMapa = AOutra.FTamanhoMapa;
        AOutra.FMapa = nullptr;
        AOutra.FTamanhoMapa = 0;
        FTemporario.swap(AOutra.FTemporario);
        FDestino.swap(AOutra.FDestino);
        AOutra.FDescritor = -1;
    }

    int FDescritor = -1;
    int FErro = 0;             // the first write error
    const char* FMapa = nullptr;
    uint64_t FTamanhoMapa = 0;  // bytes of the file the map may be read for
    std::string FTemporario;   // the system's form of the paths
    std::string FDestino;
};

}  // namespace quelb::plataforma
