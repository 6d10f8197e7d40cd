#include "formats/ramuza/ramuza.h"

#include "formats/ramuza/layouts_ramuza.h"
#include "generator/escrever_registro.h"

namespace quelb::ramuza {

namespace {

class TEscritorRamuza final : public TEscritorItens {
public:
    explicit TEscritorRamuza(TCarga& ACarga) : FProdutos(ACarga[TConteudoArquivo::Itens]) {}

    void Escrever(TQuelbCargaBalItem& AItem, int32_t APosicao) override {
        AdicionarRegistro<Produto>(FProdutos, FRegistros, {AItem, APosicao, FFormato});
    }

private:
    TListaLinhas& FProdutos;
    const plataforma::TFormatoNumerico& FFormato = plataforma::FormatoNumerico();
    TRegistros FRegistros;
};

constexpr TLayoutRegistro Registros[] = {Layout<Produto>("produto")};

}  // namespace

const std::array<TArquivoModelo, 1> Arquivos = {{{TConteudoArquivo::Itens, u"RAMUZA_ORIGINAL.TXT", Registros}}};

std::unique_ptr<TEscritorItens> CriarEscritor(TCarga& ACarga) { return std::make_unique<TEscritorRamuza>(ACarga); }

}  // namespace quelb::ramuza
