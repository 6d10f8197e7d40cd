// The check from the command: "verificar" alone, and "gerar" checking first;
// exit codes, listings and files, from a real process on real files.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "apoio/diretorio_temporario.h"
#include "cli/processo.h"

namespace quelb::teste {
namespace {

using testing::HasSubstr;
using testing::Not;
namespace fs = std::filesystem;

// Two products whose seven-digit codes Toledo MGV6 cuts to the same six.
const std::string CodigosLongos =
    R"({"produtos": [{"Codigo": 1234567, "Descricao": "Queijo", "ValorVenda": 10},
                     {"Codigo": 1234568, "Descricao": "Presunto", "ValorVenda": 20}]})";
const std::string Limpo = R"({"produtos": [{"Codigo": 12, "Descricao": "Queijo", "ValorVenda": 10}]})";

std::vector<std::string> ArquivosEm(const fs::path& APasta) { return teste::NomesDaCarga(APasta); }

TEST(VerificarComando, ListsTheFindingsAndExitsThreeOnAnErro) {
    const TResultadoProcesso r = ExecutarCargabal({"verificar", "-m", "toledo-mgv6", "-e", "-"}, CodigosLongos);
    EXPECT_EQ(r.Saida, 3);
    EXPECT_THAT(r.SaidaPadrao, HasSubstr("erro: produtos[1] (código 1234568), Codigo: 1234568 fica com o código "
                                         "123456 em ITENSMGV.TXT, o mesmo de produtos[0] (código 1234567)\n"));
    EXPECT_THAT(r.Erros, HasSubstr("2 itens conferidos: 3 erros, 0 avisos."));

    const TResultadoProcesso limpo = ExecutarCargabal({"verificar", "-m", "toledo-mgv6", "-e", "-"}, Limpo);
    EXPECT_EQ(limpo.Saida, 0) << limpo.Erros;
    EXPECT_EQ(limpo.SaidaPadrao, "");
}

TEST(VerificarComando, AFindingOfACsvCatalogueNamesTheItemsLine) {
    const std::string csv = "Codigo;Descricao;ValorVenda\n12;Queijo;10\n1234567;Presunto;20\n";
    const TResultadoProcesso r = ExecutarCargabal({"verificar", "-m", "filizola", "-e", "-", "-f", "csv"}, csv);
    EXPECT_EQ(r.Saida, 3);
    EXPECT_THAT(r.SaidaPadrao, HasSubstr("erro: produtos[1] (código 1234567, linha 3), Codigo: 1234567 não cabe"));
}

TEST(GerarComando, AnErroStopsTheGenerationUnlessTheCutsAreAccepted) {
    DiretorioTemporario saida;
    const TResultadoProcesso r =
        ExecutarCargabal({"gerar", "-m", "toledo-mgv6", "-e", "-", "-s", saida.Utf8()}, CodigosLongos);
    EXPECT_EQ(r.Saida, 3);
    EXPECT_THAT(r.Erros, HasSubstr("erro: produtos[0] (código 1234567), Codigo: 1234567 não cabe nos 6 dígitos"));
    EXPECT_THAT(r.Erros, HasSubstr("a verificação achou 3 erros; nada foi gravado"));
    EXPECT_EQ(ArquivosEm(saida.Caminho()), std::vector<std::string>{});

    const TResultadoProcesso aceito = ExecutarCargabal(
        {"gerar", "-m", "toledo-mgv6", "-e", "-", "-s", saida.Utf8(), "--aceitar-cortes"}, CodigosLongos);
    EXPECT_EQ(aceito.Saida, 0) << aceito.Erros;
    EXPECT_THAT(aceito.Erros, HasSubstr("erro: produtos[0] (código 1234567)"));  // listed all the same
    EXPECT_EQ(ArquivosEm(saida.Caminho()), std::vector<std::string>{"ITENSMGV.TXT"});
}

TEST(GerarComando, FilesOfAnEarlierLoadAreNamedOrRemoved) {
    DiretorioTemporario saida;
    std::ofstream(saida.Caminho() / "TARA.TXT") << "0001000015Bandeja\r\n";
    const TResultadoProcesso r = ExecutarCargabal({"gerar", "-m", "toledo-mgv6", "-e", "-", "-s", saida.Utf8()}, Limpo);
    EXPECT_EQ(r.Saida, 0) << r.Erros;
    EXPECT_THAT(r.Erros, HasSubstr("aviso: o diretório tem um arquivo de uma carga anterior que esta não gravou "
                                   "(--limpar o remove): " +
                                   (saida.Caminho() / "TARA.TXT").string()));
    EXPECT_TRUE(fs::exists(saida.Caminho() / "TARA.TXT"));

    const TResultadoProcesso limpo =
        ExecutarCargabal({"gerar", "-m", "toledo-mgv6", "-e", "-", "-s", saida.Utf8(), "--limpar"}, Limpo);
    EXPECT_EQ(limpo.Saida, 0) << limpo.Erros;
    EXPECT_THAT(limpo.Erros, HasSubstr("removido o arquivo de uma carga anterior: "));
    EXPECT_EQ(ArquivosEm(saida.Caminho()), std::vector<std::string>{"ITENSMGV.TXT"});
}

TEST(GerarComando, ThePriceSeparatorOfUranoCanBeChosen) {
    for (const auto& [opcao, preco] : {std::pair{"virgula", "000010,00"}, std::pair{"ponto", "000010.00"}}) {
        DiretorioTemporario saida;
        const TResultadoProcesso r = ExecutarCargabal(
            {"gerar", "-m", "urano", "-e", "-", "-s", saida.Utf8(), "--separador-preco", opcao}, Limpo);
        ASSERT_EQ(r.Saida, 0) << r.Erros;
        std::ifstream arquivo(saida.Caminho() / "PRODUTOS.TXT", std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(arquivo)), std::istreambuf_iterator<char>());
        EXPECT_EQ(bytes.substr(28, 9), preco) << opcao;
    }
    const TResultadoProcesso errado =
        ExecutarCargabal({"gerar", "-m", "urano", "-e", "-", "-s", ".", "--separador-preco", "x"}, Limpo);
    EXPECT_EQ(errado.Saida, 2);
    EXPECT_THAT(errado.Erros, HasSubstr("separador de preço desconhecido \"x\""));
}

}  // namespace
}  // namespace quelb::teste
