#include "generator/arquivo_carga.h"

#include <algorithm>

#include "platform/cp1252.h"

namespace quelb::carga {

Texto Maiusculas(std::u16string_view ANome) {
    Texto r(ANome);
    for (char16_t& c : r)
        if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
    return r;
}

const TArquivoCarga* ProcurarArquivo(std::span<const TArquivoCarga> AArquivos, std::u16string_view ANome) {
    const Texto nome = Maiusculas(ANome);
    const TArquivoCarga* r = nullptr;
    for (const TArquivoCarga& a : AArquivos) {
        if (a.Nome == ANome) return &a;  // the name as the generator writes it first
        if (r == nullptr && Maiusculas(a.Nome) == nome) r = &a;
    }
    return r;
}

namespace {
constexpr std::string_view MarcaUtf8 = "\xEF\xBB\xBF";
}

TCodificacaoCarga CodificacaoDe(std::string_view ABytes) {
    Texto t;
    if (ABytes.starts_with(MarcaUtf8))
        return DeUtf8(ABytes.substr(MarcaUtf8.size()), t) ? TCodificacaoCarga::Utf8ComMarca
                                                          : TCodificacaoCarga::Utf8ComMarcaInvalido;
    const bool soAscii =
        std::all_of(ABytes.begin(), ABytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    return !soAscii && DeUtf8(ABytes, t) ? TCodificacaoCarga::Utf8 : TCodificacaoCarga::Windows1252;
}

Texto Decodificar(std::string_view ABytes, TCodificacaoCarga ACodificacao) {
    switch (ACodificacao) {
        case TCodificacaoCarga::Utf8:
            return DeUtf8(ABytes);
        case TCodificacaoCarga::Utf8ComMarca:
        case TCodificacaoCarga::Utf8ComMarcaInvalido:
            return DeUtf8(ABytes.substr(ABytes.starts_with(MarcaUtf8) ? MarcaUtf8.size() : 0));
        case TCodificacaoCarga::Windows1252:
            break;
    }
    return plataforma::cp1252::Decodificar(ABytes);
}

std::vector<TLinha> Linhas(std::u16string_view ATexto, bool& ASemCrLf) {
    std::vector<TLinha> r;
    const std::u16string_view fim = ATexto.find(u"\r\n") == std::u16string_view::npos ? u"\n" : u"\r\n";
    ASemCrLf = fim.size() == 1 && ATexto.find(u'\n') != std::u16string_view::npos;
    size_t inicio = 0;
    uint64_t numero = 1;
    while (inicio < ATexto.size()) {
        size_t f = ATexto.find(fim, inicio);
        if (f == std::u16string_view::npos) f = ATexto.size();
        r.push_back({ATexto.substr(inicio, f - inicio), numero++});
        inicio = f + fim.size();
    }
    return r;
}

}  // namespace quelb::carga
