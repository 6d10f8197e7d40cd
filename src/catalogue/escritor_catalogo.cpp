#include "catalogue/escritor_catalogo.h"

#include <string>
#include <vector>

#include "catalogue/propriedades.h"
#include "catalogue/texto.h"
#include "catalogue/valor_decimal.h"

namespace quelb {

namespace {

// The record a property belongs to ("Setor" of "Setor.Codigo"), and its
// own name; an item's own property has no record.
std::string_view Registro(std::string_view ACaminho) {
    const size_t ponto = ACaminho.find('.');
    return ponto == std::string_view::npos ? std::string_view() : ACaminho.substr(0, ponto);
}
std::string_view NomeProprio(std::string_view ACaminho) { return ACaminho.substr(ACaminho.find('.') + 1); }

// The value of p in AItem as a cell or a JSON value (texts and amounts as
// JSON strings when AJson).
void Valor(const TPropriedade& p, const TQuelbCargaBalItem& AItem, bool AJson, std::string& ADestino) {
    switch (p.Tipo) {
        case TTipoPropriedade::Texto:
            if (AJson) {
                TextoJson(p.Texto(AItem), ADestino);
            } else {
                // Always quoted: a text keeps its spaces, delimiters and line breaks.
                ADestino += '"';
                for (const char c : ParaUtf8(p.Texto(AItem))) ADestino += c == '"' ? std::string("\"\"") : std::string(1, c);
                ADestino += '"';
            }
            return;
        case TTipoPropriedade::Decimal: {
            std::string t = TextoDecimal(p.Numero(AItem));
            if (!AJson)
                for (char& c : t)
                    if (c == '.') c = ',';
            ADestino += AJson ? "\"" + t + "\"" : t;
            return;
        }
        case TTipoPropriedade::Enumeracao: {
            const auto i = static_cast<size_t>(p.Numero(AItem));
            const std::string nome = i < p.Nomes.size() ? p.Nomes[i] : std::to_string(i);
            ADestino += AJson ? "\"" + nome + "\"" : nome;
            return;
        }
        case TTipoPropriedade::Booleano:
            ADestino += p.Numero(AItem) != 0 ? "true" : "false";
            return;
        default:
            ADestino += std::to_string(p.Numero(AItem));
            return;
    }
}

// The properties in the order they are written: the code and the
// description first, then the item model's order.
std::vector<const TPropriedade*> Ordem(std::span<const size_t> APropriedades) {
    std::vector<const TPropriedade*> r;
    for (const std::string_view primeiro : {"Codigo", "Descricao"})
        for (const size_t i : APropriedades)
            if (Propriedades[i].Nome == primeiro) r.push_back(&Propriedades[i]);
    for (const size_t i : APropriedades)
        if (Propriedades[i].Nome != "Codigo" && Propriedades[i].Nome != "Descricao") r.push_back(&Propriedades[i]);
    return r;
}

// An item as one JSON object; the properties of a record (contiguous in
// the order) make a nested object.
void ItemJson(const TQuelbCargaBalItem& AItem, const std::vector<const TPropriedade*>& AOrdem,
              const std::function<bool(const TPropriedade*)>& AAusente, std::string& d) {
    d += "{";
    std::string_view aberto;  // the record whose object is open
    bool primeiroNoItem = true, primeiroNoRegistro = true;
    const auto separar = [&d](bool& APrimeiro) {
        if (!APrimeiro) d += ", ";
        APrimeiro = false;
    };
    for (const TPropriedade* p : AOrdem) {
        if (AAusente(p)) continue;
        const std::string_view registro = Registro(p->Nome);
        if (registro != aberto) {
            if (!aberto.empty()) d += "}";
            aberto = registro;
            if (!registro.empty()) {
                separar(primeiroNoItem);
                d += "\"" + std::string(registro) + "\": {";
                primeiroNoRegistro = true;
            }
        }
        separar(registro.empty() ? primeiroNoItem : primeiroNoRegistro);
        d += "\"" + std::string(registro.empty() ? p->Nome : NomeProprio(p->Nome)) + "\": ";
        Valor(*p, AItem, true, d);
    }
    if (!aberto.empty()) d += "}";
    d += "}";
}

}  // namespace

void TextoJson(std::u16string_view ATexto, std::string& ADestino) {
    static constexpr char Hexa[] = "0123456789abcdef";
    ADestino += '"';
    for (const char c : ParaUtf8(ATexto)) {
        const auto b = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            ADestino += '\\';
            ADestino += c;
        } else if (b < 0x20) {
            ADestino += "\\u00";
            ADestino += Hexa[b >> 4];
            ADestino += Hexa[b & 0xF];
        } else {
            ADestino += c;
        }
    }
    ADestino += '"';
}

void EscreverCatalogo(const TQuelbCargaBalItens& AItens, std::span<const size_t> APropriedades,
                      TFormatoCatalogo AFormato, const TSaidaCatalogo& ASaida, const TAusente& AAusente) {
    const std::vector<const TPropriedade*> ordem = Ordem(APropriedades);
    std::string d;
    const bool json = AFormato == TFormatoCatalogo::Json;
    if (json) {
        d = "{\n  \"produtos\": [\n";
    } else {
        d = "\xEF\xBB\xBF";
        for (size_t i = 0; i < ordem.size(); ++i) d += (i > 0 ? ";" : "") + std::string(ordem[i]->Nome);
        d += "\r\n";
    }
    for (int32_t i = 0; i < AItens.Count(); ++i) {
        const TQuelbCargaBalItem& item = AItens.GetItem(i);
        const auto ausente = [&](const TPropriedade* p) {
            const auto indice = static_cast<size_t>(p - Propriedades);
            return item.Ausentes[indice] || (AAusente && AAusente(i, indice));
        };
        if (json) {
            d += "    ";
            ItemJson(item, ordem, ausente, d);
            d += i + 1 < AItens.Count() ? ",\n" : "\n";
        } else {
            for (size_t c = 0; c < ordem.size(); ++c) {
                if (c > 0) d += ';';
                if (!ausente(ordem[c])) Valor(*ordem[c], item, false, d);
            }
            d += "\r\n";
        }
        if (d.size() >= 1 << 16) {
            ASaida(d);
            d.clear();
        }
    }
    if (json) d += "  ]\n}\n";
    ASaida(d);
}

}  // namespace quelb
