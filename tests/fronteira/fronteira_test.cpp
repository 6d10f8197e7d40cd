// Bad input at the boundary: every exported function fed null pointers,
// texts of megabytes, control characters and bytes the code page leaves
// undefined, prices that are not numbers or do not fit, and odd directory
// names. Each call must give its result text, and the library must work
// normally for the next host call.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <filesystem>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "apoio/diretorio_temporario.h"
#include "interface/exportadas.h"
#include "platform/plataforma.h"
#include "quelb/cargabal.h"

namespace quelb {
namespace {

namespace fs = std::filesystem;
using teste::DiretorioTemporario;
using teste::LerArquivo;

std::string R(const char* AResultado) { return AResultado ? AResultado : "(nulo)"; }

// The arguments of AdicionarItem, valid unless a case changes one.
struct TArgumentos {
    const char* etiqueta = "0";
    const char* tipo = "tpvPeso";
    const char* codigo = "1";
    const char* descricao = "Produto";
    const char* validade = "";
    const char* tecla = "";
    const char* setor = "0";
    const char* nomeSetor = "Setor";
    double preco = 1.0;
};

const char* Adicionar(const TArgumentos& a) {
    return AdicionarItem(a.etiqueta, a.tipo, a.codigo, a.descricao, a.validade, 0, a.tecla, a.setor, a.nomeSetor,
                         a.preco);
}

TQuelbCargaBalItem& Ultimo() {
    auto& produtos = GeradorCompartilhado()->Produtos();
    return produtos.GetItem(produtos.Count() - 1);
}

const std::string NaoInteiroVazio = "'' is not a valid integer value";
const std::string PrecoInvalido = "Invalid floating point operation";
const std::string InformeDiretorio = "Informe o diret\xF3rio onde ser\xE3o gerados os arquivos de carga!";
const std::string DiretorioNaoExiste = "Diretorio informado n\xE3o existe!";
const std::string ModeloDesconhecido = "Modelo de balan\xE7" "a desconhecido: \"";
const std::string TipoDesconhecido = "Tipo de venda desconhecido: \"";

struct TCaso {
    const char* caso;
    std::function<const char*()> chamar;
    std::string esperado;
    bool prefixo = false;                     // esperado is only the start of the result
    std::function<void()> conferir = nullptr;  // what the call left behind
};

class Fronteira : public testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_EQ(R(Inicializar("modFilizola")), "OK"); }

    // Filizola, one plain item, one generation: the library still works.
    void ContinuaUtilizavel() {
        ASSERT_EQ(R(Inicializar("modFilizola")), "OK");
        ASSERT_EQ(R(LimparItems()), "OK");
        ASSERT_EQ(R(Adicionar({})), "OK");
        DiretorioTemporario d;
        ASSERT_EQ(R(GerarArquivos(d.Utf8().c_str())), "OK");
        EXPECT_EQ(LerArquivo(d.Caminho() / "CADTXT.TXT"), "000001PProduto" + std::string(15, ' ') + "0000100000\r\n");
    }

    void Rodar(const std::vector<TCaso>& ACasos) {
        for (const TCaso& c : ACasos) {
            SCOPED_TRACE(c.caso);
            ASSERT_EQ(R(Inicializar("modFilizola")), "OK");
            ASSERT_EQ(R(LimparItems()), "OK");
            const std::string r = R(c.chamar());
            if (c.prefixo) {
                EXPECT_EQ(r.substr(0, c.esperado.size()), c.esperado) << r.substr(0, 200);
            } else if (r.size() > 1000 || c.esperado.size() > 1000) {
                EXPECT_TRUE(r == c.esperado) << "result of " << r.size() << " bytes: " << r.substr(0, 200);
            } else {
                EXPECT_EQ(r, c.esperado);
            }
            if (c.conferir) c.conferir();
            ContinuaUtilizavel();
        }
    }

    DiretorioTemporario dir;
};

TEST_F(Fronteira, NullPointers) {
    Rodar({
        {"model name", [] { return Inicializar(nullptr); }, ModeloDesconhecido + "\"", true},
        {"label model", [] { return Adicionar({.etiqueta = nullptr}); }, NaoInteiroVazio},
        {"sale type", [] { return Adicionar({.tipo = nullptr}); }, TipoDesconhecido + "\"", true},
        {"code", [] { return Adicionar({.codigo = nullptr}); }, NaoInteiroVazio},
        {"description", [] { return Adicionar({.descricao = nullptr}); }, "OK",
         false, [] { EXPECT_TRUE(Ultimo().Descricao.empty()); }},
        {"shelf life", [] { return Adicionar({.validade = nullptr}); }, "OK"},
        {"key", [] { return Adicionar({.tecla = nullptr}); }, "OK"},
        {"sector code", [] { return Adicionar({.setor = nullptr}); }, NaoInteiroVazio},
        {"sector name", [] { return Adicionar({.nomeSetor = nullptr}); }, "OK",
         false, [] { EXPECT_TRUE(Ultimo().Setor.Descricao.empty()); }},
        {"every text of AdicionarItem",
         [] { return AdicionarItem(nullptr, nullptr, nullptr, nullptr, nullptr, 0, nullptr, nullptr, nullptr, 0.0); },
         NaoInteiroVazio},
        {"directory", [] { return GerarArquivos(nullptr); }, InformeDiretorio},
    });
}

TEST_F(Fronteira, TextsOfMegabytes) {
    const size_t tamanho = 4 << 20;
    const std::string letras(tamanho, 'A'), digitos(tamanho, '9'), espacos(tamanho, ' ');
    const std::string espacosSete = espacos + "7";
    const std::string caminho = "/" + letras;
    std::string brancos(tamanho, ' ');
    for (size_t i = 0; i < brancos.size(); i += 3) brancos[i] = static_cast<char>(1 + i % 31);  // controls too
    const std::string pasta = dir.Utf8();
    Rodar({
        {"description, written cut to its field",
         [&] {
             EXPECT_EQ(R(Adicionar({.descricao = letras.c_str(), .nomeSetor = letras.c_str()})), "OK");
             return GerarArquivos(pasta.c_str());
         },
         "OK", false,
         [&] {
             EXPECT_EQ(Ultimo().Descricao.size(), tamanho);
             EXPECT_EQ(LerArquivo(dir.Caminho() / "CADTXT.TXT"), "000001P" + std::string(22, 'A') + "0000100000\r\n");
         }},
        {"code too long for an integer", [&] { return Adicionar({.codigo = digitos.c_str()}); },
         "'" + digitos + "' is not a valid integer value"},
        {"code after megabytes of spaces", [&] { return Adicionar({.codigo = espacosSete.c_str()}); }, "OK",
         false, [] { EXPECT_EQ(Ultimo().Codigo, 7); }},
        {"model name", [&] { return Inicializar(letras.c_str()); }, ModeloDesconhecido + "AAAA", true},
        {"sale type", [&] { return Adicionar({.tipo = letras.c_str()}); }, TipoDesconhecido + "AAAA", true},
        {"directory", [&] { return GerarArquivos(caminho.c_str()); }, DiretorioNaoExiste},
        {"directory of blanks and controls", [&] { return GerarArquivos(brancos.c_str()); }, InformeDiretorio},
    });
}

// Every byte from 0x01 to 0xFF, the five that Windows-1252 leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) among them, comes back unchanged.
TEST_F(Fronteira, ControlCharactersAndBytesOutsideTheCodePage) {
    std::string todos;
    for (int b = 1; b < 256; ++b) todos += static_cast<char>(b);
    const std::string controles = "\x01\x02\t\n\r\x1B\x7F\x81\x8D\x8F\x90\x9D";
    const std::string utf8 = "P\xC3\xA3o \xE2\x82\xAC";  // UTF-8 bytes are read as Windows-1252
    const std::string pasta = dir.Utf8();
    Rodar({
        {"description with every byte",
         [&] { return Adicionar({.descricao = todos.c_str(), .nomeSetor = todos.c_str()}); }, "OK", false,
         [&] {
             EXPECT_EQ(plataforma::ParaCodigoPagina(Ultimo().Descricao.Utf16()), todos);
             EXPECT_EQ(plataforma::ParaCodigoPagina(Ultimo().Setor.Descricao.Utf16()), todos);
         }},
        {"control characters written as they are",
         [&] {
             EXPECT_EQ(R(Adicionar({.descricao = controles.c_str()})), "OK");
             return GerarArquivos(pasta.c_str());
         },
         "OK", false,
         [&] {
             EXPECT_EQ(LerArquivo(dir.Caminho() / "CADTXT.TXT"),
                       "000001P" + controles + std::string(22 - controles.size(), ' ') + "0000100000\r\n");
         }},
        {"UTF-8 bytes", [&] { return Adicionar({.descricao = utf8.c_str()}); }, "OK", false,
         [&] { EXPECT_EQ(Ultimo().Descricao, u"P\u00C3\u00A3o \u00E2\u201A\u00AC"); }},
        {"sale type with controls", [&] { return Adicionar({.tipo = controles.c_str()}); },
         TipoDesconhecido + controles + "\"", true},
        {"model name with an undefined byte", [] { return Inicializar("mod\x81"); }, ModeloDesconhecido + "mod\x81\"",
         true},
        {"integer with an undefined byte", [] { return Adicionar({.codigo = "1\x81"}); },
         "'1\x81' is not a valid integer value"},
        {"integer with a tab", [] { return Adicionar({.codigo = "\t1"}); }, "'\t1' is not a valid integer value"},
    });
}

TEST_F(Fronteira, PricesThatAreNotNumbersOrDoNotFit) {
    struct {
        const char* caso;
        double preco;
        int64_t dezMilesimos;  // when accepted
        bool aceito;
    } precos[] = {
        {"NaN", std::numeric_limits<double>::quiet_NaN(), 0, false},
        {"signalling NaN", std::numeric_limits<double>::signaling_NaN(), 0, false},
        {"+infinity", std::numeric_limits<double>::infinity(), 0, false},
        {"-infinity", -std::numeric_limits<double>::infinity(), 0, false},
        {"+1e300", 1e300, 0, false},
        {"-1e300", -1e300, 0, false},
        {"largest double", DBL_MAX, 0, false},
        {"just past the 64-bit range", 922337203685478.0, 0, false},
        {"just inside it", 922337203685477.0, 9223372036854770000, true},
        {"-1e14", -1e14, -1000000000000000000, true},
        {"smallest denormal", std::numeric_limits<double>::denorm_min(), 0, true},
        {"-0.0", -0.0, 0, true},
    };
    std::vector<TCaso> casos;
    for (const auto& p : precos) {
        casos.push_back({p.caso, [&p] { return Adicionar({.codigo = "9", .preco = p.preco}); },
                         p.aceito ? "OK" : PrecoInvalido, false, [&p] {
                             EXPECT_EQ(Ultimo().Codigo, 9);  // set before the price
                             EXPECT_EQ(Ultimo().ValorVenda.DezMilesimos(), p.dezMilesimos);
                         }});
    }
    Rodar(casos);
}

TEST_F(Fronteira, DirectoryNames) {
    const fs::path comEspacos = dir.Caminho() / " carga  de teste ";
    const fs::path acentuada = dir.Caminho() / "balança ção";
    const fs::path indefinido = dir.Caminho() / "\xC2\x81";  // U+0081, byte 0x81 for the host
    const fs::path arquivo = dir.Caminho() / "arquivo";
    for (const auto& p : {comEspacos, acentuada, indefinido}) fs::create_directory(p);
    std::ofstream(arquivo) << "x";
    const std::string espacos = comEspacos.string(), barra = comEspacos.string() + "/",
                      acentos = dir.Utf8() + "/balan\xE7" "a \xE7\xE3o", byte81 = dir.Utf8() + "/\x81",
                      noArquivo = arquivo.string(), dentroDoArquivo = arquivo.string() + "/sub";
    const auto gravouEm = [](fs::path p) {
        return [p] {
            EXPECT_TRUE(fs::is_regular_file(p / "CADTXT.TXT")) << p;
            const auto& gerados = GeradorCompartilhado()->ArquivosGerados();
            ASSERT_FALSE(gerados.empty());
            EXPECT_EQ(gerados.front(), (p / "CADTXT.TXT").u16string());
        };
    };
    const auto gerar = [](const std::string& APasta) {
        return [&APasta] {
            EXPECT_EQ(R(Adicionar({})), "OK");
            return GerarArquivos(APasta.c_str());
        };
    };
    Rodar({
        {"spaces inside and around", gerar(espacos), "OK", false, gravouEm(comEspacos)},
        {"trailing delimiter", gerar(barra), "OK", false, gravouEm(comEspacos)},
        {"accents in the code page", gerar(acentos), "OK", false, gravouEm(acentuada)},
        {"a byte the code page leaves undefined", gerar(byte81), "OK", false, gravouEm(indefinido)},
        {"a file in place of the directory", gerar(noArquivo), DiretorioNaoExiste, false,
         [&] { EXPECT_EQ(LerArquivo(arquivo), "x"); }},
        {"below a file", gerar(dentroDoArquivo), DiretorioNaoExiste},
    });
}

}  // namespace
}  // namespace quelb
