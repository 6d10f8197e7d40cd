#include "generator/registro_sem_final.h"

namespace quelb {

namespace {

bool Marca(const TCampo& f) { return f.Tipo == TTipoCampo::Fixo && f.Fixo == u"|"; }

}  // namespace

TFormaSemFim::TFormaSemFim(std::span<const TCampo> ACampos)
    : FUltimo(ACampos.empty() ? nullptr : &ACampos.back()), FLargura(LarguraFixa(ACampos)) {
    if (FUltimo != nullptr && (FUltimo->Tipo != TTipoCampo::TextoADireita || FUltimo->Enchimento != u'0')) FUltimo = nullptr;
}

bool TFormaSemFim::Completar(std::u16string_view ALinha, Texto& ADestino) {
    if (FUltimo == nullptr || (FDecidido && FFalta == 0)) return false;
    const int64_t falta = FLargura - static_cast<int64_t>(ALinha.size());
    const size_t inicio = static_cast<size_t>(FLargura - FUltimo->Largura);
    const bool forma = falta == FaltaConhecida && falta < FUltimo->Largura &&
                       ALinha.substr(inicio).find_first_not_of(u'0') == std::u16string_view::npos;
    if (!FDecidido) {
        FDecidido = true;
        FFalta = forma ? falta : 0;
    }
    if (!forma || falta != FFalta) return false;
    ADestino.assign(ALinha);
    ADestino.append(static_cast<size_t>(falta), u'0');
    return true;
}

Texto TFormaSemFim::NomeDoCampo() const { return DeUtf8(FUltimo->Legenda.empty() ? FUltimo->Nome : FUltimo->Legenda); }

TFinalAposListas::TFinalAposListas(std::span<const TCampo> ACampos) {
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

Texto TFinalAposListas::NomesDoFinal() const {
    Texto r;
    for (size_t i = 0; i < FFinal.size(); ++i) {
        const std::string_view legenda = FFinal[i].Legenda.substr(0, FFinal[i].Legenda.find(','));
        r += (i == 0 ? u"" : i + 1 == FFinal.size() ? u" e " : u", ") + DeUtf8(legenda);
    }
    return r;
}

bool TFinalAposListas::Completar(std::u16string_view ALinha, Texto& ADestino) const {
    if (FFinal.empty() || ALinha.size() <= FInicio || ALinha[FInicio] != u'|') return false;
    // The end of the last mark.
    size_t p = FInicio;
    for (size_t n = 0; n < FMarcas; ++n) {
        const size_t q = ALinha.find(u'|', p);
        if (q == std::u16string_view::npos) return false;
        p = q + 1;
    }
    if (p != ALinha.size()) return false;
    ADestino.assign(ALinha);
    for (const TCampo& f : FFinal) ADestino += f.Fixo;
    return true;
}

}  // namespace quelb
