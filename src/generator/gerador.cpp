#include "generator/gerador.h"

#include <cstdio>

#include "generator/antecipar.h"
#include "generator/escritores.h"
#include "generator/modelos.h"
#include "generator/salvar.h"
#include "platform/plataforma.h"

namespace quelb {

TQuelbCargaBal::TQuelbCargaBal(TQuelbComponent* AOwner) : TQuelbComponent(AOwner) {}

Texto TQuelbCargaBal::ModeloStr() const {
    const TDefinicaoModelo* d = DefinicaoModelo(Modelo);
    return d ? Texto(d->Nome) : Texto();
}

void TQuelbCargaBal::NotificarProgresso(const Texto& Mensagem, int32_t ProgressoAtual, int32_t ProgressoTotal) {
    if (OnProgresso) OnProgresso(Mensagem, ProgressoAtual, ProgressoTotal);
}

namespace {

void AnteciparTexto(const Texto& ATexto) {
    if (ATexto.size() > 7) Antecipar(ATexto.data());  // beyond the text held inside the object
}

}  // namespace

void TQuelbCargaBal::AnteciparProdutos(int32_t APosicao) const {
    // The item two steps ahead was asked for two events ago: its texts are
    // asked for now; the item eight steps ahead is asked for itself.
    const int32_t total = FProdutos.Count();
    if (APosicao + 8 < total) {
        const char* item = reinterpret_cast<const char*>(&FProdutos.GetItem(APosicao + 8));
        for (size_t i = 0; i < sizeof(TQuelbCargaBalItem); i += 64) Antecipar(item + i);
    }
    if (APosicao + 2 < total) {
        const TQuelbCargaBalItem& p = FProdutos.GetItem(APosicao + 2);
        AnteciparTexto(p.Descricao);
        AnteciparTexto(p.Setor.Descricao);
        AnteciparTexto(p.Nutricional.Descricao);
        AnteciparTexto(p.Tara.Descricao);
        AnteciparTexto(p.Fornecedor.Descricao1);
        AnteciparTexto(p.InformacaoExtra.Receita);
    }
}

void TQuelbCargaBal::NotificarProduto(const TQuelbCargaBalItem& AItem, int32_t APosicao, int32_t ATotal) {
    AnteciparProdutos(APosicao);
    if (OnProgresso) OnProgresso(MensagemGerandoProduto(AItem.Codigo, AItem.Descricao), APosicao, ATotal);
}

namespace {

// Characters up to U+0020 (spaces and control characters) at both ends do not
// make a directory name.
bool VazioAposAparar(const Texto& ATexto) {
    for (char16_t c : ATexto)
        if (c > u' ') return false;
    return true;
}

Texto NomeArquivo(TQuelbCargaBalModelo AModelo, size_t AOrdem) {
    const TDefinicaoModelo* d = DefinicaoModelo(AModelo);
    return d ? Texto(d->Arquivos[AOrdem]) : Texto();
}

}  // namespace

void TQuelbCargaBal::ValidarDiretorio(const Texto& ADiretorio) {
    if (VazioAposAparar(ADiretorio))
        throw EQuelbCargaBal(u"Informe o diretório onde serão gerados os arquivos de carga!");
    if (!plataforma::DiretorioExiste(ADiretorio)) throw EQuelbCargaBal(u"Diretorio informado não existe!");
}

void TQuelbCargaBal::GerarArquivos(const Texto& ADiretorio) {
    ValidarDiretorio(ADiretorio);
    if (FProdutos.Count() == 0) throw EQuelbCargaBal(u"Não foram informados os produtos para a geração!");
    const TDefinicaoModelo* definicao = DefinicaoModelo(Modelo);
    if (definicao == nullptr)
        throw EQuelbCargaBal(u"Modelo de balança inválido (" + DeUtf8(std::to_string(static_cast<int>(Modelo))) + u")");

    FArquivosGerados.clear();
    TListasCarga listas;
    TListaLinhas* emOrdem[8] = {&listas.Itens,        &listas.Setores,
                                &listas.Receitas,     &listas.Nutricionais,
                                &listas.ProdutosNutricionais, &listas.ProdutosReceitas,
                                &listas.Taras,        &listas.Fornecedores};
    Texto base = ADiretorio;
    if (base.back() != plataforma::DelimitadorCaminho()) base += plataforma::DelimitadorCaminho();
    Texto caminhos[8];
    for (size_t i = 0; i < 8; ++i) {
        if (definicao->Arquivos[i].empty()) continue;  // a file this model does not write
        caminhos[i] = base;
        caminhos[i] += definicao->Arquivos[i];
        // A large file goes out in pieces while it is made; nothing takes
        // the name of the old file before the save below.
        emOrdem[i]->Destinar(caminhos[i]);
    }

    const int32_t total = FProdutos.Count();
    NotificarProgresso(u"Iniciando a geração dos arquivos", 0, total);

    definicao->Escrever(*this, listas);

    for (size_t i = 0; i < 8; ++i) {
        if (emOrdem[i]->Count() == 0) continue;
        SalvarLista(*emOrdem[i], caminhos[i]);
        FArquivosGerados.push_back(caminhos[i]);
    }
    NotificarProgresso(u"Terminado", total, total);
}

Texto TQuelbCargaBal::NomeArquivoItens() const { return NomeArquivo(Modelo, 0); }
Texto TQuelbCargaBal::NomeArquivoSetor() const { return NomeArquivo(Modelo, 1); }
Texto TQuelbCargaBal::NomeArquivoReceita() const { return NomeArquivo(Modelo, 2); }
Texto TQuelbCargaBal::NomeArquivoNutricional() const { return NomeArquivo(Modelo, 3); }
Texto TQuelbCargaBal::NomeArquivoProdutoNutricional() const { return NomeArquivo(Modelo, 4); }
Texto TQuelbCargaBal::NomeArquivoProdutoReceita() const { return NomeArquivo(Modelo, 5); }
Texto TQuelbCargaBal::NomeArquivoTara() const { return NomeArquivo(Modelo, 6); }
Texto TQuelbCargaBal::NomeArquivoFornecedor() const { return NomeArquivo(Modelo, 7); }

Texto MensagemGerandoProduto(int32_t ACodigo, const Texto& ADescricao) {
    char codigo[16];
    std::snprintf(codigo, sizeof codigo, "%6.6d", ACodigo);
    Texto m = u"Gerando produto ";
    for (const char* p = codigo; *p; ++p) m += static_cast<char16_t>(*p);
    m += u' ';
    m += ADescricao;
    return m;
}

}  // namespace quelb
