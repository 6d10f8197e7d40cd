// Case-insensitive equality by the user locale's rules, as the Windows string
// comparison gives it with the ignore-case flag, and a hash that agrees with
// it.
//
// The hash is taken over the locale's sort key made with the same flag: the
// system builds sort keys so that comparing two of them byte by byte gives
// the same answer as the comparison itself, so texts that compare equal have
// equal keys and thus equal hashes. Folding the letter case alone would not
// do: the comparison also ignores some characters (most control characters,
// for one) that a case mapping keeps.
#include "platform/win32/windows_minimo.h"

#include <climits>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/plataforma.h"

namespace quelb::plataforma {

namespace {

using win32::Largo;

constexpr DWORD Opcoes = NORM_IGNORECASE;

int Tamanho(std::u16string_view ATexto) {
    if (ATexto.size() > static_cast<size_t>(INT_MAX)) throw std::length_error("Linha longa demais");
    return static_cast<int>(ATexto.size());
}

uint64_t Fnv1a(const BYTE* ADados, size_t ATamanho) {
    uint64_t h = 0xcbf29ce484222325ull;
    for (size_t i = 0; i < ATamanho; ++i) {
        h ^= ADados[i];
        h *= 0x100000001b3ull;
    }
    return h;
}

}  // namespace

bool IguaisSemCaixa(std::u16string_view A, std::u16string_view B) {
    if (A.size() != B.size()) return false;
    if (A.empty()) return true;
    return CompareStringEx(LOCALE_NAME_USER_DEFAULT, Opcoes, Largo(A.data()), Tamanho(A), Largo(B.data()),
                           Tamanho(B), nullptr, nullptr, 0) == CSTR_EQUAL;
}

uint64_t HashSemCaixa(std::u16string_view ATexto) {
    if (ATexto.empty()) return 0;
    const int n = Tamanho(ATexto);
    const auto chave = [&](BYTE* ADestino, int ATamanho) {
        return LCMapStringEx(LOCALE_NAME_USER_DEFAULT, LCMAP_SORTKEY | Opcoes, Largo(ATexto.data()), n,
                             reinterpret_cast<LPWSTR>(ADestino), ATamanho, nullptr, nullptr, 0);
    };
    // The key of a record line fits here; longer ones go to the heap.
    BYTE local[2048];
    int bytes = chave(local, static_cast<int>(sizeof local));
    if (bytes > 0) return Fnv1a(local, static_cast<size_t>(bytes)) ^ ATexto.size();
    if (GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
        const int necessario = chave(nullptr, 0);
        if (necessario > 0) {
            std::vector<BYTE> maior(static_cast<size_t>(necessario));
            bytes = chave(maior.data(), necessario);
            if (bytes > 0) return Fnv1a(maior.data(), static_cast<size_t>(bytes)) ^ ATexto.size();
        }
    }
    throw std::runtime_error("Falha ao calcular a chave de comparacao de uma linha");
}

uint64_t HashSemCaixa(std::string_view ABytes, const char16_t (&ACaracteres)[256], bool) {
    // The sort key needs the text itself: a record line fits on the stack,
    // longer ones go to the heap.
    char16_t local[1024];
    std::u16string maior;
    char16_t* texto = local;
    if (ABytes.size() > std::size(local)) {
        maior.resize(ABytes.size());
        texto = maior.data();
    }
    for (size_t i = 0; i < ABytes.size(); ++i) texto[i] = ACaracteres[static_cast<unsigned char>(ABytes[i])];
    return HashSemCaixa(std::u16string_view(texto, ABytes.size()));
}

}  // namespace quelb::plataforma
