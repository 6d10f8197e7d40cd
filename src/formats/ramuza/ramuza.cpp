#include "formats/ramuza/ramuza.h"

#include "formats/ramuza/layouts_ramuza.h"
#include "generator/escrever_registro.h"

namespace quelb::ramuza {

namespace {

class TEscritorRamuza final : public TEscritorItens {
public:
    explicit TEscritorRamuza(TCarga& ACarga) : FCarga(ACarga) {}

    void Escrever(TQuelbCargaBalItem& AItem, int32_t APosicao) override {
        FCarga.Adicionar<Produto>(TConteudoArquivo::Itens, {AItem, APosicao, FFormato});
    }

private:
    TCarga& FCarga;
    const plataforma::TFormatoNumerico& FFormato = FCarga.Formato;
};

constexpr TLayoutRegistro Registros[] = {Layout<Produto>("produto")};

}  // namespace

const std::array<TArquivoModelo, 1> Arquivos = {{{TConteudoArquivo::Itens, u"RAMUZA_ORIGINAL.TXT", Registros}}};

std::unique_ptr<TEscritorItens> CriarEscritor(TCarga& ACarga) { return std::make_unique<TEscritorRamuza>(ACarga); }

}  // namespace quelb::ramuza
