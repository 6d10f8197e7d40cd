#pragma once
// The ordered list of output lines that a writer fills and the driver saves
// as one file. Lines keep their append order and duplicates are allowed.
//
// A line is kept as the bytes it will have in the file: converted to the
// 8-bit code page when it is appended and followed by CR LF, in one buffer
// that is the file's contents. The memory of a generation thus stays near
// the size of its files, and saving writes the buffer as it is. A line whose
// bytes do not give its text back (a character outside the code page) keeps
// its text as well, for Linha and for the comparisons.
//
// A list that is told its file (Destinar) writes its bytes to that file in
// pieces as they come, and keeps in memory only the piece it is filling: the
// bytes are written while they are still in the processor's cache, and a
// large file never takes its size in memory. The lines written are read
// through a map of the file (its own pages, no copy); where the file cannot
// be mapped, a search or a replacement brings them back into memory.
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <unordered_map>

#include "catalogue/texto.h"
#include "generator/tabela_codigo_pagina.h"
#include "platform/memoria.h"
#include "platform/plataforma.h"

namespace quelb {

class TListaLinhas {
public:
    TListaLinhas();

    // The file this list becomes; from now on its bytes may go there as
    // they come (see above). Gravar then finishes that file.
    void Destinar(const Texto& ACaminho);
    // Saves every line, followed by CR LF, as the file ACaminho.
    plataforma::TResultadoGravacao Gravar(const Texto& ACaminho);

    void Adicionar(std::u16string_view ALinha);
    // Appends the line whose bytes are ABytes, each byte a character of the
    // code page table (a line that TTabelaCodigoPagina::Codificar wrote).
    void AdicionarBytes(std::string_view ABytes);
    int32_t Count() const { return static_cast<int32_t>(FInicios.Tamanho()); }
    Texto Linha(int32_t AIndice) const;
    void Substituir(int32_t AIndice, std::u16string_view ALinha);

    // Position of the first line of the same length that is equal to ALinha
    // ignoring letter case, or -1. Constant average time: a hash of the
    // case-folded line, checked for real equality.
    int32_t IndiceDe(std::u16string_view ALinha);
    // Appends ALinha unless an equal line (as IndiceDe finds it) is already
    // there; true when it was appended.
    bool AdicionarSeNova(std::u16string_view ALinha);
    // The same for the line whose bytes are ABytes (as for AdicionarBytes).
    bool AdicionarSeNovaBytes(std::string_view ABytes) { return AdicionarSeNovaBytes(ABytes, AnteciparBytes(ABytes)); }
    // In two steps: AnteciparBytes asks for the index slot of the line and
    // returns its hash, to be handed to AdicionarSeNovaBytes a little later,
    // when the slot has come from memory.
    uint32_t AnteciparBytes(std::string_view ABytes);
    bool AdicionarSeNovaBytes(std::string_view ABytes, uint32_t AHash);

    // Every line followed by CR LF, in the 8-bit code page, appended to
    // ADestino in one pass (no byte-order mark).
    void Codificar(std::string& ADestino) const;
    // Number of UTF-16 code units of the saved text (lines and CR LF).
    size_t TamanhoTexto() const { return FUnidades; }

    // True while the file's bytes are in one piece (no line was replaced);
    // Conteudo is then the part of the file not yet written out (all of it
    // for a list without Destinar): the byte-order mark when the code page
    // is UTF-8, and every line with CR LF.
    bool EmUmaPeca() const { return FSubstituidas.empty(); }
    std::string_view Conteudo() const { return {FBytes.Dados(), FTamanhoBytes - FGravados}; }

private:
    // Values on a memory block that grows without copying.
    class TInicios {
    public:
        size_t Tamanho() const { return FTamanho; }
        uint64_t operator[](size_t AIndice) const {
            uint64_t v;
            std::memcpy(&v, FBloco.Dados() + AIndice * sizeof v, sizeof v);
            return v;
        }
        void Reservar(size_t ATamanho) {
            if (ATamanho * sizeof(uint64_t) > FBloco.Capacidade()) FBloco.Crescer(ATamanho * sizeof(uint64_t));
        }
        void Adicionar(uint64_t AValor) {
            Reservar(FTamanho + 1);
            std::memcpy(FBloco.Dados() + FTamanho * sizeof AValor, &AValor, sizeof AValor);
            ++FTamanho;
        }

    private:
        plataforma::TBlocoMemoria FBloco;
        size_t FTamanho = 0;
    };

    struct TEntrada {
        uint32_t Hash;   // the line's hash, folded to 32 bits
        int32_t Indice;  // -1: empty slot
    };
    struct TSubstituida {
        Texto Linha;
        std::string Bytes;
    };

    // Writes the bytes of ALinha after the last line without adding it, and
    // returns their count; AExata tells whether they give the line back.
    size_t CodificarNoFim(std::u16string_view ALinha, bool& AExata);
    // Adds the line whose ABytes bytes CodificarNoFim has just written.
    void Confirmar(std::u16string_view ALinha, size_t ABytes, bool AExata);
    // Ends the line of AUnidades characters whose ABytes bytes are in place.
    void Fechar(size_t AUnidades, size_t ABytes);
    void GarantirEspaco(size_t ABytes);
    // Where the byte at AOffset of the file is, when it is in memory.
    char* Memoria(size_t AOffset) const { return FBytes.Dados() + (AOffset - FGravados); }
    // Writes the bytes in memory to the file when a piece is full.
    void GravarPecaCheia() {
        if (FTamanhoBytes - FGravados >= TamanhoPeca && !FDestino.empty()) GravarPeca();
    }
    // Makes sure the lines written out can be read through the map, or
    // brings them back.
    void GarantirLeitura();
    void GravarPeca();
    // Brings the lines written out back into memory; the list writes
    // nothing more until Gravar.
    void TrazerDeVolta();
    std::string_view BytesDe(int32_t AIndice) const;
    // The bytes from AInicio to AFim, already written out: through the map
    // of the file, or read back.
    std::string_view Gravados(size_t AInicio, size_t AFim) const;
    bool ExataDe(int32_t AIndice) const;
    // The text of a line: a view of the text it keeps, or of ARascunho, where
    // its bytes are decoded.
    std::u16string_view TextoDe(int32_t AIndice, std::u16string& ARascunho) const;
    // Line AIndice against ALinha, letter case aside.
    bool Iguais(int32_t AIndice, std::u16string_view ALinha);

    static uint32_t Hash(std::u16string_view ALinha);
    uint32_t HashBytes(std::string_view ABytes) const;
    TEntrada* Entradas() const { return reinterpret_cast<TEntrada*>(FIndice.Dados()); }
    TEntrada& Vaga(uint32_t h) const { return Entradas()[h & (FVagas - 1)]; }
    // The entry of the line equal to ALinha (hash h), or the empty slot where
    // it would go.
    TEntrada& Procurar(std::u16string_view ALinha, uint32_t h);
    // The same with AIgual(indice) telling whether a line is the one sought.
    template <class TIgual>
    TEntrada& Procurar(uint32_t h, TIgual&& AIgual);
    // Line AIndice against the line of bytes ABytes, letter case aside.
    bool IguaisBytes(int32_t AIndice, std::string_view ABytes);
    // An index of AVagas empty slots (a power of two).
    static plataforma::TBlocoMemoria NovoIndice(size_t AVagas);
    void ConstruirIndice();
    void AumentarIndice();
    // Points the empty slot AEntrada at line AIndice; the reference is not
    // valid afterwards (the index may grow).
    void OcuparEntrada(TEntrada& AEntrada, uint32_t h, int32_t AIndice);

    // A quarter of a megabyte: the piece stays in the processor's cache
    // until it is written.
    static constexpr size_t TamanhoPeca = size_t(256) << 10;

    const TTabelaCodigoPagina* FTabela;
    // The file: [byte-order mark] line CR LF line CR LF ...; its first
    // FGravados bytes are in FGravacao's file, the rest in FBytes.
    plataforma::TBlocoMemoria FBytes;
    size_t FTamanhoBytes = 0;
    size_t FGravados = 0;
    Texto FDestino;  // empty: the list writes nothing before Gravar
    // Mutable: the map of what was written is made when first read.
    mutable plataforma::TGravacaoEmPartes FGravacao;
    mutable std::string FLidos;  // a line read back from the file
    size_t FInicioTexto = 0;  // 3 after a byte-order mark
    TInicios FInicios;        // where each line starts in FBytes
    size_t FUnidades = 0;
    std::unordered_map<int32_t, Texto> FTextos;  // lines whose bytes do not give them back
    std::unordered_map<int32_t, TSubstituida> FSubstituidas;

    // Slots of the index, on a memory block: with a million lines it takes
    // tens of megabytes, which large pages serve with fewer misses.
    plataforma::TBlocoMemoria FIndice;  // built on the first search
    size_t FVagas = 0;
    size_t FOcupadas = 0;
    bool FIndiceValido = false;

    std::u16string FRascunho;
    std::u16string FRascunhoLinha;
    std::string FRascunhoBytes;
};

}  // namespace quelb
