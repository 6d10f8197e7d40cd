// CSV catalogue: a header row naming the properties ("Codigo",
// "Setor.Descricao", ...), then one product per row. The delimiter (";" or
// ",") comes from the header row; cells may be quoted with '"'.
#include <cstdint>
#include <limits>
#include <string>
#include <unordered_set>
#include <vector>

#include "cli/campos.h"
#include "cli/catalogo.h"

namespace quelb::cli {

namespace {

// True when the bytes are well-formed UTF-8 (no overlong forms, no
// surrogates, nothing beyond U+10FFFF).
bool Utf8Valido(std::string_view t) {
    const auto* p = reinterpret_cast<const unsigned char*>(t.data());
    const auto* fim = p + t.size();
    while (p < fim) {
        if (*p < 0x80) {
            ++p;
            continue;
        }
        size_t n;
        uint32_t c;
        if ((*p & 0xE0) == 0xC0) n = 2, c = *p & 0x1F;
        else if ((*p & 0xF0) == 0xE0) n = 3, c = *p & 0x0F;
        else if ((*p & 0xF8) == 0xF0) n = 4, c = *p & 0x07;
        else return false;
        if (static_cast<size_t>(fim - p) < n) return false;
        for (size_t k = 1; k < n; ++k) {
            if ((p[k] & 0xC0) != 0x80) return false;
            c = (c << 6) | (p[k] & 0x3F);
        }
        static constexpr uint32_t Minimo[] = {0, 0, 0x80, 0x800, 0x10000};
        if (c < Minimo[n] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
        p += n;
    }
    return true;
}

struct TCelula {
    // The cell's text: in the document, or (for a quoted cell holding "")
    // in the record's scratch buffer.
    size_t Inicio, Tamanho;
    bool NoRascunho;
    size_t Linha;  // where the cell begins, from 1
};

// Splits the document into records of cells. Line breaks are LF, CR LF or a
// lone CR; inside quotes they belong to the cell.
class TDivisor {
public:
    TDivisor(std::string_view ADocumento, char ADelimitador) : FDoc(ADocumento), FDelimitador(ADelimitador) {}

    // The next record with at least one character, or false at the end.
    // Fails with ECatalogo on a quote that does not close properly.
    bool Proximo(std::vector<TCelula>& ACelulas);
    std::string_view Texto(const TCelula& c) const {
        return c.NoRascunho ? std::string_view(FRascunho).substr(c.Inicio, c.Tamanho) : FDoc.substr(c.Inicio, c.Tamanho);
    }
    size_t Linha() const { return FLinha; }

private:
    bool FimDeLinha(size_t p) const { return FDoc[p] == '\n' || FDoc[p] == '\r'; }
    // Steps over one line break at FPos.
    void PularQuebra() {
        if (FDoc[FPos] == '\r' && FPos + 1 < FDoc.size() && FDoc[FPos + 1] == '\n') ++FPos;
        ++FPos;
        ++FLinha;
    }
    TCelula CelulaEntreAspas();

    std::string_view FDoc;
    char FDelimitador;
    size_t FPos = 0;
    size_t FLinha = 1;
    std::string FRascunho;
};

TCelula TDivisor::CelulaEntreAspas() {
    const size_t linhaInicial = FLinha;
    ++FPos;  // opening quote
    const size_t inicio = FPos;
    bool duplicadas = false;
    for (;;) {
        if (FPos >= FDoc.size())
            throw ECatalogo("linha " + std::to_string(linhaInicial) + ": aspas abertas e não fechadas");
        const char c = FDoc[FPos];
        if (c == '"') {
            if (FPos + 1 < FDoc.size() && FDoc[FPos + 1] == '"') {
                duplicadas = true;
                FPos += 2;
                continue;
            }
            break;
        }
        if (c == '\n' || (c == '\r' && !(FPos + 1 < FDoc.size() && FDoc[FPos + 1] == '\n'))) ++FLinha;
        ++FPos;
    }
    const size_t fim = FPos++;  // closing quote
    if (FPos < FDoc.size() && FDoc[FPos] != FDelimitador && !FimDeLinha(FPos))
        throw ECatalogo("linha " + std::to_string(FLinha) + ": depois das aspas que fecham uma célula deve vir \"" +
                        std::string(1, FDelimitador) + "\" ou o fim da linha");
    if (!duplicadas) return {inicio, fim - inicio, false, linhaInicial};
    const size_t noRascunho = FRascunho.size();
    for (size_t i = inicio; i < fim; ++i) {
        FRascunho += FDoc[i];
        if (FDoc[i] == '"') ++i;  // the second quote of a pair
    }
    return {noRascunho, FRascunho.size() - noRascunho, true, linhaInicial};
}

bool TDivisor::Proximo(std::vector<TCelula>& ACelulas) {
    ACelulas.clear();
    FRascunho.clear();
    while (FPos < FDoc.size() && FimDeLinha(FPos)) PularQuebra();  // blank lines
    if (FPos >= FDoc.size()) return false;
    for (;;) {
        if (FPos < FDoc.size() && FDoc[FPos] == '"') {
            ACelulas.push_back(CelulaEntreAspas());
        } else {
            const size_t inicio = FPos;
            while (FPos < FDoc.size() && FDoc[FPos] != FDelimitador && !FimDeLinha(FPos)) ++FPos;
            ACelulas.push_back({inicio, FPos - inicio, false, FLinha});
        }
        if (FPos < FDoc.size() && FDoc[FPos] == FDelimitador) {
            ++FPos;
            continue;
        }
        if (FPos < FDoc.size()) PularQuebra();
        return true;
    }
}

// ";" or ",", whichever comes first in the header row; ";" for a header of
// one column.
char Delimitador(std::string_view ADoc) {
    bool aspas = false;
    for (const char c : ADoc) {
        if (c == '"') aspas = !aspas;
        else if (!aspas && (c == ';' || c == ',')) return c;
        else if (!aspas && (c == '\n' || c == '\r')) break;
    }
    return ';';
}

struct TColuna {
    const TCampo* Campo;
    std::string Nome;
};

std::vector<TColuna> LerCabecalho(const TDivisor& ADivisor, const std::vector<TCelula>& ACelulas, bool ACp1252) {
    std::vector<TColuna> colunas;
    std::unordered_set<const TCampo*> vistos;
    for (const TCelula& celula : ACelulas) {
        const std::string_view nome = ADivisor.Texto(celula);
        const std::string inicio = "linha " + std::to_string(celula.Linha) + ": ";
        if (nome.empty())
            throw ECatalogo(inicio + "a coluna " + std::to_string(colunas.size() + 1) + " do cabeçalho não tem nome");
        const TCampo* campo = nullptr;
        const size_t ponto = nome.find('.');
        const TCampo* registro = CamposItem().Procurar(nome.substr(0, ponto));
        if (ponto == std::string_view::npos) {
            if (registro && registro->Tipo != TTipoCampo::Registro) campo = registro;
        } else if (registro && registro->Tipo == TTipoCampo::Registro) {
            campo = registro->Registro->Procurar(nome.substr(ponto + 1));
        }
        const std::string citado = Citar({nome, TOrigemValor::CelulaCsv, ACp1252});
        if (campo == nullptr) throw ECatalogo(inicio + "coluna desconhecida " + citado);
        if (!vistos.insert(campo).second) throw ECatalogo(inicio + "coluna repetida " + citado);
        colunas.push_back({campo, std::string(nome)});
    }
    return colunas;
}

}  // namespace

void LerCatalogoCsv(std::string_view ADocumento, TQuelbCargaBalItens& AItens) {
    try {
        if (ADocumento.starts_with("\xEF\xBB\xBF")) ADocumento.remove_prefix(3);
        const bool cp1252 = !Utf8Valido(ADocumento);
        TDivisor divisor(ADocumento, Delimitador(ADocumento));
        std::vector<TCelula> celulas;
        if (!divisor.Proximo(celulas)) throw ECatalogo("o arquivo está vazio: falta a linha de cabeçalho");
        const std::vector<TColuna> colunas = LerCabecalho(divisor, celulas, cp1252);

        std::string erro;
        while (divisor.Proximo(celulas)) {
            const size_t linha = celulas.front().Linha;
            if (celulas.size() != colunas.size())
                throw ECatalogo("linha " + std::to_string(linha) + ": esperadas " + std::to_string(colunas.size()) +
                                " colunas, encontradas " + std::to_string(celulas.size()));
            // A row of empty cells, as spreadsheets leave below the data,
            // is no product.
            bool vazia = true;
            for (const TCelula& c : celulas) vazia = vazia && c.Tamanho == 0;
            if (vazia) continue;
            if (AItens.Count() == std::numeric_limits<int32_t>::max())
                throw ECatalogo("linha " + std::to_string(linha) + ": o catálogo tem produtos demais");
            TQuelbCargaBalItem& item = AItens.New();
            for (size_t i = 0; i < celulas.size(); ++i) {
                if (celulas[i].Tamanho == 0) continue;  // an empty cell keeps the default
                const TValor valor{divisor.Texto(celulas[i]), TOrigemValor::CelulaCsv, cp1252};
                if (!Atribuir(*colunas[i].Campo, item, valor, erro))
                    throw ECatalogo("linha " + std::to_string(celulas[i].Linha) + ", coluna " + colunas[i].Nome +
                                    ": " + erro);
            }
        }
    } catch (const ECatalogo&) {
        AItens.Clear();
        throw;
    }
}

}  // namespace quelb::cli
