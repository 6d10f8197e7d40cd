#include "catalogue/erro.h"

#include "catalogue/texto.h"

namespace quelb {

EQuelbErro::EQuelbErro(std::u16string AMensagem)
    : FMensagem(std::move(AMensagem)), FMensagemUtf8(ParaUtf8(FMensagem)) {}

EListaIndice::EListaIndice(int32_t AIndice)
    : EQuelbErro(DeUtf8("List index out of bounds (" + std::to_string(AIndice) + ")")) {}

}  // namespace quelb
