#pragma once
// Helpers of the Urano and Ramuza writer tests: expected records assembled
// from readable pieces, a printable form of records with control characters,
// the number formats, and a generation whose product file is read back.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "apoio/carga.h"
#include "apoio/diretorio_temporario.h"
#include "catalogue/texto.h"
#include "catalogue/valor_fixo.h"
#include "generator/gerador.h"
#include "platform/plataforma.h"

namespace quelb::teste {

// n copies of c.
inline std::u16string n_de(size_t n, char16_t c) { return std::u16string(n, c); }
// An amount written as a decimal literal ("12.345", "-0.5"), turned into
// ten-thousandths digit by digit: no binary float on the way.
inline TValorFixo V(std::string_view ADecimal) {
    bool negativo = !ADecimal.empty() && ADecimal[0] == '-';
    if (negativo) ADecimal.remove_prefix(1);
    int64_t inteiro = 0, fracao = 0;
    int casas = 0;
    bool depois = false;
    for (char c : ADecimal) {
        if (c == '.') {
            depois = true;
        } else if (!depois) {
            inteiro = inteiro * 10 + (c - '0');
        } else if (casas < 4) {
            fracao = fracao * 10 + (c - '0');
            ++casas;
        }
    }
    for (; casas < 4; ++casas) fracao *= 10;
    // Unsigned, so the most negative amount can be written too.
    const uint64_t d = static_cast<uint64_t>(inteiro) * 10000u + static_cast<uint64_t>(fracao);
    return TValorFixo::DeDezMilesimos(static_cast<int64_t>(negativo ? 0u - d : d));
}

// The record with every character below U+0020 shown as <hh> and every
// character above U+007E as <U+hhhh>, so a failing comparison can be read.
inline std::string Visivel(std::u16string_view t) {
    std::string r;
    char buf[16];
    for (char16_t c : t) {
        if (c < 0x20) {
            std::snprintf(buf, sizeof buf, "<%02X>", static_cast<unsigned>(c));
            r += buf;
        } else if (c > 0x7E) {
            std::snprintf(buf, sizeof buf, "<U+%04X>", static_cast<unsigned>(c));
            r += buf;
        } else {
            r.push_back(static_cast<char>(c));
        }
    }
    return r;
}

// The checksum of the framed Urano records worked out here on its own: the
// plain sum of the UTF-16 code units, at least four hexadecimal digits.
inline std::u16string SomaHexa(std::u16string_view t, bool AMaiusculas = true) {
    uint32_t soma = 0;
    for (char16_t c : t) soma += c;
    char buf[16];
    std::snprintf(buf, sizeof buf, AMaiusculas ? "%04X" : "%04x", soma);
    return DeUtf8(buf);
}

inline std::vector<std::string> Visiveis(const std::vector<std::u16string>& ALinhas) {
    std::vector<std::string> r;
    for (const auto& l : ALinhas) r.push_back(Visivel(l));
    return r;
}

// The expected bytes of a saved file: every line in Windows-1252, each
// followed by CR LF. The tests use ASCII, Latin-1 letters and the euro sign.
inline std::string BytesDoArquivo(const std::vector<std::u16string>& ALinhas) {
    std::string r;
    for (const auto& l : ALinhas) {
        for (char16_t c : l) {
            if (c == 0x20AC) {
                r.push_back('\x80');
            } else {
                EXPECT_TRUE(c < 0x80 || (c >= 0xA0 && c <= 0xFF)) << "character outside the test's code table";
                r.push_back(static_cast<char>(c));
            }
        }
        r += "\r\n";
    }
    return r;
}

inline constexpr plataforma::TFormatoNumerico FormatoVirgula{u',', u'.'};  // decimal comma, group point
inline constexpr plataforma::TFormatoNumerico FormatoPonto{u'.', u','};    // decimal point, group comma

// Appends the item that several cases share: code 42 sold by unit, "Queijo"
// at 12.50, ten days of validity, a portion of 2 and the recipe text "sal".
inline TQuelbCargaBalItem& NovoQueijo(TQuelbCargaBal& AGerador) {
    auto& i = AGerador.Produtos().New();
    i.Codigo = 42;
    i.Tipo = tpvUnidade;
    i.Descricao = u"Queijo";
    i.ValorVenda = TValorFixo::DeDezMilesimos(125000);
    i.Validade = 10;
    i.Nutricional.Qtd = 2;
    i.InformacaoExtra.Receita = u"sal";
    return i;
}

// Generates the catalogue of AGerador as AModelo, for real; the lines of
// PRODUTOS.TXT.
inline std::vector<std::u16string> GerarProdutos(TQuelbCargaBal& AGerador, TQuelbCargaBalModelo AModelo) {
    AGerador.Modelo = AModelo;
    return GerarLinhas(AGerador)["PRODUTOS.TXT"];
}

}  // namespace quelb::teste
