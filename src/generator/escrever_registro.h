#pragma once
// Writes a record by walking its layout table (campos.h). The walk is
// unrolled at compile time: each field becomes the one builder call of its
// kind, with its width and property folded in, so a table costs what the
// same calls written by hand would.
#include <algorithm>
#include <cstdint>
#include <utility>

#include "catalogue/item.h"
#include "generator/campos.h"
#include "generator/lista_linhas.h"
#include "generator/padroes_preco.h"
#include "generator/registro.h"
#include "platform/plataforma.h"

namespace quelb {

// What the fields of an item's records read.
struct TOrigem {
    const TQuelbCargaBalItem& Item;
    int32_t Posicao;  // the item's place in the catalogue, from 1
    // The number format of the prices (Urano S: always a point).
    const plataforma::TFormatoNumerico& Formato;
};

namespace detalhe {

constexpr bool Ascii(std::u16string_view ATexto) {
    for (const char16_t c : ATexto)
        if (c >= 0x80) return false;
    return true;
}

template <const auto& ATabela, size_t I, class C>
QUELB_EM_LINHA void EscreverCampo(TRegistroDe<C>& r, const TOrigem& o) {
    constexpr const TCampo& f = ATabela[I];
    constexpr TTipoCampo tipo = f.Tipo;
    if constexpr (tipo == TTipoCampo::Texto) {
        const TTextoItem& t = f.Propriedade->TextoItem(o.Item);
        const size_t inicio = std::min(t.size(), static_cast<size_t>(f.Inicio));
        if (t.Estreito()) r.texto(t.Bytes().substr(inicio), f.Largura, f.Enchimento);
        else r.texto(t.Largo().substr(inicio), f.Largura, f.Enchimento);
    } else if constexpr (tipo == TTipoCampo::TextoADireita) {
        const TTextoItem& t = f.Propriedade->TextoItem(o.Item);
        if (t.Estreito()) r.textoADireita(t.Bytes(), f.Largura, f.Enchimento);
        else r.textoADireita(t.Largo(), f.Largura, f.Enchimento);
    } else if constexpr (tipo == TTipoCampo::Numero) {
        r.inteiro(static_cast<int32_t>(f.Propriedade->Numero(o.Item)), f.Largura, f.Enchimento);
    } else if constexpr (tipo == TTipoCampo::NumeroSePositivo) {
        const int64_t v = f.Propriedade->Numero(o.Item);
        if (v > 0) r.inteiro(static_cast<int32_t>(v), f.Largura, f.Enchimento);
    } else if constexpr (tipo == TTipoCampo::Calculado) {
        r.inteiro(static_cast<int32_t>(f.Calcular(o.Item)), f.Largura, f.Enchimento);
    } else if constexpr (tipo == TTipoCampo::Decimal) {
        int64_t v = f.Propriedade->Numero(o.Item);
        // Multiplied as unsigned: an absurd amount wraps instead of overflowing.
        if constexpr (f.Fator != 1) v = static_cast<int64_t>(static_cast<uint64_t>(v) * f.Fator);
        r.inteiro(UnidadesDecimais(TValorFixo::DeDezMilesimos(v), f.Casas), f.Largura, f.Enchimento);
    } else if constexpr (tipo == TTipoCampo::Codigo) {
        const auto ordinal = static_cast<uint64_t>(f.Propriedade->Numero(o.Item));
        r.literal(f.Codigos[ordinal < f.Codigos.size() ? ordinal : 0]);
    } else if constexpr (tipo == TTipoCampo::Fixo) {
        if constexpr (f.Fixo.size() > 1 && f.Fixo.find_first_not_of(f.Fixo[0]) == std::u16string_view::npos)
            r.repetir(f.Fixo[0], f.Fixo.size());  // a block of one character
        else if constexpr (detalhe::Ascii(f.Fixo))
            r.ascii(f.Fixo);
        else
            r.literal(f.Fixo);
    } else if constexpr (tipo == TTipoCampo::Coluna) {
        const TTextoItem& t = f.Propriedade->TextoItem(o.Item);
        if (t.empty()) r.literal(f.Fixo);
        else if (t.Estreito()) r.textoADireita(t.Bytes(), f.Largura, u'0');
        else r.textoADireita(t.Largo(), f.Largura, u'0');
    } else if constexpr (tipo == TTipoCampo::Lista) {
        const TTextoItem& t = f.Propriedade->TextoItem(o.Item);
        if (t.empty()) {
            // Tested at run time: GCC refuses a property pointer in a
            // constant expression under -fsanitize=undefined.
            const int64_t v = f.Padrao != nullptr ? f.Padrao->Numero(o.Item) : 0;
            if (v > 0) r.inteiro(static_cast<int32_t>(v), f.Entrada, u'0');
        } else if (t.Estreito()) {
            r.texto(t.Bytes(), 0);
        } else {
            r.texto(t.Largo(), 0);
        }
    } else if constexpr (tipo == TTipoCampo::Posicao) {
        r.inteiro(o.Posicao, f.Largura, f.Enchimento);
    } else if constexpr (tipo == TTipoCampo::PrecoSeisZeros) {
        r.literal(FormatarPadraoSeisZeros(TValorFixo::DeDezMilesimos(f.Propriedade->Numero(o.Item)),
                                          o.Formato.SeparadorDecimal));
    } else if constexpr (tipo == TTipoCampo::PrecoAgrupado) {
        TCampoCurto preco = FormatarPadraoAgrupado(TValorFixo::DeDezMilesimos(f.Propriedade->Numero(o.Item)),
                                                   o.Formato.SeparadorDecimal, o.Formato.SeparadorMilhar);
        preco.Trocar(u'.', u',');
        r.textoADireita(preco, f.Largura, f.Enchimento);
    } else if constexpr (tipo == TTipoCampo::Soma) {
        const TCampoCurto soma = Hexadecimal4(SomaCaracteres(r.linha().substr(f.Desde)), f.Caixa);
        r.literal(soma);
    } else {
        static_assert(sizeof(C) == 0, "field kind without a writer");
    }
}

}  // namespace detalhe

// Builds the record of layout ATabela for o into r.
template <const auto& ATabela, class C>
QUELB_EM_LINHA void EscreverRegistro(TRegistroDe<C>& r, const TOrigem& o) {
    r.inicio();
    [&]<size_t... I>(std::index_sequence<I...>) {
        (detalhe::EscreverCampo<ATabela, I>(r, o), ...);
    }(std::make_index_sequence<std::size(ATabela)>{});
}

// The layout ATabela as the model table lists it, keyed by its field AChave.
template <const auto& ATabela>
constexpr TLayoutRegistro Layout(std::string_view ANome, std::string_view AChave = "codigo") {
    return {ANome, ATabela, &EscreverRegistro<ATabela, char16_t>, AChave};
}

// Appends the record of layout ATabela for o to ALista.
template <const auto& ATabela>
QUELB_EM_LINHA void AdicionarRegistro(TListaLinhas& ALista, TRegistros& ARegistros, const TOrigem& o) {
    AdicionarRegistro(ALista, ARegistros, [&](auto& r) { EscreverRegistro<ATabela>(r, o); });
}

// The same for a list without repeated lines: appended unless an equal line
// is there already; true when it was appended.
template <const auto& ATabela>
QUELB_EM_LINHA bool AdicionarRegistroSeNovo(TListaLinhas& ALista, TRegistros& ARegistros, const TOrigem& o) {
    return AdicionarRegistroSeNovo(ALista, ARegistros, [&](auto& r) { EscreverRegistro<ATabela>(r, o); });
}

}  // namespace quelb
