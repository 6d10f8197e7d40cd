// A small catalogue generated for real as plain Toledo, MGV5 version 1, MGV5
// and MGV6, its files checked byte for byte under both number formats.
#include <gtest/gtest.h>

#include "apoio/carga.h"

namespace quelb {
namespace {

using teste::pad;
using teste::Valor;
using teste::zeros;
using std::u16string;

const u16string ReceitaPao = u"Polvilho, queijo, ovos, leite e óleo.";
const u16string ReceitaPresunto = u"Pernil suíno, água, sal.";

void PreencherCatalogo(TQuelbCargaBal& g) {
    TQuelbCargaBalItem& pao = g.Produtos().New();
    pao.Codigo = 1;
    pao.Descricao = u"Pão de queijo";
    pao.ModeloEtiqueta = 2;
    pao.ValorVenda = Valor(399000);
    pao.Validade = 5;
    pao.Setor = {3, u"Padaria"};
    TQuelbCargaBalNutricional& n = pao.Nutricional;
    n.Codigo = 10;
    n.Descricao = u"Porção de 50 g";  // written to no Toledo file
    n.Qtd = 50;
    n.PartInteira = 2;
    n.PartDecimal = tpPara12;
    n.MedCaseira = tpUnidade;
    n.ValorEnergetico = 180;
    n.Carboidrato = Valor(205000);
    n.Proteina = Valor(32000);
    n.GorduraTotal = Valor(91000);
    n.GorduraSaturada = Valor(30000);
    n.Fibra = Valor(4000);
    n.Sodio = Valor(2100000);
    pao.Tara = {1, u"Saco papel", Valor(150)};
    pao.Fornecedor.Codigo = 7;
    pao.Fornecedor.Descricao1 = u"Padaria Central";
    pao.InformacaoExtra.Receita = ReceitaPao;
    pao.CodigoFornecedor = 7;
    pao.CodigoTara = 1;

    TQuelbCargaBalItem& presunto = g.Produtos().New();
    presunto.Codigo = 2;
    presunto.Descricao = u"Presunto cozido fatiado";
    presunto.ValorVenda = Valor(459990);  // 45.999
    presunto.Validade = 7;
    presunto.Setor = {4, u"Frios"};
    presunto.Tara = pao.Tara;              // the same tare and supplier again
    presunto.Fornecedor = pao.Fornecedor;
    presunto.InformacaoExtra.Codigo = 50;
    presunto.InformacaoExtra.Receita = ReceitaPresunto;
    presunto.CodigoFornecedor = 7;
    presunto.CodigoTara = 1;
    presunto.EAN13Fornecedor = u"7891000100103";

    TQuelbCargaBalItem& bolo = g.Produtos().New();
    bolo.Codigo = 3;
    bolo.Tipo = tpvUnidade;
    bolo.Descricao = u"Bolo de fubá";
    bolo.ValorVenda = Valor(180000);
    bolo.Validade = 3;
    bolo.Setor = {3, u"PADARIA"};  // the first sector again, in capitals
    bolo.InformacaoExtra.Codigo = 8;
    bolo.InformacaoExtra.Receita = u"ok";  // too short for a record

    TQuelbCargaBalItem& sacola = g.Produtos().New();
    sacola.Codigo = 4;
    sacola.Tipo = tpvEAN13Und;
    sacola.Descricao = u"Sacola retornável";
    sacola.ValorVenda = Valor(25000);
}

using teste::TArquivos;

const u16string Zeros23 = zeros(12) + zeros(11);  // the fixed twelve and eleven zeros

TEST(ToledoCatalogue, PlainToledoWritesTXITENSAlone) {
    teste::ConferirCarga(modToledo, PreencherCatalogo, {"TXITENS.TXT"},
                  {{"TXITENS.TXT",
                    teste::Arquivo({
                        u"03" u"02" u"0" u"000001" u"003990" u"005" + pad(u"Pão de queijo", 50) + pad(ReceitaPao, 250),
                        u"04" u"00" u"0" u"000002" u"004599" u"007" + pad(u"Presunto cozido fatiado", 50) +
                            pad(ReceitaPresunto, 250),
                        u"03" u"00" u"1" u"000003" u"001800" u"003" + pad(u"Bolo de fubá", 50) + pad(u"ok", 250),
                        u"00" u"00" u"5" u"000004" u"000250" u"000" + pad(u"Sacola retornável", 50) + pad(u"", 250),
                    })}});
}

// The auxiliary files, the same for the three MGV layouts apart from the
// extra-information codes.
TArquivos AuxiliaresMGV(const u16string& ACodigoInfoPresunto) {
    return {
        {"DEPTO.TXT", teste::Arquivo({u"03" + pad(u"Padaria", 40), u"04" + pad(u"Frios", 40)})},
        {"TXINFO.TXT", teste::Arquivo({u"000001" + pad(u"", 100) + pad(ReceitaPao, 840),
                                       ACodigoInfoPresunto + pad(u"", 100) + pad(ReceitaPresunto, 840)})},
        {"INFNUTRI.TXT", teste::Arquivo({u"N" u"000010" u"0" u"050" u"0" u"02" u"3" u"05" u"0180" u"0205" u"032"
                                         u"091" u"030" u"000" u"004" u"02100"})},
        {"TARA.TXT", teste::Arquivo({u"0001" u"000015" + pad(u"Saco papel", 20)})},
        {"TXFORN.TXT", teste::Arquivo({u"0007" + pad(u"", 100) + pad(u"Padaria Central", 56) + pad(u"", 4 * 56)})},
    };
}

const std::vector<std::string> OrdemMGV = {"ITENSMGV.TXT", "DEPTO.TXT", "TXINFO.TXT",
                                           "INFNUTRI.TXT", "TARA.TXT",  "TXFORN.TXT"};

TEST(ToledoCatalogue, MGV5Version1WritesTheSixFiles) {
    TArquivos esperado = AuxiliaresMGV(u"000002");  // keyed by the item code
    esperado["ITENSMGV.TXT"] = teste::Arquivo({
        u"03" u"0" u"000001" u"003990" u"005" + pad(u"Pão de queijo", 50) +
            u"000001" u"000" u"0010" u"1" u"1" u"0007" + Zeros23 + u"0" u"00",
        u"04" u"0" u"000002" u"004599" u"007" + pad(u"Presunto cozido fatiado", 50) +
            u"000002" u"000" u"0000" u"1" u"1" u"0007" + Zeros23 + u"0" u"00",
        u"03" u"1" u"000003" u"001800" u"003" + pad(u"Bolo de fubá", 50) +
            u"000003" u"000" u"0000" u"1" u"1" u"0000" + Zeros23 + u"0" u"00",
        u"00" u"5" u"000004" u"000250" u"000" + pad(u"Sacola retornável", 50) +
            u"000004" u"000" u"0000" u"1" u"1" u"0000" + Zeros23 + u"0" u"00",
    });
    teste::ConferirCarga(modToledoMGV5Ver1, PreencherCatalogo, OrdemMGV, esperado);
}

TEST(ToledoCatalogue, MGV5AndMGV6WriteTheSameSixFiles) {
    TArquivos esperado = AuxiliaresMGV(u"000050");  // the item's own extra-information code
    const u16string fixos = u"0000" u"0000" u"0000" u"0000";
    esperado["ITENSMGV.TXT"] = teste::Arquivo({
        u"03" u"0" u"000001" u"003990" u"005" + pad(u"Pão de queijo", 50) + u"000001" u"0000" u"000010" u"1" u"1" +
            u"0007" + Zeros23 + u"0" u"0000" u"0001" + fixos + u"000000000000",
        u"04" u"0" u"000002" u"004599" u"007" + pad(u"Presunto cozido fatiado", 50) + u"000050" u"0000" u"000000" +
            u"1" u"1" u"0007" + Zeros23 + u"0" u"0000" u"0001" + fixos + u"789100010010",
        u"03" u"1" u"000003" u"001800" u"003" + pad(u"Bolo de fubá", 50) + u"000000" u"0000" u"000000" u"1" u"1" +
            u"0000" + Zeros23 + u"0" u"0000" u"0000" + fixos + u"000000000000",
        u"00" u"5" u"000004" u"000250" u"000" + pad(u"Sacola retornável", 50) + u"000000" u"0000" u"000000" u"1" +
            u"1" u"0000" + Zeros23 + u"0" u"0000" u"0000" + fixos + u"000000000000",
    });
    teste::ConferirCarga(modToledoMGV5, PreencherCatalogo, OrdemMGV, esperado);
    teste::ConferirCarga(modToledoMGV6, PreencherCatalogo, OrdemMGV, esperado);
}

TEST(ToledoCatalogue, ItemsWithSectorsAloneGiveTheItemAndDepartmentFiles) {
    TQuelbCargaBal g;
    g.Modelo = modToledoMGV5;
    g.Produtos().New().Setor = {3, u"Hortifruti"};
    g.Produtos().New();
    g.Produtos().New();
    teste::DiretorioTemporario dir;
    EXPECT_EQ(teste::GerarEm(g, dir), (std::vector<std::string>{"ITENSMGV.TXT", "DEPTO.TXT"}));
    EXPECT_EQ(teste::LerArquivo(dir.Caminho() / "DEPTO.TXT"), teste::Arquivo({u"03" + pad(u"Hortifruti", 40)}));
    EXPECT_EQ(teste::LerArquivo(dir.Caminho() / "ITENSMGV.TXT").size(), 3 * 152u);
}

}  // namespace
}  // namespace quelb
