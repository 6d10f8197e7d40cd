// The HTML report (--relatorio) of "ler", "verificar" and "gerar": the
// counts by kind, every finding with its record and the field marked, all
// text escaped; written even when the command exits with findings, and a
// report that cannot be written is an error. Then the page as a browser
// shows it, in headless Chromium.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "apoio/diretorio_temporario.h"
#include "cli/processo.h"

namespace quelb::teste {
namespace {

using testing::HasSubstr;
using testing::Not;
namespace fs = std::filesystem;

std::string Conteudo(const fs::path& ACaminho) {
    std::ifstream f(ACaminho, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

size_t Ocorrencias(const std::string& ATexto, const std::string& AParte) {
    size_t n = 0;
    for (size_t p = ATexto.find(AParte); p != std::string::npos; p = ATexto.find(AParte, p + 1)) ++n;
    return n;
}

// An ITENSMGV.TXT record of MGV6 (150 characters) in sector 01, by weight,
// validity 5 days, without companion records; DV (column 85) as given.
std::string ItemMGV6(const std::string& ACodigo, const std::string& APreco, std::string ADescricao, char ADV = '1') {
    ADescricao.resize(50, ' ');
    return "01" "0" + ACodigo + APreco + "005" + ADescricao + "000000" "0000" "000000" + ADV + "1" "0000" +
           std::string(12, '0') + std::string(11, '0') + "0" "0000" "0000" + std::string(16, '0') + std::string(12, '0');
}

// A load with known faults: a price that is not a number (columns 10 to
// 15), a DV that is neither 0 nor 1, the department file missing; texts to escape, a
// control character and Windows-1252 accents.
const std::string Carga = ItemMGV6("000001", "001490", "PAO") + "\r\n" +
                          ItemMGV6("000002", "0<&>X5", "QUEIJO <MINAS> & \"FRESCAL\"") + "\r\n" +
                          ItemMGV6("000003", "000990", "MA\xC7\xC3\x01", 'x') + "\r\n";

TEST(Relatorio, LerWritesTheCountsAndEveryFindingWithItsFieldMarked) {
    DiretorioTemporario d;
    std::ofstream(d.Caminho() / "ITENSMGV.TXT", std::ios::binary) << Carga;
    const fs::path relatorio = d.Caminho() / "relatorio.html";
    const TResultadoProcesso r =
        ExecutarCargabal({"ler", "-e", d.Utf8(), "--relatorio", relatorio.string(), "--silencioso"});
    EXPECT_EQ(r.Saida, 4) << r.Erros;  // written with the load's erro all the same
    const std::string h = Conteudo(relatorio);
    ASSERT_FALSE(h.empty());

    // The counts by kind, erros first, each linked to its first finding.
    EXPECT_THAT(h, HasSubstr("<b>2</b> erros</div>"));
    EXPECT_THAT(h, HasSubstr("<b>1</b> aviso</div>"));
    EXPECT_THAT(h, HasSubstr("<tr><td class=\"n\">1</td><td class=\"gr\"><span class=\"g erro\">erro</span></td><td><a "
                             "href=\"#a0\">campo preco: &quot;…&quot; não é um número</a></td></tr>"));
    EXPECT_THAT(h, HasSubstr("<a href=\"#a1\">campo DV, imprime data de validade: &quot;…&quot; não é um código deste campo"));
    // Every finding, the avisos too (--silencioso lists none of them).
    EXPECT_EQ(Ocorrencias(h, "<article class=\"achado "), 3u);
    // The field marked within its record, with its name and columns.
    EXPECT_THAT(h, HasSubstr("ITENSMGV.TXT, linha 2, coluna 10"));
    EXPECT_THAT(h, HasSubstr("Campo marcado: <b>preco</b> (colunas 10 a 15; ValorVenda no catálogo)"));
    EXPECT_THAT(h, HasSubstr("<mark>0&lt;&amp;&gt;X5</mark>"));
    EXPECT_THAT(h, HasSubstr("Campo marcado: <b>DV, imprime data de validade</b> (coluna 85; Toledo.DV no catálogo)"));
    EXPECT_THAT(h, HasSubstr("<mark>x</mark>"));
    // Texts escaped; the file's bytes as the reader decoded them
    // (Windows-1252), a control character by its visible symbol.
    EXPECT_THAT(h, HasSubstr("campo preco: &quot;0&lt;&amp;&gt;X5&quot; não é um número</p>"));
    EXPECT_THAT(h, HasSubstr("&lt;MINAS&gt;<span class=\"esp\">·</span>&amp;<span class=\"esp\">·</span>&quot;FRESCAL&quot;"));
    EXPECT_THAT(h, Not(HasSubstr("<MINAS>")));
    EXPECT_THAT(h, Not(HasSubstr("0<&")));
    EXPECT_THAT(h, HasSubstr("MAÇÃ\u2401"));
    // Nothing from outside the page.
    EXPECT_THAT(h, Not(HasSubstr("http")));
    EXPECT_THAT(h, Not(HasSubstr("<script")));
}

TEST(Relatorio, VerificarAndGerarMarkTheItemsProperty) {
    DiretorioTemporario d;
    const std::string catalogo =
        R"([{"Codigo": 1234567, "Descricao": "Queijo <minas> & \"frescal\"", "ValorVenda": 12.5},
            {"Codigo": 8, "Descricao": "Pão", "ValorVenda": 1}])";
    for (const char* comando : {"verificar", "gerar"}) {
        SCOPED_TRACE(comando);
        const fs::path relatorio = d.Caminho() / (std::string(comando) + ".html");
        std::vector<std::string> args = {comando, "-m", "toledo-mgv6", "-e", "-", "--relatorio", relatorio.string()};
        if (std::string(comando) == "gerar") args.insert(args.end(), {"-s", d.Utf8()});
        const TResultadoProcesso r = ExecutarCargabal(args, catalogo);
        EXPECT_EQ(r.Saida, 3) << r.Erros;
        const std::string h = Conteudo(relatorio);
        EXPECT_THAT(h, HasSubstr("Relatório do <code>cargabal " + std::string(comando) + "</code>"));
        EXPECT_THAT(h, HasSubstr("produtos[0] (código 1234567)"));
        EXPECT_THAT(h, HasSubstr("<tr class=\"marcado\"><th>Codigo</th><td>1234567</td>"));
        EXPECT_THAT(h, HasSubstr("<tr><th>ValorVenda</th><td>12,5</td>"));
        EXPECT_THAT(h, HasSubstr("&quot;Queijo &lt;minas&gt; &amp; &quot;frescal&quot;&quot;"));
        EXPECT_EQ(Ocorrencias(h, "<article class=\"achado "), 1u);
    }
    EXPECT_FALSE(fs::exists(d.Caminho() / "ITENSMGV.TXT"));  // gerar stopped at the erro
}

// A finding about the whole catalogue (records left to the scale software)
// names no item, neither listed nor in the report, though the catalogue is
// CSV and its items have lines.
TEST(Relatorio, AFindingAboutTheCatalogueNamesNoItem) {
    DiretorioTemporario d;
    const fs::path relatorio = d.Caminho() / "verificar.html";
    const std::string csv = "Codigo;Descricao;ValorVenda;CodigoTara\n12;Queijo;10;4\n13;Presunto;20;4\n";
    const TResultadoProcesso r = ExecutarCargabal(
        {"verificar", "-m", "toledo-mgv6", "-e", "-", "-f", "csv", "--relatorio", relatorio.string()}, csv);
    EXPECT_EQ(r.Saida, 0) << r.Erros;
    const std::string aviso = "CodigoTara: 2 itens citam 1 código (4) cujo registro o catálogo não traz: TARA.TXT fica "
                              "sem eles, e valem os registros que o programa da balança já tem";
    EXPECT_EQ(r.SaidaPadrao, "aviso: catálogo, " + aviso + "\n");
    const std::string h = Conteudo(relatorio);
    EXPECT_THAT(h, HasSubstr("<span class=\"lugar\">catálogo</span></div><p class=\"msg\">" + aviso + "</p>"));
    EXPECT_THAT(h, Not(HasSubstr("produtos[")));
    EXPECT_THAT(h, Not(HasSubstr("O item")));
}

// A report that cannot be written: a message and exit 1; gerar writes no load.
TEST(Relatorio, AReportThatCannotBeWrittenIsAnError) {
    DiretorioTemporario d;
    std::ofstream(d.Caminho() / "ITENSMGV.TXT", std::ios::binary) << Carga;
    const std::string semPasta = (d.Caminho() / "nao" / "existe.html").string();
    const std::string catalogo = R"([{"Codigo": 8, "Descricao": "Pão", "ValorVenda": 1}])";
    DiretorioTemporario saida;
    const struct {
        std::vector<std::string> Args;
        std::string Entrada;
    } casos[] = {
        {{"ler", "-e", d.Utf8(), "-s", (d.Caminho() / "lido.json").string()}, ""},
        {{"verificar", "-m", "toledo-mgv6", "-e", "-"}, catalogo},
        {{"gerar", "-m", "toledo-mgv6", "-e", "-", "-s", saida.Utf8()}, catalogo},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.Args[0]);
        std::vector<std::string> args = c.Args;
        args.insert(args.end(), {"--relatorio", semPasta});
        const TResultadoProcesso r = ExecutarCargabal(args, c.Entrada);
        EXPECT_EQ(r.Saida, 1);
        EXPECT_THAT(r.Erros, HasSubstr("cargabal: não foi possível gravar o relatório \"" + semPasta + "\": a pasta não existe\n"));
    }
    EXPECT_TRUE(fs::exists(d.Caminho() / "lido.json"));  // ler writes its catalogue all the same
    EXPECT_FALSE(fs::exists(saida.Caminho() / "ITENSMGV.TXT"));
}

const fs::path CargaDaLoja = fs::path(QUELB_DIR_TESTES) / ".." / "exemplos" / "carga-loja";

// The migration the README shows: the store's load read with its findings,
// then written as a Toledo MGV7 load.
TEST(Relatorio, TheStoreLoadOfTheReadmeMigratesToMgv7) {
    DiretorioTemporario d;
    const fs::path catalogo = d.Caminho() / "produtos.json";
    const TResultadoProcesso lido = ExecutarCargabal({"ler", "-e", CargaDaLoja.string(), "-s", catalogo.string()});
    EXPECT_EQ(lido.Saida, 4);
    EXPECT_THAT(lido.Erros, HasSubstr("ITENSMGV.TXT:5:16: erro: campo validade: \"0O0\" não é um número\n"));
    EXPECT_THAT(lido.Erros, HasSubstr("\ntoledo-mgv6: 10 itens lidos de 1 arquivo; 2 erros, 1 aviso.\n"));
    const TResultadoProcesso gerado =
        ExecutarCargabal({"gerar", "-m", "toledo-mgv7", "-e", catalogo.string(), "-s", d.Utf8(), "--silencioso"});
    EXPECT_EQ(gerado.Saida, 0) << gerado.Erros;
    EXPECT_THAT(Conteudo(d.Caminho() / "ITENSMGV.TXT"), HasSubstr("PRESUNTO COZIDO SADIA"));
    // The banana, listed under department 00 too, keeps both lines.
    EXPECT_THAT(Conteudo(d.Caminho() / "ITENSMGV.TXT"), HasSubstr("030000311000649000BANANA PRATA"));
    EXPECT_THAT(Conteudo(d.Caminho() / "ITENSMGV.TXT"), HasSubstr("000000311000649000BANANA PRATA"));
}

// The report of a store's load (exemplos/carga-loja) as Chromium renders it:
// a screenshot, left in the build tree as relatorio-carga-loja-<LANG>.png
// for a person to look at.
TEST(Relatorio, ChromiumRendersTheReportOfAStoreLoad) {
    const char* navegadores[] = {"/usr/bin/chromium", "/usr/bin/chromium-browser"};
    std::string navegador;
    for (const char* n : navegadores)
        if (fs::exists(n)) navegador = n;
    if (navegador.empty()) GTEST_SKIP() << "chromium não está instalado (scripts/instalar-dependencias.sh testes o instala)";
    DiretorioTemporario d;
    const fs::path relatorio = d.Caminho() / "relatorio.html";
    EXPECT_EQ(ExecutarCargabal({"ler", "-e", CargaDaLoja.string(), "--relatorio", relatorio.string(), "--silencioso"}).Saida, 4);
    const char* idioma = std::getenv("LANG");
    const fs::path tela = fs::current_path() / ("relatorio-carga-loja-" + std::string(idioma ? idioma : "C") + ".png");
    fs::remove(tela);
    // No network, no profile of the user's, no sandbox (tests may run as root).
    const std::string comando = navegador + " --headless --no-sandbox --disable-gpu --hide-scrollbars --no-first-run" +
                                " --disable-background-networking --user-data-dir=" + (d.Caminho() / "perfil").string() +
                                " --window-size=1100,1400 --screenshot=" + tela.string() + " file://" +
                                relatorio.string() + " >" + (d.Caminho() / "chromium.log").string() + " 2>&1";
    ASSERT_EQ(std::system(comando.c_str()), 0) << Conteudo(d.Caminho() / "chromium.log");
    const std::string png = Conteudo(tela);
    ASSERT_GT(png.size(), 24u);
    EXPECT_EQ(png.substr(0, 8), "\x89PNG\r\n\x1a\n");
    // Width and height from the IHDR chunk, big-endian.
    const auto Inteiro = [&](size_t p) {
        return (static_cast<uint32_t>(static_cast<unsigned char>(png[p])) << 24) |
               (static_cast<uint32_t>(static_cast<unsigned char>(png[p + 1])) << 16) |
               (static_cast<uint32_t>(static_cast<unsigned char>(png[p + 2])) << 8) |
               static_cast<uint32_t>(static_cast<unsigned char>(png[p + 3]));
    };
    EXPECT_EQ(Inteiro(16), 1100u);
    EXPECT_EQ(Inteiro(20), 1400u);
    // A page with text and colours compresses far less than a blank one.
    EXPECT_GT(png.size(), 50'000u);
}

}  // namespace
}  // namespace quelb::teste
