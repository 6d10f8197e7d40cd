// Filizola load: per item an item record, a sector record when the item has
// a sector name or a key, a nutrition record when it has a nutrition
// description, and its extra-information text unless an equal record (letter
// case aside) is already there.
#include "formats/filizola/filizola.h"

#include "formats/filizola/layouts_filizola.h"
#include "generator/escrever_registro.h"
#include "generator/informacao_extra.h"

namespace quelb::filizola {

namespace {

constexpr TLayoutRegistro RegistrosItens[] = {Layout<Item>("item")};
constexpr TLayoutRegistro RegistrosSetores[] = {Layout<Setor>("setor")};
constexpr TLayoutRegistro RegistrosNutricional[] = {Layout<Nutricional>("nutricional")};
constexpr TLayoutRegistro RegistrosInformacaoExtra[] = {Layout<InformacaoExtra>("informacao_extra", "codigo_informacao")};

class TEscritorFilizola final : public TEscritorItens {
public:
    explicit TEscritorFilizola(TCarga& ACarga) : FCarga(ACarga) {}

    void Escrever(TQuelbCargaBalItem& AItem, int32_t APosicao) override {
        AcertarCodigoInformacaoExtra(AItem);
        const TOrigem o{AItem, APosicao, FFormato};
        FCarga.Adicionar<Item>(TConteudoArquivo::Itens, o);
        if (!AItem.Setor.Descricao.empty() || AItem.Tecla > 0)
            FCarga.Adicionar<Setor>(TConteudoArquivo::Setores, o);
        if (!AItem.Nutricional.Descricao.empty())
            FCarga.Adicionar<Nutricional>(TConteudoArquivo::Nutricional, o);
        if (AItem.InformacaoExtra.Receita.size() > 2)
            FCarga.AdicionarSeNovo<InformacaoExtra>(TConteudoArquivo::InformacaoExtra, o);
    }

private:
    TCarga& FCarga;
    const plataforma::TFormatoNumerico& FFormato = FCarga.Formato;
};

}  // namespace

const std::array<TArquivoModelo, 4> Arquivos = {{
    {TConteudoArquivo::Itens, u"CADTXT.TXT", RegistrosItens},
    {TConteudoArquivo::Setores, u"SETORTXT.TXT", RegistrosSetores},
    {TConteudoArquivo::InformacaoExtra, u"REC_ASS.TXT", RegistrosInformacaoExtra},
    {TConteudoArquivo::Nutricional, u"NUTRI.TXT", RegistrosNutricional},
}};

std::unique_ptr<TEscritorItens> CriarEscritor(TCarga& ACarga) { return std::make_unique<TEscritorFilizola>(ACarga); }

}  // namespace quelb::filizola
