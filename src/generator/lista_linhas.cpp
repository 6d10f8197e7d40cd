#include "generator/lista_linhas.h"

#include "catalogue/erro.h"
#include "platform/plataforma.h"

namespace quelb {

namespace {
constexpr std::u16string_view FimLinha = u"\r\n";
}

void TListaLinhas::Anexar(std::u16string_view ALinha) {
    // A line read from this same list would move while the buffer grows.
    if (ALinha.data() >= FTexto.data() && ALinha.data() < FTexto.data() + FTexto.size()) {
        const std::u16string copia(ALinha);
        Anexar(copia);
        return;
    }
    FLinhas.push_back({FTexto.size(), ALinha.size()});
    FTexto.append(ALinha);
    FTexto.append(FimLinha);
}

void TListaLinhas::Adicionar(std::u16string_view ALinha) {
    Anexar(ALinha);
    if (FIndiceValido) Inserir(plataforma::HashSemCaixa(ALinha), Count() - 1);
}

std::u16string_view TListaLinhas::Linha(int32_t AIndice) const {
    if (AIndice < 0 || AIndice >= Count()) throw EListaIndice(AIndice);
    const TPosicao& p = FLinhas[static_cast<size_t>(AIndice)];
    return std::u16string_view(FTexto).substr(p.Inicio, p.Tamanho);
}

void TListaLinhas::Substituir(int32_t AIndice, std::u16string_view ALinha) {
    if (AIndice < 0 || AIndice >= Count()) throw EListaIndice(AIndice);
    // The new text goes to the end of the buffer; the index is rebuilt on the
    // next search, since the replaced line may have been a first occurrence.
    const std::u16string copia(ALinha);
    FLinhas[static_cast<size_t>(AIndice)] = {FTexto.size(), copia.size()};
    FTexto.append(copia);
    FTexto.append(FimLinha);
    FEmOrdem = false;
    FIndiceValido = false;
}

TListaLinhas::TEntrada& TListaLinhas::Procurar(std::u16string_view ALinha, uint64_t h) {
    const size_t mascara = FIndice.size() - 1;
    for (size_t i = static_cast<size_t>(h) & mascara;; i = (i + 1) & mascara) {
        TEntrada& e = FIndice[i];
        if (e.Indice < 0) return e;
        if (e.Hash == h && plataforma::IguaisSemCaixa(Linha(e.Indice), ALinha)) return e;
    }
}

void TListaLinhas::Inserir(uint64_t h, int32_t AIndice) {
    if ((FOcupadas + 1) * 2 > FIndice.size()) {
        ConstruirIndice();  // grows the table; AIndice is already a line
        return;
    }
    TEntrada& e = Procurar(Linha(AIndice), h);
    if (e.Indice >= 0) return;  // an equal line came first and stays first
    e = {h, AIndice};
    ++FOcupadas;
}

void TListaLinhas::ConstruirIndice() {
    size_t capacidade = 16;
    while (capacidade < FLinhas.size() * 2 + 2) capacidade *= 2;
    FIndice.assign(capacidade, TEntrada{0, -1});
    FOcupadas = 0;
    FIndiceValido = true;
    // Lines are visited in order, so each entry points at a first occurrence.
    for (int32_t i = 0; i < Count(); ++i) {
        const std::u16string_view linha = Linha(i);
        const uint64_t h = plataforma::HashSemCaixa(linha);
        TEntrada& e = Procurar(linha, h);
        if (e.Indice < 0) {
            e = {h, i};
            ++FOcupadas;
        }
    }
}

int32_t TListaLinhas::IndiceDe(std::u16string_view ALinha) {
    if (!FIndiceValido) ConstruirIndice();
    return Procurar(ALinha, plataforma::HashSemCaixa(ALinha)).Indice;
}

bool TListaLinhas::AdicionarSeNova(std::u16string_view ALinha) {
    if (!FIndiceValido) ConstruirIndice();
    if ((FOcupadas + 1) * 2 > FIndice.size()) ConstruirIndice();
    const uint64_t h = plataforma::HashSemCaixa(ALinha);
    TEntrada& e = Procurar(ALinha, h);
    if (e.Indice >= 0) return false;
    e = {h, Count()};
    ++FOcupadas;
    Anexar(ALinha);
    return true;
}

void TListaLinhas::Codificar(std::string& ADestino) const {
    if (FEmOrdem) {
        plataforma::ParaCodigoPagina(FTexto, ADestino);
        return;
    }
    for (const TPosicao& p : FLinhas) {
        plataforma::ParaCodigoPagina(std::u16string_view(FTexto).substr(p.Inicio, p.Tamanho), ADestino);
        ADestino.append("\r\n");
    }
}

size_t TListaLinhas::TamanhoTexto() const {
    if (FEmOrdem) return FTexto.size();
    size_t n = 0;
    for (const TPosicao& p : FLinhas) n += p.Tamanho + FimLinha.size();
    return n;
}

}  // namespace quelb
