#include "generator/listas_registro.h"

namespace quelb {

namespace {

bool Marca(const TCampo& f) { return f.Tipo == TTipoCampo::Fixo && f.Fixo == u"|"; }

// "lista de fornecedores" of the mark's legend "| antes da lista de fornecedores".
Texto NomeDaLista(const TCampo& AMarca) {
    const Texto legenda = DeUtf8(AMarca.Legenda);
    const size_t i = legenda.find(u"lista");
    return i == Texto::npos ? legenda : legenda.substr(i);
}

}  // namespace

TListasRegistro::TListasRegistro(std::span<const TCampo> ACampos) : FCampos(ACampos) {
    size_t i = 0, inicio = 0;
    for (; i < ACampos.size() && !Marca(ACampos[i]); ++i) {
        if (ACampos[i].Variavel()) return;
        inicio += static_cast<size_t>(ACampos[i].Largura);
    }
    if (i == ACampos.size()) return;
    size_t ultima = i;
    for (size_t k = i; k < ACampos.size(); ++k)
        if (Marca(ACampos[k])) ultima = k;
    FInicio = inicio;
    // The pieces between the marks: a list is an empty piece or one number.
    for (size_t k = i; k < ultima; ++k) {
        if (!Marca(ACampos[k])) continue;
        size_t fim = k + 1;
        while (!Marca(ACampos[fim])) ++fim;
        TTrecho t;
        if (fim == k + 1 || (fim == k + 2 && ACampos[k + 1].Tipo == TTipoCampo::NumeroSePositivo)) {
            t.Numero = fim == k + 2 ? &ACampos[k + 1] : nullptr;
            t.Lista = FListas.size();
            FListas.push_back({NomeDaLista(ACampos[k]), t.Numero != nullptr, 0, 0, {}});
        }
        FTrechos.push_back(t);
        k = fim - 1;
    }
    FFinal = ACampos.subspan(ultima + 1);
    for (const TCampo& f : FFinal)
        if (!f.DoFabricante) FFinal = {};
}

Texto TListasRegistro::NomesDoFinal() const {
    Texto r;
    for (size_t i = 0; i < FFinal.size(); ++i) {
        const std::string_view legenda = FFinal[i].Legenda.substr(0, FFinal[i].Legenda.find(','));
        r += (i == 0 ? u"" : i + 1 == FFinal.size() ? u" e " : u", ") + DeUtf8(legenda);
    }
    return r;
}

bool TListasRegistro::Normalizar(std::u16string_view ALinha, uint64_t ANumero, Texto& ADestino) {
    if (ALinha.size() <= FInicio || ALinha[FInicio] != u'|') return false;
    // The pieces of the line between its marks.
    std::vector<std::u16string_view> pedacos;
    size_t p = FInicio + 1;
    for (size_t n = 0; n < FTrechos.size(); ++n) {
        const size_t q = ALinha.find(u'|', p);
        if (q == std::u16string_view::npos) return false;
        pedacos.push_back(ALinha.substr(p, q - p));
        p = q + 1;
    }
    std::u16string_view final = ALinha.substr(p);
    // The sector, at the start of the record, is the list this library writes.
    int64_t setor = 0;
    const TCampo& primeiro = FCampos[0];
    for (size_t i = 0; i < static_cast<size_t>(primeiro.Largura) && i < ALinha.size(); ++i)
        setor = ALinha[i] >= u'0' && ALinha[i] <= u'9' ? setor * 10 + (ALinha[i] - u'0') : -1000000;
    ADestino.assign(ALinha.substr(0, FInicio));
    for (size_t n = 0; n < FTrechos.size(); ++n) {
        const TTrecho& t = FTrechos[n];
        ADestino += u'|';
        if (t.Lista == SIZE_MAX) {
            ADestino += pedacos[n];
            continue;
        }
        Texto escrito;
        if (t.Numero != nullptr && setor > 0) {
            escrito = NumeroEmTexto(setor);
            if (escrito.size() < static_cast<size_t>(t.Numero->Largura))
                escrito.insert(0, static_cast<size_t>(t.Numero->Largura) - escrito.size(), u'0');
        }
        if (pedacos[n] != escrito) {
            TLista& l = FListas[t.Lista];
            if (l.Diferentes++ == 0) {
                l.Primeira = ANumero;
                l.Exemplo = Texto(pedacos[n]);
            }
        }
        ADestino += escrito;
    }
    ADestino += u'|';
    if (final.empty() && !FFinal.empty()) {
        if (FSemFinal++ == 0) FPrimeiroSemFinal = ANumero;
        for (const TCampo& f : FFinal) ADestino += f.Fixo;
    } else {
        ADestino += final;
    }
    return true;
}

}  // namespace quelb
