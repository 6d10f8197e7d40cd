#pragma once
// The ordered list of output lines that a writer fills and the driver saves
// as one file. Lines keep their append order and duplicates are allowed.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quelb {

class TListaLinhas {
public:
    void Adicionar(std::u16string_view ALinha);
    int32_t Count() const { return static_cast<int32_t>(FLinhas.size()); }
    std::u16string_view Linha(int32_t AIndice) const;
    void Substituir(int32_t AIndice, std::u16string_view ALinha);

    // Position of the first line of the same length that is equal to ALinha
    // ignoring letter case, or -1. Constant average time: a hash of the
    // case-folded line, checked for real equality.
    int32_t IndiceDe(std::u16string_view ALinha);
    // Appends ALinha unless an equal line (as IndiceDe finds it) is already
    // there; true when it was appended.
    bool AdicionarSeNova(std::u16string_view ALinha);

    // Every line followed by CR LF, in the 8-bit code page, appended to
    // ADestino in one pass.
    void Codificar(std::string& ADestino) const;
    // Number of UTF-16 code units of the saved text (lines and CR LF).
    size_t TamanhoTexto() const;

private:
    struct TPosicao {
        size_t Inicio;
        size_t Tamanho;
    };
    struct TEntrada {
        uint64_t Hash;
        int32_t Indice;  // -1: empty slot
    };

    void Anexar(std::u16string_view ALinha);
    void ConstruirIndice();
    // Finds the entry equal to ALinha (hash h), or the empty slot where it
    // would go.
    TEntrada& Procurar(std::u16string_view ALinha, uint64_t h);
    void Inserir(uint64_t h, int32_t AIndice);

    std::u16string FTexto;  // the lines, each followed by CR LF
    std::vector<TPosicao> FLinhas;
    bool FEmOrdem = true;  // FTexto holds exactly the lines in order

    std::vector<TEntrada> FIndice;  // built on the first search
    size_t FOcupadas = 0;
    bool FIndiceValido = false;
};

}  // namespace quelb
