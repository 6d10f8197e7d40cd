#include "cli/campos.h"

#include <charconv>
#include <limits>
#include <type_traits>

#include "catalogue/enumeracoes.h"
#include "cli/valor_decimal.h"
#include "platform/cp1252.h"

namespace quelb::cli {

namespace {

using Item = TQuelbCargaBalItem;

template <typename T>
constexpr TTipoCampo TipoDe() {
    if constexpr (std::is_same_v<T, int32_t>) return TTipoCampo::Inteiro32;
    else if constexpr (std::is_same_v<T, int16_t>) return TTipoCampo::Inteiro16;
    else if constexpr (std::is_same_v<T, TValorFixo>) return TTipoCampo::Decimal;
    else if constexpr (std::is_same_v<T, Texto>) return TTipoCampo::Texto;
    else {
        static_assert(std::is_enum_v<T> && sizeof(T) == 1, "property type without a catalogue form");
        return TTipoCampo::Enumeracao;
    }
}

template <typename T>
constexpr std::span<const char* const> NomesDe() {
    if constexpr (std::is_same_v<T, TQuelbCargaBalTipoVenda>) return NomesTipoVenda;
    else if constexpr (std::is_same_v<T, TQuelbCargaBalTipoValidade>) return NomesTipoValidade;
    else if constexpr (std::is_same_v<T, TQuelbCargaBalNutriUndPorcao>) return NomesUndPorcao;
    else if constexpr (std::is_same_v<T, TQuelbCargaBalNutriPartdecimal>) return NomesPartDecimal;
    else if constexpr (std::is_same_v<T, TQuelbCargaBalNutriMedCaseira>) return NomesMedCaseira;
    else return {};
}

template <auto Membro>
void* Local(Item& i) { return &(i.*Membro); }
template <auto Registro, auto Membro>
void* LocalNoRegistro(Item& i) { return &((i.*Registro).*Membro); }

// A property of the item.
template <auto Membro>
constexpr TCampo Campo(std::string_view ANome) {
    using T = std::remove_cvref_t<decltype(std::declval<Item&>().*Membro)>;
    return {ANome, TipoDe<T>(), &Local<Membro>, NomesDe<T>(), nullptr};
}
// A property of one of the item's records.
template <auto Registro, auto Membro>
constexpr TCampo Campo(std::string_view ANome) {
    using R = std::remove_cvref_t<decltype(std::declval<Item&>().*Registro)>;
    using T = std::remove_cvref_t<decltype(std::declval<R&>().*Membro)>;
    return {ANome, TipoDe<T>(), &LocalNoRegistro<Registro, Membro>, NomesDe<T>(), nullptr};
}
constexpr TCampo Registro(std::string_view ANome, const TTabelaCampos& ATabela) {
    return {ANome, TTipoCampo::Registro, nullptr, {}, &ATabela};
}

using Setor = TQuelbCargaBalSetor;
constexpr TCampo CamposSetor[] = {
    Campo<&Item::Setor, &Setor::Codigo>("Codigo"),
    Campo<&Item::Setor, &Setor::Descricao>("Descricao"),
};

using Nutri = TQuelbCargaBalNutricional;
constexpr TCampo CamposNutricional[] = {
    Campo<&Item::Nutricional, &Nutri::Codigo>("Codigo"),
    Campo<&Item::Nutricional, &Nutri::Descricao>("Descricao"),
    Campo<&Item::Nutricional, &Nutri::Qtd>("Qtd"),
    Campo<&Item::Nutricional, &Nutri::UndPorcao>("UndPorcao"),
    Campo<&Item::Nutricional, &Nutri::PartInteira>("PartInteira"),
    Campo<&Item::Nutricional, &Nutri::PartDecimal>("PartDecimal"),
    Campo<&Item::Nutricional, &Nutri::MedCaseira>("MedCaseira"),
    Campo<&Item::Nutricional, &Nutri::ValorEnergetico>("ValorEnergetico"),
    Campo<&Item::Nutricional, &Nutri::Carboidrato>("Carboidrato"),
    Campo<&Item::Nutricional, &Nutri::Proteina>("Proteina"),
    Campo<&Item::Nutricional, &Nutri::GorduraTotal>("GorduraTotal"),
    Campo<&Item::Nutricional, &Nutri::GorduraSaturada>("GorduraSaturada"),
    Campo<&Item::Nutricional, &Nutri::GorduraTrans>("GorduraTrans"),
    Campo<&Item::Nutricional, &Nutri::Fibra>("Fibra"),
    Campo<&Item::Nutricional, &Nutri::Sodio>("Sodio"),
};

using Tara = TQuelbCargaBalTaras;
constexpr TCampo CamposTara[] = {
    Campo<&Item::Tara, &Tara::Codigo>("Codigo"),
    Campo<&Item::Tara, &Tara::Descricao>("Descricao"),
    Campo<&Item::Tara, &Tara::Valor>("Valor"),
};

using Forn = TQuelbCargaBalFornecedor;
constexpr TCampo CamposFornecedor[] = {
    Campo<&Item::Fornecedor, &Forn::Codigo>("Codigo"),
    Campo<&Item::Fornecedor, &Forn::Observacao>("Observacao"),
    Campo<&Item::Fornecedor, &Forn::Descricao1>("Descricao1"),
    Campo<&Item::Fornecedor, &Forn::Descricao2>("Descricao2"),
    Campo<&Item::Fornecedor, &Forn::Descricao3>("Descricao3"),
    Campo<&Item::Fornecedor, &Forn::Descricao4>("Descricao4"),
    Campo<&Item::Fornecedor, &Forn::Descricao5>("Descricao5"),
};

using Info = TQuelbCargaBalInformacaoExtra;
constexpr TCampo CamposInformacaoExtra[] = {
    Campo<&Item::InformacaoExtra, &Info::Codigo>("Codigo"),
    Campo<&Item::InformacaoExtra, &Info::Observacao>("Observacao"),
    Campo<&Item::InformacaoExtra, &Info::Receita>("Receita"),
};

constexpr TTabelaCampos TabelaSetor{"Setor", CamposSetor};
constexpr TTabelaCampos TabelaNutricional{"Nutricional", CamposNutricional};
constexpr TTabelaCampos TabelaTara{"Tara", CamposTara};
constexpr TTabelaCampos TabelaFornecedor{"Fornecedor", CamposFornecedor};
constexpr TTabelaCampos TabelaInformacaoExtra{"InformacaoExtra", CamposInformacaoExtra};

constexpr TCampo CamposDoItem[] = {
    Campo<&Item::Tecla>("Tecla"),
    Campo<&Item::ValorVenda>("ValorVenda"),
    Campo<&Item::ModeloEtiqueta>("ModeloEtiqueta"),
    Campo<&Item::Descricao>("Descricao"),
    Campo<&Item::Codigo>("Codigo"),
    Campo<&Item::Tipo>("Tipo"),
    Campo<&Item::Validade>("Validade"),
    Campo<&Item::TipoValidade>("TipoValidade"),
    Registro("Setor", TabelaSetor),
    Registro("Nutricional", TabelaNutricional),
    Registro("Tara", TabelaTara),
    Registro("Fornecedor", TabelaFornecedor),
    Campo<&Item::CodigoTexto1>("CodigoTexto1"),
    Campo<&Item::CodigoTexto2>("CodigoTexto2"),
    Campo<&Item::CodigoTexto3>("CodigoTexto3"),
    Campo<&Item::CodigoInfoNutr>("CodigoInfoNutr"),
    Campo<&Item::CodigoTara>("CodigoTara"),
    Campo<&Item::CodigoFornecedor>("CodigoFornecedor"),
    Campo<&Item::EAN13Fornecedor>("EAN13Fornecedor"),
    Registro("InformacaoExtra", TabelaInformacaoExtra),
};
constexpr TTabelaCampos TabelaItem{"", CamposDoItem};

// Readers keep a bit per field to catch a key given twice.
static_assert(std::size(CamposDoItem) <= 32 && std::size(CamposNutricional) <= 32);

template <typename T>
bool ConverterInteiro(std::string_view ATexto, T& AValor) {
    int64_t v = 0;
    const auto [fim, erro] = std::from_chars(ATexto.data(), ATexto.data() + ATexto.size(), v);
    if (erro != std::errc() || fim != ATexto.data() + ATexto.size()) return false;
    if (v < std::numeric_limits<T>::min() || v > std::numeric_limits<T>::max()) return false;
    AValor = static_cast<T>(v);
    return true;
}

// A JSON number written as an integer: no fraction, no exponent.
bool FormaInteira(std::string_view ANumero) { return ANumero.find_first_of(".eE") == std::string_view::npos; }

bool AtribuirTexto(const TValor& AValor, Texto& ADestino, std::string& AErro) {
    ADestino.clear();
    if (AValor.Cp1252) {
        ADestino = plataforma::cp1252::Decodificar(AValor.Bytes);
        return true;
    }
    if (DeUtf8(AValor.Bytes, ADestino)) return true;
    // The JSON reader turns the escape of a lone surrogate ("\udc00") into
    // the three bytes ED A0..BF xx, which are not UTF-8 either.
    bool surrogate = false;
    for (size_t i = 0; i + 1 < AValor.Bytes.size() && !surrogate; ++i)
        surrogate = static_cast<unsigned char>(AValor.Bytes[i]) == 0xED &&
                    (static_cast<unsigned char>(AValor.Bytes[i + 1]) & 0xE0) == 0xA0;
    AErro = surrogate ? "texto com \\u de um surrogate isolado" : "texto que não é UTF-8 válido";
    return false;
}

}  // namespace

const TCampo* TTabelaCampos::Procurar(std::string_view ANome, const TCampo* ADepoisDe) const {
    const TCampo* palpite = ADepoisDe ? ADepoisDe + 1 : Campos.data();
    if (palpite < Campos.data() + Campos.size() && palpite->Nome == ANome) return palpite;
    for (const TCampo& c : Campos)
        if (c.Nome == ANome) return &c;
    return nullptr;
}

const TTabelaCampos& CamposItem() { return TabelaItem; }

std::string DescreverEsperado(const TCampo& ACampo) {
    switch (ACampo.Tipo) {
        case TTipoCampo::Inteiro32: return "inteiro de 32 bits";
        case TTipoCampo::Inteiro16: return "inteiro de 16 bits";
        case TTipoCampo::Decimal: return "valor decimal";
        case TTipoCampo::Texto: return "texto";
        case TTipoCampo::Registro: return "objeto";
        case TTipoCampo::Enumeracao: {
            std::string r = "um de ";
            for (size_t i = 0; i < ACampo.Nomes.size(); ++i) {
                if (i > 0) r += i + 1 == ACampo.Nomes.size() ? " ou " : ", ";
                r += ACampo.Nomes[i];
            }
            return r;
        }
    }
    return {};
}

std::string Citar(const TValor& AValor) {
    if (AValor.Origem == TOrigemValor::NumeroJson) return std::string(AValor.Bytes);
    constexpr size_t Maximo = 60;  // characters shown of a long text
    std::string texto;
    if (AValor.Cp1252) {
        texto = ParaUtf8(plataforma::cp1252::Decodificar(AValor.Bytes.substr(0, Maximo + 1)));
    } else {
        // Valid UTF-8 here; an invalid escape shows as U+FFFD.
        texto = ParaUtf8(DeUtf8(AValor.Bytes.substr(0, 4 * (Maximo + 1))));
    }
    // Cut at a character boundary.
    size_t caracteres = 0, corte = texto.size();
    for (size_t i = 0; i < texto.size(); ++i) {
        if ((static_cast<unsigned char>(texto[i]) & 0xC0) == 0x80) continue;
        if (caracteres++ == Maximo) {
            corte = i;
            break;
        }
    }
    const bool cortado = corte < texto.size() || AValor.Bytes.size() > 4 * (Maximo + 1);
    texto.resize(corte);
    return "\"" + texto + (cortado ? "\"…" : "\"");
}

bool Atribuir(const TCampo& ACampo, TQuelbCargaBalItem& AItem, const TValor& AValor, std::string& AErro) {
    const bool numeroJson = AValor.Origem == TOrigemValor::NumeroJson;
    const bool textoJson = AValor.Origem == TOrigemValor::TextoJson;
    void* local = ACampo.Local ? ACampo.Local(AItem) : nullptr;
    const auto esperado = [&] {
        AErro = "esperado " + DescreverEsperado(ACampo) + ", encontrado " + Citar(AValor);
        return false;
    };
    switch (ACampo.Tipo) {
        case TTipoCampo::Inteiro32:
            if (textoJson || (numeroJson && !FormaInteira(AValor.Bytes))) return esperado();
            return ConverterInteiro(AValor.Bytes, *static_cast<int32_t*>(local)) || esperado();
        case TTipoCampo::Inteiro16:
            if (textoJson || (numeroJson && !FormaInteira(AValor.Bytes))) return esperado();
            return ConverterInteiro(AValor.Bytes, *static_cast<int16_t*>(local)) || esperado();
        case TTipoCampo::Enumeracao:
            if (numeroJson) return esperado();
            for (size_t i = 0; i < ACampo.Nomes.size(); ++i) {
                if (AValor.Bytes == ACampo.Nomes[i]) {
                    *static_cast<uint8_t*>(local) = static_cast<uint8_t>(i);
                    return true;
                }
            }
            return esperado();
        case TTipoCampo::Decimal: {
            const TFormaDecimal forma{.PermitirExpoente = numeroJson,
                                      .PermitirVirgula = AValor.Origem == TOrigemValor::CelulaCsv};
            int64_t dezMilesimos = 0;
            switch (ConverterDecimal(AValor.Bytes, forma, dezMilesimos)) {
                case TResultadoDecimal::Ok:
                    *static_cast<TValorFixo*>(local) = TValorFixo::DeDezMilesimos(dezMilesimos);
                    return true;
                case TResultadoDecimal::ForaDoIntervalo:
                    AErro = "valor fora do intervalo " + Citar(AValor);
                    return false;
                case TResultadoDecimal::Invalido:
                    AErro = "valor inválido " + Citar(AValor);
                    return false;
            }
            return false;
        }
        case TTipoCampo::Texto:
            if (numeroJson) return esperado();
            return AtribuirTexto(AValor, *static_cast<Texto*>(local), AErro);
        case TTipoCampo::Registro:
            return esperado();
    }
    return false;
}

}  // namespace quelb::cli
