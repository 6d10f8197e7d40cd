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

    // Builds the text from characters produced right to left.
    static TCampoCurto DeInvertido(const char16_t* AInvertido, size_t ATamanho) {
        TCampoCurto c;
        for (size_t i = 0; i < ATamanho; ++i) c.FTexto[i] = AInvertido[ATamanho - 1 - i];
        c.FTamanho = ATamanho;
        return c;
    }

    // Every ADe becomes APara.
    void Trocar(char16_t ADe, char16_t APara) {
        for (size_t i = 0; i < FTamanho; ++i)
            if (FTexto[i] == ADe) FTexto[i] = APara;
    }

    std::u16string_view Vista() const { return {FTexto, FTamanho}; }
    operator std::u16string_view() const { return Vista(); }
    size_t size() const { return FTamanho; }

private:
    char16_t FTexto[Capacidade];
    size_t FTamanho = 0;
};

}  // namespace quelb
