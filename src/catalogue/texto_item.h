#pragma once
// A text field of an item, kept compactly: one pointer, null for an empty
// text, otherwise a block with the length and the code units, on the heap or
// in the arena of the item list that the readers fill. A text
// whose code units are all at most U+00FF (Portuguese, in practice) keeps
// one byte per code unit; any other keeps its UTF-16 code units. Either way
// the text is the same sequence of UTF-16 code units: widths, cuts and sums
// count them as before.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quelb {

// Room for the texts of a list of items, taken in large blocks and given
// back all at once: a text there costs its length and a 4-byte header, not a
// heap block of its own. The readers fill a catalogue's texts from it.
class TArenaTextos {
public:
    TArenaTextos() = default;
    // A moved arena is left empty (its free room belongs to the other).
    TArenaTextos(TArenaTextos&& AOutra) noexcept { *this = std::move(AOutra); }
    TArenaTextos& operator=(TArenaTextos&& AOutra) noexcept {
        if (this != &AOutra) {
            FBlocos = std::move(AOutra.FBlocos);
            FLivre = std::exchange(AOutra.FLivre, nullptr);
            FFim = std::exchange(AOutra.FFim, nullptr);
            FRecentes = std::move(AOutra.FRecentes);
            AOutra.Limpar();
        }
        return *this;
    }

    // Room for ABytes bytes, at an even address.
    char* Reservar(size_t ABytes);
    // The block of a text of one byte per code unit: [uint32 header][bytes].
    // A short text met lately (a sector's or supplier's name, repeated item
    // after item) gives the block it had: texts in the arena never change.
    const char* Latin1(std::string_view ABytes);
    // Takes over the texts of AOutra, which is left empty: its blocks come
    // over as they are, so its texts stay where they are. A reading fills an
    // arena of its own and hands it over only when it succeeds.
    void Juntar(TArenaTextos&& AOutra);
    // Blocks taken from the heap.
    size_t Blocos() const { return FBlocos.size(); }
    // Gives back every text.
    void Limpar() noexcept {
        FBlocos.clear();
        FLivre = FFim = nullptr;
        FRecentes.reset();
    }

private:
    std::vector<std::unique_ptr<char[]>> FBlocos;
    char* FLivre = nullptr;
    char* FFim = nullptr;
    // The blocks of short texts met lately, by a hash of their bytes: a
    // fixed table, whose slot goes to the last text that falls on it.
    static constexpr size_t Recentes = 4096;
    static constexpr size_t CurtoAte = 48;
    std::unique_ptr<const char*[]> FRecentes;
};

class TTextoItem {
public:
    TTextoItem() noexcept = default;
    // Implicit from any UTF-16 text, so that an item is filled as with
    // strings: item.Descricao = u"Pão", item.Setor = {1, u"Padaria"}.
    TTextoItem(std::u16string_view ATexto) { Atribuir(ATexto); }
    TTextoItem(const char16_t* ATexto) { Atribuir(ATexto); }
    TTextoItem(const std::u16string& ATexto) { Atribuir(ATexto); }
    TTextoItem(const TTextoItem& AOutro);
    // A text kept in an arena is copied, not moved: the arena may go first.
    TTextoItem(TTextoItem&& AOutro) : TTextoItem() { *this = std::move(AOutro); }
    ~TTextoItem() { Liberar(); }

    TTextoItem& operator=(const TTextoItem& AOutro);
    TTextoItem& operator=(TTextoItem&& AOutro) {
        if (AOutro.NoArena()) return *this = static_cast<const TTextoItem&>(AOutro);
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
    // Sets the text to such bytes, kept in AArena: this text must then not
    // outlive the arena (the texts of a list's items, in the list's arena).
    void DefinirLatin1(std::string_view ABytes, TArenaTextos& AArena);

    // Code units.
    size_t size() const { return FBloco ? Cabecalho() >> 1 : 0; }
    bool empty() const { return FBloco == nullptr; }
    void clear() noexcept { Liberar(); }
    // True when the text is kept a byte per code unit (an empty text too).
    bool Estreito() const { return FBloco == nullptr || (Cabecalho() & 1) == 0; }
    // The code units as bytes, when Estreito().
    std::string_view Bytes() const {
        return FBloco ? std::string_view(Dados() + sizeof(uint32_t), size()) : std::string_view();
    }
    // The code units, when not Estreito().
    std::u16string_view Largo() const {
        return FBloco ? std::u16string_view(reinterpret_cast<const char16_t*>(Dados() + sizeof(uint32_t)), size())
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
    // The low bit of FBloco marks a block in an arena (blocks are at even
    // addresses), which is not freed here.
    bool NoArena() const { return (reinterpret_cast<uintptr_t>(FBloco) & 1) != 0; }
    const char* Dados() const { return FBloco - (reinterpret_cast<uintptr_t>(FBloco) & 1); }
    uint32_t Cabecalho() const {
        uint32_t c;
        std::memcpy(&c, Dados(), sizeof c);
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
