#include "catalogue/texto_item.h"

#include <algorithm>
#include <functional>
#include <new>

namespace quelb {

namespace {

bool CabeEmByte(std::u16string_view ATexto) {
    char16_t ou = 0;
    for (const char16_t c : ATexto) ou |= c;
    return ou <= 0xFF;
}

}  // namespace

char* TTextoItem::Reservar(size_t ATamanho, bool ALargo) {
    if (ATamanho > (UINT32_MAX >> 1)) throw std::bad_alloc();
    char* bloco = static_cast<char*>(::operator new(sizeof(uint32_t) + ATamanho * (ALargo ? 2 : 1)));
    const uint32_t cabecalho = static_cast<uint32_t>(ATamanho) << 1 | (ALargo ? 1u : 0u);
    std::memcpy(bloco, &cabecalho, sizeof cabecalho);
    return bloco;
}

void TTextoItem::Liberar() noexcept {
    if (FBloco != nullptr && !NoArena()) ::operator delete(FBloco);
    FBloco = nullptr;
}

char* TArenaTextos::Reservar(size_t ABytes) {
    ABytes += ABytes & 1;
    if (static_cast<size_t>(FFim - FLivre) < ABytes) {
        // A text larger than a quarter block gets a block of its own (the
        // current block stays the one to fill), so that little room is left
        // unused at the end of a block.
        constexpr size_t Bloco = 64 * 1024;
        if (ABytes > Bloco / 4) {
            FBlocos.push_back(std::make_unique_for_overwrite<char[]>(ABytes));
            return FBlocos.back().get();
        }
        FBlocos.push_back(std::make_unique_for_overwrite<char[]>(Bloco));
        FLivre = FBlocos.back().get();
        FFim = FLivre + Bloco;
    }
    char* r = FLivre;
    FLivre += ABytes;
    return r;
}

void TArenaTextos::Juntar(TArenaTextos&& AOutra) {
    if (this == &AOutra) return;
    if (FBlocos.empty()) {
        *this = std::move(AOutra);
        return;
    }
    // The room left in AOutra's last block is not used again.
    FBlocos.insert(FBlocos.end(), std::make_move_iterator(AOutra.FBlocos.begin()),
                   std::make_move_iterator(AOutra.FBlocos.end()));
    AOutra.Limpar();
}

const char* TArenaTextos::Latin1(std::string_view ABytes) {
    if (ABytes.size() > (UINT32_MAX >> 1)) throw std::bad_alloc();
    const uint32_t cabecalho = static_cast<uint32_t>(ABytes.size()) << 1;
    const char** recente = nullptr;
    if (ABytes.size() <= CurtoAte) {
        if (!FRecentes) FRecentes = std::make_unique<const char*[]>(Recentes);
        recente = &FRecentes[std::hash<std::string_view>()(ABytes) % Recentes];
        if (*recente && std::memcmp(*recente, &cabecalho, sizeof cabecalho) == 0 &&
            std::memcmp(*recente + sizeof cabecalho, ABytes.data(), ABytes.size()) == 0)
            return *recente;
    }
    char* bloco = Reservar(sizeof cabecalho + ABytes.size());
    std::memcpy(bloco, &cabecalho, sizeof cabecalho);
    std::memcpy(bloco + sizeof cabecalho, ABytes.data(), ABytes.size());
    if (recente) *recente = bloco;
    return bloco;
}

void TTextoItem::DefinirLatin1(std::string_view ABytes, TArenaTextos& AArena) {
    Liberar();
    if (ABytes.empty()) return;
    // The arena's block is shared, never written here: the const goes only
    // because FBloco also owns heap blocks.
    FBloco = const_cast<char*>(AArena.Latin1(ABytes)) + 1;
}

void TTextoItem::Atribuir(std::u16string_view ATexto) {
    if (ATexto.empty()) return;
    if (CabeEmByte(ATexto)) {
        FBloco = Reservar(ATexto.size(), false);
        std::transform(ATexto.begin(), ATexto.end(), FBloco + sizeof(uint32_t),
                       [](char16_t c) { return static_cast<char>(c); });
    } else {
        FBloco = Reservar(ATexto.size(), true);
        std::memcpy(FBloco + sizeof(uint32_t), ATexto.data(), ATexto.size() * sizeof(char16_t));
    }
}

TTextoItem TTextoItem::DeLatin1(std::string_view ABytes) {
    TTextoItem t;
    if (ABytes.empty()) return t;
    t.FBloco = t.Reservar(ABytes.size(), false);
    std::memcpy(t.FBloco + sizeof(uint32_t), ABytes.data(), ABytes.size());
    return t;
}

TTextoItem::TTextoItem(const TTextoItem& AOutro) {
    if (!AOutro.FBloco) return;
    const size_t bytes = sizeof(uint32_t) + AOutro.size() * (AOutro.Estreito() ? 1 : 2);
    FBloco = static_cast<char*>(::operator new(bytes));
    std::memcpy(FBloco, AOutro.Dados(), bytes);
}

TTextoItem& TTextoItem::operator=(const TTextoItem& AOutro) {
    if (this != &AOutro) *this = TTextoItem(AOutro);
    return *this;
}

std::u16string TTextoItem::Utf16() const {
    if (!Estreito()) return std::u16string(Largo());
    const std::string_view b = Bytes();
    std::u16string t(b.size(), u'\0');
    std::transform(b.begin(), b.end(), t.begin(), [](char c) { return static_cast<unsigned char>(c); });
    return t;
}

bool operator==(const TTextoItem& A, std::u16string_view B) {
    if (A.size() != B.size()) return false;
    if (!A.Estreito()) return A.Largo() == B;
    const std::string_view b = A.Bytes();
    return std::equal(b.begin(), b.end(), B.begin(),
                      [](char c, char16_t d) { return static_cast<unsigned char>(c) == d; });
}

}  // namespace quelb
