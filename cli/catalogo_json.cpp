// JSON catalogue: {"produtos": [ {item}, ... ]}. RapidJSON's SAX reader
// walks the document once, handing numbers over as their own text; this
// handler checks the shape as it goes and fills each item in place.
#include <rapidjson/error/error.h>
#include <rapidjson/reader.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>

#include "cli/campos.h"
#include "cli/catalogo.h"

namespace quelb::cli {

namespace {

using rapidjson::SizeType;

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

// Line and column (both from 1, the column in characters) of a byte offset.
std::string Posicao(std::string_view ADocumento, size_t AOffset) {
    AOffset = std::min(AOffset, ADocumento.size());
    size_t linha = 1, coluna = 1;
    for (size_t i = 0; i < AOffset; ++i) {
        const unsigned char c = static_cast<unsigned char>(ADocumento[i]);
        if (c == '\n') {
            ++linha;
            coluna = 1;
        } else if ((c & 0xC0) != 0x80) {
            ++coluna;
        }
    }
    return "linha " + std::to_string(linha) + ", coluna " + std::to_string(coluna);
}

class TManipulador {
public:
    TManipulador(TQuelbCargaBalItens& AItens, std::string_view ADocumento, const rapidjson::StringStream& AFluxo)
        : FItens(AItens), FDocumento(ADocumento), FFluxo(AFluxo) {}

    bool Null() { return Recuar(4).Literal("null"); }
    bool Bool(bool b) { return Recuar(b ? 4 : 5).Literal(b ? "true" : "false"); }
    bool RawNumber(const char* s, SizeType n, bool) {
        FRecuo = 0;
        return Valor({{s, n}, TOrigemValor::NumeroJson});
    }
    bool String(const char* s, SizeType n, bool) {
        FRecuo = 0;
        return Valor({{s, n}, TOrigemValor::TextoJson});
    }
    // Numbers reach RawNumber only (they are parsed as text).
    bool Int(int) { return false; }
    bool Uint(unsigned) { return false; }
    bool Int64(int64_t) { return false; }
    bool Uint64(uint64_t) { return false; }
    bool Double(double) { return false; }

    bool StartObject();
    bool Key(const char* s, SizeType n, bool);
    bool EndObject(SizeType);
    bool StartArray();
    bool EndArray(SizeType);

    const std::string& Erro() const { return FErro; }
    // Where the reader was, for syntax errors inside an item.
    std::string Caminho() const;

private:
    // Where the value at hand began: the stream stands that many bytes past
    // it during the callbacks of literals and brackets, and at it otherwise.
    TManipulador& Recuar(size_t ABytes) {
        FRecuo = ABytes;
        return *this;
    }

    enum class TEstado { Inicio, Raiz, ValorProdutos, Lista, Item, ValorItem, Registro, ValorRegistro, Fim };

    // A number or a text, for the field whose key came last.
    bool Valor(const TValor& AValor);
    // null, true or false, which no field takes.
    bool Literal(std::string_view ALiteral) { return Encontrado(ALiteral); }
    bool Falhar(std::string AMensagem);
    bool Encontrado(std::string_view AComoEscrito);
    bool Chave(const TTabelaCampos& ATabela, uint32_t& AVistos, std::string_view ANome, TEstado AProximo);

    TQuelbCargaBalItens& FItens;
    std::string_view FDocumento;
    // The reader's stream: during a callback it stands at (or just after)
    // the value at hand.
    const rapidjson::StringStream& FFluxo;
    TEstado FEstado = TEstado::Inicio;
    bool FViuProdutos = false;
    TQuelbCargaBalItem* FItem = nullptr;
    int64_t FIndice = -1;
    const TCampo* FRegistro = nullptr;  // the record being read, if any
    const TCampo* FCampo = nullptr;     // the field whose value comes next
    const TCampo* FUltimo = nullptr;    // the last key of the object at hand
    uint32_t FVistosItem = 0, FVistosRegistro = 0;
    size_t FRecuo = 0;
    std::string FErro;
};

std::string TManipulador::Caminho() const {
    switch (FEstado) {
        case TEstado::Inicio:
        case TEstado::Raiz:
        case TEstado::Fim: return "";
        case TEstado::ValorProdutos: return "produtos";
        case TEstado::Lista: return "produtos[" + std::to_string(FIndice + 1) + "]";  // the element at hand
        default: break;
    }
    std::string r = "produtos[" + std::to_string(FIndice) + "]";
    if (FRegistro) r += "." + std::string(FRegistro->Nome);
    if (FCampo) r += "." + std::string(FCampo->Nome);
    return r;
}

bool TManipulador::Falhar(std::string AMensagem) {
    const std::string caminho = Caminho();
    FErro = (caminho.empty() ? "" : caminho + ": ") + AMensagem;
    FErro += " (" + Posicao(FDocumento, FFluxo.Tell() - std::min(FRecuo, FFluxo.Tell())) + ")";
    return false;
}

// The value at hand does not fit where it stands.
bool TManipulador::Encontrado(std::string_view AComoEscrito) {
    const std::string encontrado = ", encontrado " + std::string(AComoEscrito);
    switch (FEstado) {
        case TEstado::Inicio:
            return Falhar("o catálogo deve ser um objeto JSON com a chave \"produtos\"" + encontrado);
        case TEstado::ValorProdutos: return Falhar("esperado lista de produtos" + encontrado);
        case TEstado::Lista: return Falhar("esperado objeto (um produto)" + encontrado);
        case TEstado::ValorItem:
        case TEstado::ValorRegistro: return Falhar("esperado " + DescreverEsperado(*FCampo) + encontrado);
        default: return Falhar("valor inesperado" + encontrado);
    }
}

bool TManipulador::Valor(const TValor& AValor) {
    if ((FEstado != TEstado::ValorItem && FEstado != TEstado::ValorRegistro) || FCampo->Tipo == TTipoCampo::Registro)
        return Encontrado(Citar(AValor));
    std::string erro;
    if (!Atribuir(*FCampo, *FItem, AValor, erro)) return Falhar(std::move(erro));
    FCampo = nullptr;
    FEstado = FEstado == TEstado::ValorItem ? TEstado::Item : TEstado::Registro;
    return true;
}

bool TManipulador::StartObject() {
    Recuar(1);
    switch (FEstado) {
        case TEstado::Inicio:
            FEstado = TEstado::Raiz;
            return true;
        case TEstado::Lista:
            if (FItens.Count() == std::numeric_limits<int32_t>::max())
                return Falhar("o catálogo tem produtos demais");
            FItem = &FItens.New();
            ++FIndice;
            FVistosItem = 0;
            FUltimo = nullptr;
            FEstado = TEstado::Item;
            return true;
        case TEstado::ValorItem:
            if (FCampo->Tipo != TTipoCampo::Registro) return Encontrado("objeto");
            FRegistro = FCampo;
            FCampo = FUltimo = nullptr;
            FVistosRegistro = 0;
            FEstado = TEstado::Registro;
            return true;
        default: return Encontrado("objeto");
    }
}

bool TManipulador::Chave(const TTabelaCampos& ATabela, uint32_t& AVistos, std::string_view ANome,
                         TEstado AProximo) {
    const TCampo* campo = ATabela.Procurar(ANome, FUltimo);
    const TValor nome{ANome, TOrigemValor::TextoJson};
    if (campo == nullptr) return Falhar("chave desconhecida " + Citar(nome));
    const uint32_t bit = uint32_t{1} << ATabela.Indice(*campo);
    if (AVistos & bit) return Falhar("chave repetida " + Citar(nome));
    AVistos |= bit;
    FCampo = FUltimo = campo;
    FEstado = AProximo;
    return true;
}

bool TManipulador::Key(const char* s, SizeType n, bool) {
    FRecuo = 0;
    const std::string_view nome(s, n);
    switch (FEstado) {
        case TEstado::Raiz:
            if (nome != "produtos")
                return Falhar("chave desconhecida " + Citar({nome, TOrigemValor::TextoJson}) +
                              " (o catálogo tem só a chave \"produtos\")");
            if (FViuProdutos) return Falhar("chave repetida \"produtos\"");
            FViuProdutos = true;
            FEstado = TEstado::ValorProdutos;
            return true;
        case TEstado::Item: return Chave(CamposItem(), FVistosItem, nome, TEstado::ValorItem);
        case TEstado::Registro: return Chave(*FRegistro->Registro, FVistosRegistro, nome, TEstado::ValorRegistro);
        default: return Falhar("chave inesperada");
    }
}

bool TManipulador::EndObject(SizeType) {
    Recuar(1);
    switch (FEstado) {
        case TEstado::Raiz:
            if (!FViuProdutos) return Falhar("falta a chave \"produtos\"");
            FEstado = TEstado::Fim;
            return true;
        case TEstado::Item:
            FItem = nullptr;
            FEstado = TEstado::Lista;
            return true;
        case TEstado::Registro:
            FUltimo = FRegistro;
            FRegistro = nullptr;
            FEstado = TEstado::Item;
            return true;
        default: return Falhar("fim de objeto inesperado");
    }
}

bool TManipulador::StartArray() {
    Recuar(1);
    if (FEstado != TEstado::ValorProdutos) return Encontrado("lista");
    FEstado = TEstado::Lista;
    return true;
}

bool TManipulador::EndArray(SizeType) {
    Recuar(1);
    if (FEstado != TEstado::Lista) return Falhar("fim de lista inesperado");
    FEstado = TEstado::Raiz;
    return true;
}

}  // namespace

namespace {

// RapidJSON's SSE2 scan loads whole aligned 16-byte blocks and may touch up
// to 15 bytes past the end of the text. Those bytes must belong to the same
// allocation, so a document without that much spare capacity is copied into
// one that has it (documents read by LerEntrada always have it).
constexpr size_t FolgaSse2 = 16;

const std::string& ComFolga(const std::string& ADocumento, std::string& ACopia) {
    if (ADocumento.capacity() - ADocumento.size() >= FolgaSse2) return ADocumento;
    ACopia.reserve(ADocumento.size() + FolgaSse2);
    ACopia.append(ADocumento);
    return ACopia;
}

}  // namespace

void LerCatalogoJson(const std::string& ADocumentoOriginal, TQuelbCargaBalItens& AItens) {
    std::string copia;
    const std::string& ADocumento = ComFolga(ADocumentoOriginal, copia);
    // A byte-order mark, as some editors write it, is not part of the JSON text.
    const size_t inicio = ADocumento.starts_with("\xEF\xBB\xBF") ? 3 : 0;
    const char* texto = ADocumento.c_str() + inicio;
    const std::string_view resto(texto, ADocumento.size() - inicio);

    rapidjson::StringStream fluxo(texto);
    TManipulador manipulador(AItens, resto, fluxo);
    rapidjson::Reader leitor;
    // The bytes of each text are checked as UTF-8 when it is converted.
    constexpr unsigned Opcoes = rapidjson::kParseNumbersAsStringsFlag;
    const rapidjson::ParseResult resultado = leitor.Parse<Opcoes>(fluxo, manipulador);

    std::string erro;
    if (!manipulador.Erro().empty()) {
        erro = manipulador.Erro();
    } else if (resultado.IsError() || fluxo.Tell() != resto.size()) {
        // The reader stops at a NUL byte as at the end of the text.
        const size_t onde = resultado.IsError() ? resultado.Offset() : fluxo.Tell();
        const bool nulo = onde < resto.size() && resto[onde] == '\0';
        const std::string caminho = manipulador.Caminho();
        erro = "JSON inválido na " + Posicao(resto, onde) + (caminho.empty() ? "" : " (em " + caminho + ")") +
               ": " + (nulo ? "byte nulo no texto" : MensagemSintaxe(resultado.Code()));
    }
    if (!erro.empty()) {
        AItens.Clear();
        throw ECatalogo(erro);
    }
}

}  // namespace quelb::cli
