#include "generator/gerador.h"

#include <cstdio>

#include "generator/carga.h"
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

plataforma::TFormatoNumerico TQuelbCargaBal::FormatoPrecos() const {
    plataforma::TFormatoNumerico f = plataforma::FormatoNumerico();
    if (SeparadorPreco != u'\0') f.SeparadorDecimal = SeparadorPreco;
    return f;
}

std::vector<TAchado> TQuelbCargaBal::VerificarItens() const {
    return quelb::VerificarItens(FProdutos, Modelo, FormatoPrecos());
}

TResumoVerificacao TQuelbCargaBal::VerificarItens(size_t AMaximo) const {
    return quelb::VerificarItens(FProdutos, Modelo, FormatoPrecos(), AMaximo);
}

void TQuelbCargaBal::VerificarCatalogo(uint64_t AVersao) const {
    if (FProdutos.Versao() != AVersao)
        throw EQuelbCargaBal(u"Os produtos foram alterados durante a geração dos arquivos; nenhum arquivo foi gravado.");
}

namespace {

// Characters up to U+0020 (spaces and control characters) at both ends do not
// make a directory name.
bool VazioAposAparar(const Texto& ATexto) {
    for (char16_t c : ATexto)
        if (c > u' ') return false;
    return true;
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
    FArquivosAntigos.clear();
    TCarga carga(FormatoPrecos());
    Texto base = ADiretorio;
    if (base.back() != plataforma::DelimitadorCaminho()) base += plataforma::DelimitadorCaminho();
    std::vector<Texto> caminhos;
    for (const TArquivoModelo& arquivo : definicao->Arquivos) {
        caminhos.push_back(base + Texto(arquivo.Nome));
        // Each file goes to its temporary file while it is made; nothing
        // takes the name of the old file before the save below.
        carga[arquivo.Conteudo].Destinar(caminhos.back());
    }

    const int32_t total = FProdutos.Count();
    const uint64_t versao = FProdutos.Versao();
    NotificarProgresso(u"Iniciando a geração dos arquivos", 0, total);
    VerificarCatalogo(versao);
    {
        const std::unique_ptr<TEscritorItens> escritor = definicao->CriarEscritor(carga);
        for (int32_t i = 0; i < total; ++i) {
            TQuelbCargaBalItem& item = FProdutos.GetItem(i);
            escritor->Escrever(item, i + 1);
            if (OnProgresso) {
                OnProgresso(MensagemGerandoProduto(item.Codigo, item.Descricao.Utf16()), i, total);
                VerificarCatalogo(versao);
            }
        }
    }

    for (size_t i = 0; i < definicao->Arquivos.size(); ++i) {
        TListaLinhas& lista = carga[definicao->Arquivos[i].Conteudo];
        if (lista.Count() == 0) continue;
        SalvarLista(lista, caminhos[i]);
        FArquivosGerados.push_back(caminhos[i]);
    }
    // The files of this model that an earlier load left and this one did
    // not replace: a loader would take them as part of this load.
    for (size_t i = 0; i < definicao->Arquivos.size(); ++i) {
        if (carga[definicao->Arquivos[i].Conteudo].Count() > 0 || !plataforma::ArquivoExiste(caminhos[i])) continue;
        if (LimparArquivosAntigos && !plataforma::RemoverArquivo(caminhos[i]))
            throw EQuelbErro(u"Não foi possível remover o arquivo antigo \"" + caminhos[i] + u"\".");
        FArquivosAntigos.push_back(caminhos[i]);
    }
    NotificarProgresso(u"Terminado", total, total);
}

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
