#include "formats/ramuza/ramuza.h"

#include "formats/ramuza/layouts_ramuza.h"
#include "generator/escrever_registro.h"

namespace quelb::ramuza {

namespace {

constexpr TLayoutRegistro Registros[] = {Layout<Produto>("produto")};

}  // namespace

const std::array<TArquivoModelo, 1> Arquivos = {{{TConteudoArquivo::Itens, u"RAMUZA_ORIGINAL.TXT", Registros}}};

std::unique_ptr<TEscritorItens> CriarEscritor(TCarga& ACarga) { return std::make_unique<TEscritorUmRegistro<Produto>>(ACarga); }

}  // namespace quelb::ramuza
