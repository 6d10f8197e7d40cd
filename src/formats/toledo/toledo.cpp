// Toledo loads. Plain Toledo writes the item record alone, with the
// extra-information text inside it. The MGV layouts write an item record and
// up to five auxiliary records, each only for a positive code (for the extra
// information: a text of three or more characters) and only once: a record
// equal to one already in its file, letter case aside, is dropped. An item
// listed under other departments too has a line of its item record for each,
// the same but for the department.
#include "formats/toledo/toledo.h"

#include <vector>

#include "formats/toledo/layouts_toledo.h"
#include "generator/escrever_registro.h"
#include "generator/informacao_extra.h"

namespace quelb::toledo {

namespace {

using Conteudo = TConteudoArquivo;

// The item record of layout AItem under each of the item's other
// departments (codes of 2 digits; what is not one is left out, as the check
// says).
template <const auto& AItem>
void OutrosDepartamentos(TCarga& ACarga, TQuelbCargaBalItem& AProduto, const TOrigem& o) {
    const TTextoItem& outros = AProduto.Toledo[TQuelbCargaBalColunasToledo::OutrosDepartamentos];
    if (outros.empty()) return;
    std::vector<int32_t> departamentos;
    CodigosDaLista(outros.Utf16(), 2, departamentos);
    const int32_t setor = AProduto.Setor.Codigo;
    for (const int32_t d : departamentos) {
        AProduto.Setor.Codigo = d;
        ACarga.Adicionar<AItem>(Conteudo::Itens, o);
    }
    AProduto.Setor.Codigo = setor;
}

// Plain Toledo: the item record alone.
class TEscritorToledo final : public TEscritorItens {
public:
    explicit TEscritorToledo(TCarga& ACarga) : FCarga(ACarga) {}

    void Escrever(TQuelbCargaBalItem& AProduto, int32_t APosicao) override {
        const TOrigem o{AProduto, APosicao, FCarga.Formato};
        FCarga.Adicionar<ItemToledo>(Conteudo::Itens, o);
        OutrosDepartamentos<ItemToledo>(FCarga, AProduto, o);
    }

private:
    TCarga& FCarga;
};

// AItem, ATxInfo and ANutricional are the layouts of the item record, of
// TXINFO.TXT and of INFNUTRI.TXT. MGV5 version 1 leaves the item as it is;
// the others settle its extra-information code first.
template <const auto& AItem, const auto& ATxInfo, const auto& ANutricional, bool AAcertarCodigo>
class TEscritorMGV final : public TEscritorItens {
public:
    explicit TEscritorMGV(TCarga& ACarga) : FCarga(ACarga) {}

    void Escrever(TQuelbCargaBalItem& AProduto, int32_t APosicao) override {
        if constexpr (AAcertarCodigo) AcertarCodigoInformacaoExtra(AProduto);
        const TOrigem o{AProduto, APosicao, FFormato};
        FCarga.Adicionar<AItem>(Conteudo::Itens, o);
        OutrosDepartamentos<AItem>(FCarga, AProduto, o);
        if (AProduto.InformacaoExtra.Receita.size() > 2)
            FCarga.AdicionarSeNovo<ATxInfo>(Conteudo::InformacaoExtra, o);
        if (AProduto.Nutricional.Codigo > 0)
            FCarga.AdicionarSeNovo<ANutricional>(Conteudo::Nutricional, o);
        if (AProduto.Tara.Codigo > 0) FCarga.AdicionarSeNovo<Tara>(Conteudo::Taras, o);
        if (AProduto.Fornecedor.Codigo > 0)
            FCarga.AdicionarSeNovo<Fornecedor>(Conteudo::Fornecedores, o);
        if (AProduto.Setor.Codigo > 0) FCarga.AdicionarSeNovo<Setor>(Conteudo::Setores, o);
    }

private:
    TCarga& FCarga;
    const plataforma::TFormatoNumerico& FFormato = FCarga.Formato;
};

constexpr TLayoutRegistro RegistrosItemToledo[] = {Layout<ItemToledo>("item")};
constexpr TLayoutRegistro RegistrosItemMGV5Ver1[] = {Layout<ItemMGV5Ver1>("item")};
constexpr TLayoutRegistro RegistrosItemMGV[] = {Layout<ItemMGV>("item")};
constexpr TLayoutRegistro RegistrosSetor[] = {Layout<Setor>("setor")};
constexpr TLayoutRegistro RegistrosInformacaoExtraMGV5Ver1[] = {Layout<InformacaoExtraMGV5Ver1>("informacao_extra")};
constexpr TLayoutRegistro RegistrosInformacaoExtra[] = {Layout<InformacaoExtra>("informacao_extra")};
constexpr TLayoutRegistro RegistrosNutricional[] = {Layout<Nutricional>("nutricional")};
constexpr TLayoutRegistro RegistrosItemMGV7[] = {Layout<ItemMGV7>("item")};
constexpr TLayoutRegistro RegistrosNutricionalMGV7[] = {Layout<NutricionalMGV7>("nutricional")};
constexpr TLayoutRegistro RegistrosTara[] = {Layout<Tara>("tara")};
constexpr TLayoutRegistro RegistrosFornecedor[] = {Layout<Fornecedor>("fornecedor")};

}  // namespace

const std::array<TArquivoModelo, 1> ArquivosToledo = {{
    {Conteudo::Itens, u"TXITENS.TXT", RegistrosItemToledo},
}};

// The six files of an MGV load; the layouts of the item record, of TXINFO.TXT
// and of INFNUTRI.TXT are those that differ between the MGV layouts.
constexpr std::array<TArquivoModelo, 6> ArquivosDoMGV(std::span<const TLayoutRegistro> AItens,
                                                      std::span<const TLayoutRegistro> AInformacaoExtra,
                                                      std::span<const TLayoutRegistro> ANutricional) {
    return {{
        {Conteudo::Itens, u"ITENSMGV.TXT", AItens},
        {Conteudo::Setores, u"DEPTO.TXT", RegistrosSetor},
        {Conteudo::InformacaoExtra, u"TXINFO.TXT", AInformacaoExtra},
        {Conteudo::Nutricional, u"INFNUTRI.TXT", ANutricional},
        {Conteudo::Taras, u"TARA.TXT", RegistrosTara},
        {Conteudo::Fornecedores, u"TXFORN.TXT", RegistrosFornecedor},
    }};
}

const std::array<TArquivoModelo, 6> ArquivosMGV5Ver1 =
    ArquivosDoMGV(RegistrosItemMGV5Ver1, RegistrosInformacaoExtraMGV5Ver1, RegistrosNutricional);
const std::array<TArquivoModelo, 6> ArquivosMGV =
    ArquivosDoMGV(RegistrosItemMGV, RegistrosInformacaoExtra, RegistrosNutricional);
const std::array<TArquivoModelo, 6> ArquivosMGV7 =
    ArquivosDoMGV(RegistrosItemMGV7, RegistrosInformacaoExtra, RegistrosNutricionalMGV7);

std::unique_ptr<TEscritorItens> CriarEscritorToledo(TCarga& ACarga) { return std::make_unique<TEscritorToledo>(ACarga); }
std::unique_ptr<TEscritorItens> CriarEscritorMGV5Ver1(TCarga& ACarga) {
    return std::make_unique<TEscritorMGV<ItemMGV5Ver1, InformacaoExtraMGV5Ver1, Nutricional, false>>(ACarga);
}
std::unique_ptr<TEscritorItens> CriarEscritorMGV(TCarga& ACarga) {
    return std::make_unique<TEscritorMGV<ItemMGV, InformacaoExtra, Nutricional, true>>(ACarga);
}
std::unique_ptr<TEscritorItens> CriarEscritorMGV7(TCarga& ACarga) {
    return std::make_unique<TEscritorMGV<ItemMGV7, InformacaoExtra, NutricionalMGV7, true>>(ACarga);
}

}  // namespace quelb::toledo
