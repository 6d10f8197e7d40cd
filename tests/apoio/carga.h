#pragma once
// Helpers shared by the tests of the writers: expected records
// assembled from readable fields, a field-by-field comparison that names the
// first wrong column, a record written straight from its layout, and a real
// generation into a temporary directory with its files read back.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "apoio/diretorio_temporario.h"
#include "catalogue/texto.h"
#include "generator/escrever_registro.h"
#include "generator/gerador.h"
#include "generator/modelos.h"
#include "generator/registro.h"
#include "platform/plataforma.h"

namespace quelb::teste {

// t left-aligned in n characters: filled with spaces, or cut to its first n.
inline std::u16string pad(std::u16string_view t, size_t n) {
    std::u16string r(t.substr(0, n));
    r.append(n - r.size(), u' ');
    return r;
}
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

// Writes the record of layout ALayout for AItem, at APosicao in the
// catalogue, with the current number format.
template <const auto& ALayout>
void EscreverLayout(TRegistro& r, const TQuelbCargaBalItem& AItem, int32_t APosicao = 1) {
    EscreverRegistro<ALayout>(r, {AItem, APosicao, plataforma::FormatoNumerico()});
}
template <const auto& ALayout>
std::u16string Escrever(const TQuelbCargaBalItem& AItem, int32_t APosicao = 1) {
    TRegistro r;
    EscreverLayout<ALayout>(r, AItem, APosicao);
    return std::u16string(r.linha());
}

// One case of a record table: how to set up the object the record is built
// from, and the expected fields. ANumero is the one number some builders take
// besides the object (a position, a code); the others ignore it.
template <class TObjeto>
struct TCasoRegistro {
    const char* nome;
    std::function<void(TObjeto&)> preparar;
    std::vector<TCampo> campos;
    int32_t numero = 0;
};

// Builds every case's record with AConstruir(r, objeto, numero) into one
// reused TRegistro and holds it against the case's fields.
template <class TObjeto, class FConstruir>
void ConferirCasos(const std::vector<TCasoRegistro<TObjeto>>& ACasos, FConstruir AConstruir) {
    TRegistro r;
    for (const TCasoRegistro<TObjeto>& c : ACasos) {
        SCOPED_TRACE(c.nome);
        TObjeto objeto;
        c.preparar(objeto);
        AConstruir(r, objeto, c.numero);
        EXPECT_TRUE(ConfereCampos(r.linha(), c.campos));
    }
}

// Appends an item with the given code and its defaults otherwise.
inline TQuelbCargaBalItem& NovoItem(TQuelbCargaBal& AGerador, int32_t ACodigo) {
    TQuelbCargaBalItem& i = AGerador.Produtos().New();
    i.Codigo = ACodigo;
    return i;
}

// The lines of a list, in order, as its saved file gives them back (a
// character outside the code page reads back as what it was written as).
inline std::vector<std::u16string> Linhas(TListaLinhas& ALista) {
    DiretorioTemporario dir;
    const std::filesystem::path arquivo = dir.Caminho() / "LISTA.TXT";
    EXPECT_EQ(ALista.Gravar(arquivo.u16string()).Situacao, plataforma::TResultadoGravacao::Gravado);
    const std::string bytes = LerArquivo(arquivo);
    std::vector<std::u16string> r;
    for (size_t inicio = 0; inicio < bytes.size();) {
        const size_t fim = bytes.find("\r\n", inicio);
        if (fim == std::string::npos) {
            ADD_FAILURE() << "the last line does not end with CR LF";
            break;
        }
        r.push_back(plataforma::DeCodigoPaginaArquivos(std::string_view(bytes).substr(inicio, fim - inicio)));
        inicio = fim + 2;
    }
    EXPECT_EQ(r.size(), static_cast<size_t>(ALista.Count()));
    return r;
}
inline std::u16string Linha(TListaLinhas& ALista, size_t AIndice) { return Linhas(ALista).at(AIndice); }

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

// Names of the files in ADiretorio, sorted.
inline std::vector<std::string> ArquivosEm(const DiretorioTemporario& ADiretorio) {
    return NomesDaCarga(ADiretorio.Caminho());
}

// The lines of a saved file, decoded from the 8-bit code page and split at
// CR LF; none when the file is not there.
inline std::vector<std::u16string> LinhasDoArquivo(const std::filesystem::path& ACaminho) {
    std::vector<std::u16string> r;
    if (!std::filesystem::exists(ACaminho)) return r;
    const std::u16string texto = plataforma::DeCodigoPaginaArquivos(LerArquivo(ACaminho));
    for (size_t inicio = 0; inicio < texto.size();) {
        const size_t fim = texto.find(u"\r\n", inicio);
        EXPECT_NE(fim, std::u16string::npos) << "the last line has no CR LF";
        r.emplace_back(texto.substr(inicio, fim - inicio));
        if (fim == std::u16string::npos) break;
        inicio = fim + 2;
    }
    return r;
}

// The lines of each file a generation saved, by file name; a file that was
// not saved reads as no lines.
using TLinhasArquivos = std::map<std::string, std::vector<std::u16string>>;

// Runs a real generation of AGerador into a fresh directory and reads back
// every file it holds afterwards.
inline TLinhasArquivos GerarLinhas(TQuelbCargaBal& AGerador) {
    DiretorioTemporario dir;
    AGerador.GerarArquivos(dir.Texto());
    TLinhasArquivos r;
    for (const std::string& nome : ArquivosEm(dir)) r[nome] = LinhasDoArquivo(dir.Caminho() / nome);
    return r;
}

// Runs a real generation into ADiretorio and returns the names of the saved
// files, in the order the generator lists them.
inline std::vector<std::string> GerarEm(TQuelbCargaBal& AGerador, const DiretorioTemporario& ADiretorio) {
    AGerador.GerarArquivos(ADiretorio.Texto());
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

// Expected or saved files: name to bytes.
using TArquivos = std::map<std::string, std::string>;

// Fills a generator with the catalogue for AModelo and generates it for real
// under each number format; every run must save AOrdem, in that order, and
// leave exactly the files of AEsperado, byte for byte.
inline void ConferirCarga(TQuelbCargaBalModelo AModelo, void (*APreencher)(TQuelbCargaBal&),
                          const std::vector<std::string>& AOrdem, const TArquivos& AEsperado) {
    for (const auto& formato : FormatosNumericos) {
        SCOPED_TRACE(testing::Message() << DefinicaoModelo(AModelo)->NomeEnumeracao << ", decimal separator "
                                        << static_cast<char>(formato.SeparadorDecimal));
        TFormatoNumericoTemporario f(formato);
        TQuelbCargaBal g;
        g.Modelo = AModelo;
        APreencher(g);
        DiretorioTemporario dir;
        EXPECT_EQ(GerarEm(g, dir), AOrdem);
        TArquivos obtido;
        for (const std::string& nome : ArquivosEm(dir)) obtido[nome] = LerArquivo(dir.Caminho() / nome);
        EXPECT_EQ(obtido.size(), AEsperado.size());
        for (const auto& [nome, conteudo] : AEsperado) EXPECT_EQ(obtido[nome], conteudo) << nome;
    }
}

// The records a generation should write in one file: the names that the
// model table gives the layouts of its lines, in line order.
struct TRegistrosArquivo {
    std::string arquivo;
    std::vector<std::string_view> layouts;
};

// Generates the catalogue of APreencher as AModelo and holds each line of
// every file against the width that the model table's layout of that line
// declares: LarguraFixa, or for a layout that widens its least width (the
// sample keeps it there). The files saved must be those of AEsperado.
inline void ConferirLargurasDeclaradas(TQuelbCargaBalModelo AModelo, void (*APreencher)(TQuelbCargaBal&),
                                       const std::vector<TRegistrosArquivo>& AEsperado) {
    const TDefinicaoModelo& modelo = *DefinicaoModelo(AModelo);
    SCOPED_TRACE(modelo.NomeEnumeracao);
    TQuelbCargaBal g;
    g.Modelo = AModelo;
    APreencher(g);
    TLinhasArquivos linhas = GerarLinhas(g);
    EXPECT_EQ(linhas.size(), AEsperado.size());
    for (const TRegistrosArquivo& esperado : AEsperado) {
        SCOPED_TRACE(esperado.arquivo);
        const auto arquivo = std::find_if(modelo.Arquivos.begin(), modelo.Arquivos.end(),
                                          [&](const TArquivoModelo& a) { return utf8(a.Nome) == esperado.arquivo; });
        ASSERT_NE(arquivo, modelo.Arquivos.end()) << "a file the model does not list";
        const std::vector<std::u16string>& obtidas = linhas[esperado.arquivo];
        ASSERT_EQ(obtidas.size(), esperado.layouts.size());
        for (size_t i = 0; i < obtidas.size(); ++i) {
            const auto layout = std::find_if(arquivo->Registros.begin(), arquivo->Registros.end(),
                                             [&](const TLayoutRegistro& l) { return l.Nome == esperado.layouts[i]; });
            ASSERT_NE(layout, arquivo->Registros.end()) << "the file lists no layout " << esperado.layouts[i];
            const int32_t fixa = LarguraFixa(layout->Campos);
            EXPECT_EQ(obtidas[i].size(), static_cast<size_t>(fixa >= 0 ? fixa : Largura(layout->Campos)))
                << "line " << i + 1 << ", " << esperado.layouts[i];
        }
    }
}

// A progress event as the handler saw it, with what it read from the
// catalogue at that moment where a test asks for it.
struct TEvento {
    std::u16string mensagem;
    int32_t atual;
    int32_t total;
    std::vector<int32_t> vistos = {};

    bool operator==(const TEvento&) const = default;
};
inline std::ostream& operator<<(std::ostream& o, const TEvento& e) {
    o << "[" << utf8(e.mensagem) << "] " << e.atual << "/" << e.total;
    for (int32_t v : e.vistos) o << " " << v;
    return o;
}

// A fixed-point amount from a count of ten-thousandths.
inline TValorFixo Valor(int64_t ADezMilesimos) { return TValorFixo::DeDezMilesimos(ADezMilesimos); }

}  // namespace quelb::teste
