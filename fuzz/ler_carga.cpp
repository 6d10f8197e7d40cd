// The load reader (cargabal ler) on arbitrary files, and the check on what
// it read. The first byte picks the model; the rest is cut at each "\xFF\xFF\xFF"
// into the model's files, in the order of its table. A reading may report
// any fault, but it never stops the process nor does anything undefined.
#include <cstdint>
#include <string_view>
#include <vector>

#include "generator/ler_carga.h"
#include "generator/modelos.h"
#include "generator/verificacao.h"
#include "platform/plataforma.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* ADados, size_t ATamanho) {
    if (ATamanho == 0) return 0;
    const auto& modelos = quelb::Modelos();
    const quelb::TDefinicaoModelo& modelo = modelos[ADados[0] % modelos.size()];
    std::string_view resto(reinterpret_cast<const char*>(ADados) + 1, ATamanho - 1);
    constexpr std::string_view Separador = "\xFF\xFF\xFF";
    std::vector<quelb::TArquivoCarga> arquivos;
    for (const quelb::TArquivoModelo& a : modelo.Arquivos) {
        if (resto.empty()) break;
        const size_t fim = resto.find(Separador);
        arquivos.push_back({quelb::Texto(a.Nome), std::string(resto.substr(0, fim))});
        resto.remove_prefix(fim == std::string_view::npos ? resto.size() : fim + Separador.size());
    }

    bool ambiguo = false;
    quelb::DetectarModelo(arquivos, ambiguo);
    quelb::TQuelbCargaBalItens itens;
    quelb::LerCarga(modelo.Modelo, arquivos, itens);
    // What was read goes through the check, as "cargabal verificar" would
    // take a catalogue that "ler" wrote.
    quelb::VerificarItens(itens, modelo.Modelo, quelb::plataforma::FormatoNumerico(), 100);
    return 0;
}
