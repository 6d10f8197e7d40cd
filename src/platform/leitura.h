#pragma once
// Reading a file in pieces (a catalogue), and the Unicode composition of
// texts read from one. A POSIX and a Win32 implementation stand behind it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quelb::plataforma {

// A file opened for reading, or standard input. Reads go straight to the
// caller's buffer: the file is never held whole.
class TArquivoLeitura {
public:
    TArquivoLeitura() = default;
    TArquivoLeitura(const TArquivoLeitura&) = delete;
    TArquivoLeitura& operator=(const TArquivoLeitura&) = delete;
    ~TArquivoLeitura() { Fechar(); }

    // Opens ACaminho; on failure returns false with the system's reason in
    // ACausa ("é um diretório" for a directory).
    bool Abrir(const std::u16string& ACaminho, std::u16string& ACausa);
    // Standard input, in binary mode.
    void AbrirEntradaPadrao();
    // Up to ATamanho bytes; 0 at the end. On a read error returns 0 and
    // leaves the reason in Erro().
    size_t Ler(char* ADestino, size_t ATamanho);
    // The size of a regular file, 0 when unknown (a pipe).
    uint64_t Tamanho() const { return FTamanho; }
    const std::u16string& Erro() const { return FErro; }
    void Fechar() noexcept;

private:
    intptr_t FDescritor = -1;
    bool FProprio = false;  // closed by Fechar (standard input is not)
    uint64_t FTamanho = 0;
    std::u16string FErro;
};

// Composes ATexto to Unicode NFC in place ("a" + U+0303 becomes "ã"). Texts
// with no character from U+0300 on are already composed and stay as they
// are without further work.
void ComporNfc(std::u16string& ATexto);

// True for a text without characters from U+0300 on, which NFC leaves as it is.
inline bool JaComposto(std::u16string_view ATexto) {
    for (const char16_t c : ATexto)
        if (c >= 0x300) return false;
    return true;
}

}  // namespace quelb::plataforma
