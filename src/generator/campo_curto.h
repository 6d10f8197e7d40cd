#pragma once
// A short field (a price, a checksum) held in a fixed buffer, so that
// formatting one per record costs no allocation. It reads as a text view.
#include <cstddef>
#include <string_view>

namespace quelb {

class TCampoCurto {
public:
    // Room for the widest price: sign, 15 integer digits, their group
    // separators, the decimal separator and two decimals.
    static constexpr size_t Capacidade = 32;

    // The text is built from its last character to its first: c goes
    // before what is there.
    void Preceder(char16_t c) { FTexto[--FInicio] = c; }

    // Every ADe becomes APara.
    void Trocar(char16_t ADe, char16_t APara) {
        for (size_t i = FInicio; i < Capacidade; ++i)
            if (FTexto[i] == ADe) FTexto[i] = APara;
    }

    std::u16string_view Vista() const { return {FTexto + FInicio, Capacidade - FInicio}; }
    operator std::u16string_view() const { return Vista(); }
    size_t size() const { return Capacidade - FInicio; }

private:
    char16_t FTexto[Capacidade];
    size_t FInicio = Capacidade;  // the text is FTexto[FInicio..Capacidade)
};

}  // namespace quelb
