// The cargabal command as a user runs it: a process, real files, exit
// status and messages.
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
using testing::Not;

const fs::path Exemplos = fs::path(QUELB_DIR_TESTES) / ".." / "exemplos";
constexpr int ProdutosNoExemplo = 42;

class Comando : public testing::Test {
protected:
    void SetUp() override {
        if (CaminhoCargabal().empty()) GTEST_SKIP() << "the cargabal command is not part of this build";
    }
};

std::vector<std::string> Linhas(const std::string& ATexto) {
    std::vector<std::string> r;
    size_t inicio = 0;
    for (size_t fim; (fim = ATexto.find('\n', inicio)) != std::string::npos; inicio = fim + 1)
        r.push_back(ATexto.substr(inicio, fim - inicio));
    return r;
}

std::vector<std::string> Arquivos(const fs::path& ADiretorio) { return teste::NomesDaCarga(ADiretorio); }

size_t ContarLinhas(const std::string& AConteudo) {
    size_t n = 0;
    for (size_t p = 0; (p = AConteudo.find("\r\n", p)) != std::string::npos; p += 2) ++n;
    return n;
}

struct TModelo {
    const char* Apelido;
    std::vector<std::string> Arquivos;  // in save order
    // The item file has one line per product (the Urano files are framed).
    bool LinhaPorProduto;
};

const std::vector<std::string> ArquivosMGV = {"ITENSMGV.TXT", "DEPTO.TXT", "TXINFO.TXT",
                                              "INFNUTRI.TXT", "TARA.TXT",  "TXFORN.TXT"};
const TModelo Modelos[] = {
    {"filizola", {"CADTXT.TXT", "SETORTXT.TXT", "REC_ASS.TXT", "NUTRI.TXT"}, true},
    {"toledo", {"TXITENS.TXT"}, true},
    {"urano", {"PRODUTOS.TXT"}, false},
    {"urano-s", {"PRODUTOS.TXT"}, false},
    {"toledo-mgv5", ArquivosMGV, true},
    {"toledo-mgv6", ArquivosMGV, true},
    {"urano-urf32",
     {"PRODUTOS.TXT", "RECEITAS.TXT", "INFORMACOESNUTRICIONAIS.TXT", "PRODUTOSINFORMACOESNUTRICIONAIS.TXT",
      "PRODUTOSRECEITAS.TXT"},
     true},
    {"ramuza", {"RAMUZA_ORIGINAL.TXT"}, true},
    {"toledo-mgv5-v1", ArquivosMGV, true},
};

class CadaModelo : public Comando, public testing::WithParamInterface<TModelo> {};

TEST_P(CadaModelo, CatalogoDeExemploGeraTodosOsArquivosDoModelo) {
    const TModelo& m = GetParam();
    DiretorioTemporario saida;
    const TResultadoProcesso r = ExecutarCargabal(
        {"gerar", "--modelo", m.Apelido, "--entrada", (Exemplos / "catalogo.json").string(), "--saida", saida.Utf8(),
         "--aceitar-cortes"});
    ASSERT_EQ(r.Saida, 0) << r.Erros;

    // Standard output: the full path of each file, in save order.
    std::vector<std::string> esperado;
    for (const std::string& a : m.Arquivos) esperado.push_back((saida.Caminho() / a).string());
    EXPECT_EQ(Linhas(r.SaidaPadrao), esperado);
    for (const std::string& caminho : esperado) EXPECT_GT(fs::file_size(caminho), 0u) << caminho;
    if (m.LinhaPorProduto) {
        EXPECT_EQ(ContarLinhas(LerArquivo(saida.Caminho() / m.Arquivos[0])), size_t{ProdutosNoExemplo});
    }
    // The summary, on standard error; no progress bar off a terminal.
    EXPECT_THAT(r.Erros, HasSubstr(std::to_string(ProdutosNoExemplo) + " itens, " +
                                   std::to_string(m.Arquivos.size()) + " arquivo"));
    EXPECT_THAT(r.Erros, Not(HasSubstr("\r")));
}

TEST_P(CadaModelo, JsonECsvDoMesmoCatalogoDaoOsMesmosBytes) {
    const TModelo& m = GetParam();
    DiretorioTemporario json, csv;
    ASSERT_EQ(ExecutarCargabal({"gerar", "-m", m.Apelido, "-e", (Exemplos / "catalogo.json").string(), "-s",
                                json.Utf8(), "--silencioso", "--aceitar-cortes"})
                  .Saida,
              0);
    ASSERT_EQ(ExecutarCargabal({"gerar", "-m", m.Apelido, "-e", (Exemplos / "catalogo.csv").string(), "-s",
                                csv.Utf8(), "--silencioso", "--aceitar-cortes"})
                  .Saida,
              0);
    ASSERT_EQ(Arquivos(json.Caminho()), Arquivos(csv.Caminho()));
    for (const std::string& a : Arquivos(json.Caminho()))
        EXPECT_EQ(LerArquivo(json.Caminho() / a), LerArquivo(csv.Caminho() / a)) << a;
}

INSTANTIATE_TEST_SUITE_P(Modelos, CadaModelo, testing::ValuesIn(Modelos),
                         [](const testing::TestParamInfo<TModelo>& i) {
                             std::string nome = i.param.Apelido;
                             std::replace(nome.begin(), nome.end(), '-', '_');
                             return nome;
                         });

TEST_F(Comando, ModeloPeloNomeDaEnumeracaoOuApelidoEmQualquerCaixa) {
    const std::string catalogo = R"({"produtos": [{"Codigo": 1, "Descricao": "Pão", "ValorVenda": 1}]})";
    for (const char* nome : {"modToledoMGV6", "TOLEDO-MGV6", "modtoledomgv6"}) {
        DiretorioTemporario saida;
        const TResultadoProcesso r = ExecutarCargabal({"gerar", "-m", nome, "-e", "-", "-s", saida.Utf8()}, catalogo);
        EXPECT_EQ(r.Saida, 0) << nome << ": " << r.Erros;
        EXPECT_THAT(r.SaidaPadrao, HasSubstr("ITENSMGV.TXT")) << nome;
    }
}

TEST_F(Comando, EntradaPadraoTemOFormatoDoPrimeiroCaractere) {
    DiretorioTemporario deArquivo, deJson, deCsv;
    const fs::path json = Exemplos / "catalogo.json", csv = Exemplos / "catalogo.csv";
    ASSERT_EQ(ExecutarCargabal({"gerar", "-m", "filizola", "-e", json.string(), "-s", deArquivo.Utf8()}).Saida, 0);
    ASSERT_EQ(ExecutarCargabal({"gerar", "-m", "filizola", "-e", "-", "-s", deJson.Utf8()}, LerArquivo(json)).Saida, 0);
    ASSERT_EQ(ExecutarCargabal({"gerar", "-m", "filizola", "-e", "-", "-s", deCsv.Utf8()}, LerArquivo(csv))
                  .Saida,
              0);
    for (const std::string& a : Arquivos(deArquivo.Caminho())) {
        EXPECT_EQ(LerArquivo(deJson.Caminho() / a), LerArquivo(deArquivo.Caminho() / a)) << a;
        EXPECT_EQ(LerArquivo(deCsv.Caminho() / a), LerArquivo(deArquivo.Caminho() / a)) << a;
    }
}

TEST_F(Comando, DiretorioRelativoListaCaminhosCompletos) {
    DiretorioTemporario saida;
    const fs::path anterior = fs::current_path();
    fs::current_path(saida.Caminho());
    const TResultadoProcesso r = ExecutarCargabal({"gerar", "-m", "urano", "-e", "-", "-s", "."},
                                                  R"([{"Codigo": 1, "Descricao": "a", "ValorVenda": 1}])");
    fs::current_path(anterior);
    ASSERT_EQ(r.Saida, 0) << r.Erros;
    const std::vector<std::string> linhas = Linhas(r.SaidaPadrao);
    ASSERT_EQ(linhas.size(), 1u);
    EXPECT_TRUE(fs::path(linhas[0]).is_absolute()) << linhas[0];
    EXPECT_TRUE(fs::exists(linhas[0])) << linhas[0];
}

TEST_F(Comando, SilenciosoNaoEscreveNadaNaSaidaDeErros) {
    DiretorioTemporario saida;
    const TResultadoProcesso r = ExecutarCargabal(
        {"gerar", "-m", "ramuza", "-e", (Exemplos / "catalogo.csv").string(), "-s", saida.Utf8(), "--silencioso",
         "--aceitar-cortes"});
    EXPECT_EQ(r.Saida, 0);
    EXPECT_EQ(r.Erros, "");
    EXPECT_THAT(r.SaidaPadrao, HasSubstr("RAMUZA_ORIGINAL.TXT"));
}

TEST_F(Comando, NoTerminalMostraALeituraEAGeracaoNumaLinhaDeLarguraFixa) {
    DiretorioTemporario saida;
    const TResultadoProcesso r = ExecutarCargabalNoTerminal(
        {"gerar", "-m", "toledo-mgv6", "-e", (Exemplos / "catalogo.json").string(), "-s", saida.Utf8()});
    EXPECT_EQ(r.Saida, 0) << r.Erros;
    EXPECT_THAT(r.Erros, HasSubstr("Lendo o catálogo [....................]   0%  0 bytes de "));
    EXPECT_THAT(r.Erros, HasSubstr("0/42 itens"));
    EXPECT_THAT(r.Erros, HasSubstr("100%  42/42 itens  gravando os arquivos"));
    EXPECT_THAT(r.Erros, HasSubstr("42 itens, 6 arquivos, 31 kB."));
    // No escape code: each drawing is a carriage return and 99 columns (the
    // terminal has 100), and the bar is erased with spaces.
    EXPECT_THAT(r.Erros, Not(HasSubstr("\x1b")));
    const std::string barra = r.Erros.substr(0, r.Erros.find(saida.Utf8()));
    size_t desenhos = 0;
    for (size_t p = barra.find('\r'); p != std::string::npos;) {
        const size_t proximo = barra.find('\r', p + 1);
        const std::string linha = barra.substr(p + 1, proximo == std::string::npos ? std::string::npos : proximo - p - 1);
        if (!linha.empty() && proximo != std::string::npos) {
            size_t colunas = 0;
            for (const char c : linha) colunas += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
            EXPECT_EQ(colunas, 99u) << linha;
            ++desenhos;
        }
        p = proximo;
    }
    EXPECT_GE(desenhos, 3u);

    const TResultadoProcesso silencioso = ExecutarCargabalNoTerminal(
        {"gerar", "-m", "toledo-mgv6", "-e", (Exemplos / "catalogo.json").string(), "-s", saida.Utf8(), "--silencioso"});
    EXPECT_EQ(silencioso.Saida, 0);
    EXPECT_THAT(silencioso.Erros, Not(HasSubstr("itens")));
}

TEST_F(Comando, ListaOsModelos) {
    const TResultadoProcesso r = ExecutarCargabal({"modelos"});
    ASSERT_EQ(r.Saida, 0);
    const std::vector<std::string> linhas = Linhas(r.SaidaPadrao);
    ASSERT_EQ(linhas.size(), 11u);  // a header and ten models
    EXPECT_THAT(linhas[1], testing::MatchesRegex("modFilizola +filizola +Filizola +CADTXT.TXT SETORTXT.TXT REC_ASS.TXT NUTRI.TXT"));
    EXPECT_THAT(linhas[2], testing::MatchesRegex("modToledo +toledo +Toledo +TXITENS.TXT"));
    EXPECT_THAT(linhas[4], testing::MatchesRegex("modUranoS +urano-s +Urano \\(S\\) +PRODUTOS.TXT"));
    EXPECT_THAT(linhas[9], testing::MatchesRegex("modToledoMGV5Ver1 +toledo-mgv5-v1 +\\(sem nome\\) +ITENSMGV.TXT .*"));
    EXPECT_THAT(linhas[10], testing::MatchesRegex("modToledoMGV7 +toledo-mgv7 +Toledo MGV7 +ITENSMGV.TXT .*"));
}

struct TCasoAjuda {
    std::vector<std::string> Args;
    int Saida;
    std::string Texto;  // expected in standard output (0) or error (2)
};

class Ajuda : public Comando, public testing::WithParamInterface<TCasoAjuda> {};

TEST_P(Ajuda, TextosEmPortugues) {
    const TResultadoProcesso r = ExecutarCargabal(GetParam().Args);
    EXPECT_EQ(r.Saida, GetParam().Saida);
    EXPECT_THAT(GetParam().Saida == 0 ? r.SaidaPadrao : r.Erros, HasSubstr(GetParam().Texto));
}

INSTANTIATE_TEST_SUITE_P(Casos, Ajuda, testing::Values(
    TCasoAjuda{{"--help"}, 0, "cargabal gerar --modelo MODELO --entrada CATALOGO --saida DIRETORIO"},
    TCasoAjuda{{"help"}, 0, "cargabal help [COMANDO]"},
    TCasoAjuda{{"help", "gerar"}, 0, "--codificacao COD"},
    TCasoAjuda{{"gerar", "--help"}, 0, "--silencioso"},
    TCasoAjuda{{"gerar", "-m", "toledo", "--help"}, 0, "--decimal SEP"},
    TCasoAjuda{{"modelos", "-h"}, 0, "Lista os modelos de balança"},
    TCasoAjuda{{"--version"}, 0, "cargabal 1."},
    TCasoAjuda{{}, 2, "Uso:"},
    TCasoAjuda{{"carregar"}, 2, "comando desconhecido \"carregar\""},
    TCasoAjuda{{"gera"}, 2, "comando desconhecido \"gera\"; quis dizer \"gerar\"?"},
    TCasoAjuda{{"help", "modelo"}, 2, "comando desconhecido \"modelo\"; quis dizer \"modelos\"?"},
    TCasoAjuda{{"--modelo", "toledo"}, 2, "o comando vem antes das opções"}));

// Bad arguments and bad catalogues: the status, the message, and nothing
// written.
struct TCasoErro {
    const char* Nome;
    std::vector<std::string> Args;  // "SAIDA" stands for the output directory
    std::string Catalogo;           // written to catalogo.<extensao> and given as --entrada
    std::string Extensao;
    int Saida;
    std::string Mensagem;
};

void PrintTo(const TCasoErro& c, std::ostream* os) { *os << c.Nome; }

class ErroDoComando : public Comando, public testing::WithParamInterface<TCasoErro> {};

TEST_P(ErroDoComando, SaidaMensagemENadaGravado) {
    const TCasoErro& c = GetParam();
    DiretorioTemporario temp;
    const fs::path saida = temp.Caminho() / "carga";
    fs::create_directory(saida);
    const fs::path catalogo = temp.Caminho() / ("catalogo." + c.Extensao);
    std::ofstream(catalogo, std::ios::binary) << c.Catalogo;
    std::vector<std::string> args = {"gerar"};
    bool temEntrada = false;
    for (const std::string& a : c.Args) {
        args.push_back(a == "SAIDA" ? saida.string() : a);
        temEntrada = temEntrada || a == "-e";
    }
    if (!temEntrada) args.insert(args.end(), {"-e", catalogo.string()});

    const TResultadoProcesso r = ExecutarCargabal(args);
    EXPECT_EQ(r.Saida, c.Saida) << r.Erros;
    EXPECT_THAT(r.Erros, HasSubstr(c.Mensagem));
    EXPECT_EQ(r.SaidaPadrao, "");
    EXPECT_TRUE(fs::is_empty(saida));
}

const std::string Valido = R"({"produtos": [{"Codigo": 1, "Descricao": "a", "ValorVenda": 1}]})";

INSTANTIATE_TEST_SUITE_P(Casos, ErroDoComando, testing::Values(
    TCasoErro{"ModeloDesconhecido", {"-m", "prix", "-s", "SAIDA"}, Valido, "json", 2,
              "modelo desconhecido \"prix\" (\"cargabal modelos\" lista"},
    TCasoErro{"ModeloQuaseCerto", {"-m", "toldo-mgv6", "-s", "SAIDA"}, Valido, "json", 2,
              "modelo desconhecido \"toldo-mgv6\"; quis dizer \"toledo-mgv6\"?"},
    TCasoErro{"ChaveQuaseCerta", {"-m", "toledo", "-s", "SAIDA"},
              R"({"produtos": [{"Codigo": 1, "Descricao": "a", "ValorVenda": 1, "Tecal": 2}]})", "json", 2,
              "catalogo.json: produtos[0]: chave desconhecida \"Tecal\"; quis dizer \"Tecla\"? (linha 1, coluna 64)"},
    TCasoErro{"NumeroRuimComOLugar", {"-m", "toledo", "-s", "SAIDA"},
              "{\"produtos\": [\n{\"Codigo\": 1, \"Descricao\": \"a\", \"ValorVenda\": 1},\n{\"Nutricional\": {\"Qtd\": \"abc\"}}]}",
              "json", 2,
              "produtos[1].Nutricional.Qtd: esperado inteiro de 32 bits, encontrado \"abc\" (linha 3, coluna 25)\n"
              "cargabal: "},
    TCasoErro{"JsonMalFormado", {"-m", "toledo", "-s", "SAIDA"}, "{\"produtos\": [\n{\"Codigo\": 1,}]}", "json", 2,
              "JSON inválido na linha 2"},
    TCasoErro{"CsvValorInvalido", {"-m", "toledo", "-s", "SAIDA"}, "Codigo;Descricao;ValorVenda\n1;a;2\n2;b;12,5,0\n",
              "csv", 2, "catalogo.csv: linha 3, coluna ValorVenda: valor inválido \"12,5,0\""},
    TCasoErro{"FormatoPeloConteudo", {"-m", "toledo", "-s", "SAIDA"}, "Codigo;Descricao;Valor Venda\n1;a;2,5\nx;b;1\n",
              "txt", 2, "catalogo.txt: linha 3, coluna Codigo: esperado inteiro de 32 bits, encontrado \"x\""},
    TCasoErro{"EntradaInexistente", {"-m", "toledo", "-s", "SAIDA", "-e", "/nao/existe.json"}, "", "json", 2,
              "não foi possível ler \"/nao/existe.json\": arquivo não encontrado"},
    TCasoErro{"EntradaDiretorio", {"-m", "toledo", "-s", "SAIDA", "-e", "/tmp"}, "", "json", 2,
              "não foi possível ler \"/tmp\": é um diretório"},
    TCasoErro{"FaltaSaida", {"-m", "toledo"}, Valido, "json", 2, "falta a opção --saida"},
    TCasoErro{"FaltaModelo", {"-s", "SAIDA"}, Valido, "json", 2, "falta a opção --modelo"},
    TCasoErro{"OpcaoSemValor", {"-s", "SAIDA", "-e", "-", "-m"}, Valido, "json", 2, "falta o valor da opção --modelo"},
    TCasoErro{"OpcaoComValorQueParaceOpcao", {"-m", "toledo", "-s", "--silencioso"}, Valido, "json", 2,
              "falta o valor da opção --saida: \"--silencioso\" é uma opção"},
    TCasoErro{"OpcaoRepetida", {"-m", "toledo", "--modelo=urano", "-s", "SAIDA"}, Valido, "json", 2,
              "a opção --modelo foi dada mais de uma vez"},
    TCasoErro{"OpcaoColadaRepetida", {"-mtoledo", "--mod", "urano", "-s", "SAIDA"}, Valido, "json", 2,
              "a opção --modelo foi dada mais de uma vez"},
    TCasoErro{"OpcaoDesconhecida", {"-m", "toledo", "-s", "SAIDA", "--rapido"}, Valido, "json", 2,
              "opção desconhecida \"--rapido\""},
    TCasoErro{"OpcaoQuaseCerta", {"-m", "toledo", "-s", "SAIDA", "--silencoso"}, Valido, "json", 2,
              "opção desconhecida \"--silencoso\"; quis dizer \"--silencioso\"?"},
    TCasoErro{"OpcaoQuaseCertaComValor", {"-m", "toledo", "-s", "SAIDA", "--formatp=csv"}, Valido, "json", 2,
              "opção desconhecida \"--formatp\"; quis dizer \"--formato\"?"},
    TCasoErro{"ArgumentoDepoisDeDoisTracos", {"-m", "toledo", "-s", "SAIDA", "--", "-x"}, Valido, "json", 2,
              "argumento inesperado \"-x\""},
    TCasoErro{"FormatoDesconhecido", {"-m", "toledo", "-s", "SAIDA", "-f", "xml"}, Valido, "json", 2,
              "formato desconhecido \"xml\""},
    TCasoErro{"CodificacaoDesconhecida", {"-m", "toledo", "-s", "SAIDA", "--codificacao", "latin9"}, Valido, "json", 2,
              "codificação desconhecida \"latin9\""},
    TCasoErro{"DecimalDesconhecido", {"-m", "toledo", "-s", "SAIDA", "--decimal=virgla"}, Valido, "json", 2,
              "separador decimal desconhecido \"virgla\""},
    TCasoErro{"EsperaInvalida", {"-m", "toledo", "-s", "SAIDA", "--espera", "dez"}, Valido, "json", 2,
              "tempo de espera inválido \"dez\" (use segundos, de 0 a 86400)"},
    TCasoErro{"DiretorioInexistente", {"-m", "toledo", "-s", "/nao/existe"}, Valido, "json", 1,
              "cargabal: o diretório de saída \"/nao/existe\" não existe"},
    TCasoErro{"DiretorioEmBranco", {"-m", "toledo", "-s", "  "}, Valido, "json", 2,
              "cargabal: o diretório de saída (--saida) está em branco"},
    TCasoErro{"CatalogoSemProdutos", {"-m", "toledo", "-s", "SAIDA"}, R"({"produtos": []})", "json", 1,
              "cargabal: o catálogo não tem produtos"}),
    [](const testing::TestParamInfo<TCasoErro>& i) { return std::string(i.param.Nome); });

TEST_F(Comando, ArquivoQueNaoPodeSerCriadoDaOCaminhoEOMotivoESaida1) {
    DiretorioTemporario saida;
    // A directory where the item file should go: it cannot be created, even by root.
    fs::create_directory(saida.Caminho() / "CADTXT.TXT");
    const TResultadoProcesso r = ExecutarCargabal({"gerar", "-m", "filizola", "-e", "-", "-s", saida.Utf8()}, Valido);
    EXPECT_EQ(r.Saida, 1);
    EXPECT_THAT(r.Erros, HasSubstr("cargabal: não foi possível criar o arquivo \"" +
                                   (saida.Caminho() / "CADTXT.TXT").string() + "\": "));
    EXPECT_EQ(r.SaidaPadrao, "");
}

}  // namespace
}  // namespace quelb::teste
