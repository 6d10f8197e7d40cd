#pragma once
// The 8-bit code page of the load files as two tables, built once from the
// platform's own conversion: the characters that the code page writes as a
// single byte which reads back as the same character, and that byte back. A
// line made only of such characters is converted here in one quick pass, and
// its bytes give the line back; any other line goes through the platform's
// conversion whole (best-fit characters, "?").
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace quelb {

class TTabelaCodigoPagina {
public:
    static const TTabelaCodigoPagina& Instancia();

    // Writes the bytes of ATexto at ADestino, which has room for
    // ATexto.size() bytes, and returns true; false when ATexto holds a
    // character outside the table (ADestino then holds nothing useful).
    bool Codificar(std::u16string_view ATexto, char* ADestino) const;
    // True when ATexto is made of characters of the table whose bytes are
    // ABytes: then ABytes, read back, is ATexto to the letter.
    bool IgualAosBytes(std::u16string_view ATexto, std::string_view ABytes) const;
    // The byte of c, and whether c has one in the table.
    bool ByteDe(char16_t c, char& AByte) const {
        uint8_t b;
        const bool tem = Byte(c, b);
        AByte = static_cast<char>(b);
        return tem;
    }
    // True when U+0000..U+007F are written as the byte of the same value.
    bool AsciiIgual() const { return FAsciiIgual; }
    // True when U+00A0..U+00FF are so too (as in Windows-1252).
    bool Latin1Igual() const { return FLatin1Igual; }
    // The character of a byte written by Codificar.
    char16_t Caractere(uint8_t AByte) const { return FCaractere[AByte]; }
    const char16_t (&Caracteres() const)[256] { return FCaractere; }
    // The characters of bytes written by Codificar, one per byte.
    void Decodificar(std::string_view ABytes, char16_t* ADestino) const;

private:
    TTabelaCodigoPagina();
    // The byte of c, when c is in the table.
    bool Byte(char16_t c, uint8_t& AByte) const {
        AByte = FByte[c];
        return AByte != 0 || (c == 0 && FNuloIgual);
    }

    std::array<uint8_t, 0x10000> FByte{};  // 0: not in the table (U+0000 aside)
    char16_t FCaractere[256] = {};
    bool FNuloIgual = false;    // U+0000 is the byte 0
    bool FAsciiIgual = false;   // U+0000..U+007F are written as the same byte
    bool FLatin1Igual = false;  // and so are U+00A0..U+00FF
};

}  // namespace quelb
