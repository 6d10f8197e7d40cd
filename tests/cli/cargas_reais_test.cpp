// Real loads that stores and other programs wrote (../shared/realworld, one
// folder per source, read where they are and never copied here): cargabal
// ler reads each with the number of items it has, and with only the erros
// listed below, each a true defect of its file.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>
#include <unordered_map>

#include "apoio/diretorio_temporario.h"
#include "catalogue/texto.h"
#include "generator/modelos.h"
#include "processo.h"

namespace quelb::teste {
namespace {

namespace fs = std::filesystem;

const fs::path PastaReais = fs::path(QUELB_DIR_TESTES) / ".." / ".." / "shared" / "realworld";

struct TCargaReal {
    const char* Pasta;
    const char* Modelo;  // as detected
    int Itens;
    int Erros;
    const char* Motivo;  // of the erros that remain
};

void PrintTo(const TCargaReal& c, std::ostream* os) { *os << c.Pasta; }

// clang-format off
const TCargaReal Cargas[] = {
    {"Caio-Victorr__SistemaBalanca", "filizola", 1, 1, "CADTXT.TXT: the record is 3 characters short"},
    {"Caio-Victorr__SistemaBalancaOld", "filizola", 2, 4, "CADTXT.TXT: both records 3 characters short, sale type \"u\""},
    {"JonataSouzacz__BalancaCompleta", "filizola", 2, 0, ""},
    {"Lucas-Isabel__Lucasbyte.github.io", "toledo-mgv7", 3361, 0, ""},
    {"Lucas-Isabel__PY-CLIPSE-DEKTOP", "toledo", 2980, 0, ""},
    {"VinexTrida__television_with_butcher_shop_prices", "toledo-mgv6", 1931, 0, ""},
    {"carloscz17__balance_project_complete", "filizola", 2, 6, "CADTXT.txt: records of 57 and 59 characters, price and validity blank"},
    {"gabriellriicardo__geradordeplaca", "toledo", 447, 0, ""},
    {"ggk3__PublicidadeMouro", "toledo-mgv6", 1143, 0, ""},
    {"gustavbarbosaa__balancas_java", "filizola", 1, 1, "CADTXT.TXT: a record of 41 characters"},
    {"heitordiasdev__Projeto-Software-de-Balanca-Completo", "filizola", 2, 0, ""},
    {"leandrocatolicacz__sftw-balanca", "filizola", 1, 0, ""},
    {"tomazcpv__acougue-painel", "toledo-mgv7", 691, 0, ""},
    {"tomazcpv__acougue-painel@132b70c", "toledo", 689, 0, ""},
    {"tomazcpv__acougue-painel@f9c1794", "toledo-mgv7", 691, 3, "line 342: a description 10 characters short shifts every later field (its width, the mark and the department list that moved)"},
    {"trrint__balanca-completo", "filizola", 2, 8, "CADTXT.txt: records of 57 and 59 characters, sale type \"*\", price and validity blank"},
    {"trrint__shop_products", "filizola", 1, 0, ""},
};
// clang-format on

std::string Maiusculas(std::string t) {
    for (char& ch : t) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    return t;
}
std::string LerTexto(const std::string& ACaminho) {
    std::ifstream f(ACaminho, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

class CargaReal : public testing::TestWithParam<TCargaReal> {
protected:
    void SetUp() override {
        if (CaminhoCargabal().empty()) GTEST_SKIP() << "the cargabal command is not part of this build";
        if (!fs::is_directory(PastaReais / GetParam().Pasta))
            GTEST_SKIP() << "the real loads are not beside the project (" << (PastaReais / GetParam().Pasta).string()
                         << "): they are read where they are, never copied here";
    }
};

TEST_P(CargaReal, ReadsWithOnlyItsTrueErros) {
    const TCargaReal& c = GetParam();
    const TResultadoProcesso r = ExecutarCargabal({"ler", "-e", (PastaReais / c.Pasta).string(), "-s", "-"});
    std::smatch m;
    ASSERT_TRUE(std::regex_search(r.Erros, m, std::regex(R"(\n([a-z0-9-]+): (\d+) ite[mn]s? lidos? de \d+ arquivos?; (\d+) erros?)")))
        << r.Erros;
    EXPECT_EQ(m[1].str(), c.Modelo);
    EXPECT_EQ(std::stoi(m[2].str()), c.Itens);
    EXPECT_EQ(std::stoi(m[3].str()), c.Erros) << c.Motivo;
    EXPECT_EQ(r.Saida, c.Erros > 0 ? 4 : 0);
}

// A store migrating keeps its records in the scale software: ler then gerar
// with the same model writes no file the folder did not have (no table of
// zeros, no department of blank names), and reading that load gives the
// same catalogue back, every cited code as the store wrote it.
TEST_P(CargaReal, ReadThenGeneratedInventsNoRecordAndKeepsTheCodes) {
    const TCargaReal& c = GetParam();
    const fs::path origem = PastaReais / c.Pasta;
    teste::DiretorioTemporario pasta;
    const std::string lido = (pasta.Caminho() / "lido.json").string(), denovo = (pasta.Caminho() / "denovo.json").string();
    const fs::path carga = pasta.Caminho() / "carga";
    fs::create_directory(carga);
    ExecutarCargabal({"ler", "-m", c.Modelo, "-e", origem.string(), "-s", lido});
    const TResultadoProcesso g =
        ExecutarCargabal({"gerar", "-m", c.Modelo, "-e", lido, "-s", carga.string(), "--aceitar-cortes", "--silencioso"});
    if (g.Saida == 2) GTEST_SKIP() << "a value the catalogue needs could not be read: " << g.Erros;
    ASSERT_EQ(g.Saida, 0) << g.Erros;
    // The item file of the model, and the files the folder had.
    std::set<std::string> daPasta;
    for (const TDefinicaoModelo& m : Modelos())
        if (m.Apelido == c.Modelo) daPasta.insert(ParaUtf8(m.Arquivos[0].Nome));
    for (const fs::directory_entry& e : fs::directory_iterator(origem)) daPasta.insert(Maiusculas(e.path().filename().string()));
    for (const fs::directory_entry& e : fs::directory_iterator(carga))
        EXPECT_TRUE(daPasta.count(e.path().filename().string())) << e.path().filename().string() << " was invented";
    // A damaged load has values that could not be read, which the new load
    // writes as defaults: only a clean one reads back the same.
    if (c.Erros > 0) return;
    const TResultadoProcesso r = ExecutarCargabal({"ler", "-m", c.Modelo, "-e", carga.string(), "-s", denovo});
    EXPECT_EQ(r.Saida, 0) << r.Erros.substr(0, 2000);
    std::istringstream antes(LerTexto(lido)), depois(LerTexto(denovo));
    std::string a, b;
    for (int linha = 1; std::getline(antes, a); ++linha) {
        ASSERT_TRUE(std::getline(depois, b)) << "the catalogue read again ends at line " << linha;
        ASSERT_EQ(b, a) << "line " << linha << " of the catalogue";
    }
    EXPECT_FALSE(std::getline(depois, b)) << "the catalogue read again is longer";
}

// A load file's lines in the normal form that gerar writes: no empty line
// nor end mark (0x1A), without the line ends and the spaces that pad a
// record to its width.
std::vector<std::string> LinhasNormais(const fs::path& AArquivo) {
    std::istringstream texto(LerTexto(AArquivo.string()));
    std::vector<std::string> r;
    for (std::string linha; std::getline(texto, linha);) {
        while (!linha.empty() && (linha.back() == '\r' || linha.back() == ' ')) linha.pop_back();
        if (!linha.empty() && linha != "\x1a") r.push_back(linha);
    }
    return r;
}

// The lines of a file with the lines of one item under several departments
// (the same but for the department, in their first two columns) after the
// first of them, as a generation writes them; the others in their order.
std::vector<std::string> ItensJuntos(const std::vector<std::string>& ALinhas) {
    std::vector<std::vector<std::string>> grupos;
    std::unordered_map<std::string, size_t> grupoDe;
    for (const std::string& l : ALinhas) {
        const auto [g, novo] = grupoDe.try_emplace(l.size() > 2 ? l.substr(2) : l, grupos.size());
        if (novo) grupos.emplace_back();
        grupos[g->second].push_back(l);
    }
    std::vector<std::string> r;
    for (const std::vector<std::string>& g : grupos) r.insert(r.end(), g.begin(), g.end());
    return r;
}

// The regenerated line is the original one, or the original one completed to
// the record's full width with the zeros of the columns it lacked (the MGV7
// record of 260 characters without G1, PG and PPPPPP).
bool MesmaLinha(const std::string& AAntes, const std::string& ADepois) {
    return ADepois.compare(0, AAntes.size(), AAntes) == 0 &&
           ADepois.find_first_not_of('0', AAntes.size()) == std::string::npos;
}

// ler then gerar with the model read gives back each file of the folder that
// the model writes, line for line: every value and every vendor column as
// the store wrote it. A folder with true defects is left out, since its
// damaged lines cannot come back.
TEST_P(CargaReal, ReadThenGeneratedGivesEachFileBackLineForLine) {
    const TCargaReal& c = GetParam();
    if (c.Erros > 0) GTEST_SKIP() << "the folder has true defects: " << c.Motivo;
    const fs::path origem = PastaReais / c.Pasta;
    teste::DiretorioTemporario pasta;
    const std::string lido = (pasta.Caminho() / "lido.json").string();
    const fs::path carga = pasta.Caminho() / "carga";
    fs::create_directory(carga);
    ExecutarCargabal({"ler", "-m", c.Modelo, "-e", origem.string(), "-s", lido});
    const TResultadoProcesso g = ExecutarCargabal({"gerar", "-m", c.Modelo, "-e", lido, "-s", carga.string(), "--silencioso"});
    ASSERT_EQ(g.Saida, 0) << g.Erros.substr(0, 2000);
    // Each file by its name; a folder's only file, read as the item file of
    // the model under another name, against that item file.
    std::vector<fs::path> daPasta;
    for (const fs::directory_entry& e : fs::directory_iterator(origem))
        if (e.path().filename() != "SOURCE.txt") daPasta.push_back(e.path());
    std::string arquivoDeItens;
    for (const TDefinicaoModelo& m : Modelos())
        if (m.Apelido == c.Modelo) arquivoDeItens = ParaUtf8(m.Arquivos[0].Nome);
    int comparados = 0;
    for (const fs::path& original : daPasta) {
        fs::path novo = carga / Maiusculas(original.filename().string());
        if (!fs::exists(novo) && daPasta.size() == 1) novo = carga / arquivoDeItens;
        if (!fs::exists(novo)) continue;
        const fs::directory_entry e(original);
        ++comparados;
        const std::vector<std::string> antes = ItensJuntos(LinhasNormais(e.path())), depois = LinhasNormais(novo);
        EXPECT_EQ(depois.size(), antes.size()) << e.path().filename();
        const auto diferente = std::mismatch(antes.begin(), antes.end(), depois.begin(), depois.end(), MesmaLinha);
        if (diferente.first != antes.end() && diferente.second != depois.end())
            ADD_FAILURE() << e.path().filename() << ", line " << diferente.first - antes.begin() + 1 << ":\n  "
                          << *diferente.first << "\n  " << *diferente.second;
    }
    EXPECT_GT(comparados, 0) << "no file of the folder is one that gerar writes";
}

INSTANTIATE_TEST_SUITE_P(Reais, CargaReal, testing::ValuesIn(Cargas), [](const testing::TestParamInfo<TCargaReal>& i) {
    std::string nome;
    for (const char ch : std::string_view(i.param.Pasta)) nome += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
    return nome;
});

// The Toledo MGV item file of a folder, by any letter case; empty when none.
fs::path ArquivoDeItensMGV(const fs::path& APasta) {
    for (const fs::directory_entry& e : fs::directory_iterator(APasta)) {
        std::string nome = e.path().filename().string();
        for (char& ch : nome) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
        if (nome == "ITENSMGV.TXT") return e.path();
    }
    return {};
}

// The records of an item file by item code (columns 4-9), the first of each.
std::map<std::string, std::string> RegistrosPorCodigo(const fs::path& AArquivo) {
    std::ifstream f(AArquivo, std::ios::binary);
    std::map<std::string, std::string> r;
    std::string linha;
    while (std::getline(f, linha)) {
        if (!linha.empty() && linha.back() == '\r') linha.pop_back();
        if (linha.size() >= 138) r.emplace(linha.substr(3, 6), linha);
    }
    return r;
}

// The vendor's columns of a record: FFFF, DV, DE, L, G, Z, CS, FR, CE1, CE2,
// CON (from 1, with their widths), then in MGV7 GL and everything after the
// list of departments.
std::string ColunasDoFabricante(const std::string& ARegistro) {
    static constexpr std::pair<size_t, size_t> Colunas[] = {{75, 4}, {85, 2}, {91, 28}, {123, 16}, {151, 6}};
    std::string r;
    for (const auto& [coluna, largura] : Colunas) r += ARegistro.substr(std::min(coluna - 1, ARegistro.size()), largura) + "/";
    const size_t lista = ARegistro.size() > 157 ? ARegistro.find('|', 157) : std::string::npos;
    return lista == std::string::npos ? r : r + ARegistro.substr(lista);
}

class CargaRealMGV : public CargaReal {};

// ler then gerar gives every vendor column of every record back unchanged
// (the 260-character MGV7 form comes back with its last columns in zeros).
TEST_P(CargaRealMGV, LerThenGerarKeepsEveryVendorColumn) {
    const TCargaReal& c = GetParam();
    const DiretorioTemporario d;
    const fs::path catalogo = d.Caminho() / "catalogo.json", saida = d.Caminho() / "carga";
    fs::create_directories(saida);
    const TResultadoProcesso lido = ExecutarCargabal({"ler", "-e", (PastaReais / c.Pasta).string(), "-s", catalogo.string()});
    ASSERT_EQ(lido.Saida, 0) << lido.Erros;
    const TResultadoProcesso gerado =
        ExecutarCargabal({"gerar", "-m", c.Modelo, "-e", catalogo.string(), "-s", saida.string()});
    ASSERT_EQ(gerado.Saida, 0) << gerado.Erros;
    const std::map<std::string, std::string> antes = RegistrosPorCodigo(ArquivoDeItensMGV(PastaReais / c.Pasta));
    const std::map<std::string, std::string> depois = RegistrosPorCodigo(saida / "ITENSMGV.TXT");
    ASSERT_EQ(antes.size(), static_cast<size_t>(c.Itens));
    for (const auto& [codigo, registro] : antes) {
        const auto novo = depois.find(codigo);
        ASSERT_NE(novo, depois.end()) << codigo;
        const std::string a = ColunasDoFabricante(registro), b = ColunasDoFabricante(novo->second);
        EXPECT_EQ(b.substr(0, a.size()), a) << codigo;
    }
}

std::vector<TCargaReal> CargasMGV() {
    std::vector<TCargaReal> r;
    for (const TCargaReal& c : Cargas)
        if (std::string_view(c.Modelo).starts_with("toledo-mgv") && c.Erros == 0) r.push_back(c);
    return r;
}

INSTANTIATE_TEST_SUITE_P(Reais, CargaRealMGV, testing::ValuesIn(CargasMGV()), [](const testing::TestParamInfo<TCargaReal>& i) {
    std::string nome;
    for (const char ch : std::string_view(i.param.Pasta)) nome += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
    return nome;
});

}  // namespace
}  // namespace quelb::teste
