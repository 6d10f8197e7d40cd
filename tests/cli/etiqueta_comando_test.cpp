// "cargabal etiqueta": labels read as the till reads them, with and without
// a catalogue or a load; "--etiqueta" and "--peso-maximo" on "verificar" and
// "gerar".
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "apoio/diretorio_temporario.h"
#include "cli/processo.h"

namespace quelb::teste {
namespace {

using testing::HasSubstr;

const std::string Catalogo =
    R"({"produtos": [{"Codigo": 149, "Descricao": "Banana prata", "ValorVenda": 4.99},
                     {"Codigo": 10085, "Descricao": "Queijo prato", "ValorVenda": 49.9},
                     {"Codigo": 7, "Descricao": "Pão de queijo", "ValorVenda": 1.25, "Tipo": "tpvEAN13Und"},
                     {"Codigo": 10149, "Descricao": "Picanha", "ValorVenda": 89.9}]})";

std::string Escrito(const DiretorioTemporario& APasta, const std::string& ANome, const std::string& ATexto) {
    const std::filesystem::path p = APasta.Caminho() / ANome;
    std::ofstream(p, std::ios::binary) << ATexto;
    return p.string();
}

TEST(EtiquetaComando, EachCodeReadAsTheTillReadsIt) {
    const TResultadoProcesso r = ExecutarCargabal({"etiqueta", "--formato", "2CCCCPPPPPPPD", "2014900002840"});
    EXPECT_EQ(r.Saida, 0) << r.Erros;
    EXPECT_EQ(r.SaidaPadrao, "2014900002840: código 149, preço R$ 2,84\n");
    const TResultadoProcesso peso =
        ExecutarCargabal({"etiqueta", "-f", "2CCCCCCWWWWWD", "2010085025049", "2000149010005"});
    EXPECT_EQ(peso.Saida, 0) << peso.Erros;
    EXPECT_EQ(peso.SaidaPadrao,
              "2010085025049: código 10085, peso 2,504 kg\n"
              "2000149010005: código 149, peso 1,000 kg\n");
    const TResultadoProcesso quantidade = ExecutarCargabal({"etiqueta", "-f", "2CCCCCCQQQQQD", "2000007000032"});
    EXPECT_EQ(quantidade.SaidaPadrao, "2000007000032: código 7, quantidade 3\n");
}

TEST(EtiquetaComando, ACodeThatDoesNotReadExitsTwo) {
    const TResultadoProcesso r =
        ExecutarCargabal({"etiqueta", "--formato", "2CCCCPPPPPPPD", "2014900002841", "2014900002840", "7891000100103"});
    EXPECT_EQ(r.Saida, 2);
    EXPECT_EQ(r.SaidaPadrao,
              "2014900002841: erro: o dígito verificador do EAN-13 é 1, mas deveria ser 0 (código lido ou digitado "
              "errado)\n"
              "2014900002840: código 149, preço R$ 2,84\n"
              "7891000100103: erro: o prefixo é 7, mas o formato 2CCCCPPPPPPPD pede 2\n");
}

TEST(EtiquetaComando, Json) {
    const TResultadoProcesso r = ExecutarCargabal(
        {"etiqueta", "--json", "--formato", "2CCCCCCWWWWWD", "2010085025049", "2010085025048"});
    EXPECT_EQ(r.Saida, 2);
    EXPECT_EQ(r.SaidaPadrao,
              "{\"codigo\": 10085, \"peso\": \"2.504\"}\n"
              "{\"erro\": \"o dígito verificador do EAN-13 é 8, mas deveria ser 9 (código lido ou digitado errado)\"}\n");
    const TResultadoProcesso preco =
        ExecutarCargabal({"etiqueta", "--json", "--formato", "2CCCCPPPPPPPD", "2014900002840"});
    EXPECT_EQ(preco.Saida, 0);
    EXPECT_EQ(preco.SaidaPadrao, "{\"codigo\": 149, \"preco\": \"2.84\"}\n");
    const TResultadoProcesso quantidade =
        ExecutarCargabal({"etiqueta", "--json", "--formato", "2CCCCCCQQQQQD", "2000007000032"});
    EXPECT_EQ(quantidade.SaidaPadrao, "{\"codigo\": 7, \"quantidade\": 3}\n");
}

TEST(EtiquetaComando, WithACatalogueTheProductAndTheTotal) {
    DiretorioTemporario pasta;
    const std::string catalogo = Escrito(pasta, "catalogo.json", Catalogo);
    const TResultadoProcesso r = ExecutarCargabal(
        {"etiqueta", "--formato", "2CCCCCCWWWWWD", "--catalogo", catalogo, "2010085025049", "2000149010005"});
    EXPECT_EQ(r.Saida, 0) << r.Erros;
    // 49.90 x 2.504 = 124.9496
    EXPECT_EQ(r.SaidaPadrao,
              "2010085025049: código 10085, peso 2,504 kg; produtos[1] \"Queijo prato\", R$ 49,90 por kg, total "
              "R$ 124,95\n"
              "2000149010005: código 149, peso 1,000 kg; produtos[0] \"Banana prata\", R$ 4,99 por kg, total R$ 4,99\n");

    // A code that no product has: the till finds nothing.
    const TResultadoProcesso falta =
        ExecutarCargabal({"etiqueta", "--formato", "2CCCCCCWWWWWD", "-c", catalogo, "2000999010002"});
    EXPECT_EQ(falta.Saida, 2);
    EXPECT_EQ(falta.SaidaPadrao, "2000999010002: código 999, peso 1,000 kg; nenhum produto do catálogo tem o código 999\n");

    const TResultadoProcesso preco =
        ExecutarCargabal({"etiqueta", "--formato", "2CCCCCCPPPPPD", "-c", catalogo, "2000149002840"});
    EXPECT_EQ(preco.SaidaPadrao,
              "2000149002840: código 149, preço R$ 2,84; produtos[0] \"Banana prata\", R$ 4,99 por kg\n");

    const TResultadoProcesso unidades =
        ExecutarCargabal({"etiqueta", "--formato", "2CCCCCCQQQQQD", "-c", catalogo, "2000007000032"});
    EXPECT_EQ(unidades.SaidaPadrao,
              "2000007000032: código 7, quantidade 3; produtos[2] \"Pão de queijo\", R$ 1,25 por unidade, total "
              "R$ 3,75\n");

    const TResultadoProcesso json = ExecutarCargabal(
        {"etiqueta", "--json", "--formato", "2CCCCCCWWWWWD", "-c", catalogo, "2010085025049", "2000999010002"});
    EXPECT_EQ(json.SaidaPadrao,
              "{\"codigo\": 10085, \"peso\": \"2.504\", \"produto\": {\"posicao\": 1, \"descricao\": \"Queijo prato\", "
              "\"tipo\": \"tpvPeso\", \"valor_venda\": \"49.9\"}, \"total\": \"124.95\"}\n"
              "{\"codigo\": 999, \"peso\": \"1.000\", \"produto\": null}\n");
}

TEST(EtiquetaComando, WithALoadTheProductsOfItsFiles) {
    DiretorioTemporario pasta;
    const std::string catalogo = Escrito(pasta, "catalogo.json", Catalogo);
    const std::filesystem::path carga = pasta.Caminho() / "carga";
    std::filesystem::create_directory(carga);
    const TResultadoProcesso gerar =
        ExecutarCargabal({"gerar", "-m", "toledo-mgv6", "-e", catalogo, "-s", carga.string(), "--silencioso"});
    ASSERT_EQ(gerar.Saida, 0) << gerar.Erros;
    const TResultadoProcesso r =
        ExecutarCargabal({"etiqueta", "--formato", "2CCCCCCWWWWWD", "--carga", carga.string(), "2010085025049"});
    EXPECT_EQ(r.Saida, 0) << r.Erros;
    EXPECT_EQ(r.SaidaPadrao,
              "2010085025049: código 10085, peso 2,504 kg; produtos[1] \"Queijo prato\", R$ 49,90 por kg, total "
              "R$ 124,95\n");
    EXPECT_THAT(r.Erros, HasSubstr("modelo detectado"));
}

TEST(EtiquetaComando, UsageErrors) {
    EXPECT_EQ(ExecutarCargabal({"etiqueta", "2014900002840"}).Saida, 2);  // no layout
    const TResultadoProcesso formato = ExecutarCargabal({"etiqueta", "--formato", "2CCCCPPPWWWWD", "2014900002840"});
    EXPECT_EQ(formato.Saida, 2);
    EXPECT_THAT(formato.Erros, HasSubstr("padrão de etiqueta inválido \"2CCCCPPPWWWWD\": o formato tem P e W"));
    const TResultadoProcesso sem = ExecutarCargabal({"etiqueta", "--formato", "2CCCCPPPPPPPD"});
    EXPECT_EQ(sem.Saida, 2);
    EXPECT_THAT(sem.Erros, HasSubstr("falta o código de barras de alguma etiqueta"));
    const TResultadoProcesso ajuda = ExecutarCargabal({"help", "etiqueta"});
    EXPECT_EQ(ajuda.Saida, 0);
    EXPECT_THAT(ajuda.SaidaPadrao, HasSubstr("Uso: cargabal etiqueta --formato PADRAO"));
}

// "verificar --etiqueta": a catalogue with codes of up to 6 digits against
// a 4-digit code field gives erros; against a 6-digit one, none.
TEST(EtiquetaComando, VerifyAgainstTheLabelLayout) {
    const TResultadoProcesso quatro =
        ExecutarCargabal({"verificar", "-m", "toledo-mgv6", "-e", "-", "--etiqueta", "2CCCCPPPPPPPD"}, Catalogo);
    EXPECT_EQ(quatro.Saida, 3);
    EXPECT_EQ(quatro.SaidaPadrao,
              "erro: produtos[1] (código 10085), Codigo: 10085 não cabe nos 4 dígitos do código da etiqueta "
              "2CCCCPPPPPPPD; o caixa leria o código 85, que não é de nenhum produto do catálogo\n"
              "erro: produtos[3] (código 10149), Codigo: 10149 não cabe nos 4 dígitos do código da etiqueta "
              "2CCCCPPPPPPPD; o caixa leria o código 149, que é o de produtos[0] (código 149, \"Banana prata\")\n");

    const TResultadoProcesso seis =
        ExecutarCargabal({"verificar", "-m", "toledo-mgv6", "-e", "-", "--etiqueta", "2CCCCCCPPPPPD"}, Catalogo);
    EXPECT_EQ(seis.Saida, 0) << seis.Erros;
    EXPECT_EQ(seis.SaidaPadrao,
              "aviso: produtos[3] (código 10149), ValorVenda: 89.9 por kg não cabe no campo do preço da etiqueta "
              "2CCCCCCPPPPPD (5 dígitos, até 999.99) a partir de 11124 g (o peso máximo da balança é 15000 g)\n");
    const TResultadoProcesso dez = ExecutarCargabal(
        {"verificar", "-m", "toledo-mgv6", "-e", "-", "--etiqueta", "2CCCCCCPPPPPD", "--peso-maximo", "10"}, Catalogo);
    EXPECT_EQ(dez.Saida, 0);
    EXPECT_EQ(dez.SaidaPadrao, "");
    const TResultadoProcesso trinta = ExecutarCargabal(
        {"verificar", "-m", "toledo-mgv6", "-e", "-", "--etiqueta", "2CCCCCCPPPPPD", "--peso-maximo", "30,5"},
        Catalogo);
    EXPECT_THAT(trinta.SaidaPadrao, HasSubstr("(o peso máximo da balança é 30500 g)"));
    // Filizola writes the bar code by unit as a plain unit sale (and says
    // so): that item has no label.
    const std::string filizola =
        ExecutarCargabal({"verificar", "-m", "filizola", "-e", "-", "--etiqueta", "2CCCCCCPPPPPD"}, Catalogo)
            .SaidaPadrao;
    EXPECT_EQ(filizola,
              "aviso: produtos[2] (código 7), Tipo: tpvEAN13Und não tem código próprio em CADTXT.TXT; o arquivo teria "
              "U, o mesmo de tpvUnidade\n" +
                  seis.SaidaPadrao);
}

TEST(EtiquetaComando, GenerateStopsOnALabelErro) {
    DiretorioTemporario saida;
    const TResultadoProcesso r = ExecutarCargabal(
        {"gerar", "-m", "toledo-mgv6", "-e", "-", "-s", saida.Utf8(), "--etiqueta", "2CCCCPPPPPPPD"}, Catalogo);
    EXPECT_EQ(r.Saida, 3);
    EXPECT_THAT(r.Erros, HasSubstr("a verificação achou 2 erros; nada foi gravado"));
    EXPECT_TRUE(std::filesystem::is_empty(saida.Caminho()));
}

TEST(EtiquetaComando, LabelOptionUsageErrors) {
    const TResultadoProcesso invalido =
        ExecutarCargabal({"verificar", "-m", "toledo-mgv6", "-e", "-", "--etiqueta", "2CCCCPPPPPPP"}, Catalogo);
    EXPECT_EQ(invalido.Saida, 2);
    EXPECT_THAT(invalido.Erros, HasSubstr("padrão de etiqueta inválido \"2CCCCPPPPPPP\": o formato tem 12 caracteres"));
    const TResultadoProcesso semEtiqueta =
        ExecutarCargabal({"verificar", "-m", "toledo-mgv6", "-e", "-", "--peso-maximo", "10"}, Catalogo);
    EXPECT_EQ(semEtiqueta.Saida, 2);
    const TResultadoProcesso peso = ExecutarCargabal(
        {"verificar", "-m", "toledo-mgv6", "-e", "-", "--etiqueta", "2CCCCCCPPPPPD", "--peso-maximo", "0,0005"},
        Catalogo);
    EXPECT_EQ(peso.Saida, 2);
    EXPECT_THAT(peso.Erros, HasSubstr("peso máximo inválido \"0,0005\""));
}

}  // namespace
}  // namespace quelb::teste
