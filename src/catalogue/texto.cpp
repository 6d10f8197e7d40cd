#include "catalogue/texto.h"

#include <cstdint>
#include <string>

namespace quelb {

std::string ParaUtf8(std::u16string_view ATexto) {
    std::string r;
    r.reserve(ATexto.size());
    for (size_t i = 0; i < ATexto.size(); ++i) {
        uint32_t c = ATexto[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < ATexto.size() && ATexto[i + 1] >= 0xDC00 &&
            ATexto[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (ATexto[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        if (c < 0x80) {
            r += static_cast<char>(c);
        } else if (c < 0x800) {
            r += static_cast<char>(0xC0 | (c >> 6));
            r += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            r += static_cast<char>(0xE0 | (c >> 12));
            r += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            r += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            r += static_cast<char>(0xF0 | (c >> 18));
            r += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            r += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            r += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return r;
}

namespace {

// Decodes one scalar value at ABytes[i]; returns its byte length, or 0 when
// the sequence is ill-formed (overlong, surrogate, beyond U+10FFFF, cut).
size_t DecodificarUtf8(std::string_view ABytes, size_t i, uint32_t& c) {
    const auto b = [&](size_t k) { return static_cast<unsigned char>(ABytes[k]); };
    const unsigned char b0 = b(i);
    size_t n;
    uint32_t minimo;
    if (b0 < 0x80) {
        c = b0;
        return 1;
    } else if ((b0 & 0xE0) == 0xC0) {
        n = 2, c = b0 & 0x1F, minimo = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        n = 3, c = b0 & 0x0F, minimo = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        n = 4, c = b0 & 0x07, minimo = 0x10000;
    } else {
        return 0;
    }
    if (i + n > ABytes.size()) return 0;
    for (size_t k = 1; k < n; ++k) {
        if ((b(i + k) & 0xC0) != 0x80) return 0;
        c = (c << 6) | (b(i + k) & 0x3F);
    }
    if (c < minimo || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
    return n;
}

// Writes c as one or two code units at p; returns the position after them.
char16_t* EscreverUtf16(uint32_t c, char16_t* p) {
    if (c < 0x10000) {
        *p++ = static_cast<char16_t>(c);
    } else {
        c -= 0x10000;
        *p++ = static_cast<char16_t>(0xD800 + (c >> 10));
        *p++ = static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    }
    return p;
}

// Decodes ABytes at the end of ADestino. A UTF-8 sequence never takes fewer
// bytes than its UTF-16 form has code units, so the size of ABytes is room
// enough. Ill-formed bytes stop the work (ASubstituir false) or become
// U+FFFD.
bool Decodificar(std::string_view ABytes, std::u16string& ADestino, bool ASubstituir) {
    const size_t inicio = ADestino.size();
    ADestino.resize(inicio + ABytes.size());
    char16_t* p = ADestino.data() + inicio;
    bool valido = true;
    for (size_t i = 0; i < ABytes.size();) {
        const unsigned char b = static_cast<unsigned char>(ABytes[i]);
        if (b < 0x80) {  // the common case: ASCII
            *p++ = b;
            ++i;
            continue;
        }
        uint32_t c;
        size_t n = DecodificarUtf8(ABytes, i, c);
        if (n == 0) {
            valido = false;
            if (!ASubstituir) break;
            c = 0xFFFD, n = 1;
        }
        p = EscreverUtf16(c, p);
        i += n;
    }
    ADestino.resize(static_cast<size_t>(p - ADestino.data()));
    return valido;
}

}  // namespace

bool DeUtf8(std::string_view ABytes, std::u16string& ADestino) { return Decodificar(ABytes, ADestino, false); }

std::u16string DeUtf8(std::string_view ABytes) {
    std::u16string r;
    Decodificar(ABytes, r, true);
    return r;
}

std::u16string NumeroEmTexto(int64_t AValor) { return DeUtf8(std::to_string(AValor)); }

std::u16string NumeroComZeros(int64_t AValor, size_t ALargura) {
    std::u16string t = NumeroEmTexto(AValor);
    if (AValor >= 0 && t.size() < ALargura) t.insert(0, ALargura - t.size(), u'0');
    return t;
}

std::u16string Plural(uint64_t AQuantidade, std::u16string_view ASingular, std::u16string_view APlural) {
    return NumeroEmTexto(static_cast<int64_t>(AQuantidade)) + u" " + std::u16string(AQuantidade == 1 ? ASingular : APlural);
}

}  // namespace quelb
