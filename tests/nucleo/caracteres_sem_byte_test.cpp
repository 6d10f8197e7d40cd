// Records are built straight in the file's bytes, and again in UTF-16 when a
// text has a character without a byte of its own. For every model, a
// catalogue with such a character gives the files of the same catalogue with
// the "?" the conversion writes in its place; only the Urano checksums, which
// count the character itself, tell them apart, by its value less that of "?".
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "apoio/diretorio_temporario.h"
#include "generator/gerador.h"
#include "generator/modelos.h"
#include "platform/plataforma.h"

namespace quelb {
namespace {

using teste::DiretorioTemporario;
using teste::LerArquivo;

constexpr char16_t SemByte = u'\u4E2D';

// Three items; the middle one has the character in its description (once),
// and every item has texts for each auxiliary record.
void Preencher(TQuelbCargaBal& AGerador, char16_t AMarca) {
    for (int i = 1; i <= 3; ++i) {
        TQuelbCargaBalItem& item = AGerador.Produtos().New();
        item.Codigo = i;
        item.Descricao = u"Pão ";
        item.Descricao += i == 2 ? AMarca : u'x';
        item.Descricao += u" doce";
        item.ValorVenda = TValorFixo::DeDezMilesimos(12345 * i);
        item.Setor = {i, u"Padaria"};
        item.Tecla = i;
        item.Nutricional.Codigo = i;
        item.Nutricional.Qtd = 50;
        item.Nutricional.Descricao = u"Porção";
        item.Tara = {i, u"Pote", TValorFixo::DeDezMilesimos(150)};
        item.CodigoTara = i;
        item.Fornecedor.Codigo = static_cast<int16_t>(i);
        item.Fornecedor.Descricao1 = u"Moinho";
        item.CodigoFornecedor = static_cast<int16_t>(i);
        item.InformacaoExtra.Receita = u"Farinha, água e sal " + DeUtf8(std::to_string(i));
    }
}

std::map<std::string, std::string> Gerar(TQuelbCargaBalModelo AModelo, char16_t AMarca) {
    TQuelbCargaBal g;
    g.Modelo = AModelo;
    Preencher(g, AMarca);
    DiretorioTemporario dir;
    g.GerarArquivos(dir.Texto());
    std::map<std::string, std::string> r;
    for (const Texto& caminho : g.ArquivosGerados()) {
        const std::filesystem::path p(caminho);
        r[p.filename().string()] = LerArquivo(p);
    }
    return r;
}

std::vector<std::string> Linhas(const std::string& AArquivo) {
    std::vector<std::string> r;
    for (size_t inicio = 0; inicio < AArquivo.size();) {
        const size_t fim = AArquivo.find("\r\n", inicio);
        r.push_back(AArquivo.substr(inicio, fim - inicio));
        inicio = fim + 2;
    }
    return r;
}

TEST(CaracteresSemByte, GiveTheFilesOfTheirReplacementInEveryModel) {
    ASSERT_EQ(plataforma::ParaCodigoPagina(std::u16string(1, SemByte)), "?");
    for (const auto modelo : {modFilizola, modToledo, modUrano, modUranoS, modToledoMGV5, modToledoMGV6,
                              modUranoURF32, modRamuza, modToledoMGV5Ver1}) {
        SCOPED_TRACE(std::string(DefinicaoModelo(modelo)->NomeEnumeracao));
        const auto comCaractere = Gerar(modelo, SemByte);
        const auto comInterrogacao = Gerar(modelo, u'?');
        ASSERT_EQ(comCaractere.size(), comInterrogacao.size());
        const bool somaCaracteres = modelo == modUrano || modelo == modUranoS;
        for (const auto& [nome, bytes] : comInterrogacao) {
            SCOPED_TRACE(nome);
            ASSERT_EQ(comCaractere.count(nome), 1u);
            if (!somaCaracteres) {
                EXPECT_EQ(comCaractere.at(nome), bytes);
                continue;
            }
            // The checksum: four hexadecimal digits before the closing U+0003.
            const auto a = Linhas(comCaractere.at(nome)), b = Linhas(bytes);
            ASSERT_EQ(a.size(), b.size());
            int diferentes = 0;
            for (size_t i = 0; i < a.size(); ++i) {
                ASSERT_EQ(a[i].size(), b[i].size()) << i;
                const size_t soma = a[i].size() - 5;
                EXPECT_EQ(a[i].substr(0, soma), b[i].substr(0, soma)) << i;
                const long somaA = std::stol(a[i].substr(soma, 4), nullptr, 16);
                const long somaB = std::stol(b[i].substr(soma, 4), nullptr, 16);
                if (a[i].find("?") == std::string::npos) {
                    EXPECT_EQ(somaA, somaB) << i;
                } else {
                    EXPECT_EQ(somaA - somaB, SemByte - u'?') << i;
                    ++diferentes;
                }
            }
            EXPECT_GT(diferentes, 0);
        }
    }
}

}  // namespace
}  // namespace quelb
