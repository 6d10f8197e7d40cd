#include "generator/lista_linhas.h"

#include <algorithm>
#include <memory>

#include "catalogue/erro.h"
#include "generator/antecipar.h"
#include "platform/plataforma.h"

namespace quelb {

namespace {
constexpr std::string_view MarcaUtf8 = "\xEF\xBB\xBF";
}  // namespace

uint32_t TListaLinhas::Hash(std::u16string_view ALinha) {
    const uint64_t h = plataforma::HashSemCaixa(ALinha);
    return static_cast<uint32_t>(h ^ (h >> 32));
}

uint32_t TListaLinhas::HashBytes(std::string_view ABytes) const {
    const uint64_t h = plataforma::HashSemCaixa(ABytes, FTabela->Caracteres(), FTabela->Latin1Igual());
    return static_cast<uint32_t>(h ^ (h >> 32));
}

TListaLinhas::TListaLinhas()
    : FTabela(&TTabelaCodigoPagina::Instancia()), FInicioTexto(plataforma::CodigoPaginaEhUtf8() ? 3 : 0) {}

void TListaLinhas::Destinar(const Texto& ACaminho) {
    TrazerDeVolta();
    FDestino = ACaminho;
}

void TListaLinhas::GarantirLeitura() {
    if (FGravados > 0 && FGravacao.Mapeados(FGravados) == nullptr) TrazerDeVolta();
}

void TListaLinhas::GarantirEspaco(size_t ABytes) {
    if (FTamanhoBytes < FInicioTexto) {
        FBytes.Crescer(FInicioTexto + ABytes);
        std::memcpy(FBytes.Dados(), MarcaUtf8.data(), MarcaUtf8.size());
        FTamanhoBytes = FInicioTexto;
    }
    const size_t emMemoria = FTamanhoBytes - FGravados;
    if (FBytes.Capacidade() - emMemoria < ABytes) FBytes.Crescer(emMemoria + ABytes);
}

void TListaLinhas::GravarPeca() {
    if (!FGravacao.Iniciada() &&
        FGravacao.Iniciar(FDestino).Situacao != plataforma::TResultadoGravacao::Gravado) {
        // The file cannot be made now: the lines stay here, and Gravar
        // reports why when it tries again.
        FDestino.clear();
        return;
    }
    // A failed write (a full disk) brings the lines back as well, and the
    // file is removed, leaving its room to the other files.
    if (!FGravacao.Escrever(Conteudo())) return TrazerDeVolta();
    FGravados = FTamanhoBytes;
    // A searched list reads its lines back at every search.
    if (FVagas != 0) GarantirLeitura();
}

void TListaLinhas::TrazerDeVolta() {
    FDestino.clear();
    if (FGravados > 0) {
        plataforma::TBlocoMemoria todos;
        todos.Crescer(FTamanhoBytes);
        if (!FGravacao.Ler(0, todos.Dados(), FGravados)) throw EQuelbErro(u"Stream read error");
        std::memcpy(todos.Dados() + FGravados, FBytes.Dados(), FTamanhoBytes - FGravados);
        FBytes = std::move(todos);
        FGravados = 0;
    }
    FGravacao.Descartar();
}

plataforma::TResultadoGravacao TListaLinhas::Gravar(const Texto& ACaminho) {
    if (FGravacao.Iniciada() && ACaminho != FDestino) TrazerDeVolta();
    if (FGravacao.Iniciada()) {
        // The last piece, then the file goes in place; a failed write shows
        // in Concluir.
        FGravacao.Escrever(Conteudo());
        plataforma::TResultadoGravacao r = FGravacao.Concluir();
        FGravacao.Descartar();
        FDestino.clear();
        return r;
    }
    // Bytes in one piece are the file already; a list with a replaced line
    // puts them together first.
    std::string copia;
    std::string_view bytes = Conteudo();
    if (!EmUmaPeca()) {
        if (FInicioTexto > 0) copia.append(MarcaUtf8);
        Codificar(copia);
        bytes = copia;
    }
    return plataforma::GravarArquivo(ACaminho, bytes);
}

size_t TListaLinhas::CodificarNoFim(std::u16string_view ALinha, bool& AExata) {
    GarantirEspaco(ALinha.size() + 2);
    AExata = FTabela->Codificar(ALinha, Memoria(FTamanhoBytes));
    if (AExata) return ALinha.size();
    FRascunhoBytes.clear();
    plataforma::ParaCodigoPagina(ALinha, FRascunhoBytes);
    GarantirEspaco(FRascunhoBytes.size() + 2);
    std::memcpy(Memoria(FTamanhoBytes), FRascunhoBytes.data(), FRascunhoBytes.size());
    return FRascunhoBytes.size();
}

void TListaLinhas::Confirmar(std::u16string_view ALinha, size_t ABytes, bool AExata) {
    if (!AExata) {
        // What may fail comes first, so that a failure leaves the list as it was.
        FInicios.Reservar(FInicios.Tamanho() + 1);
        FTextos.emplace(Count(), Texto(ALinha));
    }
    Fechar(ALinha.size(), ABytes);
}

void TListaLinhas::Fechar(size_t AUnidades, size_t ABytes) {
    char* fim = Memoria(FTamanhoBytes) + ABytes;
    fim[0] = '\r';
    fim[1] = '\n';
    FInicios.Adicionar(FTamanhoBytes);
    FTamanhoBytes += ABytes + 2;
    FUnidades += AUnidades + 2;
    GravarPecaCheia();
}

void TListaLinhas::Adicionar(std::u16string_view ALinha) {
    uint32_t h = 0;
    if (FIndiceValido) {
        h = Hash(ALinha);
        Antecipar(&Vaga(h));
    }
    bool exata;
    const size_t bytes = CodificarNoFim(ALinha, exata);
    if (!FIndiceValido) {
        Confirmar(ALinha, bytes, exata);
        return;
    }
    TEntrada& e = Procurar(ALinha, h);
    Confirmar(ALinha, bytes, exata);
    // An equal line came first and stays first.
    if (e.Indice < 0) OcuparEntrada(e, h, Count() - 1);
}

void TListaLinhas::AdicionarBytes(std::string_view ABytes) {
    if (FIndiceValido) {
        // The index is kept by the text of the line.
        FRascunhoLinha.resize(ABytes.size());
        FTabela->Decodificar(ABytes, FRascunhoLinha.data());
        return Adicionar(FRascunhoLinha);
    }
    GarantirEspaco(ABytes.size() + 2);
    std::memcpy(Memoria(FTamanhoBytes), ABytes.data(), ABytes.size());
    Fechar(ABytes.size(), ABytes.size());
}

bool TListaLinhas::AdicionarSeNova(std::u16string_view ALinha) {
    if (!FIndiceValido) ConstruirIndice();
    const uint32_t h = Hash(ALinha);
    // With hundreds of thousands of lines the index no longer fits in the
    // processor's caches: its slot is asked for now and used below.
    Antecipar(&Vaga(h));
    // The bytes are written (not yet added) while the slot is on its way;
    // most lines that come here are new.
    bool exata;
    const size_t bytes = CodificarNoFim(ALinha, exata);
    TEntrada& e = Procurar(ALinha, h);
    if (e.Indice >= 0) return false;
    Confirmar(ALinha, bytes, exata);
    OcuparEntrada(e, h, Count() - 1);
    return true;
}

uint32_t TListaLinhas::AnteciparBytes(std::string_view ABytes) {
    if (!FIndiceValido) ConstruirIndice();
    const uint32_t h = HashBytes(ABytes);
    Antecipar(&Vaga(h));
    return h;
}

bool TListaLinhas::AdicionarSeNovaBytes(std::string_view ABytes, uint32_t h) {
    if (!FIndiceValido) ConstruirIndice();
    TEntrada& e = Procurar(h, [&](int32_t i) { return IguaisBytes(i, ABytes); });
    if (e.Indice >= 0) return false;
    GarantirEspaco(ABytes.size() + 2);
    std::memcpy(Memoria(FTamanhoBytes), ABytes.data(), ABytes.size());
    Fechar(ABytes.size(), ABytes.size());
    OcuparEntrada(e, h, Count() - 1);
    return true;
}

int32_t TListaLinhas::IndiceDe(std::u16string_view ALinha) {
    if (!FIndiceValido) ConstruirIndice();
    return Procurar(ALinha, Hash(ALinha)).Indice;
}

std::string_view TListaLinhas::BytesDe(int32_t AIndice) const {
    if (!FSubstituidas.empty()) {
        const auto s = FSubstituidas.find(AIndice);
        if (s != FSubstituidas.end()) return s->second.Bytes;
    }
    const size_t i = static_cast<size_t>(AIndice);
    const size_t inicio = FInicios[i];
    const size_t fim = (i + 1 < FInicios.Tamanho() ? FInicios[i + 1] : FTamanhoBytes) - 2;
    if (inicio >= FGravados) return std::string_view(Memoria(inicio), fim - inicio);
    return Gravados(inicio, fim);
}

std::string_view TListaLinhas::Gravados(size_t AInicio, size_t AFim) const {
    if (const char* mapa = FGravacao.Mapeados(FGravados)) return std::string_view(mapa + AInicio, AFim - AInicio);
    FLidos.resize(AFim - AInicio);
    if (!FGravacao.Ler(AInicio, FLidos.data(), FLidos.size())) throw EQuelbErro(u"Stream read error");
    return FLidos;
}

bool TListaLinhas::ExataDe(int32_t AIndice) const {
    return (FTextos.empty() || FTextos.find(AIndice) == FTextos.end()) &&
           (FSubstituidas.empty() || FSubstituidas.find(AIndice) == FSubstituidas.end());
}

std::u16string_view TListaLinhas::TextoDe(int32_t AIndice, std::u16string& ARascunho) const {
    if (!FSubstituidas.empty()) {
        const auto s = FSubstituidas.find(AIndice);
        if (s != FSubstituidas.end()) return s->second.Linha;
    }
    if (!FTextos.empty()) {
        const auto t = FTextos.find(AIndice);
        if (t != FTextos.end()) return t->second;
    }
    const std::string_view bytes = BytesDe(AIndice);
    ARascunho.resize(bytes.size());
    FTabela->Decodificar(bytes, ARascunho.data());
    return ARascunho;
}

Texto TListaLinhas::Linha(int32_t AIndice) const {
    if (AIndice < 0 || AIndice >= Count()) throw EListaIndice(AIndice);
    Texto r;
    const std::u16string_view t = TextoDe(AIndice, r);
    if (t.data() == r.data()) return r;  // decoded from its bytes
    return Texto(t);
}

void TListaLinhas::Substituir(int32_t AIndice, std::u16string_view ALinha) {
    if (AIndice < 0 || AIndice >= Count()) throw EListaIndice(AIndice);
    // The new line is kept apart (ALinha may view the old one); the index is
    // rebuilt on the next search, since the old line may have been a first
    // occurrence.
    TrazerDeVolta();
    TSubstituida nova{Texto(ALinha), {}};
    plataforma::ParaCodigoPagina(nova.Linha, nova.Bytes);
    const size_t anterior = TextoDe(AIndice, FRascunho).size();
    const size_t unidades = FUnidades - anterior + nova.Linha.size();
    FSubstituidas[AIndice] = std::move(nova);
    FUnidades = unidades;
    FIndiceValido = false;
}

bool TListaLinhas::Iguais(int32_t AIndice, std::u16string_view ALinha) {
    if (ExataDe(AIndice)) {
        // One byte per character, and the bytes give the line back.
        const std::string_view bytes = BytesDe(AIndice);
        if (bytes.size() != ALinha.size()) return false;
        if (FTabela->IgualAosBytes(ALinha, bytes)) return true;
    }
    return plataforma::IguaisSemCaixa(TextoDe(AIndice, FRascunho), ALinha);
}

bool TListaLinhas::IguaisBytes(int32_t AIndice, std::string_view ABytes) {
    if (ExataDe(AIndice)) {
        const std::string_view bytes = BytesDe(AIndice);
        if (bytes.size() != ABytes.size()) return false;
        // Most lines met here are equal to the letter.
        if (std::memcmp(bytes.data(), ABytes.data(), bytes.size()) == 0) return true;
    }
    FRascunhoLinha.resize(ABytes.size());
    FTabela->Decodificar(ABytes, FRascunhoLinha.data());
    return plataforma::IguaisSemCaixa(TextoDe(AIndice, FRascunho), FRascunhoLinha);
}

template <class TIgual>
TListaLinhas::TEntrada& TListaLinhas::Procurar(uint32_t h, TIgual&& AIgual) {
    const size_t mascara = FVagas - 1;
    TEntrada* entradas = Entradas();
    for (size_t i = h & mascara;; i = (i + 1) & mascara) {
        TEntrada& e = entradas[i];
        if (e.Indice < 0) return e;
        if (e.Hash == h && AIgual(e.Indice)) return e;
    }
}

TListaLinhas::TEntrada& TListaLinhas::Procurar(std::u16string_view ALinha, uint32_t h) {
    return Procurar(h, [&](int32_t i) { return Iguais(i, ALinha); });
}

void TListaLinhas::OcuparEntrada(TEntrada& AEntrada, uint32_t h, int32_t AIndice) {
    AEntrada = {h, AIndice};
    ++FOcupadas;
    // At most two thirds full, so that every search meets an empty slot soon.
    if (FOcupadas * 3 > FVagas * 2) AumentarIndice();
}

plataforma::TBlocoMemoria TListaLinhas::NovoIndice(size_t AVagas) {
    plataforma::TBlocoMemoria bloco;
    bloco.Crescer(AVagas * sizeof(TEntrada));
    std::uninitialized_fill_n(reinterpret_cast<TEntrada*>(bloco.Dados()), AVagas, TEntrada{0, -1});
    return bloco;
}

void TListaLinhas::ConstruirIndice() {
    GarantirLeitura();
    size_t vagas = 16;
    while (vagas * 2 < (FInicios.Tamanho() + 1) * 3) vagas *= 2;
    FIndice = NovoIndice(vagas);
    FVagas = vagas;
    FOcupadas = 0;
    FIndiceValido = true;
    // Lines are visited in order, so each entry points at a first occurrence.
    for (int32_t i = 0; i < Count(); ++i) {
        const std::u16string_view linha = TextoDe(i, FRascunhoLinha);
        const uint32_t h = Hash(linha);
        TEntrada& e = Procurar(linha, h);
        if (e.Indice < 0) OcuparEntrada(e, h, i);
    }
}

void TListaLinhas::AumentarIndice() {
    const size_t vagas = FVagas * 2;
    plataforma::TBlocoMemoria bloco = NovoIndice(vagas);
    TEntrada* novo = reinterpret_cast<TEntrada*>(bloco.Dados());
    const TEntrada* antigo = Entradas();
    const size_t mascara = vagas - 1;
    // The entries are distinct lines already: each takes the first free slot.
    // The slots of the entries a little further on are asked for ahead.
    constexpr size_t Adiante = 8;
    for (size_t k = 0; k < FVagas; ++k) {
        if (k + Adiante < FVagas && antigo[k + Adiante].Indice >= 0) Antecipar(&novo[antigo[k + Adiante].Hash & mascara]);
        const TEntrada& e = antigo[k];
        if (e.Indice < 0) continue;
        size_t i = e.Hash & mascara;
        while (novo[i].Indice >= 0) i = (i + 1) & mascara;
        novo[i] = e;
    }
    FIndice = std::move(bloco);
    FVagas = vagas;
}

void TListaLinhas::Codificar(std::string& ADestino) const {
    if (EmUmaPeca()) {
        if (FGravados > FInicioTexto) ADestino.append(Gravados(FInicioTexto, FGravados));
        const size_t inicio = std::max(FGravados, FInicioTexto);
        if (FTamanhoBytes > inicio) ADestino.append(Memoria(inicio), FTamanhoBytes - inicio);
        return;
    }
    for (int32_t i = 0; i < Count(); ++i) {
        ADestino.append(BytesDe(i));
        ADestino.append("\r\n");
    }
}

}  // namespace quelb
