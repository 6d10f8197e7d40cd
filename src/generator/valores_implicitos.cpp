#include "generator/valores_implicitos.h"

#include <cstdint>
#include <string_view>

#include "catalogue/propriedades.h"
#include "formats/filizola/layouts_filizola.h"
#include "formats/toledo/layouts_toledo.h"
#include "formats/urano/layouts_urano.h"

namespace quelb {

namespace {

const TPropriedade& Propriedade(std::string_view ANome) { return *ProcurarPropriedade(ANome); }

enum class TMinimo : uint8_t {
    TextoNaoVazio,  // a text of at least one character
    TextoDeTres,    // a text of at least three characters
    Positivo,       // a number above 0
};

// A record written only under a condition on a value: where the record is
// there but the value read does not meet the condition (a text of spaces,
// a value the record does not show), the smallest value that does.
struct TPresenca {
    const TCampo* Layout;
    std::string_view Propriedade;
    TMinimo Minimo;
    // Another property that also calls for the record (Filizola's sector
    // record: a sector name or a key).
    std::string_view Alternativa = {};
};

constexpr TPresenca Presencas[] = {
    {filizola::Setor.data(), "Setor.Descricao", TMinimo::TextoNaoVazio, "Tecla"},
    {filizola::Nutricional.data(), "Nutricional.Descricao", TMinimo::TextoNaoVazio},
    {filizola::InformacaoExtra.data(), "InformacaoExtra.Receita", TMinimo::TextoDeTres},
    {toledo::InformacaoExtra.data(), "InformacaoExtra.Receita", TMinimo::TextoDeTres},
    {toledo::InformacaoExtraMGV5Ver1.data(), "InformacaoExtra.Receita", TMinimo::TextoDeTres},
    {urano::Nutricional.data(), "Nutricional.Qtd", TMinimo::Positivo},
    {urano::Receita.data(), "InformacaoExtra.Receita", TMinimo::TextoNaoVazio},
    {urano::ReceitaAposNutricional.data(), "InformacaoExtra.Receita", TMinimo::TextoNaoVazio},
    {urano::ReceitaURF32.data(), "InformacaoExtra.Receita", TMinimo::TextoDeTres},
};

}  // namespace

void GarantirPresenca(const TLayoutRegistro& ALayout, TQuelbCargaBalItem& AItem) {
    for (const TPresenca& r : Presencas) {
        if (r.Layout != ALayout.Campos.data()) continue;
        const TPropriedade& p = Propriedade(r.Propriedade);
        AItem.Ausentes.reset(static_cast<size_t>(&p - Propriedades));  // the record gives it
        if (!r.Alternativa.empty() && Propriedade(r.Alternativa).Numero(AItem) > 0) continue;
        if (r.Minimo == TMinimo::Positivo) {
            if (p.Numero(AItem) <= 0) p.DefinirNumero(AItem, 1);
            continue;
        }
        const size_t minimo = r.Minimo == TMinimo::TextoDeTres ? 3 : 1;
        Texto t(p.Texto(AItem));
        if (t.size() < minimo) {
            t.resize(minimo, u' ');
            p.DefinirTexto(AItem, t);
        }
    }
}

std::vector<size_t> PropriedadesImplicitas(const TLayoutRegistro& ALayout) {
    std::vector<size_t> r;
    for (const TPresenca& p : Presencas)
        if (p.Layout == ALayout.Campos.data()) r.push_back(static_cast<size_t>(&Propriedade(p.Propriedade) - Propriedades));
    return r;
}

}  // namespace quelb
