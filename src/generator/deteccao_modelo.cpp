// The model of a load, from its file names and the width of its records.
#include "formats/toledo/layouts_toledo.h"
#include "generator/arquivo_carga.h"
#include "generator/ler_carga.h"

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
    std::optional<TQuelbCargaBalModelo> r;
    if (ProcurarArquivo(AArquivos, u"CADTXT.TXT")) r = modFilizola;
    else if (ProcurarArquivo(AArquivos, u"TXITENS.TXT")) r = modToledo;
    else if (ProcurarArquivo(AArquivos, u"RAMUZA_ORIGINAL.TXT")) r = modRamuza;
    else if (const TArquivoCarga* mgv = ProcurarArquivo(AArquivos, u"ITENSMGV.TXT")) {
        const size_t largura = primeiraLinha(*mgv).size();
        if (largura == LarguraFixa(toledo::ItemMGV5Ver1)) {
            r = modToledoMGV5Ver1;
        } else if (largura >= 280) {
            r = modToledoMGV7;
        } else {
            r = modToledoMGV6;
            AAmbiguo = true;
        }
    } else if (const TArquivoCarga* produtos = ProcurarArquivo(AArquivos, u"PRODUTOS.TXT")) {
        const Texto linha = primeiraLinha(*produtos);
        if (linha.starts_with(u'\x10')) r = modUranoS;
        else if (linha.starts_with(u'\x0A') || linha.starts_with(u'\x0B') || linha.starts_with(u'\x0C')) r = modUrano;
        else r = modUranoURF32;
    }
    return r;
}


}  // namespace quelb
