#include "formats/toledo/registros_toledo.h"
#include "generator/escritores.h"

namespace quelb {

namespace {

// The five auxiliary records of an MGV item. Each is written only for a
// positive code (for the extra information: a text of three or more
// characters), and only once: a record equal to one already in its list,
// letter case aside, is dropped. All five are built before any is appended,
// so that their searches overlap.
struct TAuxiliaresMGV {
    TRegistroPendente Receita, Nutricional, Tara, Fornecedor, Setor;
};

void GerarAuxiliaresMGV(TAuxiliaresMGV& r, const TQuelbCargaBalItem& AItem, int32_t ACodigoInformacao,
                        TListaLinhas& ANutricionais, TListaLinhas& AReceitas, TListaLinhas& ATaras,
                        TListaLinhas& AFornecedores, TListaLinhas& ASetores) {
    if (AItem.InformacaoExtra.Receita.size() > 2)
        r.Receita.Montar(AReceitas, [&](auto& reg) {
            RegistroInformacaoExtraToledo(reg, AItem.InformacaoExtra, ACodigoInformacao);
        });
    if (AItem.Nutricional.Codigo > 0)
        r.Nutricional.Montar(ANutricionais, [&](auto& reg) { RegistroNutricionalToledo(reg, AItem.Nutricional); });
    if (AItem.Tara.Codigo > 0) r.Tara.Montar(ATaras, [&](auto& reg) { RegistroTaraToledo(reg, AItem.Tara); });
    if (AItem.Fornecedor.Codigo > 0)
        r.Fornecedor.Montar(AFornecedores, [&](auto& reg) { RegistroFornecedorToledo(reg, AItem.Fornecedor); });
    if (AItem.Setor.Codigo > 0) r.Setor.Montar(ASetores, [&](auto& reg) { RegistroSetorToledo(reg, AItem.Setor); });
    for (TRegistroPendente* p : {&r.Receita, &r.Nutricional, &r.Tara, &r.Fornecedor, &r.Setor}) p->Adicionar();
}

}  // namespace

void GerarToledo(TQuelbCargaBal& AGerador, TListaLinhas& AItens, TListaLinhas& ANutricionais,
                 TListaLinhas& AReceitas, TListaLinhas& ATaras, TListaLinhas* AFornecedores,
                 TListaLinhas* ASetores, int32_t AVariante) {
    // MGV5 and MGV6 differ only in the model handed to CodigoInformacaoExtra,
    // which treats both alike.
    const TQuelbCargaBalModelo modeloMGV = AVariante == 3 ? modToledoMGV6 : modToledoMGV5;
    // The model table hands the MGV variants all six lists; without the
    // supplier and sector lists no auxiliary record is written at all.
    const bool auxiliares = AVariante != 0 && AFornecedores != nullptr && ASetores != nullptr;

    const int32_t total = AGerador.Produtos().Count();
    TRegistros registros;
    TAuxiliaresMGV auxiliaresMGV;
    int32_t posicao = 0;
    for (const auto& p : AGerador.Produtos()) {
        TQuelbCargaBalItem& item = *p;
        if (AVariante == 0) {
            // Plain Toledo: the item record alone, with the text inside it.
            AdicionarRegistro(AItens, registros, [&](auto& reg) { RegistroItemToledo(reg, item); });
        } else {
            int32_t codigoInformacao;
            if (AVariante == 1) {
                codigoInformacao = item.Codigo;  // the item is left unchanged
                AdicionarRegistro(AItens, registros, [&](auto& reg) { RegistroItemToledoMGV5Ver1(reg, item); });
            } else {
                codigoInformacao = item.CodigoInformacaoExtra(modeloMGV);
                AdicionarRegistro(AItens, registros,
                                  [&](auto& reg) { RegistroItemToledoMGV(reg, item, codigoInformacao); });
            }
            if (auxiliares)
                GerarAuxiliaresMGV(auxiliaresMGV, item, codigoInformacao, ANutricionais, AReceitas, ATaras, *AFornecedores,
                                   *ASetores);
        }
        AGerador.NotificarProduto(item, posicao, total);
        ++posicao;
    }
}

}  // namespace quelb
