// CSV catalogue: a header row naming the properties ("Codigo",
// "Setor.Descricao", ...), then one product per row, read row by row as the
// bytes come in. The delimiter (";", "," or a tab) comes from the header row
// or from a "sep=" line before it; cells may be quoted with '"'.
#include <algorithm>
#include <limits>
#include <string>
#include <vector>

#include "catalogue/leitor_interno.h"
#include "catalogue/nomes_catalogo.h"
#include "catalogue/texto.h"
#include "catalogue/valor_decimal.h"
#include "catalogue/valores_catalogo.h"
#include "platform/cp1252.h"
#include "platform/leitura.h"

namespace quelb::leitura {

namespace {

struct TCelula {
    std::string Bytes;
    uint64_t Linha = 0;  // where the cell begins, from 1
    bool EntreAspas = false;
};

// Splits the bytes into rows of cells as they are read. Line breaks are LF,
// CR LF or a lone CR; inside quotes they belong to the cell.
class TDivisor {
public:
    explicit TDivisor(TEntrada& AEntrada) : FEntrada(AEntrada), FBuffer(Tamanho, '\0') {}

    // The first line, without taking it: for the delimiter. At most a block.
    std::string_view EspiarLinha() {
        for (;;) {
            const std::string_view visto(FBuffer.data() + FPos, FFim - FPos);
            const size_t quebra = visto.find_first_of("\r\n");
            if (quebra != std::string_view::npos || FAcabou || FFim - FPos >= Tamanho / 2) return visto.substr(0, quebra);
            Compactar();
            if (!Encher()) continue;
        }
    }
    // Drops the first line (a "sep=" line).
    void PularLinha() {
        while (Tem() && FBuffer[FPos] != '\r' && FBuffer[FPos] != '\n') ++FPos;
        if (Tem()) PularQuebra();
    }
    void Delimitador(char ADelimitador) { FDelimitador = ADelimitador; }
    bool Vazio() { return !Tem(); }

    // The next row; false at the end. Quote errors go to AErros.
    bool Proxima(std::vector<TCelula>& ACelulas, size_t& AQuantidade, std::vector<std::string>& AErros);
    uint64_t Linha() const { return FLinha; }
    // True when the file ended inside quotes: the rest was one cell.
    bool Abertas() const { return FAbertas; }

private:
    static constexpr size_t Tamanho = size_t{1} << 18;

    bool Tem() {
        if (FPos < FFim) return true;
        FPos = FFim = 0;
        return Encher();
    }
    bool Encher() {
        if (FAcabou) return false;
        const size_t n = FEntrada.Ler(FBuffer.data() + FFim, FBuffer.size() - FFim);
        if (n == 0) FAcabou = true;
        FFim += n;
        return n > 0;
    }
    void Compactar() {
        if (FPos > 0) {
            std::copy(FBuffer.begin() + static_cast<std::ptrdiff_t>(FPos), FBuffer.begin() + static_cast<std::ptrdiff_t>(FFim), FBuffer.begin());
            FFim -= FPos;
            FPos = 0;
        }
        if (FFim == FBuffer.size()) FBuffer.resize(FBuffer.size() * 2);
    }
    // Steps over one line break at FPos.
    void PularQuebra() {
        const char c = FBuffer[FPos++];
        if (c == '\r' && Tem() && FBuffer[FPos] == '\n') ++FPos;
        ++FLinha;
    }

    TEntrada& FEntrada;
    std::string FBuffer;
    size_t FPos = 0, FFim = 0;
    bool FAcabou = false;
    char FDelimitador = ';';
    uint64_t FLinha = 1;
    bool FAbertas = false;
};

bool TDivisor::Proxima(std::vector<TCelula>& ACelulas, size_t& AQuantidade, std::vector<std::string>& AErros) {
    AQuantidade = 0;
    if (!Tem()) return false;
    for (;;) {
        if (AQuantidade == ACelulas.size()) ACelulas.emplace_back();
        TCelula& celula = ACelulas[AQuantidade++];
        celula.Bytes.clear();
        celula.Linha = FLinha;
        celula.EntreAspas = Tem() && FBuffer[FPos] == '"';
        if (celula.EntreAspas) {
            ++FPos;
            for (;;) {
                if (!Tem()) {
                    AErros.push_back("linha " + std::to_string(celula.Linha) + ": aspas abertas e não fechadas");
                    FAbertas = true;
                    return false;
                }
                const char c = FBuffer[FPos];
                if (c == '"') {
                    ++FPos;
                    if (Tem() && FBuffer[FPos] == '"') {
                        celula.Bytes += '"';
                        ++FPos;
                        continue;
                    }
                    break;
                }
                if (c == '\r' || c == '\n') {
                    // The break as written, CR LF whole.
                    celula.Bytes += c;
                    ++FPos;
                    if (c == '\r' && Tem() && FBuffer[FPos] == '\n') {
                        celula.Bytes += '\n';
                        ++FPos;
                    }
                    ++FLinha;
                    continue;
                }
                // Plain bytes up to the next quote or break in one step.
                const char* inicio = FBuffer.data() + FPos;
                const char* fim = FBuffer.data() + FFim;
                const char* p = inicio;
                while (p < fim && *p != '"' && *p != '\r' && *p != '\n') ++p;
                celula.Bytes.append(inicio, p);
                FPos += static_cast<size_t>(p - inicio);
            }
            if (Tem() && FBuffer[FPos] != FDelimitador && FBuffer[FPos] != '\r' && FBuffer[FPos] != '\n') {
                AErros.push_back("linha " + std::to_string(FLinha) + ": depois das aspas que fecham uma célula deve vir \"" +
                                 std::string(FDelimitador == '\t' ? "tabulação" : std::string(1, FDelimitador)) +
                                 "\" ou o fim da linha");
                // The rest of the cell is kept, as written.
                while (Tem() && FBuffer[FPos] != FDelimitador && FBuffer[FPos] != '\r' && FBuffer[FPos] != '\n')
                    celula.Bytes += FBuffer[FPos++];
            }
        } else {
            while (Tem()) {
                const char* inicio = FBuffer.data() + FPos;
                const char* fim = FBuffer.data() + FFim;
                const char* p = inicio;
                while (p < fim && *p != FDelimitador && *p != '\r' && *p != '\n') ++p;
                celula.Bytes.append(inicio, p);
                FPos += static_cast<size_t>(p - inicio);
                if (p < fim) break;
            }
        }
        if (Tem() && FBuffer[FPos] == FDelimitador) {
            ++FPos;
            continue;
        }
        if (Tem()) PularQuebra();
        return true;
    }
}

// ";", a tab or ",": whichever the header row has most of, outside quotes.
char DelimitadorDoCabecalho(std::string_view ALinha) {
    size_t pontoEVirgula = 0, tab = 0, virgula = 0;
    bool aspas = false;
    for (const char c : ALinha) {
        if (c == '"') aspas = !aspas;
        else if (!aspas) {
            pontoEVirgula += c == ';';
            tab += c == '\t';
            virgula += c == ',';
        }
    }
    if (pontoEVirgula >= tab && pontoEVirgula >= virgula && pontoEVirgula > 0) return ';';
    if (tab >= virgula && tab > 0) return '\t';
    if (virgula > 0) return ',';
    return ';';
}

bool EmBranco(std::string_view ABytes) {
    return std::all_of(ABytes.begin(), ABytes.end(), [](char c) { return c == ' ' || c == '\t'; });
}

struct TColuna {
    int Propriedade = -1;  // -1: ignored
    std::string Nome;      // as written, UTF-8
};

class TLeitorCsv {
public:
    TLeitorCsv(TEntrada& AEntrada, const TOpcoesCatalogo& AOpcoes, TContexto& AContexto)
        : FDivisor(AEntrada), FOpcoes(AOpcoes), FContexto(AContexto),
          FCodificacaoFixa(AEntrada.Convertida() || AOpcoes.Codificacao.has_value()) {}

    bool Ler();

private:
    enum class TModo { Ascii, Utf8, Windows1252 };

    // The cell's text as UTF-8; false when the file mixes encodings (an
    // error that ends the reading).
    bool Decodificar(const TCelula& ACelula, std::string& AUtf8);
    void Cabecalho(std::vector<TCelula>& ACelulas, size_t AQuantidade);
    void Linha(std::vector<TCelula>& ACelulas, size_t AQuantidade);
    // ALinha and AColuna place a message; most cells have none.
    void Atribuir(const TPropriedade& APropriedade, size_t APosicao, const std::string& AUtf8, uint64_t ALinha,
                  const std::string& AColuna);

    TDivisor FDivisor;
    const TOpcoesCatalogo& FOpcoes;
    TContexto& FContexto;
    const bool FCodificacaoFixa;
    TModo FModo = TModo::Ascii;
    uint64_t FLinhaModo = 0;  // first line with bytes beyond ASCII
    char FDecimal = ',';
    std::vector<TColuna> FColunas;
    std::string FTexto, FPlano;
    TRascunhoTexto FRascunho;
    bool FParou = false;
};

bool TLeitorCsv::Decodificar(const TCelula& ACelula, std::string& AUtf8) {
    const std::string& b = ACelula.Bytes;
    const bool ascii = std::all_of(b.begin(), b.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (ascii || FCodificacaoFixa) {
        AUtf8 = b;
        return true;
    }
    const bool utf8 = Utf8Valido(b);
    const TModo modo = utf8 ? TModo::Utf8 : TModo::Windows1252;
    if (FModo == TModo::Ascii) {
        FModo = modo;
        FLinhaModo = ACelula.Linha;
    } else if (FModo != modo) {
        const uint64_t linhaUtf8 = utf8 ? ACelula.Linha : FLinhaModo;
        const uint64_t linhaOutra = utf8 ? FLinhaModo : ACelula.Linha;
        FContexto.Relatorio.Adicionar(
            "linha " + std::to_string(linhaOutra) +
            ": bytes que não são UTF-8, num arquivo que tem UTF-8 na linha " + std::to_string(linhaUtf8) +
            " (partes de codificações diferentes?); salve o arquivo numa só codificação ou escolha uma com "
            "--codificacao");
        FParou = true;
        return false;
    }
    if (utf8) AUtf8 = b;
    else AUtf8 = ParaUtf8(plataforma::cp1252::Decodificar(b));
    return true;
}

void TLeitorCsv::Cabecalho(std::vector<TCelula>& ACelulas, size_t AQuantidade) {
    // A delimiter at the end of the row makes no column.
    if (AQuantidade > 1 && EmBranco(ACelulas[AQuantidade - 1].Bytes)) --AQuantidade;
    std::vector<bool> vistas(std::size(Propriedades), false);
    for (size_t i = 0; i < AQuantidade; ++i) {
        TColuna coluna;
        if (!Decodificar(ACelulas[i], coluna.Nome)) return;
        const std::string lugar = "cabeçalho, coluna " + std::to_string(i + 1);
        const std::string normalizado = NormalizarNome(DeUtf8(coluna.Nome));
        if (normalizado.empty()) {
            FContexto.Relatorio.Adicionar(lugar + ": coluna sem nome");
        } else if (const TAlvoNome alvo = ProcurarCaminho(normalizado); alvo.Propriedade >= 0) {
            if (vistas[static_cast<size_t>(alvo.Propriedade)]) {
                FContexto.Relatorio.Adicionar(lugar + " " + Citar(coluna.Nome) + ": coluna repetida");
            } else {
                vistas[static_cast<size_t>(alvo.Propriedade)] = true;
                coluna.Propriedade = alvo.Propriedade;
            }
        } else if (const auto sugestao = SugerirCaminho(normalizado)) {
            FContexto.Relatorio.Adicionar(lugar + " " + Citar(coluna.Nome) + ": coluna desconhecida; quis dizer \"" +
                                          *sugestao + "\"?");
        } else {
            FContexto.Ignorar(coluna.Nome, normalizado);
        }
        FColunas.push_back(std::move(coluna));
    }
}

void TLeitorCsv::Atribuir(const TPropriedade& APropriedade, size_t APosicao, const std::string& AUtf8, uint64_t ALinha,
                          const std::string& AColuna) {
    TQuelbCargaBalItem& item = FContexto.Itens.GetItem(FContexto.Itens.Count() - 1);
    const auto erro = [&](const std::string& AMensagem) {
        FContexto.Relatorio.Adicionar("linha " + std::to_string(ALinha) + ", coluna " + AColuna + ": " + AMensagem);
    };
    const char* const separador =
        FDecimal == ',' ? " (neste arquivo o separador decimal é a vírgula)" : " (neste arquivo o separador decimal é o ponto)";
    switch (APropriedade.Tipo) {
        case TTipoPropriedade::Texto:  // the line was found well-formed before its cells were split
            DefinirTextoUtf8(APropriedade, item, AUtf8, FRascunho, FContexto.Textos);
            return;
        case TTipoPropriedade::Booleano: {
            const auto v = LerBooleano(AUtf8, true);
            if (!v) return erro("esperado " + DescreverEsperado(APropriedade) + ", encontrado " + Citar(AUtf8));
            APropriedade.DefinirNumero(item, *v ? 1 : 0);
            return;
        }
        case TTipoPropriedade::Enumeracao: {
            const auto v = ProcurarEnumeracao(APropriedade, AUtf8);
            if (!v) return erro("esperado " + DescreverEsperado(APropriedade) + ", encontrado " + Citar(AUtf8));
            APropriedade.DefinirNumero(item, *v);
            return;
        }
        case TTipoPropriedade::Inteiro32:
        case TTipoPropriedade::Inteiro16: {
            const TNumeroCsv r = NormalizarNumeroCsv(AUtf8, FDecimal, true, FPlano);
            int64_t v = 0;
            bool fora = false;
            if (r == TNumeroCsv::Ok && InteiroExato(FPlano, true, v, fora) && CabeNaPropriedade(APropriedade, v)) {
                APropriedade.DefinirNumero(item, v);
                return;
            }
            return erro("esperado " + DescreverEsperado(APropriedade) + ", encontrado " + Citar(AUtf8) +
                        (r == TNumeroCsv::SeparadorErrado ? separador : ""));
        }
        case TTipoPropriedade::Decimal: {
            const TNumeroCsv r = NormalizarNumeroCsv(AUtf8, FDecimal, false, FPlano);
            if (r == TNumeroCsv::Ambiguo) {
                // The two readings, written so that neither is in doubt.
                std::string milhar, decimal;
                for (const char c : AUtf8) {
                    if (c >= '0' && c <= '9') milhar += c, decimal += c;
                    else if (c == '.') decimal += ',';
                    else if (c == '-') milhar += c, decimal += c;
                }
                while (decimal.back() == '0') decimal.pop_back();
                if (decimal.back() == ',') decimal.pop_back();
                milhar.erase(0, std::min(milhar.find_first_not_of('0'), milhar.size() - 1));
                return erro("valor ambíguo " + Citar(AUtf8) + ": o ponto separa milhares ou decimais? Escreva " +
                            milhar + " ou " + decimal);
            }
            if (r == TNumeroCsv::SeparadorErrado) return erro("valor inválido " + Citar(AUtf8) + separador);
            int64_t v = 0;
            const TResultadoDecimal d = r == TNumeroCsv::Ok ? ConverterDecimal(FPlano, {}, v) : TResultadoDecimal::Invalido;
            if (d == TResultadoDecimal::Ok) {
                APropriedade.DefinirNumero(item, v);
                return;
            }
            return erro((d == TResultadoDecimal::ForaDoIntervalo ? "valor fora do intervalo " : "valor inválido ") +
                        Citar(AUtf8));
        }
    }
    (void)APosicao;
}

void TLeitorCsv::Linha(std::vector<TCelula>& ACelulas, size_t AQuantidade) {
    const uint64_t linha = ACelulas.front().Linha;
    if (FContexto.Itens.Count() == std::numeric_limits<int32_t>::max()) {
        FContexto.Relatorio.Adicionar("linha " + std::to_string(linha) + ": o catálogo tem produtos demais");
        FParou = true;
        return;
    }
    if (AQuantidade != FColunas.size()) {
        bool sobraVazia = AQuantidade > FColunas.size();
        for (size_t i = FColunas.size(); i < AQuantidade && sobraVazia; ++i) sobraVazia = EmBranco(ACelulas[i].Bytes);
        if (!sobraVazia)
            FContexto.Relatorio.Adicionar("linha " + std::to_string(linha) + ": esperadas " +
                                          std::to_string(FColunas.size()) + " colunas, encontradas " +
                                          std::to_string(AQuantidade));
    }
    TQuelbCargaBalItem& item = FContexto.Itens.New();
    item.Ausentes.set();  // until its cells give them
    FContexto.Relatorio.LinhasDosItens.push_back(linha);
    for (size_t i = 0; i < std::min(AQuantidade, FColunas.size()); ++i) {
        const TCelula& celula = ACelulas[i];
        if (!Decodificar(celula, FTexto)) return;
        const TColuna& coluna = FColunas[i];
        if (coluna.Propriedade < 0) continue;
        const TPropriedade& p = Propriedades[static_cast<size_t>(coluna.Propriedade)];
        // An empty cell gives nothing (the default stays); a quoted empty
        // cell ("") gives an empty text.
        if (celula.Bytes.empty() && !(celula.EntreAspas && p.Tipo == TTipoPropriedade::Texto)) continue;
        if (p.Tipo != TTipoPropriedade::Texto && EmBranco(celula.Bytes)) continue;
        FContexto.Deu(static_cast<size_t>(coluna.Propriedade));
        item.Ausentes.reset(static_cast<size_t>(coluna.Propriedade));
        Atribuir(p, i, FTexto, celula.Linha, coluna.Nome);
    }
}

bool TLeitorCsv::Ler() {
    std::string_view primeira = FDivisor.EspiarLinha();
    // Blank lines before the header.
    while (EmBranco(primeira) && !FDivisor.Vazio()) {
        FDivisor.PularLinha();
        primeira = FDivisor.EspiarLinha();
    }
    char delimitador = 0;
    if (primeira.size() == 5 && (primeira[0] | 0x20) == 's' && (primeira[1] | 0x20) == 'e' &&
        (primeira[2] | 0x20) == 'p' && primeira[3] == '=') {
        delimitador = primeira[4];
        FDivisor.PularLinha();
    } else {
        delimitador = DelimitadorDoCabecalho(primeira);
    }
    FDivisor.Delimitador(delimitador);
    FDecimal = FOpcoes.Decimal ? (*FOpcoes.Decimal == TSeparadorDecimal::Virgula ? ',' : '.')
                               : (delimitador == ',' ? '.' : ',');

    std::vector<TCelula> celulas;
    std::vector<std::string> errosDivisao;
    size_t quantidade = 0;
    bool cabecalho = false;
    while (!FParou && FDivisor.Proxima(celulas, quantidade, errosDivisao)) {
        for (std::string& e : errosDivisao) FContexto.Relatorio.Adicionar(std::move(e));
        errosDivisao.clear();
        bool vazia = true;
        for (size_t i = 0; i < quantidade && vazia; ++i) vazia = EmBranco(celulas[i].Bytes);
        if (vazia) continue;  // blank lines, and rows of empty cells below the data
        if (!cabecalho) {
            cabecalho = true;
            Cabecalho(celulas, quantidade);
        } else {
            Linha(celulas, quantidade);
        }
    }
    for (std::string& e : errosDivisao) FContexto.Relatorio.Adicionar(std::move(e));
    if (FDivisor.Abertas()) return false;
    if (!cabecalho && !FParou) FContexto.Relatorio.Adicionar("o arquivo está vazio: falta a linha de cabeçalho");
    return !FParou;
}

}  // namespace

bool LerCsv(TEntrada& AEntrada, const TOpcoesCatalogo& AOpcoes, TContexto& AContexto) {
    TLeitorCsv leitor(AEntrada, AOpcoes, AContexto);
    return leitor.Ler();
}

}  // namespace quelb::leitura
