// Catalogues as stores export them (tests/cli/catalogos/): each one gives
// the same load as the clean catalogue, or is refused with the stated error
// at its place. None is read differently without a word.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "apoio/diretorio_temporario.h"
#include "processo.h"

namespace quelb::teste {
namespace {

namespace fs = std::filesystem;
using testing::HasSubstr;

const fs::path Catalogos = fs::path(QUELB_DIR_TESTES) / "cli" / "catalogos";

struct TCasoReal {
    const char* Arquivo;
    std::vector<std::string> Opcoes;
    // Empty: the load of limpo.csv. Otherwise what standard error must hold.
    std::vector<std::string> Erros;
};

void PrintTo(const TCasoReal& c, std::ostream* os) { *os << c.Arquivo; }

// The load of a catalogue for a model with texts, a sector file and prices.
TResultadoProcesso Gerar(const fs::path& ACatalogo, const DiretorioTemporario& ASaida,
                         const std::vector<std::string>& AOpcoes = {}) {
    std::vector<std::string> args = {"gerar", "-m", "filizola", "-e", ACatalogo.string(), "-s", ASaida.Utf8()};
    args.insert(args.end(), AOpcoes.begin(), AOpcoes.end());
    return ExecutarCargabal(args);
}

class CatalogoReal : public testing::TestWithParam<TCasoReal> {
protected:
    void SetUp() override {
        if (CaminhoCargabal().empty()) GTEST_SKIP() << "the cargabal command is not part of this build";
    }
};

TEST_P(CatalogoReal, DaACargaDoCatalogoLimpoOuOErroNoSeuLugar) {
    const TCasoReal& c = GetParam();
    DiretorioTemporario limpo, saida;
    ASSERT_EQ(Gerar(Catalogos / "limpo.csv", limpo).Saida, 0);
    const TResultadoProcesso r = Gerar(Catalogos / c.Arquivo, saida, c.Opcoes);
    if (c.Erros.empty()) {
        ASSERT_EQ(r.Saida, 0) << r.Erros;
        for (const auto& e : fs::directory_iterator(limpo.Caminho())) {
            const fs::path nome = e.path().filename();
            EXPECT_EQ(LerArquivo(saida.Caminho() / nome), LerArquivo(e.path())) << nome;
        }
        return;
    }
    EXPECT_EQ(r.Saida, 2);
    for (const std::string& e : c.Erros) EXPECT_THAT(r.Erros, HasSubstr(e));
    EXPECT_TRUE(fs::is_empty(saida.Caminho()));
}

INSTANTIATE_TEST_SUITE_P(Casos, CatalogoReal, testing::Values(
    TCasoReal{"limpo.json", {}, {}},
    TCasoReal{"cabecalho_solto.csv", {}, {}},
    TCasoReal{"sinonimos.csv", {}, {}},
    TCasoReal{"colunas_extras.csv", {}, {}},
    TCasoReal{"delimitador_no_fim.csv", {}, {}},
    TCasoReal{"sep_excel.csv", {}, {}},
    TCasoReal{"tabulacao.txt", {}, {}},
    TCasoReal{"numeros_br.csv", {}, {}},
    TCasoReal{"enumeracao_sem_prefixo.csv", {}, {}},
    TCasoReal{"windows1252.csv", {}, {}},
    TCasoReal{"windows1252.csv", {"--codificacao", "windows-1252"}, {}},
    TCasoReal{"bom_utf8.csv", {}, {}},
    TCasoReal{"texto_unicode.txt", {}, {}},
    TCasoReal{"virgula_e_ponto.csv", {}, {}},
    TCasoReal{"decomposto.json", {}, {}},
    TCasoReal{"decomposto.csv", {}, {}},
    TCasoReal{"codigos_em_texto.json", {}, {}},
    TCasoReal{"utf16.json", {}, {}},
    TCasoReal{"erro_misto.csv", {},
              {"erro_misto.csv: linha 3: bytes que não são UTF-8, num arquivo que tem UTF-8 na linha 2"}},
    TCasoReal{"erro_ponto_ambiguo.csv", {},
              {"erro_ponto_ambiguo.csv: linha 2, coluna ValorVenda: valor ambíguo \"1.500\"", "1500 ou 1,5"}},
    TCasoReal{"erro_ponto_decimal.csv", {},
              {"linha 3, coluna ValorVenda: valor ambíguo \"1.234\"",
               "linha 4, coluna ValorVenda: valor inválido \"12.5\" (neste arquivo o separador decimal é a vírgula)",
               "2 erros no catálogo; nada foi gravado"}},
    TCasoReal{"erro_ponto_decimal.csv", {"--decimal", "ponto"},
              {"linha 2, coluna ValorVenda: valor inválido \"12,90\" (neste arquivo o separador decimal é o ponto)"}},
    TCasoReal{"erro_planilha.xlsx", {}, {"planilha", "salve como CSV"}},
    TCasoReal{"erro_planilha_disfarcada.csv", {}, {"planilha", "salve como CSV"}},
    TCasoReal{"erro_nome_quase.csv", {},
              {"cabeçalho, coluna 2 \"Descricoa\": coluna desconhecida; quis dizer \"Descricao\"?"}},
    TCasoReal{"erro_chave_quase.json", {},
              {"produtos[0]: chave desconhecida \"ValorVeda\"; quis dizer \"ValorVenda\"? (linha 1, coluna 29)"}},
    TCasoReal{"erro_sem_preco.csv", {},
              {"nenhum produto informa ValorVenda, que é obrigatório; a coluna ignorada \"Preço Unit.\" seria "
               "ValorVenda?"}},
    TCasoReal{"erro_varios_precos.csv", {},
              {"linha 2, coluna ValorVenda: valor inválido \"12.1x\"", "linha 51, coluna ValorVenda",
               "... e mais 10 erros", "60 erros no catálogo"}}),
    [](const testing::TestParamInfo<TCasoReal>& i) {
        std::string nome = i.param.Arquivo;
        for (char& c : nome)
            if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
        return nome + (i.param.Opcoes.empty() ? "" : "_com_opcao");
    });

TEST(CatalogoRealAvisos, ColunasIgnoradasSaoNomeadasUmaVez) {
    if (CaminhoCargabal().empty()) GTEST_SKIP();
    DiretorioTemporario saida;
    const TResultadoProcesso r = Gerar(Catalogos / "colunas_extras.csv", saida);
    EXPECT_EQ(r.Saida, 0);
    EXPECT_THAT(r.Erros, HasSubstr("colunas_extras.csv: aviso: colunas ignoradas: \"Estoque\", \"Marca\"\n"));
}

}  // namespace
}  // namespace quelb::teste
