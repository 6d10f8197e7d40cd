// The model of a load, from its file names and the width of its records.
#include "formats/toledo/layouts_toledo.h"
#include "generator/arquivo_carga.h"
#include "generator/ler_carga.h"
#include "generator/modelos.h"

namespace quelb {

using namespace carga;

std::optional<TQuelbCargaBalModelo> DetectarModelo(std::span<const TArquivoCarga> AArquivos, bool& AAmbiguo) {
    AAmbiguo = false;
    // The first line of a file, as its records' width tells the layout.
    const auto primeiraLinha = [](const TArquivoCarga& a) {
        bool invalido = false, semCrLf = false;
        const Texto t = Decodificar(a.Bytes.substr(0, 4096), invalido);  // the first line is enough
        const std::vector<TLinha> linhas = Linhas(t, semCrLf);
        return linhas.empty() ? Texto() : Texto(linhas[0].Texto);
    };
    // The item file of a model, when the load has it.
    const auto itens = [&](TQuelbCargaBalModelo AModelo) {
        return ProcurarArquivo(AArquivos, DefinicaoModelo(AModelo)->Arquivos[0].Nome);
    };
    // Whether a line starts with the leading fixed text of one of the
    // model's item-file records (Urano's record types).
    const auto comecaComo = [](TQuelbCargaBalModelo AModelo, std::u16string_view ALinha, bool ASoOItem) {
        const std::span<const TLayoutRegistro> registros = DefinicaoModelo(AModelo)->Arquivos[0].Registros;
        for (size_t i = 0; i < (ASoOItem ? 1 : registros.size()); ++i) {
            const std::span<const TCampo> campos = registros[i].Campos;
            if (!campos.empty() && campos[0].Tipo == TTipoCampo::Fixo && ALinha.starts_with(campos[0].Fixo)) return true;
        }
        return false;
    };
    std::optional<TQuelbCargaBalModelo> r;
    if (itens(modFilizola)) r = modFilizola;
    else if (itens(modToledo)) r = modToledo;
    else if (itens(modRamuza)) r = modRamuza;
    else if (const TArquivoCarga* mgv = itens(modToledoMGV6)) {
        // The MGV models share their file names; their item records differ
        // in width (MGV5 and MGV6 not at all).
        const size_t largura = primeiraLinha(*mgv).size();
        if (largura == static_cast<size_t>(LarguraFixa(toledo::ItemMGV5Ver1))) {
            r = modToledoMGV5Ver1;
        } else if (largura > static_cast<size_t>(LarguraFixa(toledo::ItemMGV))) {
            r = modToledoMGV7;
        } else {
            r = modToledoMGV6;
            AAmbiguo = true;
        }
    } else if (const TArquivoCarga* produtos = itens(modUrano)) {
        // The Urano models share PRODUTOS.TXT; the record types tell them.
        const Texto linha = primeiraLinha(*produtos);
        if (comecaComo(modUranoS, linha, true)) r = modUranoS;
        else if (comecaComo(modUrano, linha, false)) r = modUrano;
        else r = modUranoURF32;
    }
    return r;
}

}  // namespace quelb
