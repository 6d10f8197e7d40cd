#pragma once
// The codes of an item record that name a record of another file of the
// load by a property of their own: the item's tare and supplier codes are
// not the codes of the tare and supplier records it carries.
#include <string_view>

#include "generator/carga.h"

namespace quelb {

struct TReferencia {
    std::string_view Propriedade;  // in the item record
    TConteudoArquivo Arquivo;      // the file of the records it names
    std::string_view Chave;        // the property that keys those records
};
inline constexpr TReferencia Referencias[] = {
    {"CodigoTara", TConteudoArquivo::Taras, "Tara.Codigo"},
    {"CodigoFornecedor", TConteudoArquivo::Fornecedores, "Fornecedor.Codigo"},
};

}  // namespace quelb
