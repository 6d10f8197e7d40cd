#pragma once
// The nine-character price field of the URF32 product line.
#include <string>
#include <string_view>

#include "catalogue/valor_fixo.h"
#include "platform/plataforma.h"

namespace quelb {

// Every "." of ATexto becomes ","; every other character stays.
std::u16string TrocarPontoPorVirgula(std::u16string_view ATexto);

// The price by the pattern "###,###,##0.00" with AFormato's separators,
// right-aligned to nine characters with spaces (a longer text keeps its first
// nine), then every "." turned into ",". Appended to ADestino.
void AcrescentarPrecoURF32(std::u16string& ADestino, TValorFixo AValor, const plataforma::TFormatoNumerico& AFormato);

// The same as a text; the first form uses the number format captured when
// the library loaded.
std::u16string FormatarPrecoURF32(TValorFixo AValor);
std::u16string FormatarPrecoURF32(TValorFixo AValor, const plataforma::TFormatoNumerico& AFormato);

}  // namespace quelb
