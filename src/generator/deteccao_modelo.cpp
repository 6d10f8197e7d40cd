// The model of a load: the model that its file names and record widths
// say, unless the item records read as another model's without erro (a
// TXITENS.TXT under the name ITENSMGV.TXT) where they do not as its own.
#include "formats/toledo/layouts_toledo.h"
#include "generator/arquivo_carga.h"
#include "generator/ler_carga.h"
#include "generator/modelos.h"

namespace quelb {

using namespace carga;

namespace {

// The item file of a model, when the load has it.
const TArquivoCarga* ItensDe(std::span<const TArquivoCarga> AArquivos, TQuelbCargaBalModelo AModelo) {
    return ProcurarArquivo(AArquivos, DefinicaoModelo(AModelo)->Arquivos[0].Nome);
}

// The first line of a file, as its records' width tells the layout.
Texto PrimeiraLinha(const TArquivoCarga& a) {
    bool semCrLf = false;
    // The first line is enough, in the encoding of the whole file.
    const std::string_view bytes = a.Bytes;
    const size_t fim = bytes.find('\n');
    const Texto t = Decodificar(bytes.substr(0, fim == std::string_view::npos ? fim : fim + 1), CodificacaoDe(bytes));
    const std::vector<TLinha> linhas = Linhas(t, semCrLf);
    return linhas.empty() ? Texto() : Texto(linhas[0].Texto);
}

// Whether a line starts with the leading fixed text of one of the model's
// item-file records (Urano's record types).
bool ComecaComo(TQuelbCargaBalModelo AModelo, std::u16string_view ALinha, bool ASoOItem) {
    const std::span<const TLayoutRegistro> registros = DefinicaoModelo(AModelo)->Arquivos[0].Registros;
    for (size_t i = 0; i < (ASoOItem ? 1 : registros.size()); ++i) {
        const std::span<const TCampo> campos = registros[i].Campos;
        if (!campos.empty() && campos[0].Tipo == TTipoCampo::Fixo && ALinha.starts_with(campos[0].Fixo)) return true;
    }
    return false;
}

// The model that the file names say, the record widths telling apart the
// models that share them.
std::optional<TQuelbCargaBalModelo> PeloNome(std::span<const TArquivoCarga> AArquivos, bool& AAmbiguo) {
    std::optional<TQuelbCargaBalModelo> r;
    if (ItensDe(AArquivos, modFilizola)) r = modFilizola;
    else if (ItensDe(AArquivos, modToledo)) r = modToledo;
    else if (ItensDe(AArquivos, modRamuza)) r = modRamuza;
    else if (const TArquivoCarga* mgv = ItensDe(AArquivos, modToledoMGV6)) {
        // The MGV models share their file names; their item records differ
        // in width (MGV5 and MGV6 not at all).
        const size_t largura = PrimeiraLinha(*mgv).size();
        if (largura == static_cast<size_t>(LarguraFixa(toledo::ItemMGV5Ver1))) {
            r = modToledoMGV5Ver1;
        } else if (largura > static_cast<size_t>(LarguraFixa(toledo::ItemMGV))) {
            r = modToledoMGV7;
        } else {
            r = modToledoMGV6;
            AAmbiguo = true;
        }
    } else if (const TArquivoCarga* produtos = ItensDe(AArquivos, modUrano)) {
        // The Urano models share PRODUTOS.TXT; the record types tell them.
        const Texto linha = PrimeiraLinha(*produtos);
        if (ComecaComo(modUranoS, linha, true)) r = modUranoS;
        else if (ComecaComo(modUrano, linha, false)) r = modUrano;
        else r = modUranoURF32;
    }
    return r;
}

// The erros of reading the first lines of AArquivo as AModelo's item file;
// the most there are when nothing reads.
size_t ErrosDaAmostra(TQuelbCargaBalModelo AModelo, const TArquivoCarga& AArquivo) {
    size_t fim = 0;
    for (int n = 0; n < 50 && fim != std::string::npos; ++n) fim = AArquivo.Bytes.find('\n', n == 0 ? 0 : fim + 1);
    const TArquivoCarga amostra{Texto(DefinicaoModelo(AModelo)->Arquivos[0].Nome),
                                AArquivo.Bytes.substr(0, fim == std::string::npos ? fim : fim + 1)};
    TQuelbCargaBalItens itens;
    const TLeituraCarga leitura = LerCarga(AModelo, std::span(&amostra, 1), itens);
    return itens.Count() == 0 ? SIZE_MAX : leitura.Erros();
}

}  // namespace

std::optional<TQuelbCargaBalModelo> DetectarModelo(std::span<const TArquivoCarga> AArquivos, bool& AAmbiguo) {
    AAmbiguo = false;
    std::optional<TQuelbCargaBalModelo> r = PeloNome(AArquivos, AAmbiguo);
    // A model's item file, or the one file of a load given alone.
    const auto arquivoDe = [&](TQuelbCargaBalModelo AModelo) {
        const TArquivoCarga* a = ItensDe(AArquivos, AModelo);
        return a != nullptr || AArquivos.size() != 1 ? a : &AArquivos[0];
    };
    size_t menosErros = r && arquivoDe(*r) ? ErrosDaAmostra(*r, *arquivoDe(*r)) : SIZE_MAX;
    for (const TDefinicaoModelo& m : Modelos()) {
        const TArquivoCarga* arquivo = arquivoDe(m.Modelo);
        // MGV5 reads as MGV6, byte for byte.
        if (arquivo == nullptr || m.Modelo == r || m.Modelo == modToledoMGV5) continue;
        // Another model than the names say only when it reads without erro.
        const size_t erros = ErrosDaAmostra(m.Modelo, *arquivo);
        if (erros == 0 && erros < menosErros) {
            menosErros = erros;
            r = m.Modelo;
            AAmbiguo = m.Modelo == modToledoMGV6;
        }
    }
    return r;
}

}  // namespace quelb
