#pragma once
// The two number patterns of the Urano prices, computed from the count of
// ten-thousandths with integer arithmetic (never through a binary float).
#include "catalogue/valor_fixo.h"
#include "generator/campo_curto.h"

namespace quelb {

// Pattern "000000.00": rounded to hundredths with a half going to the even
// hundredth, at least six integer digits filled with "0", two decimals, no
// grouping. A negative amount gets "-" before the digits, unless it rounds to
// 0.00; amounts of 1000000 and more keep all their digits. Nothing is cut.
TCampoCurto FormatarPadraoSeisZeros(TValorFixo AValor, char16_t ASeparadorDecimal);

// Pattern "###,###,##0.00": rounded to hundredths with a half going away from
// zero, at least one integer digit, groups of three joined by
// ASeparadorMilhar (none when it is U+0000), two decimals. Sign as above.
TCampoCurto FormatarPadraoAgrupado(TValorFixo AValor, char16_t ASeparadorDecimal, char16_t ASeparadorMilhar);

}  // namespace quelb
