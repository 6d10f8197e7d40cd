#include "generator/arquivo_carga.h"

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

Texto Decodificar(const std::string& ABytes, bool& AUtf8Invalido) {
    AUtf8Invalido = false;
    if (ABytes.starts_with("\xEF\xBB\xBF")) {
        Texto t;
        if (DeUtf8(std::string_view(ABytes).substr(3), t)) return t;
        AUtf8Invalido = true;
        return DeUtf8(std::string_view(ABytes).substr(3));
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
