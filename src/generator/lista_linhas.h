#pragma once
// The ordered list of output lines that a writer fills and the driver saves
// as one file. Lines keep their append order and duplicates are allowed.
//
// A line is kept as the bytes it will have in the file: converted to the
// 8-bit code page when it is appended and followed by CR LF. A list told its
// file (Destinar) writes those bytes to the file's temporary file in pieces
// as they come, and keeps in memory only the piece it is filling, so that a
// large file never takes its size in memory; any other list keeps all its
// bytes until Gravar.
//
// A list without repeated lines (one filled through AdicionarSeNova*) keeps
// an index of its distinct lines: a hash, where the line starts and its
// length. A line whose hash is in the index is checked against the earlier
// line's bytes, in memory while they are in the current piece, read back
// from the file otherwise (with a small cache: repeated lines are few and
// short, such as sectors, tares and suppliers). A distinct line whose bytes
// do not give its text back (a character outside the code page) keeps its
// text as well, for the comparisons.
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "catalogue/texto.h"
#include "generator/tabela_codigo_pagina.h"
#include "platform/plataforma.h"

namespace quelb {

class TListaLinhas {
public:
    TListaLinhas();

    // The file this list becomes: from now on its bytes go to that file's
    // temporary file as they come. Gravar then finishes that file.
    void Destinar(const Texto& ACaminho);
    // Saves every line, followed by CR LF, as the file ACaminho (with a
    // byte-order mark first when the code page is UTF-8). A list told its
    // file is spent afterwards; any other list stays as it is. A failure to
    // write out a piece shows here.
    plataforma::TResultadoGravacao Gravar(const Texto& ACaminho);
    // The same in the three steps of a set of files (TGravacaoEmPartes):
    // Preparar completes and flushes the temporary file of ACaminho and
    // checks the target, Colocar puts it in place, SincronizarPasta makes
    // that durable. The list is spent after Preparar.
    plataforma::TResultadoGravacao Preparar(const Texto& ACaminho);
    plataforma::TResultadoGravacao Colocar() { return FGravacao.Colocar(); }
    plataforma::TResultadoGravacao SincronizarPasta() { return FGravacao.SincronizarPasta(); }

    void Adicionar(std::u16string_view ALinha);
    // Appends the line whose bytes are ABytes, each byte a character of the
    // code page table (a line that TTabelaCodigoPagina::Codificar wrote).
    void AdicionarBytes(std::string_view ABytes);
    // Appends ALinha unless an equal line is there already: one of the same
    // length that is equal ignoring letter case (the first occurrence keeps
    // its place); true when it was appended. The lines compared are those
    // appended since the list's first AdicionarSeNova*.
    bool AdicionarSeNova(std::u16string_view ALinha);
    // The same for the line whose bytes are ABytes (as for AdicionarBytes).
    bool AdicionarSeNovaBytes(std::string_view ABytes);
    int32_t Count() const { return FContagem; }

private:
    // A distinct line of a list without repeated lines.
    struct TEntrada {
        uint64_t Inicio;   // where its bytes start in the file
        uint32_t Hash;     // its hash, folded to 32 bits
        uint32_t Tamanho;  // its bytes; Vaga: an empty slot
    };
    static constexpr uint32_t Vaga = UINT32_MAX;

    bool Buscada() const { return !FEntradas.empty(); }
    // Makes the list one without repeated lines, from now on.
    void Buscar() {
        if (!Buscada()) FEntradas.assign(16, TEntrada{0, 0, Vaga});
    }
    // Writes the bytes of ALinha after the last line; true when they give
    // the line back.
    bool Codificar(std::u16string_view ALinha);
    // Ends the line whose bytes were just written.
    void Fechar();
    // Writes the piece in memory out to the file (or drops it after a
    // failure to write).
    void GravarPeca();

    // In a list without repeated lines: appends the line unless an equal
    // one is there (always when ASempre) and indexes it when it is the first
    // of its kind; true when it was.
    bool Incluir(std::u16string_view ALinha, bool ASempre);
    bool IncluirBytes(std::string_view ABytes, bool ASempre);
    // The same for the line of hash h that AIgual(entry) tells equal to an
    // earlier line and AEscrever(start, distinct) writes after the last line.
    template <class TIgual, class TEscrever>
    bool Incluir(uint32_t h, bool ASempre, TIgual&& AIgual, TEscrever&& AEscrever);
    // The slot of the line of hash h that AIgual accepts, or the empty slot
    // where it would go.
    template <class TIgual>
    TEntrada& Procurar(uint32_t h, TIgual&& AIgual);
    // Fills the empty slot AVaga; references to slots are not valid
    // afterwards (the index may grow).
    void Ocupar(TEntrada& AVaga, const TEntrada& AEntrada);
    // The earlier line against a new one, letter case aside.
    bool Iguais(const TEntrada& AEntrada, std::u16string_view ALinha);
    bool IguaisBytes(const TEntrada& AEntrada, std::string_view ABytes);
    // The bytes of an earlier line: in the piece, or read back.
    std::string_view BytesDe(const TEntrada& AEntrada);
    // The text of an earlier line, and of bytes in ARascunho.
    std::u16string_view TextoDe(const TEntrada& AEntrada);
    std::u16string_view Decodificar(std::string_view ABytes, std::u16string& ARascunho) const;

    static uint32_t Hash(std::u16string_view ALinha);
    uint32_t HashBytes(std::string_view ABytes) const;

    // A quarter of a megabyte: the piece is written while it is still in the
    // processor's cache.
    static constexpr size_t TamanhoPeca = size_t(256) << 10;
    // What the lines read back may take before they are dropped.
    static constexpr size_t LimiteLidos = size_t(1) << 20;

    const TTabelaCodigoPagina* FTabela;
    int32_t FContagem = 0;
    // The file: [byte-order mark] line CR LF line CR LF ...; its first
    // FGravados bytes went out to FGravacao's file, the rest is FPeca.
    std::string FPeca;
    uint64_t FGravados = 0;
    Texto FDestino;  // empty: the list keeps its bytes until Gravar
    plataforma::TGravacaoEmPartes FGravacao;
    // The first failure to write out; from then on the pieces are dropped,
    // and an earlier line is taken as equal when its hash is.
    plataforma::TResultadoGravacao FFalha;

    // The index: a power of two of slots, at most two thirds full.
    std::vector<TEntrada> FEntradas;
    size_t FOcupadas = 0;
    std::unordered_map<uint64_t, Texto> FTextos;  // by Inicio: distinct lines whose bytes do not give them back
    std::unordered_map<uint64_t, std::string> FLidos;  // by Inicio: lines read back from the file
    size_t FTamanhoLidos = 0;

    std::u16string FRascunho, FRascunhoNova;
};

}  // namespace quelb
