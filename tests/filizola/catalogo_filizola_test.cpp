// A small Filizola catalogue generated for real and its files checked byte
// for byte, under both number formats.
#include <gtest/gtest.h>

#include "apoio/carga.h"

namespace quelb {
namespace {

using teste::pad;
using teste::Valor;

const std::u16string ReceitaPao = u"Farinha de trigo enriquecida com ferro e ácido fólico, água, sal e fermento.";
const std::u16string ReceitaQueijo = u"Leite pasteurizado, sal, coalho.";

void PreencherCatalogo(TQuelbCargaBal& g) {
    TQuelbCargaBalItem& pao = g.Produtos().New();
    pao.Codigo = 1;
    pao.Tipo = tpvPeso;
    pao.Descricao = u"Pão francês";
    pao.ValorVenda = Valor(159000);
    pao.Validade = 1;
    pao.Tecla = 1;
    pao.Setor.Descricao = u"Padaria";
    pao.Setor.Codigo = 3;  // not written by this make
    pao.Nutricional.Descricao = u"Porção de 50 g (1 unidade)";
    pao.Nutricional.ValorEnergetico = 135;
    pao.Nutricional.Carboidrato = Valor(282000);
    pao.Nutricional.Proteina = Valor(43000);
    pao.Nutricional.GorduraTotal = Valor(9000);
    pao.Nutricional.Fibra = Valor(11500);
    pao.Nutricional.Sodio = Valor(3250000);
    pao.InformacaoExtra.Receita = ReceitaPao;

    TQuelbCargaBalItem& queijo = g.Produtos().New();
    queijo.Codigo = 2;
    queijo.Tipo = tpvUnidade;
    queijo.Descricao = u"Queijo minas frescal";
    queijo.ValorVenda = Valor(324990);  // 32.499
    queijo.Validade = 10;
    queijo.Tecla = 2;
    queijo.InformacaoExtra.Codigo = 20;
    queijo.InformacaoExtra.Receita = ReceitaQueijo;
    queijo.CodigoTara = 4;  // not written by this make

    TQuelbCargaBalItem& refrigerante = g.Produtos().New();
    refrigerante.Codigo = 3;
    refrigerante.Tipo = tpvEAN13Und;
    refrigerante.Descricao = u"Refrigerante guaraná 2 litros";
    refrigerante.ValorVenda = Valor(85000);
    refrigerante.Validade = 180;
    refrigerante.InformacaoExtra.Codigo = 30;
    refrigerante.InformacaoExtra.Receita = u"ok";  // too short for a record
}

TEST(FilizolaCatalogue, WritesTheFourFilesByteForByteUnderEitherNumberFormat) {
    teste::ConferirCarga(
        modFilizola, PreencherCatalogo, {"CADTXT.TXT", "SETORTXT.TXT", "REC_ASS.TXT", "NUTRI.TXT"},
        {{"CADTXT.TXT", teste::Arquivo({
                            u"000001" u"P" + pad(u"Pão francês", 22) + u"0001590" u"001",
                            u"000002" u"U" + pad(u"Queijo minas frescal", 22) + u"0003249" u"010",
                            u"000003" u"U" u"Refrigerante guaraná 2" u"0000850" u"180",
                        })},
         {"SETORTXT.TXT", teste::Arquivo({
                              pad(u"Padaria", 12) + u"000001" u"0001" u"001",
                              pad(u"", 12) + u"000002" u"0002" u"002",
                          })},
         {"REC_ASS.TXT", teste::Arquivo({
                             pad(u"", 12) + u"000001" u"000001" + pad(ReceitaPao, 840) + u"@",
                             pad(u"", 12) + u"000002" u"000020" + pad(ReceitaQueijo, 840) + u"@",
                         })},
         {"NUTRI.TXT", teste::Arquivo({
                           u"000001" + pad(u"Porção de 50 g (1 unidade)", 35) +
                           u"00135" u"0000" u"00282" u"0000" u"00043" u"0000" u"00009" u"0000" u"00000" u"0000"
                           u"00000" u"0000" u"00011" u"0000" u"*****" u"****" u"*****" u"****" u"03250" u"0000",
                       })}});
}

void PreencherSemAuxiliares(TQuelbCargaBal& g) {
    TQuelbCargaBalItem& i = g.Produtos().New();
    i.Codigo = 7;
    i.Tecla = 0;
    i.Nutricional.Codigo = 5;  // a code without a description gives nothing
    i.InformacaoExtra.Receita = u"x";
}

TEST(FilizolaCatalogue, ItemsWithoutSectorNutritionOrTextGiveTheItemFileAlone) {
    teste::ConferirCarga(modFilizola, PreencherSemAuxiliares, {"CADTXT.TXT"},
                         {{"CADTXT.TXT", teste::Arquivo({u"000007" u"P" + pad(u"", 22) + u"0000000" u"000"})}});
}

}  // namespace
}  // namespace quelb
