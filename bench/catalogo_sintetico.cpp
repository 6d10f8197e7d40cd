#include "bench/catalogo_sintetico.h"

#include <array>
#include <string>

namespace quelb::bench {

namespace {

// SplitMix64: small, fast and the same on every platform.
class TAleatorio {
public:
    explicit TAleatorio(uint64_t ASemente) : FEstado(ASemente) {}
    uint64_t Proximo() {
        uint64_t z = (FEstado += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform in [AMinimo, AMaximo].
    int64_t Entre(int64_t AMinimo, int64_t AMaximo) {
        return AMinimo + static_cast<int64_t>(Proximo() % static_cast<uint64_t>(AMaximo - AMinimo + 1));
    }
    // True with probability 1 / AVezes.
    bool UmEm(uint64_t AVezes) { return Proximo() % AVezes == 0; }
    template <typename T, size_t N>
    const T& Um(const std::array<T, N>& AOpcoes) {
        return AOpcoes[Proximo() % N];
    }

private:
    uint64_t FEstado;
};

constexpr std::array<std::u16string_view, 40> PalavrasDescricao = {
    u"Queijo",  u"Presunto", u"Pão",       u"Maçã",     u"Feijão",    u"Açúcar",   u"Café",    u"Linguiça",
    u"Muçarela", u"Requeijão", u"Filé",    u"Coxão",    u"Músculo",   u"Acém",     u"Lombo",   u"Pernil",
    u"Salame",  u"Mortadela", u"Pimentão", u"Limão",    u"Melão",     u"Mamão",    u"Abóbora", u"Cebola",
    u"Brócolis", u"Castanha", u"Amêndoa",  u"Avelã",    u"Pêssego",   u"Fubá",     u"Goiabada", u"fatiado",
    u"defumado", u"temperado", u"orgânico", u"congelado", u"moído",   u"especial", u"caseiro", u"colonial",
};

constexpr std::array<std::u16string_view, 24> Ingredientes = {
    u"farinha de trigo enriquecida com ferro e ácido fólico", u"açúcar", u"gordura vegetal", u"sal",
    u"fermento químico bicarbonato de sódio", u"leite integral", u"ovos", u"conservante propionato de cálcio",
    u"aromatizante", u"corante natural de urucum", u"amido de milho", u"cacau em pó",
    u"emulsificante lecitina de soja", u"CONTÉM GLÚTEN", u"ALÉRGICOS: CONTÉM LEITE E DERIVADOS",
    u"carne suína", u"especiarias", u"estabilizante tripolifosfato de sódio", u"realçador de sabor glutamato",
    u"antioxidante eritorbato de sódio", u"água", u"proteína de soja", u"fécula de mandioca", u"óleo de girassol",
};

constexpr std::array<std::u16string_view, 25> NomesSetor = {
    u"Açougue",    u"Padaria",   u"Frios",       u"Hortifrúti",  u"Laticínios", u"Confeitaria", u"Peixaria",
    u"Rotisseria", u"Empório",   u"Cereais",     u"Congelados",  u"Bebidas",    u"Mercearia",   u"Orgânicos",
    u"Doces",      u"Temperos",  u"Castanhas",   u"Salgados",    u"Queijaria",  u"Embutidos",   u"Aves",
    u"Suínos",     u"Bovinos",   u"Pães finos",  u"Conveniência",
};

constexpr std::array<std::u16string_view, 12> NomesFornecedor = {
    u"Laticínios Serra Azul", u"Frigorífico São João", u"Granja Boa Esperança", u"Padaria Pão Nosso",
    u"Cooperativa Agrícola",  u"Distribuidora União",  u"Embutidos Alemães",    u"Hortas do Vale",
    u"Pescados do Litoral",   u"Doces da Vovó",        u"Café Três Corações",   u"Moinho Paulista",
};

Texto Numero(int64_t AValor) {
    const std::string s = std::to_string(AValor);
    return Texto(s.begin(), s.end());
}

// Words drawn from APalavras, joined by ASeparador after APrefixo, until the
// text has exactly ALargura characters.
template <size_t N>
Texto Juntar(TAleatorio& r, const std::array<std::u16string_view, N>& APalavras, std::u16string_view ASeparador,
             Texto APrefixo, int64_t ALargura) {
    Texto t = std::move(APrefixo);
    for (bool primeira = true; static_cast<int64_t>(t.size()) < ALargura; primeira = false) {
        if (!primeira) t += ASeparador;
        t += r.Um(APalavras);
    }
    t.resize(static_cast<size_t>(ALargura));
    return t;
}

Texto Descricao(TAleatorio& r, int64_t ALargura) { return Juntar(r, PalavrasDescricao, u" ", Texto(), ALargura); }

Texto Receita(TAleatorio& r, Texto APrefixo, int64_t ALargura) {
    return Juntar(r, Ingredientes, u", ", std::move(APrefixo), ALargura);
}

TValorFixo Valor(TAleatorio& r, int64_t AMinimo, int64_t AMaximo) {
    return TValorFixo::DeDezMilesimos(r.Entre(AMinimo, AMaximo));
}

void PreencherNutricional(TAleatorio& r, TQuelbCargaBalNutricional& n, int32_t ACodigo, Texto ADescricao) {
    n.Codigo = ACodigo;
    n.Descricao = std::move(ADescricao);
    n.Qtd = static_cast<int32_t>(r.Entre(10, 200));
    n.UndPorcao = static_cast<TQuelbCargaBalNutriUndPorcao>(r.Entre(0, 2));
    n.PartInteira = static_cast<int32_t>(r.Entre(0, 3));
    n.PartDecimal = static_cast<TQuelbCargaBalNutriPartdecimal>(r.Entre(0, 5));
    n.MedCaseira = static_cast<TQuelbCargaBalNutriMedCaseira>(r.Entre(0, 26));
    n.ValorEnergetico = static_cast<int32_t>(r.Entre(0, 900));
    n.Carboidrato = Valor(r, 0, 800000);
    n.Proteina = Valor(r, 0, 400000);
    n.GorduraTotal = Valor(r, 0, 300000);
    n.GorduraSaturada = Valor(r, 0, 150000);
    n.GorduraTrans = Valor(r, 0, 20000);
    n.Fibra = Valor(r, 0, 100000);
    n.Sodio = Valor(r, 0, 9000000);
}

void PreencherBasico(TAleatorio& r, TQuelbCargaBalItem& AItem, int32_t ACodigo) {
    AItem.Codigo = ACodigo;
    AItem.Descricao = Descricao(r, r.Entre(10, 40));
    AItem.Tipo = r.UmEm(3) ? tpvUnidade : tpvPeso;
    AItem.ValorVenda = Valor(r, 5000, 9999900);  // 0.50 to 999.99
    AItem.Validade = static_cast<int16_t>(r.Entre(1, 365));
    AItem.TipoValidade = r.UmEm(10) ? tpvMeses : tpvDias;
    AItem.Tecla = r.UmEm(4) ? static_cast<int32_t>(r.Entre(1, 99)) : 0;
    AItem.ModeloEtiqueta = static_cast<int16_t>(r.Entre(1, 4));
}

void ItemRealista(TAleatorio& r, TQuelbCargaBalItem& AItem, int32_t ACodigo) {
    PreencherBasico(r, AItem, ACodigo);

    const int32_t setor = static_cast<int32_t>(r.Entre(1, 50));
    AItem.Setor.Codigo = setor;
    AItem.Setor.Descricao = Texto(NomesSetor[static_cast<size_t>(setor - 1) % NomesSetor.size()]) +
                            (setor > static_cast<int32_t>(NomesSetor.size()) ? u" II" : u"");

    if (r.UmEm(3)) {
        PreencherNutricional(r, AItem.Nutricional, ACodigo, u"Porção de " + Numero(r.Entre(10, 200)) + u" g");
        AItem.CodigoInfoNutr = ACodigo;
    }
    if (r.UmEm(5)) AItem.InformacaoExtra.Receita = Receita(r, Texto(), r.Entre(200, 800));

    // A few dozen tares and suppliers, each shared by many items: the same
    // code always carries the same record.
    if (!r.UmEm(3)) {
        const int64_t tara = r.Entre(1, 36);
        AItem.Tara.Codigo = static_cast<int32_t>(tara);
        AItem.Tara.Descricao = u"Bandeja nº " + Numero(tara);
        AItem.Tara.Valor = TValorFixo::DeDezMilesimos(tara * 15);
        AItem.CodigoTara = AItem.Tara.Codigo;
    }
    if (r.UmEm(2)) {
        const int64_t fornecedor = r.Entre(1, 48);
        AItem.Fornecedor.Codigo = static_cast<int16_t>(fornecedor);
        AItem.Fornecedor.Descricao1 =
            Texto(NomesFornecedor[static_cast<size_t>(fornecedor) % NomesFornecedor.size()]) + u" " +
            Numero(fornecedor);
        AItem.Fornecedor.Descricao2 = u"Rodovia BR-" + Numero(100 + fornecedor) + u", km " + Numero(fornecedor * 7);
        AItem.CodigoFornecedor = AItem.Fornecedor.Codigo;
        AItem.EAN13Fornecedor = u"789" + Numero(1000000000 + r.Entre(0, 899999999));
    }
}

void ItemPiorCaso(TAleatorio& r, TQuelbCargaBalItem& AItem, int32_t ACodigo) {
    PreencherBasico(r, AItem, ACodigo);
    const Texto numero = Numero(ACodigo);

    // Sector codes are two digits wide; the names keep the records apart.
    AItem.Setor.Codigo = 1 + ACodigo % 99;
    AItem.Setor.Descricao = u"Seção " + numero;

    PreencherNutricional(r, AItem.Nutricional, ACodigo, u"Porção " + numero);
    AItem.CodigoInfoNutr = ACodigo;
    // The number first: every load cuts the text from its end.
    AItem.InformacaoExtra.Receita = Receita(r, u"Lote " + numero + u": ", r.Entre(200, 800));

    AItem.Tara.Codigo = ACodigo;
    AItem.Tara.Descricao = u"Embalagem " + numero;
    AItem.Tara.Valor = Valor(r, 10, 2000);
    AItem.CodigoTara = ACodigo;

    // The supplier code is 16 bits; the names keep the records apart.
    AItem.Fornecedor.Codigo = static_cast<int16_t>(1 + ACodigo % 32767);
    AItem.Fornecedor.Observacao = u"Contrato " + numero;
    AItem.Fornecedor.Descricao1 = u"Fornecedor nº " + numero;
    AItem.Fornecedor.Descricao2 = u"Rua das Acácias, " + numero;
    AItem.CodigoFornecedor = AItem.Fornecedor.Codigo;
    AItem.EAN13Fornecedor = u"789" + Numero(1000000000 + ACodigo);
}

}  // namespace

std::string_view NomePerfil(TPerfil APerfil) { return APerfil == TPerfil::Realista ? "realista" : "pior caso"; }

void PreencherCatalogo(TPerfil APerfil, int32_t AQuantidade, TQuelbCargaBalItens& AItens) {
    TAleatorio r(APerfil == TPerfil::Realista ? 20240501u : 19700101u);
    for (int32_t i = 0; i < AQuantidade; ++i) {
        TQuelbCargaBalItem& item = AItens.New();
        if (APerfil == TPerfil::Realista) ItemRealista(r, item, i + 1);
        else ItemPiorCaso(r, item, i + 1);
    }
}

}  // namespace quelb::bench
