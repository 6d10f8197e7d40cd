// JSON catalogue: {"produtos": [ {item}, ... ]} or the list alone. RapidJSON's
// SAX reader walks the bytes once as they are read, handing numbers over as
// their own text; the handler fills each item in place and notes every value
// that does not fit, going on with the next one.
#include <rapidjson/error/error.h>
#include <rapidjson/reader.h>

#include <algorithm>
#include <bitset>
#include <cstring>
#include <limits>
#include <string>
#include <unordered_map>
#include <vector>

#include "catalogue/leitor_interno.h"
#include "catalogue/nomes_catalogo.h"
#include "catalogue/texto.h"
#include "catalogue/valor_decimal.h"
#include "catalogue/valores_catalogo.h"

namespace quelb::leitura {

namespace {

// The bytes as RapidJSON reads them, one block at a time. A zero byte ends
// each block; past the last one Peek gives 0, the end of the text.
class TFluxoJson {
public:
    using Ch = char;

    explicit TFluxoJson(TEntrada& AEntrada) : FEntrada(AEntrada), FBuffer(Tamanho + 1, '\0') {
        FPos = FFim = FBuffer.data();
        *FFim = '\0';
        Encher();
    }

    Ch Peek() const {
        if (FPos == FFim) [[unlikely]]
            Encher();
        return *FPos;
    }
    Ch Take() {
        const Ch c = Peek();
        if (FPos < FFim) ++FPos;
        return c;
    }
    size_t Tell() const { return static_cast<size_t>(FBase + static_cast<uint64_t>(FPos - FBuffer.data())); }
    // Not used by a reader that does not parse in place.
    Ch* PutBegin() { return nullptr; }
    void Put(Ch) {}
    void Flush() {}
    size_t PutEnd(Ch*) { return 0; }

    // Skips blanks, keeping count of the lines, and marks where the next
    // token begins: the place of every value, key and bracket.
    void PularBrancos() {
        for (;;) {
            while (FPos < FFim) {
                const char c = *FPos;
                if (c == ' ' || c == '\t' || c == '\r') {
                    ++FPos;
                } else if (c == '\n') {
                    ++FPos;
                    ++FLinha;
                    FInicioLinha = Tell();
                } else {
                    FInicioToken = Tell();
                    return;
                }
            }
            if (!Encher()) {
                FInicioToken = Tell();
                return;
            }
        }
    }

    // The unread bytes of the block at hand (the next block when it is all
    // read), and a step over some of them: the copy of a string's plain
    // characters below.
    std::string_view Disponiveis() const {
        Peek();
        return {FPos, static_cast<size_t>(FFim - FPos)};
    }
    void Avancar(size_t ABytes) { FPos += ABytes; }

    size_t InicioToken() const { return FInicioToken; }
    // True when the end of the bytes is reached (a zero byte before it is not).
    bool NoFim() const { return FPos == FFim && FAcabou; }

    // "linha 17, coluna 20" of an offset at or after the current block
    // (columns in characters).
    std::string Posicao(size_t AOffset) const {
        // The token at hand may have begun in the block before.
        if (AOffset < FBase && AOffset == FInicioToken && !FPosicaoToken.empty()) return FPosicaoToken;
        const uint64_t offset = std::max<uint64_t>(AOffset, FBase);
        const char* inicio = FBuffer.data();
        const char* alvo = inicio + std::min<uint64_t>(offset - FBase, static_cast<uint64_t>(FFim - inicio));
        uint64_t coluna = 1;
        if (FInicioLinha >= FBase) {
            coluna += Caracteres(inicio + (FInicioLinha - FBase), alvo);
        } else {
            coluna += FColunasNaBase + Caracteres(inicio, alvo);
        }
        return "linha " + std::to_string(FLinha) + ", coluna " + std::to_string(coluna);
    }

private:
    static constexpr size_t Tamanho = size_t{1} << 18;

    static uint64_t Caracteres(const char* a, const char* b) {
        uint64_t n = 0;
        for (; a < b; ++a) n += (static_cast<unsigned char>(*a) & 0xC0) != 0x80;
        return n;
    }

    bool Encher() const {
        if (FAcabou) return false;
        FPosicaoToken = FInicioToken >= FBase ? Posicao(FInicioToken) : std::string();
        // Columns of the line that goes on into the next block.
        const char* inicio = FBuffer.data();
        if (FInicioLinha >= FBase) FColunasNaBase = Caracteres(inicio + (FInicioLinha - FBase), FFim);
        else FColunasNaBase += Caracteres(inicio, FFim);
        FBase += static_cast<uint64_t>(FFim - inicio);
        const size_t n = FEntrada.Ler(FBuffer.data(), Tamanho);
        FPos = FBuffer.data();
        FFim = FPos + n;
        *FFim = '\0';
        if (n == 0) FAcabou = true;
        return n > 0;
    }

    TEntrada& FEntrada;
    mutable std::string FBuffer;
    mutable char* FPos;
    mutable char* FFim;
    mutable uint64_t FBase = 0;  // offset of the block's first byte
    mutable bool FAcabou = false;
    mutable uint64_t FColunasNaBase = 0;  // characters of the line at hand before the block
    uint64_t FLinha = 1;
    uint64_t FInicioLinha = 0;
    uint64_t FInicioToken = 0;
    mutable std::string FPosicaoToken;  // of FInicioToken, when it lies before the block
};

// RapidJSON skips blanks through this function, found by argument lookup.
void SkipWhitespace(TFluxoJson& AFluxo) { AFluxo.PularBrancos(); }

}  // namespace
}  // namespace quelb::leitura

// RapidJSON copies a string through the stream a character at a time, unless
// the stream has its own copy of the runs of plain characters (it has one for
// text held whole in memory). This one copies each run of the block at once,
// up to a quote, a backslash or a control character, which RapidJSON then
// handles as usual. Texts are most of a catalogue's bytes.
template <>
template <>
inline void rapidjson::GenericReader<rapidjson::UTF8<>, rapidjson::UTF8<>, rapidjson::CrtAllocator>::
    ScanCopyUnescapedString(quelb::leitura::TFluxoJson& AFluxo, StackStream<char>& ASaida) {
    for (;;) {
        const std::string_view bloco = AFluxo.Disponiveis();
        size_t n = 0;
        while (n < bloco.size() && bloco[n] != '"' && bloco[n] != '\\' && static_cast<unsigned char>(bloco[n]) >= 0x20)
            ++n;
        if (n > 0) {
            std::memcpy(ASaida.Push(static_cast<rapidjson::SizeType>(n)), bloco.data(), n);
            AFluxo.Avancar(n);
        }
        if (n < bloco.size() || bloco.empty()) return;
    }
}

namespace quelb::leitura {
namespace {

std::string MensagemSintaxe(rapidjson::ParseErrorCode ACodigo) {
    using namespace rapidjson;
    switch (ACodigo) {
        case kParseErrorDocumentEmpty: return "o documento está vazio";
        case kParseErrorDocumentRootNotSingular: return "há conteúdo depois do fim do documento";
        case kParseErrorValueInvalid: return "valor inválido";
        case kParseErrorObjectMissName: return "falta o nome (entre aspas) de um membro do objeto";
        case kParseErrorObjectMissColon: return "falta \":\" depois do nome de um membro";
        case kParseErrorObjectMissCommaOrCurlyBracket: return "falta \",\" ou \"}\" depois de um membro do objeto";
        case kParseErrorArrayMissCommaOrSquareBracket: return "falta \",\" ou \"]\" depois de um elemento da lista";
        case kParseErrorStringUnicodeEscapeInvalidHex: return "escape \\u com dígitos hexadecimais inválidos";
        case kParseErrorStringUnicodeSurrogateInvalid: return "par de surrogates inválido em um escape \\u";
        case kParseErrorStringEscapeInvalid: return "escape inválido ou caractere de controle dentro de um texto";
        case kParseErrorStringMissQuotationMark: return "texto sem as aspas de fechamento";
        case kParseErrorStringInvalidEncoding: return "texto que não é UTF-8 válido";
        case kParseErrorNumberTooBig: return "número fora do intervalo aceito";
        case kParseErrorNumberMissFraction: return "número sem dígitos depois do ponto decimal";
        case kParseErrorNumberMissExponent: return "número sem dígitos no expoente";
        default: return "erro de sintaxe";
    }
}

// What a value is, for the messages and the checks.
enum class TTipoValor { Nulo, Booleano, Numero, Texto, Objeto, Lista };

// A key's meaning, kept per level so that each distinct key is looked at once.
struct TChave {
    TAlvoNome Alvo;
    std::string Nome;          // as written, UTF-8
    std::string Normalizado;
    std::optional<std::string> Sugestao;
    // The key that came after this one, at the same level, the last time:
    // items of one catalogue give their keys in the same order, so the next
    // key is found by one comparison instead of a hash lookup.
    TChave* Seguinte = nullptr;
};

struct THashTexto {
    using is_transparent = void;
    size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
};

class TManipulador {
public:
    TManipulador(TContexto& AContexto, TFluxoJson& AFluxo) : FContexto(AContexto), FFluxo(AFluxo) {}

    bool Null() { return Valor(TTipoValor::Nulo, "null"); }
    bool Bool(bool b) { return Valor(TTipoValor::Booleano, b ? "true" : "false"); }
    bool RawNumber(const char* s, rapidjson::SizeType n, bool) { return Valor(TTipoValor::Numero, {s, n}); }
    bool String(const char* s, rapidjson::SizeType n, bool) { return Valor(TTipoValor::Texto, {s, n}); }
    bool Int(int) { return false; }
    bool Uint(unsigned) { return false; }
    bool Int64(int64_t) { return false; }
    bool Uint64(uint64_t) { return false; }
    bool Double(double) { return false; }
    bool StartObject() { return Abrir() && Valor(TTipoValor::Objeto, "objeto"); }
    bool StartArray() { return Abrir() && Valor(TTipoValor::Lista, "lista"); }
    bool Key(const char* s, rapidjson::SizeType n, bool);
    bool EndObject(rapidjson::SizeType);
    bool EndArray(rapidjson::SizeType);

    // Where the reader was, for syntax errors.
    std::string Caminho() const;
    bool Parou() const { return FParou; }

private:
    enum class TEstado { Inicio, Raiz, Lista, Item, Registro, Fim };
    enum class TPendente { Nada, Produtos, Propriedade, Registro, Ignorar };

    bool Valor(TTipoValor ATipo, std::string_view ATexto);
    void Atribuir(const TPropriedade& APropriedade, TTipoValor ATipo, std::string_view ATexto);
    void Erro(const std::string& ALugar, const std::string& AMensagem);
    std::string LugarItem() const { return "produtos[" + std::to_string(FIndice) + "]"; }
    std::string LugarRegistro() const {
        return FRegistro >= 0 ? LugarItem() + "." + std::string(NomesRegistros[FRegistro]) : LugarItem();
    }
    const TChave& Resolver(int ANivel, std::string_view ANome);
    TChave& Procurar(int ANivel, std::string_view ANome);
    // The parser goes one call deeper per level: past a bound that no
    // catalogue needs, the reading stops with an error rather than run the
    // host's stack out (1 MB on Windows).
    static constexpr int ProfundidadeMaxima = 64;
    bool Abrir() {
        if (++FProfundidade <= ProfundidadeMaxima) return true;
        // Inside a skipped element of the list, that element.
        Erro(FEstado == TEstado::Lista && FIgnorar > 0 ? LugarItem() : Caminho(),
             "objetos e listas aninhados em mais de " + std::to_string(ProfundidadeMaxima) + " níveis");
        FParou = true;
        return false;
    }
    void Entrar(TTipoValor ATipo) {
        if (ATipo == TTipoValor::Objeto || ATipo == TTipoValor::Lista) FIgnorar = 1;
    }

    TContexto& FContexto;
    TFluxoJson& FFluxo;
    TEstado FEstado = TEstado::Inicio;
    TPendente FPendente = TPendente::Nada;
    bool FRaizLista = false;
    bool FViuProdutos = false;
    bool FParou = false;
    int FIgnorar = 0;  // depth inside a value that is skipped
    int FProfundidade = 0;  // objects and lists open
    TQuelbCargaBalItem* FItem = nullptr;
    int64_t FIndice = -1;
    int FRegistro = -1;
    int FRegistroPendente = -1;
    size_t FPropriedade = 0;
    std::bitset<std::size(Propriedades)> FVistas;  // properties given in the item at hand
    uint32_t FRegistros = 0;  // records given in the item at hand
    std::unordered_map<std::string, TChave, THashTexto, std::equal_to<>> FChaves[1 + QuantidadeRegistros];
    TChave* FUltimaChave[1 + QuantidadeRegistros] = {};  // the last key met at each level
    TRascunhoTexto FRascunho;
};


void TManipulador::Erro(const std::string& ALugar, const std::string& AMensagem) {
    FContexto.Relatorio.Adicionar((ALugar.empty() ? "" : ALugar + ": ") + AMensagem + " (" +
                                  FFluxo.Posicao(FFluxo.InicioToken()) + ")");
}

const TChave& TManipulador::Resolver(int ANivel, std::string_view ANome) {
    TChave*& ultima = FUltimaChave[1 + ANivel];
    if (ultima != nullptr && ultima->Seguinte != nullptr && ultima->Seguinte->Nome == ANome)
        return *(ultima = ultima->Seguinte);
    TChave& chave = Procurar(ANivel, ANome);
    if (ultima != nullptr) ultima->Seguinte = &chave;
    ultima = &chave;
    return chave;
}

TChave& TManipulador::Procurar(int ANivel, std::string_view ANome) {
    auto& chaves = FChaves[1 + ANivel];
    if (const auto i = chaves.find(ANome); i != chaves.end()) return i->second;
    TChave c;
    c.Nome = std::string(ANome);
    c.Normalizado = NormalizarNome(DeUtf8(ANome));
    c.Alvo = ProcurarNome(ANivel, c.Normalizado);
    if (!c.Alvo.Conhecido()) c.Sugestao = SugerirNome(ANivel, c.Normalizado);
    // Every distinct key is kept (and stays where it is: the map's nodes do
    // not move); a catalogue with a new key in each item would only make
    // this table as large as those keys.
    return chaves.emplace(std::string(ANome), std::move(c)).first->second;
}

bool TManipulador::Key(const char* s, rapidjson::SizeType n, bool) {
    if (FIgnorar > 0) return true;
    const std::string_view nome(s, n);
    if (FEstado == TEstado::Raiz) {
        if (NormalizarNome(DeUtf8(nome)) != "produtos") {
            FContexto.Ignorar(std::string(nome), "\x01" + std::string(nome));
            FPendente = TPendente::Ignorar;
        } else if (FViuProdutos) {
            Erro("", "chave repetida " + Citar(nome));
            FPendente = TPendente::Ignorar;
        } else {
            FViuProdutos = true;
            FPendente = TPendente::Produtos;
        }
        return true;
    }
    const int nivel = FEstado == TEstado::Registro ? FRegistro : -1;
    const TChave& chave = Resolver(nivel, nome);
    FPendente = TPendente::Ignorar;
    if (chave.Alvo.Propriedade >= 0) {
        const auto bit = static_cast<size_t>(chave.Alvo.Propriedade);
        if (FVistas[bit]) {
            Erro(LugarRegistro(), "chave repetida " + Citar(nome));
        } else {
            FVistas[bit] = true;
            FPropriedade = static_cast<size_t>(chave.Alvo.Propriedade);
            FPendente = TPendente::Propriedade;
        }
    } else if (chave.Alvo.Registro >= 0) {
        const uint32_t bit = uint32_t{1} << chave.Alvo.Registro;
        if (FRegistros & bit) {
            Erro(LugarRegistro(), "chave repetida " + Citar(nome));
        } else {
            FRegistros |= bit;
            FRegistroPendente = chave.Alvo.Registro;
            FPendente = TPendente::Registro;
        }
    } else if (chave.Sugestao) {
        Erro(LugarRegistro(), "chave desconhecida " + Citar(nome) + "; quis dizer \"" + *chave.Sugestao + "\"?");
    } else {
        const std::string nomeCompleto =
            FRegistro >= 0 ? std::string(NomesRegistros[FRegistro]) + "." + std::string(nome) : std::string(nome);
        FContexto.Ignorar(nomeCompleto, (FRegistro >= 0 ? std::string(NomesRegistros[FRegistro]) + "." : "") +
                                            chave.Normalizado);
    }
    return true;
}

bool TManipulador::Valor(TTipoValor ATipo, std::string_view ATexto) {
    if (FIgnorar > 0) {
        if (ATipo == TTipoValor::Objeto || ATipo == TTipoValor::Lista) ++FIgnorar;
        return true;
    }
    // Built only for a message: most values have none.
    const auto encontrado = [&] { return ATipo == TTipoValor::Texto ? Citar(ATexto) : std::string(ATexto); };
    switch (FEstado) {
        case TEstado::Inicio:
            if (ATipo == TTipoValor::Objeto) {
                FEstado = TEstado::Raiz;
                return true;
            }
            if (ATipo == TTipoValor::Lista) {
                FEstado = TEstado::Lista;
                FRaizLista = true;
                return true;
            }
            Erro("", "o catálogo deve ser um objeto JSON com a chave \"produtos\" ou a lista de produtos, encontrado " +
                         encontrado());
            FParou = true;
            return false;
        case TEstado::Raiz: {
            const TPendente pendente = FPendente;
            FPendente = TPendente::Nada;
            if (pendente == TPendente::Produtos) {
                if (ATipo == TTipoValor::Lista) {
                    FEstado = TEstado::Lista;
                } else if (ATipo != TTipoValor::Nulo) {
                    Erro("produtos", "esperado lista de produtos, encontrado " + encontrado());
                    Entrar(ATipo);
                }
            } else {
                Entrar(ATipo);
            }
            return true;
        }
        case TEstado::Lista:
            ++FIndice;
            if (ATipo == TTipoValor::Objeto) {
                if (FContexto.Itens.Count() == std::numeric_limits<int32_t>::max()) {
                    Erro(LugarItem(), "o catálogo tem produtos demais");
                    FParou = true;
                    return false;
                }
                FItem = &FContexto.Itens.New();
                FItem->Ausentes.set();  // until its keys give them
                FVistas.reset();
                FRegistros = 0;
                FEstado = TEstado::Item;
            } else if (ATipo != TTipoValor::Nulo) {
                Erro(LugarItem(), "esperado objeto (um produto), encontrado " + encontrado());
                Entrar(ATipo);
            }
            return true;
        case TEstado::Item:
        case TEstado::Registro: {
            const TPendente pendente = FPendente;
            FPendente = TPendente::Nada;
            if (pendente == TPendente::Propriedade) {
                Atribuir(Propriedades[FPropriedade], ATipo, ATexto);
            } else if (pendente == TPendente::Registro) {
                if (ATipo == TTipoValor::Objeto) {
                    FRegistro = FRegistroPendente;
                    FEstado = TEstado::Registro;
                } else if (ATipo != TTipoValor::Nulo) {
                    Erro(LugarItem() + "." + std::string(NomesRegistros[FRegistroPendente]),
                         "esperado objeto, encontrado " + encontrado());
                    Entrar(ATipo);
                }
            } else {
                Entrar(ATipo);
            }
            return true;
        }
        case TEstado::Fim: return true;
    }
    return true;
}

void TManipulador::Atribuir(const TPropriedade& APropriedade, TTipoValor ATipo, std::string_view ATexto) {
    if (ATipo == TTipoValor::Nulo) return;  // absent: the default stays
    FContexto.Deu(FPropriedade);
    FItem->Ausentes.reset(FPropriedade);
    const auto lugar = [&] { return LugarItem() + "." + std::string(APropriedade.Nome); };
    if (ATipo == TTipoValor::Objeto || ATipo == TTipoValor::Lista) {
        Erro(lugar(), "esperado " + DescreverEsperado(APropriedade) + ", encontrado " + std::string(ATexto));
        Entrar(ATipo);
        return;
    }
    const TFormaValor forma = ATipo == TTipoValor::Numero     ? TFormaValor::Numero
                              : ATipo == TTipoValor::Booleano ? TFormaValor::Booleano
                                                              : TFormaValor::Texto;
    const std::string erro = DefinirValor(APropriedade, *FItem, forma, ATexto, FRascunho, FContexto.Textos);
    if (!erro.empty()) Erro(lugar(), erro);
}

bool TManipulador::EndObject(rapidjson::SizeType) {
    --FProfundidade;
    if (FIgnorar > 0) {
        --FIgnorar;
        return true;
    }
    switch (FEstado) {
        case TEstado::Raiz:
            if (!FViuProdutos) Erro("", "falta a chave \"produtos\" com a lista de produtos");
            FEstado = TEstado::Fim;
            return true;
        case TEstado::Item:
            FItem = nullptr;
            FEstado = TEstado::Lista;
            return true;
        case TEstado::Registro:
            FRegistro = -1;
            FEstado = TEstado::Item;
            return true;
        default: return true;
    }
}

bool TManipulador::EndArray(rapidjson::SizeType) {
    --FProfundidade;
    if (FIgnorar > 0) {
        --FIgnorar;
        return true;
    }
    if (FEstado == TEstado::Lista) FEstado = FRaizLista ? TEstado::Fim : TEstado::Raiz;
    return true;
}

std::string TManipulador::Caminho() const {
    switch (FEstado) {
        case TEstado::Item: return LugarItem();
        case TEstado::Registro: return LugarRegistro();
        case TEstado::Lista: return "produtos[" + std::to_string(FIndice + 1) + "]";
        default: return "";
    }
}

}  // namespace

bool LerJson(TEntrada& AEntrada, TContexto& AContexto) {
    TFluxoJson fluxo(AEntrada);
    TManipulador manipulador(AContexto, fluxo);
    rapidjson::Reader leitor;
    constexpr unsigned Opcoes = rapidjson::kParseNumbersAsStringsFlag;
    const rapidjson::ParseResult resultado = leitor.Parse<Opcoes>(fluxo, manipulador);
    if (manipulador.Parou()) return false;
    if (resultado.IsError() || !fluxo.NoFim()) {
        // The reader stops at a zero byte as at the end of the text.
        const size_t onde = resultado.IsError() ? resultado.Offset() : fluxo.Tell();
        const bool nulo = !fluxo.NoFim() && fluxo.Tell() == onde && fluxo.Peek() == '\0';
        const std::string caminho = manipulador.Caminho();
        AContexto.Relatorio.Adicionar("JSON inválido na " + fluxo.Posicao(onde) +
                                      (caminho.empty() ? "" : " (em " + caminho + ")") + ": " +
                                      (nulo ? "byte nulo no texto" : MensagemSintaxe(resultado.Code())));
        return false;
    }
    return true;
}

}  // namespace quelb::leitura
