#include "generator/listas_registro.h"

namespace quelb {

namespace {

bool Marca(const TCampo& f) { return f.Tipo == TTipoCampo::Fixo && f.Fixo == u"|"; }

}  // namespace

TListasRegistro::TListasRegistro(std::span<const TCampo> ACampos) {
    size_t i = 0, inicio = 0;
    for (; i < ACampos.size() && !Marca(ACampos[i]); ++i) {
        if (ACampos[i].Variavel()) return;
        inicio += static_cast<size_t>(ACampos[i].Largura);
    }
    if (i == ACampos.size()) return;
    size_t ultima = i;
    for (size_t k = i; k < ACampos.size(); ++k)
        if (Marca(ACampos[k])) {
            ultima = k;
            ++FMarcas;
        }
    FInicio = inicio;
    FFinal = ACampos.subspan(ultima + 1);
    for (const TCampo& f : FFinal)
        if (!f.DoFabricante || f.Tipo == TTipoCampo::Lista) FFinal = {};
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
    if (FFinal.empty() || ALinha.size() <= FInicio || ALinha[FInicio] != u'|') return false;
    // The end of the last mark.
    size_t p = FInicio;
    for (size_t n = 0; n < FMarcas; ++n) {
        if (p >= ALinha.size()) return false;
        const size_t q = ALinha.find(u'|', p);
        if (q == std::u16string_view::npos) return false;
        p = q + 1;
    }
    if (p != ALinha.size()) return false;
    if (FSemFinal++ == 0) FPrimeiroSemFinal = ANumero;
    ADestino.assign(ALinha);
    for (const TCampo& f : FFinal) ADestino += f.Fixo;
    return true;
}

}  // namespace quelb
