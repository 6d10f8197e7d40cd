#include "cli/achados.h"

#include <algorithm>
#include <unordered_map>

#include "catalogue/texto.h"
#include "cli/mensagens.h"
#include "generator/tipo_achado.h"

namespace quelb::cli {

std::vector<TContagemTipo> ContarPorTipo(const std::vector<TAchadoListado>& AAchados) {
    std::vector<TContagemTipo> r;
    std::unordered_map<std::string, size_t> posicao;
    for (const TAchadoListado& a : AAchados) {
        const std::string chave = (a.Gravidade == TGravidade::Erro ? "e" : "a") + a.Tipo;
        const auto [p, novo] = posicao.try_emplace(chave, r.size());
        if (novo) r.push_back({a.Gravidade, a.Tipo, 0});
        ++r[p->second].Quantidade;
    }
    return r;
}

std::vector<TContagemTipo> OrdenarTipos(std::vector<TContagemTipo> ATipos) {
    std::stable_sort(ATipos.begin(), ATipos.end(), [](const TContagemTipo& a, const TContagemTipo& b) {
        if (a.Gravidade != b.Gravidade) return a.Gravidade == TGravidade::Erro;
        return a.Quantidade > b.Quantidade;
    });
    return ATipos;
}

void ListarAchados(std::FILE* AResumo, std::FILE* ALista, const std::vector<TAchadoListado>& AAchados,
                   const std::vector<TContagemTipo>& ATipos, bool ATodos, size_t ATotal) {
    if (ATotal == 0) return;
    const std::vector<TContagemTipo> tipos = OrdenarTipos(ATipos);
    std::string resumo = "cargabal: achados por tipo:\n";
    for (const TContagemTipo& t : tipos) {
        const std::string n = std::to_string(t.Quantidade);
        resumo += std::string(n.size() < 7 ? 7 - n.size() : 0, ' ') + n +
                  (t.Gravidade == TGravidade::Erro ? "  erro: " : "  aviso: ") + t.Tipo + "\n";
    }
    if (AResumo != nullptr) Escrever(AResumo, resumo);
    size_t listados = 0;
    for (const TGravidade g : {TGravidade::Erro, TGravidade::Aviso})
        for (const TAchadoListado& a : AAchados)
            if (a.Gravidade == g && (ATodos || listados < AchadosListados)) {
                Escrever(ALista, a.Linha + "\n");
                ++listados;
            }
    if (ATotal > listados)
        Escrever(ALista, "... e mais " + std::to_string(ATotal - listados) + " achados (--todos lista todos)\n");
}

std::vector<TAchadoListado> AchadosDaVerificacao(const std::vector<TAchado>& AAchados, const std::vector<uint64_t>& ALinhas) {
    std::vector<TAchadoListado> r;
    r.reserve(AAchados.size());
    for (const TAchado& a : AAchados) {
        // A finding about the whole catalogue (position -1) has no line.
        const uint64_t linha = a.Posicao >= 0 && static_cast<size_t>(a.Posicao) < ALinhas.size() ? ALinhas[a.Posicao] : 0;
        r.push_back({a.Gravidade, ParaUtf8(LinhaDoAchado(a, linha)), ParaUtf8(TipoDoAchado(a.Descricao))});
    }
    return r;
}

std::vector<TContagemTipo> ContagensDaVerificacao(const std::vector<TTipoContado>& ATipos) {
    std::vector<TContagemTipo> r;
    for (const TTipoContado& t : ATipos) r.push_back({t.Gravidade, ParaUtf8(t.Tipo), t.Quantidade});
    return r;
}

}  // namespace quelb::cli
