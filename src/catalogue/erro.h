#pragma once
#include <exception>
#include <string>

namespace quelb {

// Base of every error the library raises. It carries the message in UTF-16,
// as the host will see it once converted to its code page.
class EQuelbErro : public std::exception {
public:
    explicit EQuelbErro(std::u16string AMensagem);
    const std::u16string& Mensagem() const noexcept { return FMensagem; }
    // The message in UTF-8, for logs and C++ callers.
    const char* what() const noexcept override { return FMensagemUtf8.c_str(); }

private:
    std::u16string FMensagem;
    std::string FMensagemUtf8;
};

// "List index out of bounds (%d)" from the item list.
class EListaIndice : public EQuelbErro {
public:
    explicit EListaIndice(int32_t AIndice);
};

}  // namespace quelb
