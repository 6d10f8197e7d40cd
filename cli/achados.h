#pragma once
// How every command lists its findings: a count by kind, then the first
// erros before any aviso, then how many more there are.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "generator/verificacao.h"

namespace quelb::cli {

// The findings listed when --todos is not given.
inline constexpr size_t AchadosListados = 50;

struct TAchadoListado {
    TGravidade Gravidade;
    std::string Linha;  // as listed
    std::string Tipo;   // the message without its values (TipoDoAchado)
};

// The kinds of AAchados with their counts, most frequent first, erros before
// avisos; the counts are of AContagem when given (findings not kept), else
// of AAchados.
struct TContagemTipo {
    TGravidade Gravidade;
    std::string Tipo;
    size_t Quantidade;
};
std::vector<TContagemTipo> ContarPorTipo(const std::vector<TAchadoListado>& AAchados);
// The kinds in the order they are listed: erros first, the most frequent first.
std::vector<TContagemTipo> OrdenarTipos(std::vector<TContagemTipo> ATipos);

// On AResumo (unless null), "cargabal: achados por tipo:" and a line per kind; on
// ALista, the erros of AAchados then its avisos, all of them with ATodos,
// else the first AchadosListados, and "... e mais N achados" for the rest
// (ATotal findings in all, when only some were kept).
void ListarAchados(std::FILE* AResumo, std::FILE* ALista, const std::vector<TAchadoListado>& AAchados,
                   const std::vector<TContagemTipo>& ATipos, bool ATodos, size_t ATotal);

// The findings of the check as listed: each with its item's line when the
// catalogue is CSV (ALinhas, by item position).
std::vector<TAchadoListado> AchadosDaVerificacao(const std::vector<TAchado>& AAchados, const std::vector<uint64_t>& ALinhas);
std::vector<TContagemTipo> ContagensDaVerificacao(const std::vector<TTipoContado>& ATipos);

}  // namespace quelb::cli
