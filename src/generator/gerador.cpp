#include "generator/gerador.h"

#include <algorithm>

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

std::vector<TAchado> TQuelbCargaBal::VerificarItens() {
    return quelb::VerificarItens(FProdutos, Modelo, FormatoPrecos(), Etiqueta ? &*Etiqueta : nullptr);
}

TResumoVerificacao TQuelbCargaBal::VerificarItens(size_t AMaximo) {
    return quelb::VerificarItens(FProdutos, Modelo, FormatoPrecos(), AMaximo, Etiqueta ? &*Etiqueta : nullptr);
}

void TQuelbCargaBal::VerificarInterrupcao(uint64_t AVersao) const {
    if (FCancelada)
        throw EQuelbCancelada(u"A geração dos arquivos foi cancelada; nenhum arquivo foi gravado.");
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
    // The lists tell about this generation only, failed or not.
    FArquivosGerados.clear();
    FArquivosAntigos.clear();
    ValidarDiretorio(ADiretorio);
    if (FProdutos.Count() == 0) throw EQuelbCargaBal(u"Não foram informados os produtos para a geração!");
    const TDefinicaoModelo* definicao = DefinicaoModelo(Modelo);
    if (definicao == nullptr)
        throw EQuelbCargaBal(u"Modelo de balança inválido (" + NumeroEmTexto(static_cast<int>(Modelo)) + u")");

    Texto base = ADiretorio;
    if (base.back() != plataforma::DelimitadorCaminho()) base += plataforma::DelimitadorCaminho();
    // One generation into a folder at a time, from the first temporary file
    // to the last replacement. Where the file system has no locks the
    // generation goes on without one.
    struct TLiberar {
        plataforma::TTrava& Trava;
        ~TLiberar() { Trava.Liberar(); }
    } liberar{FTravaPasta};
    FTravaPasta.Liberar();
    const plataforma::TTrava::TSituacao travada =
        FTravaPasta.Travar(base + Texto(NomeArquivoTrava), int64_t{std::max<int32_t>(EsperaTrava, 0)} * 1000);
    if (travada == plataforma::TTrava::Ocupada) throw EQuelbPastaOcupada(ADiretorio, EsperaTrava);
    if (travada == plataforma::TTrava::Travada) RemoverTemporariosAbandonados(ADiretorio);

    TCarga carga(FormatoPrecos());
    std::vector<Texto> caminhos;
    for (const TArquivoModelo& arquivo : definicao->Arquivos) {
        caminhos.push_back(base + Texto(arquivo.Nome));
        // Each file goes to its temporary file while it is made; nothing
        // takes the name of the old file before the save below.
        carga[arquivo.Conteudo].Destinar(caminhos.back());
    }

    const int32_t total = FProdutos.Count();
    const uint64_t versao = FProdutos.Versao();
    FCancelada = false;
    NotificarProgresso(u"Iniciando a geração dos arquivos", 0, total);
    VerificarInterrupcao(versao);
    {
        const std::unique_ptr<TEscritorItens> escritor = definicao->CriarEscritor(carga);
        Texto mensagem;
        for (int32_t i = 0; i < total; ++i) {
            TQuelbCargaBalItem& item = FProdutos.GetItem(i);
            escritor->Escrever(item, i + 1);
            if (OnProgresso) {
                MensagemGerandoProduto(item.Codigo, item.Descricao, mensagem);
                OnProgresso(mensagem, i, total);
            }
            VerificarInterrupcao(versao);
        }
    }

    // Every file that received a line, as one set. The files of this model
    // that an earlier load left and this one does not write would be taken
    // by a loader as part of this load.
    TConjunto conjunto;
    std::vector<Texto> antigos;
    for (size_t i = 0; i < definicao->Arquivos.size(); ++i) {
        TListaLinhas& lista = carga[definicao->Arquivos[i].Conteudo];
        // The same name in another letter case (itensmgv.txt): a loader
        // would take either one.
        std::vector<Texto> outrasCaixas = plataforma::OutrasCaixas(base, definicao->Arquivos[i].Nome);
        if (lista.Count() > 0) {
            if (definicao->Arquivos[i].Conteudo == definicao->Sinal) conjunto.Sinal = conjunto.Arquivos.size();
            conjunto.Arquivos.push_back({&lista, caminhos[i]});
            // The new file replaces them as it replaces its own name.
            for (Texto& c : outrasCaixas) conjunto.Remover.push_back(std::move(c));
        } else {
            if (plataforma::ArquivoExiste(caminhos[i])) antigos.push_back(caminhos[i]);
            for (Texto& c : outrasCaixas) antigos.push_back(std::move(c));
        }
    }
    if (LimparArquivosAntigos) conjunto.Remover.insert(conjunto.Remover.end(), antigos.begin(), antigos.end());
    conjunto.AntesDeSubstituir = AntesDeSubstituir;
    SalvarConjunto(conjunto, FArquivosGerados);
    FArquivosAntigos = std::move(antigos);
    FTravaPasta.Liberar();  // the new load is in place
    NotificarProgresso(u"Terminado", total, total);
}

void TQuelbCargaBal::RemoverTemporariosAbandonados(const Texto& ADiretorio) {
    std::vector<std::u16string_view> nomes;
    for (const TDefinicaoModelo& m : Modelos())
        for (const TArquivoModelo& a : m.Arquivos) nomes.push_back(a.Nome);
    plataforma::RemoverTemporariosAbandonados(ADiretorio, nomes);
}

EQuelbPastaOcupada::EQuelbPastaOcupada(const Texto& ADiretorio, int32_t AEspera)
    : EQuelbErro(u"Outra geração de carga está gravando no diretório \"" + ADiretorio + u"\" (esperou " +
                 NumeroEmTexto(std::max<int32_t>(AEspera, 0)) + u" s); tente de novo quando ela terminar.") {}

void MensagemGerandoProduto(int32_t ACodigo, const TTextoItem& ADescricao, Texto& ADestino) {
    ADestino.assign(u"Gerando produto ");
    // %6.6d: the sign, then at least six digits.
    char digitos[10];
    size_t n = 0;
    uint32_t v = ACodigo < 0 ? 0u - static_cast<uint32_t>(ACodigo) : static_cast<uint32_t>(ACodigo);
    do {
        digitos[n++] = static_cast<char>('0' + v % 10);
        v /= 10;
    } while (v != 0);
    if (ACodigo < 0) ADestino += u'-';
    if (n < 6) ADestino.append(6 - n, u'0');
    while (n > 0) ADestino += static_cast<char16_t>(digitos[--n]);
    ADestino += u' ';
    if (ADescricao.Estreito()) {
        for (const char c : ADescricao.Bytes()) ADestino += static_cast<char16_t>(static_cast<unsigned char>(c));
    } else {
        ADestino += ADescricao.Largo();
    }
}

Texto MensagemGerandoProduto(int32_t ACodigo, const Texto& ADescricao) {
    Texto m;
    MensagemGerandoProduto(ACodigo, TTextoItem(ADescricao), m);
    return m;
}

}  // namespace quelb
