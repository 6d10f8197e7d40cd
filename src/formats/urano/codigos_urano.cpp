#include "formats/urano/codigos_urano.h"

namespace quelb {

bool VendidoPorUnidade(TQuelbCargaBalTipoVenda ATipo) { return ATipo == tpvUnidade || ATipo == tpvEAN13Und; }

std::u16string_view TipoVendaUrano(TQuelbCargaBalTipoVenda ATipo) { return VendidoPorUnidade(ATipo) ? u"U" : u"P"; }

std::u16string_view TipoVendaURF32(TQuelbCargaBalTipoVenda ATipo) { return VendidoPorUnidade(ATipo) ? u"6" : u"0"; }

std::u16string_view TipoValidadeURF32(TQuelbCargaBalTipoValidade ATipo) { return ATipo == tpvMeses ? u"M" : u"D"; }

}  // namespace quelb
