#pragma once
#include <cstdint>

namespace quelb {

// The enumerations of the catalogue, stored in one byte, with the ordinals
// that hosts and stored catalogues rely on.

enum TQuelbCargaBalModelo : uint8_t {
    modFilizola,
    modToledo,
    modUrano,
    modUranoS,
    modToledoMGV5,
    modToledoMGV6,
    modUranoURF32,
    modRamuza,
    modToledoMGV5Ver1,
    modToledoMGV7,
};
// The count follows the last model: a model added after it must move this
// line too, and the model table then fails to build until it has its row.
inline constexpr int QuantidadeModelos = modToledoMGV7 + 1;

enum TQuelbCargaBalTipoVenda : uint8_t { tpvPeso, tpvUnidade, tpvEAN13, tpvEAN13Und };

enum TQuelbCargaBalTipoValidade : uint8_t { tpvDias, tpvMeses };

enum TQuelbCargaBalNutriUndPorcao : uint8_t { tpGramas, tpMililitros, tpUnidades };

enum TQuelbCargaBalNutriPartdecimal : uint8_t {
    tpPara0,
    tpPara14,
    tpPara13,
    tpPara12,
    tpPara23,
    tpPara34,
};

enum TQuelbCargaBalNutriMedCaseira : uint8_t {
    tpColherSopa,
    tpColherCafe,
    tpColherCha,
    tpXicara,
    tpDeXicara,
    tpUnidade,
    tpPacote,
    tpFatia,
    tpFatiaFina,
    tpPedaco,
    tpFolha,
    tpPao,
    tpBiscoito,
    tpBisnaguinha,
    tpDisco,
    tpCopo,
    tpPorcao,
    tpTablete,
    tpSache,
    tpAlmodega,
    tpBife,
    tpFile,
    tpConcha,
    tpBala,
    tpPratoFundo,
    tpPitada,
    tpLata,
};

// The value names, indexed by ordinal, as hosts and catalogue files spell
// them (the model names are in the model table).
inline constexpr const char* NomesTipoVenda[] = {"tpvPeso", "tpvUnidade", "tpvEAN13", "tpvEAN13Und"};
inline constexpr const char* NomesTipoValidade[] = {"tpvDias", "tpvMeses"};
inline constexpr const char* NomesUndPorcao[] = {"tpGramas", "tpMililitros", "tpUnidades"};
inline constexpr const char* NomesPartDecimal[] = {"tpPara0",  "tpPara14", "tpPara13",
                                                   "tpPara12", "tpPara23", "tpPara34"};
inline constexpr const char* NomesMedCaseira[] = {
    "tpColherSopa", "tpColherCafe", "tpColherCha",   "tpXicara", "tpDeXicara", "tpUnidade",
    "tpPacote",     "tpFatia",      "tpFatiaFina",   "tpPedaco", "tpFolha",    "tpPao",
    "tpBiscoito",   "tpBisnaguinha", "tpDisco",      "tpCopo",   "tpPorcao",   "tpTablete",
    "tpSache",      "tpAlmodega",   "tpBife",        "tpFile",   "tpConcha",   "tpBala",
    "tpPratoFundo", "tpPitada",     "tpLata",
};

}  // namespace quelb
