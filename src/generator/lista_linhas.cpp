#include "generator/lista_linhas.h"

#include <algorithm>

#include "catalogue/erro.h"

namespace quelb {

namespace {
constexpr std::string_view FimLinha = "\r\n";
constexpr auto Gravado = plataforma::TResultadoGravacao::Gravado;
}  // namespace

uint32_t TListaLinhas::Hash(std::u16string_view ALinha) {
    const uint64_t h = plataforma::HashSemCaixa(ALinha);
    return static_cast<uint32_t>(h ^ (h >> 32));
}

uint32_t TListaLinhas::HashBytes(std::string_view ABytes) const {
    const uint64_t h = plataforma::HashSemCaixa(ABytes, FTabela->Caracteres(), FTabela->Latin1Igual());
    return static_cast<uint32_t>(h ^ (h >> 32));
}

TListaLinhas::TListaLinhas() : FTabela(&TTabelaCodigoPagina::Instancia()) {}

void TListaLinhas::Destinar(const Texto& ACaminho) {
    if (ACaminho == FDestino) return;
    FDestino = ACaminho;
    if (FGravados == 0 || FFalha.Situacao != Gravado) return;
    // Told another file after pieces went out: they are copied to it.
    plataforma::TGravacaoEmPartes nova;
    FFalha = nova.Iniciar(FDestino);
    std::string bloco;
    for (uint64_t copiados = 0; FFalha.Situacao == Gravado && copiados < FGravados;
         copiados += bloco.size()) {
        bloco.resize(static_cast<size_t>(std::min<uint64_t>(TamanhoPeca, FGravados - copiados)));
        if (!FGravacao.Ler(copiados, bloco.data(), bloco.size())) throw EQuelbErro(u"Stream read error");
        if (!nova.Escrever(bloco)) FFalha.Situacao = plataforma::TResultadoGravacao::FalhaEscrita;
    }
    FGravacao = std::move(nova);
}

void TListaLinhas::GravarPeca() {
    if (FFalha.Situacao == Gravado) {
        if (!FGravacao.Iniciada()) FFalha = FGravacao.Iniciar(FDestino);
        if (FFalha.Situacao == Gravado && !FGravacao.Escrever(FPeca))
            FFalha.Situacao = plataforma::TResultadoGravacao::FalhaEscrita;
        // A file that failed is removed at once, leaving its room to the
        // other files.
        if (FFalha.Situacao != Gravado) FGravacao.Descartar();
    }
    FGravados += FPeca.size();
    FPeca.clear();
}

plataforma::TResultadoGravacao TListaLinhas::Gravar(const Texto& ACaminho) {
    if (FDestino.empty()) {
        // An empty list is an empty file, without a byte-order mark.
        plataforma::TGravacaoEmPartes gravacao;
        plataforma::TResultadoGravacao r = gravacao.Iniciar(ACaminho);
        if (r.Situacao != Gravado) return r;
        gravacao.Escrever(FContagem > 0 ? std::string_view(FPeca) : std::string_view());
        return gravacao.Concluir();
    }
    plataforma::TResultadoGravacao r = Preparar(ACaminho);
    if (r.Situacao == Gravado) r = FGravacao.Colocar();
    if (r.Situacao == Gravado) r = FGravacao.SincronizarPasta();
    return r;
}

plataforma::TResultadoGravacao TListaLinhas::Preparar(const Texto& ACaminho) {
    Destinar(ACaminho);
    if (FContagem == 0) FPeca.clear();
    GravarPeca();  // the last piece, or the whole file of a small list
    if (FFalha.Situacao != Gravado) return FFalha;
    return FGravacao.Preparar();
}

bool TListaLinhas::Codificar(std::u16string_view ALinha) {
    const size_t inicio = FPeca.size();
    FPeca.resize(inicio + ALinha.size());
    if (FTabela->Codificar(ALinha, FPeca.data() + inicio)) return true;
    FPeca.resize(inicio);
    plataforma::ParaCodigoPaginaArquivos(ALinha, FPeca);
    return false;
}

void TListaLinhas::Fechar() {
    FPeca.append(FimLinha);
    ++FContagem;
    if (FPeca.size() >= TamanhoPeca && !FDestino.empty()) GravarPeca();
}

void TListaLinhas::Adicionar(std::u16string_view ALinha) {
    if (Buscada()) {
        Incluir(ALinha, true);
        return;
    }
    Codificar(ALinha);
    Fechar();
}

void TListaLinhas::AdicionarBytes(std::string_view ABytes) {
    if (Buscada()) {
        IncluirBytes(ABytes, true);
        return;
    }
    FPeca.append(ABytes);
    Fechar();
}

bool TListaLinhas::AdicionarSeNova(std::u16string_view ALinha) {
    Buscar();
    return Incluir(ALinha, false);
}

bool TListaLinhas::AdicionarSeNovaBytes(std::string_view ABytes) {
    Buscar();
    return IncluirBytes(ABytes, false);
}

bool TListaLinhas::Incluir(std::u16string_view ALinha, bool ASempre) {
    return Incluir(
        Hash(ALinha), ASempre, [&](const TEntrada& AEntrada) { return Iguais(AEntrada, ALinha); },
        [&](uint64_t AInicio, bool ANova) {
            if (!Codificar(ALinha) && ANova) FTextos.emplace(AInicio, ALinha);
        });
}

bool TListaLinhas::IncluirBytes(std::string_view ABytes, bool ASempre) {
    return Incluir(
        HashBytes(ABytes), ASempre, [&](const TEntrada& AEntrada) { return IguaisBytes(AEntrada, ABytes); },
        [&](uint64_t, bool) { FPeca.append(ABytes); });
}

template <class TIgual, class TEscrever>
bool TListaLinhas::Incluir(uint32_t h, bool ASempre, TIgual&& AIgual, TEscrever&& AEscrever) {
    TEntrada& e = Procurar(h, AIgual);
    const bool nova = e.Tamanho == Vaga;
    if (!nova && !ASempre) return false;
    const uint64_t inicio = FGravados + FPeca.size();
    AEscrever(inicio, nova);
    const auto tamanho = static_cast<uint32_t>(FGravados + FPeca.size() - inicio);
    Fechar();
    if (nova) Ocupar(e, {inicio, h, tamanho});
    return nova;
}

template <class TIgual>
TListaLinhas::TEntrada& TListaLinhas::Procurar(uint32_t h, TIgual&& AIgual) {
    const size_t mascara = FEntradas.size() - 1;
    for (size_t i = h & mascara;; i = (i + 1) & mascara) {
        TEntrada& e = FEntradas[i];
        if (e.Tamanho == Vaga || (e.Hash == h && AIgual(e))) return e;
    }
}

void TListaLinhas::Ocupar(TEntrada& AVaga, const TEntrada& AEntrada) {
    AVaga = AEntrada;
    // At most two thirds full, so that every search meets an empty slot soon.
    if (++FOcupadas * 3 <= FEntradas.size() * 2) return;
    std::vector<TEntrada> antigas(FEntradas.size() * 2, TEntrada{0, 0, Vaga});
    antigas.swap(FEntradas);
    const size_t mascara = FEntradas.size() - 1;
    // The entries are distinct lines already: each takes the first free slot.
    for (const TEntrada& e : antigas) {
        if (e.Tamanho == Vaga) continue;
        size_t i = e.Hash & mascara;
        while (FEntradas[i].Tamanho != Vaga) i = (i + 1) & mascara;
        FEntradas[i] = e;
    }
}

std::string_view TListaLinhas::BytesDe(const TEntrada& AEntrada) {
    if (AEntrada.Inicio >= FGravados)
        return std::string_view(FPeca.data() + (AEntrada.Inicio - FGravados), AEntrada.Tamanho);
    const auto lida = FLidos.find(AEntrada.Inicio);
    if (lida != FLidos.end()) return lida->second;
    if (FTamanhoLidos + AEntrada.Tamanho > LimiteLidos) {
        FLidos.clear();
        FTamanhoLidos = 0;
    }
    std::string bytes(AEntrada.Tamanho, '\0');
    if (!FGravacao.Ler(AEntrada.Inicio, bytes.data(), bytes.size())) throw EQuelbErro(u"Stream read error");
    FTamanhoLidos += bytes.size();
    return FLidos.emplace(AEntrada.Inicio, std::move(bytes)).first->second;
}

std::u16string_view TListaLinhas::Decodificar(std::string_view ABytes, std::u16string& ARascunho) const {
    ARascunho.resize(ABytes.size());
    FTabela->Decodificar(ABytes, ARascunho.data());
    return ARascunho;
}

std::u16string_view TListaLinhas::TextoDe(const TEntrada& AEntrada) {
    if (!FTextos.empty()) {
        const auto t = FTextos.find(AEntrada.Inicio);
        if (t != FTextos.end()) return t->second;
    }
    return Decodificar(BytesDe(AEntrada), FRascunho);
}

bool TListaLinhas::Iguais(const TEntrada& AEntrada, std::u16string_view ALinha) {
    if (FFalha.Situacao != Gravado) return true;
    const bool exata = FTextos.empty() || FTextos.find(AEntrada.Inicio) == FTextos.end();
    if (exata) {
        // One byte per character, and the bytes give the line back.
        if (AEntrada.Tamanho != ALinha.size()) return false;
        if (FTabela->IgualAosBytes(ALinha, BytesDe(AEntrada))) return true;
    }
    return plataforma::IguaisSemCaixa(TextoDe(AEntrada), ALinha);
}

bool TListaLinhas::IguaisBytes(const TEntrada& AEntrada, std::string_view ABytes) {
    if (FFalha.Situacao != Gravado) return true;
    const bool exata = FTextos.empty() || FTextos.find(AEntrada.Inicio) == FTextos.end();
    if (exata) {
        if (AEntrada.Tamanho != ABytes.size()) return false;
        // Most lines met here are equal to the letter.
        if (BytesDe(AEntrada) == ABytes) return true;
    }
    return plataforma::IguaisSemCaixa(TextoDe(AEntrada), Decodificar(ABytes, FRascunhoNova));
}

}  // namespace quelb
