#pragma once
// Builds one fixed-width record field by field into a reused buffer; the
// record layouts (campos.h) drive it through escrever_registro.h. Each field
// appends exactly what the primitive of the same kind returns (primitivas.h),
// and building a record allocates nothing once the buffer is wide enough.
//
// Two kinds of builder share this code. TRegistro builds the record in UTF-16.
// TRegistroBytes builds it straight in the bytes of the file, converting each
// text to the 8-bit code page as it is copied; it is the quick way for the
// usual record, whose characters all have a byte of their own. When a text
// has a character without one, exata() turns false and the record is built
// again with TRegistro (see AdicionarRegistro), whose line the list converts
// whole with the platform's rules.
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

#include "generator/lista_linhas.h"
#include "generator/primitivas.h"
#include "generator/tabela_codigo_pagina.h"

namespace quelb {

template <class C>
class TRegistroDe {
public:
    using TLinha = std::basic_string_view<C>;

    // Starts a new record, keeping the buffer.
    QUELB_EM_LINHA TRegistroDe& inicio() {
        FTamanho = 0;
        // Bytes are written as ASCII for digits and fills: a code page that
        // does not keep ASCII as it is takes the UTF-16 way.
        FExata = EmUtf16 || FTabela->AsciiIgual();
        return *this;
    }
    // FormatarInteiro(valor, n, c).
    QUELB_EM_LINHA TRegistroDe& inteiro(int32_t valor, int32_t n, char16_t c = u'0') {
        Fim(EscreverInteiro<C>(Espaco(LarguraInteiro(n)), valor, n, Unidade(c)));
        return *this;
    }
    // PreencherDireita(texto, n, c): a left-aligned text.
    QUELB_EM_LINHA TRegistroDe& texto(std::u16string_view texto, int32_t n, char16_t c = u' ') {
        return Campo(texto, n, c, false);
    }
    // PreencherEsquerda(texto, n, c): a right-aligned text.
    QUELB_EM_LINHA TRegistroDe& textoADireita(std::u16string_view texto, int32_t n, char16_t c = u'0') {
        return Campo(texto, n, c, true);
    }
    // The same two for a text of code units U+0000..U+00FF given as one byte
    // each (an item text kept in bytes).
    QUELB_EM_LINHA TRegistroDe& texto(std::string_view latin1, int32_t n, char16_t c = u' ') {
        return Campo(latin1, n, c, false);
    }
    QUELB_EM_LINHA TRegistroDe& textoADireita(std::string_view latin1, int32_t n, char16_t c = u'0') {
        return Campo(latin1, n, c, true);
    }
    // A fixed text or character, copied as it is.
    QUELB_EM_LINHA TRegistroDe& literal(std::u16string_view texto) {
        if constexpr (EmUtf16) {
            char16_t* p = Espaco(texto.size(), texto);
            Fim(detalhe::Copiar(p, texto.data(), texto.size()));
        } else {
            Fim(Converter(Espaco(texto.size()), texto));
        }
        return *this;
    }
    QUELB_EM_LINHA TRegistroDe& literal(char16_t c) {
        *Espaco(1) = Unidade(c);
        ++FTamanho;
        return *this;
    }
    // A fixed text of ASCII characters only, which are the same bytes in
    // every code page this builder writes (see inicio): copied unit by unit.
    QUELB_EM_LINHA TRegistroDe& ascii(std::u16string_view texto) {
        C* p = Espaco(texto.size());
        for (const char16_t c : texto) *p++ = static_cast<C>(c);
        Fim(p);
        return *this;
    }
    // n copies of c.
    QUELB_EM_LINHA TRegistroDe& repetir(char16_t c, size_t n) {
        Fim(detalhe::Preencher(Espaco(n), n, Unidade(c)));
        return *this;
    }
    TLinha linha() const { return TLinha(FBuffer.data(), FTamanho); }
    // False when a character of the record has no byte of its own in the code
    // page (always true in UTF-16).
    bool exata() const { return FExata; }

private:
    static constexpr bool EmUtf16 = std::is_same_v<C, char16_t>;

    // A character of the record as a unit of C.
    QUELB_EM_LINHA C Unidade(char16_t c) {
        if constexpr (EmUtf16) {
            return c;
        } else {
            if (c < 0x80) return static_cast<char>(c);  // ASCII: the same byte (see inicio)
            char b;
            if (!FTabela->ByteDe(c, b)) FExata = false;
            return b;
        }
    }
    // A text in a field of width n: cut to its first n characters, or
    // filled with c on the right, or on the left when AADireita.
    QUELB_EM_LINHA TRegistroDe& Campo(std::u16string_view texto, int32_t n, char16_t c, bool AADireita) {
        if constexpr (EmUtf16) {
            char16_t* p = Espaco(Largura(texto.size(), n), texto);
            Fim(AADireita ? EscreverPreencherEsquerda(p, texto, n, c) : EscreverPreencherDireita(p, texto, n, c));
        } else {
            const size_t tamanho = texto.size();
            const bool cortado = n >= 1 && static_cast<size_t>(n) < tamanho;
            const size_t enchimento = n > 0 && static_cast<size_t>(n) > tamanho ? static_cast<size_t>(n) - tamanho : 0;
            char* p = Espaco(Largura(tamanho, n));
            if (AADireita) p = detalhe::Preencher(p, enchimento, Unidade(c));
            p = Converter(p, cortado ? texto.substr(0, static_cast<size_t>(n)) : texto);
            if (!AADireita) p = detalhe::Preencher(p, enchimento, Unidade(c));
            Fim(p);
        }
        return *this;
    }
    // A text of one byte per code unit in a field of width n, as Campo above.
    QUELB_EM_LINHA TRegistroDe& Campo(std::string_view latin1, int32_t n, char16_t c, bool AADireita) {
        const size_t tamanho = latin1.size();
        const bool cortado = n >= 1 && static_cast<size_t>(n) < tamanho;
        const size_t enchimento = n > 0 && static_cast<size_t>(n) > tamanho ? static_cast<size_t>(n) - tamanho : 0;
        if (cortado) latin1 = latin1.substr(0, static_cast<size_t>(n));
        C* p = Espaco(latin1.size() + enchimento);
        if (AADireita) p = detalhe::Preencher(p, enchimento, Unidade(c));
        p = Converter(p, latin1);
        if (!AADireita) p = detalhe::Preencher(p, enchimento, Unidade(c));
        Fim(p);
        return *this;
    }
    // The code units of latin1 at d (UTF-16), or their bytes in the code
    // page; returns their end.
    QUELB_EM_LINHA C* Converter(C* d, std::string_view latin1) {
        if constexpr (EmUtf16) {
            for (const char b : latin1) *d++ = static_cast<unsigned char>(b);
        } else {
            // ASCII is the same byte (see inicio); so is U+00A0..U+00FF in a
            // code page like Windows-1252.
            const bool latin1Igual = FTabela->Latin1Igual();
            for (const char b : latin1) {
                const auto u = static_cast<unsigned char>(b);
                if (u < 0x80 || (latin1Igual && u >= 0xA0)) *d = b;
                else if (!FTabela->ByteDe(u, *d)) FExata = false;
                ++d;
            }
        }
        return d;
    }
    // The bytes of ATexto at d; returns their end. Short texts (most fields,
    // all the fixed ones) are converted here a character at a time, ASCII as
    // it is; longer ones by the table's quick pass.
    QUELB_EM_LINHA char* Converter(char* d, std::u16string_view ATexto) {
        if (ATexto.size() > 8) {
            if (!FTabela->Codificar(ATexto, d)) FExata = false;
            return d + ATexto.size();
        }
        for (const char16_t c : ATexto) {
            if (c < 0x80) {
                *d++ = static_cast<char>(c);
            } else {
                if (!FTabela->ByteDe(c, *d)) FExata = false;
                ++d;
            }
        }
        return d;
    }

    // Where the next ALargura units go.
    QUELB_EM_LINHA C* Espaco(size_t ALargura) {
        if (FBuffer.size() - FTamanho < ALargura) Crescer(ALargura);
        return FBuffer.data() + FTamanho;
    }
    // The same, keeping ATexto valid when it views this record's buffer.
    QUELB_EM_LINHA C* Espaco(size_t ALargura, std::basic_string_view<C>& ATexto) {
        if (FBuffer.size() - FTamanho < ALargura) {
            const C* antigo = FBuffer.data();
            const bool proprio = ATexto.data() >= antigo && ATexto.data() < antigo + FBuffer.size();
            const size_t deslocamento = proprio ? static_cast<size_t>(ATexto.data() - antigo) : 0;
            Crescer(ALargura);
            if (proprio) ATexto = std::basic_string_view<C>(FBuffer.data() + deslocamento, ATexto.size());
        }
        return FBuffer.data() + FTamanho;
    }
    void Crescer(size_t ALargura) {
        size_t nova = FBuffer.size() < 512 ? 1024 : FBuffer.size() * 2;
        while (nova - FTamanho < ALargura) nova *= 2;
        FBuffer.resize(nova);
    }
    QUELB_EM_LINHA void Fim(C* AFim) { FTamanho = static_cast<size_t>(AFim - FBuffer.data()); }

    std::basic_string<C> FBuffer;  // all of it usable; the record is its first FTamanho units
    size_t FTamanho = 0;
    bool FExata = true;
    const TTabelaCodigoPagina* FTabela = &TTabelaCodigoPagina::Instancia();
};

using TRegistro = TRegistroDe<char16_t>;
using TRegistroBytes = TRegistroDe<char>;

// The two builders of one writer.
struct TRegistros {
    TRegistroBytes Bytes;
    TRegistro Texto;
};

// Builds a record with AMontar (called with a builder, either kind) and
// appends it to ALista: in bytes, or, when a character has no byte of its
// own, in UTF-16 for the list to convert whole.
template <class TMontar>
QUELB_EM_LINHA void AdicionarRegistro(TListaLinhas& ALista, TRegistros& ARegistros, TMontar&& AMontar) {
    AMontar(ARegistros.Bytes);
    if (ARegistros.Bytes.exata()) return ALista.AdicionarBytes(ARegistros.Bytes.linha());
    AMontar(ARegistros.Texto);
    ALista.Adicionar(ARegistros.Texto.linha());
}

// The same for a list without repeated lines: the record is appended unless
// an equal line is there already; true when it was appended.
template <class TMontar>
QUELB_EM_LINHA bool AdicionarRegistroSeNovo(TListaLinhas& ALista, TRegistros& ARegistros, TMontar&& AMontar) {
    AMontar(ARegistros.Bytes);
    if (ARegistros.Bytes.exata()) return ALista.AdicionarSeNovaBytes(ARegistros.Bytes.linha());
    AMontar(ARegistros.Texto);
    return ALista.AdicionarSeNova(ARegistros.Texto.linha());
}

}  // namespace quelb
