#pragma once
// Helpers shared by the tests of the fixed-width writers: expected records
// assembled from readable fields, a field-by-field comparison that names the
// first wrong column, and a real generation into a temporary directory.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/texto.h"
#include "generator/gerador.h"
#include "generator/lista_linhas.h"
#include "platform/plataforma.h"

namespace quelb::teste {

// t left-aligned in n characters: filled with spaces, or cut to its first n.
inline std::u16string pad(std::u16string_view t, size_t n) {
    std::u16string r(t.substr(0, n));
    r.append(n - r.size(), u' ');
    return r;
}
inline std::u16string espacos(size_t n) { return std::u16string(n, u' '); }
inline std::u16string zeros(size_t n) { return std::u16string(n, u'0'); }
// n copies of a text.
inline std::u16string repetir(std::u16string_view t, size_t n) {
    std::u16string r;
    for (size_t i = 0; i < n; ++i) r += t;
    return r;
}

inline std::string utf8(std::u16string_view t) { return ParaUtf8(t); }

// One field of an expected record: its first column (counted from 1) and its
// exact text, whose length is the field's width.
struct TCampo {
    int coluna;
    std::u16string texto;
};

inline std::u16string Juntar(const std::vector<TCampo>& ACampos) {
    std::u16string r;
    for (const TCampo& c : ACampos) r += c.texto;
    return r;
}

// Holds ALinha against the expected fields: each field must start where the
// previous one ended (a check on the table itself), appear at its column, and
// the line must end after the last field.
inline testing::AssertionResult ConfereCampos(std::u16string_view ALinha, const std::vector<TCampo>& ACampos) {
    size_t coluna = 1;
    std::string erros;
    for (const TCampo& c : ACampos) {
        if (static_cast<size_t>(c.coluna) != coluna)
            return testing::AssertionFailure() << "expected table: field at column " << c.coluna
                                               << " should start at column " << coluna;
        const std::u16string_view obtido =
            coluna - 1 < ALinha.size() ? ALinha.substr(coluna - 1, c.texto.size()) : std::u16string_view();
        if (obtido != c.texto)
            erros += "\n  column " + std::to_string(coluna) + ": expected [" + utf8(c.texto) + "] got [" +
                     utf8(obtido) + "]";
        coluna += c.texto.size();
    }
    if (ALinha.size() != coluna - 1)
        erros += "\n  length: expected " + std::to_string(coluna - 1) + " got " + std::to_string(ALinha.size());
    if (erros.empty()) return testing::AssertionSuccess();
    return testing::AssertionFailure() << "record differs:" << erros;
}

// The lines of a list, in order.
inline std::vector<std::u16string> Linhas(const TListaLinhas& ALista) {
    std::vector<std::u16string> r;
    for (int32_t i = 0; i < ALista.Count(); ++i) r.emplace_back(ALista.Linha(i));
    return r;
}

// Expected file bytes: each line followed by CR LF, every character below
// U+0100 written as the byte of the same value (Windows-1252 agrees with
// Latin-1 there, apart from 0x80-0x9F, which the tests do not use).
inline std::string Arquivo(const std::vector<std::u16string>& ALinhas) {
    std::string r;
    for (const std::u16string& l : ALinhas) {
        for (char16_t c : l) {
            EXPECT_LT(c, 0x100) << "the expected text uses a character outside Latin-1";
            r.push_back(static_cast<char>(c));
        }
        r += "\r\n";
    }
    return r;
}

// A directory of its own under the system's temporary directory, removed
// with its files at the end of the test.
class TDiretorioTemporario {
public:
    TDiretorioTemporario() {
        std::string modelo = (std::filesystem::temp_directory_path() / "quelb-carga-XXXXXX").string();
        if (mkdtemp(modelo.data()) == nullptr) throw std::runtime_error("mkdtemp");
        FCaminho = modelo;
    }
    ~TDiretorioTemporario() {
        std::error_code e;
        std::filesystem::remove_all(FCaminho, e);
    }
    const std::filesystem::path& Caminho() const { return FCaminho; }

    // Names of the files present, sorted.
    std::vector<std::string> Arquivos() const {
        std::vector<std::string> r;
        for (const auto& e : std::filesystem::directory_iterator(FCaminho)) r.push_back(e.path().filename().string());
        std::sort(r.begin(), r.end());
        return r;
    }
    std::string Ler(const std::string& ANome) const {
        std::ifstream f(FCaminho / ANome, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
    }

private:
    std::filesystem::path FCaminho;
};

// Runs a real generation into ADiretorio and returns the names of the saved
// files, in the order the generator lists them.
inline std::vector<std::string> GerarEm(TQuelbCargaBal& AGerador, const TDiretorioTemporario& ADiretorio) {
    AGerador.GerarArquivos(DeUtf8(ADiretorio.Caminho().string()));
    std::vector<std::string> nomes;
    for (const Texto& caminho : AGerador.ArquivosGerados())
        nomes.push_back(std::filesystem::path(ParaUtf8(caminho)).filename().string());
    return nomes;
}

// The two number formats the library meets in practice: the tests that use
// it show that the fixed-width layouts do not depend on them.
inline const plataforma::TFormatoNumerico FormatosNumericos[] = {{u',', u'.'}, {u'.', u','}};

// Sets a number format for the scope and restores the one before.
class TFormatoNumericoTemporario {
public:
    explicit TFormatoNumericoTemporario(const plataforma::TFormatoNumerico& AFormato)
        : FAnterior(plataforma::FormatoNumerico()) {
        plataforma::DefinirFormatoNumerico(AFormato);
    }
    ~TFormatoNumericoTemporario() { plataforma::DefinirFormatoNumerico(FAnterior); }

private:
    plataforma::TFormatoNumerico FAnterior;
};

// A progress event as the handler saw it, with the length of the lists at
// that moment.
struct TEvento {
    std::u16string mensagem;
    int32_t atual;
    int32_t total;
    std::vector<int32_t> linhas;
};

// A fixed-point amount from a count of ten-thousandths.
inline TValorFixo Valor(int64_t ADezMilesimos) { return TValorFixo::DeDezMilesimos(ADezMilesimos); }

}  // namespace quelb::teste
