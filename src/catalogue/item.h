#pragma once
#include <array>
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "catalogue/enumeracoes.h"
#include "catalogue/texto.h"
#include "catalogue/texto_item.h"
#include "catalogue/valor_fixo.h"

namespace quelb {

// The catalogue only holds values: it validates and converts nothing. What a
// writer makes of an odd value (empty text, negative code, too wide) is the
// writer's business. Texts are TTextoItem, a byte per character where the
// text allows it: a big catalogue is mostly its texts.

class TQuelbCargaBalSetor {
public:
    int32_t Codigo = 0;
    TTextoItem Descricao;
};

class TQuelbCargaBalNutricional {
public:
    TQuelbCargaBalNutricional() { Limpar(); }

    // Resets every value to its default, except Descricao.
    void Limpar();

    // Members grouped by size, so that a million items waste no padding;
    // the model's order is the property table's.
    int32_t Codigo;
    int32_t Qtd;
    int32_t PartInteira;
    int32_t ValorEnergetico;
    int32_t PorcoesEmbalagem;
    TQuelbCargaBalNutriUndPorcao UndPorcao;
    TQuelbCargaBalNutriPartdecimal PartDecimal;
    TQuelbCargaBalNutriMedCaseira MedCaseira;
    bool AltoEmAcucarAdicionado;
    bool AltoEmGorduraSaturada;
    bool AltoEmSodio;
    TTextoItem Descricao;
    TValorFixo Carboidrato;
    TValorFixo Proteina;
    TValorFixo GorduraTotal;
    TValorFixo GorduraSaturada;
    TValorFixo GorduraTrans;
    TValorFixo Fibra;
    TValorFixo Sodio;
    // The 2020 nutrition table (Toledo MGV7 only): sugars, portions per
    // package, the front-of-pack "alto em" flags (above), lactose and
    // galactose.
    TValorFixo AcucaresTotais;
    TValorFixo AcucaresAdicionados;
    TValorFixo Lactose;
    TValorFixo Galactose;
};

class TQuelbCargaBalTaras {
public:
    int32_t Codigo = 0;
    TTextoItem Descricao;
    TValorFixo Valor;
};

class TQuelbCargaBalFornecedor {
public:
    int16_t Codigo = 0;
    TTextoItem Observacao;
    TTextoItem Descricao1;
    TTextoItem Descricao2;
    TTextoItem Descricao3;
    TTextoItem Descricao4;
    TTextoItem Descricao5;
};

class TQuelbCargaBalInformacaoExtra {
public:
    int32_t Codigo = 0;
    TTextoItem Observacao;
    TTextoItem Receita;
};

// Room for one bit per property of the property table
// (catalogue/propriedades.h checks that it is enough).
inline constexpr size_t MaximoPropriedades = 128;
// The columns of the Toledo ITENSMGV.TXT item record that the vendor defines
// and a load usually fills with a constant (DV, imprime data de validade; FR,
// código do fracionador; ...), each as the characters of its column, and the
// lists of the record. An empty text is the column's usual content. Held behind one pointer, null while
// no column is given, so that an item without them costs a word.
class TQuelbCargaBalColunasToledo {
public:
    // By the vendor's legend, in the order of the record.
    enum TColuna : uint8_t {
        FFFF, DV, DE, L, G, Z, CS, FR, CE1, CE2, CON,                    // MGV5, MGV6 and MGV7
        GL, CE3, CE4, MIDIA, PrecoPromocional, SF, ST, G1, PG, PPPPPP,  // MGV7 only
        // The MGV7 lists between "|" marks, their codes one after the other
        // ("0102": departments 01 and 02); an empty department list is the
        // item's own department.
        Departamentos, Fornecedores, BalancasInativas,
        // The other departments the item file lists the item under: a line
        // of the item for each, the same but for the department (MGV5 to 7
        // and plain Toledo).
        OutrosDepartamentos,
        Quantidade
    };

    TQuelbCargaBalColunasToledo() = default;
    TQuelbCargaBalColunasToledo(const TQuelbCargaBalColunasToledo& AOutras) { *this = AOutras; }
    TQuelbCargaBalColunasToledo(TQuelbCargaBalColunasToledo&& AOutras) { *this = std::move(AOutras); }
    TQuelbCargaBalColunasToledo& operator=(const TQuelbCargaBalColunasToledo& AOutras) {
        if (this != &AOutras) FColunas = AOutras.FColunas ? std::make_unique<TColunas>(*AOutras.FColunas) : nullptr;
        return *this;
    }
    // Moved text by text: a text kept in an arena is copied (TTextoItem).
    TQuelbCargaBalColunasToledo& operator=(TQuelbCargaBalColunasToledo&& AOutras) {
        if (this == &AOutras) return *this;
        if (!AOutras.FColunas) {
            FColunas.reset();
            return *this;
        }
        if (!FColunas) FColunas = std::make_unique<TColunas>();
        for (size_t i = 0; i < Quantidade; ++i) (*FColunas)[i] = std::move((*AOutras.FColunas)[i]);
        AOutras.FColunas.reset();
        return *this;
    }

    const TTextoItem& operator[](size_t AColuna) const {
        static const TTextoItem Vazio;
        return FColunas ? (*FColunas)[AColuna] : Vazio;
    }
    TTextoItem& Local(size_t AColuna) {
        if (!FColunas) FColunas = std::make_unique<TColunas>();
        return (*FColunas)[AColuna];
    }

private:
    using TColunas = std::array<TTextoItem, Quantidade>;
    std::unique_ptr<TColunas> FColunas;
};

// One product. Its five records are held by value: they exist as long as the
// item does and are never absent; assigning one replaces its contents.
class TQuelbCargaBalItem {
public:
    // Members grouped by size (see TQuelbCargaBalNutricional).
    int32_t Tecla = 0;
    int32_t Codigo = 0;
    TValorFixo ValorVenda;
    TTextoItem Descricao;
    int16_t ModeloEtiqueta = 0;
    int16_t Validade = 0;
    int16_t CodigoFornecedor = 0;
    TQuelbCargaBalTipoVenda Tipo = tpvPeso;
    TQuelbCargaBalTipoValidade TipoValidade = tpvDias;
    int32_t CodigoTexto1 = 0;
    int32_t CodigoTexto2 = 0;
    int32_t CodigoTexto3 = 0;
    int32_t CodigoInfoNutr = 0;
    int32_t CodigoTara = 0;
    TQuelbCargaBalSetor Setor;
    TQuelbCargaBalNutricional Nutricional;
    TQuelbCargaBalTaras Tara;
    TQuelbCargaBalFornecedor Fornecedor;
    TTextoItem EAN13Fornecedor;
    TQuelbCargaBalInformacaoExtra InformacaoExtra;
    // The properties that were not given, by their position in the property
    // table: a key absent from a JSON catalogue, an empty CSV cell, a value
    // whose file or field a load did not have. They hold their defaults, and
    // a writer keeps no record whose content was not given. A host that sets
    // values leaves it empty: every property counts as given.
    std::bitset<MaximoPropriedades> Ausentes;
    TQuelbCargaBalColunasToledo Toledo;
};

}  // namespace quelb
