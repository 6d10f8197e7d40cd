#pragma once
// A text field of an item, kept compactly: one pointer, null for an empty
// text, otherwise one heap block with the length and the code units. A text
// whose code units are all at most U+00FF (Portuguese, in practice) keeps
// one byte per code unit; any other keeps its UTF-16 code units. Either way
// the text is the same sequence of UTF-16 code units: widths, cuts and sums
// count them as before.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace quelb {

class TTextoItem {
public:
    TTextoItem() noexcept = default;
    // Implicit from any UTF-16 text, so that an item is filled as with
    // strings: item.Descricao = u"Pão", item.Setor = {1, u"Padaria"}.
    TTextoItem(std::u16string_view ATexto) { Atribuir(ATexto); }
    TTextoItem(const char16_t* ATexto) { Atribuir(ATexto); }
    TTextoItem(const std::u16string& ATexto) { Atribuir(ATexto); }
    TTextoItem(const TTextoItem& AOutro);
    TTextoItem(TTextoItem&& AOutro) noexcept : FBloco(AOutro.FBloco) { AOutro.FBloco = nullptr; }
    ~TTextoItem() { Liberar(); }

    TTextoItem& operator=(const TTextoItem& AOutro);
    TTextoItem& operator=(TTextoItem&& AOutro) noexcept {
        if (this != &AOutro) {
            Liberar();
            FBloco = AOutro.FBloco;
            AOutro.FBloco = nullptr;
        }
        return *this;
    }
    TTextoItem& operator+=(std::u16string_view ATexto) { return *this = TTextoItem(Utf16() + std::u16string(ATexto)); }
    TTextoItem& operator+=(char16_t c) { return *this += std::u16string_view(&c, 1); }

    // A text of code units U+0000..U+00FF given as one byte each.
    static TTextoItem DeLatin1(std::string_view ABytes);

    // Code units.
    size_t size() const { return FBloco ? Cabecalho() >> 1 : 0; }
    bool empty() const { return FBloco == nullptr; }
    void clear() noexcept { Liberar(); }
    // True when the text is kept a byte per code unit (an empty text too).
    bool Estreito() const { return FBloco == nullptr || (Cabecalho() & 1) == 0; }
    // The code units as bytes, when Estreito().
    std::string_view Bytes() const {
        return FBloco ? std::string_view(FBloco + sizeof(uint32_t), size()) : std::string_view();
    }
    // The code units, when not Estreito().
    std::u16string_view Largo() const {
        return FBloco ? std::u16string_view(reinterpret_cast<const char16_t*>(FBloco + sizeof(uint32_t)), size())
                      : std::u16string_view();
    }
    char16_t operator[](size_t i) const {
        return Estreito() ? static_cast<char16_t>(static_cast<unsigned char>(Bytes()[i])) : Largo()[i];
    }
    // The text in UTF-16.
    std::u16string Utf16() const;

    friend bool operator==(const TTextoItem& A, std::u16string_view B);
    friend bool operator==(const TTextoItem& A, const std::u16string& B) { return A == std::u16string_view(B); }
    friend bool operator==(const TTextoItem& A, const char16_t* B) { return A == std::u16string_view(B); }
    friend bool operator==(const TTextoItem& A, const TTextoItem& B) {
        return A.Estreito() && B.Estreito() ? A.Bytes() == B.Bytes() : A == B.Utf16();
    }

private:
    uint32_t Cabecalho() const {
        uint32_t c;
        std::memcpy(&c, FBloco, sizeof c);
        return c;
    }
    void Atribuir(std::u16string_view ATexto);
    // A block for ATamanho code units, two bytes each when ALargo.
    char* Reservar(size_t ATamanho, bool ALargo);
    void Liberar() noexcept;

    // [uint32 header: size << 1 | 1 when UTF-16][code units], or null.
    char* FBloco = nullptr;
};

}  // namespace quelb
