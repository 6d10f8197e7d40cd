#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "catalogue/enumeracoes.h"
#include "catalogue/erro.h"
#include "catalogue/itens.h"
#include "catalogue/texto.h"

namespace quelb {

// Validation errors of the generator.
class EQuelbCargaBal : public EQuelbErro {
public:
    using EQuelbErro::EQuelbErro;
};

// Progress handler: message, current value, total.
using TQuelbCargaBalProgresso =
    std::function<void(const Texto& Mensagem, int32_t ProgressoAtual, int32_t ProgressoTotal)>;

// Base of the suite's components: an optional owner, nothing else.
class TQuelbComponent {
public:
    explicit TQuelbComponent(TQuelbComponent* AOwner = nullptr) : FOwner(AOwner) {}
    virtual ~TQuelbComponent() = default;
    TQuelbComponent* Owner() const { return FOwner; }

private:
    TQuelbComponent* FOwner;
};

// The generator: the selected scale model and the owned catalogue, and the
// operation that writes the load files of that model into a directory.
class TQuelbCargaBal : public TQuelbComponent {
public:
    explicit TQuelbCargaBal(TQuelbComponent* AOwner = nullptr);

    TQuelbCargaBalModelo Modelo = modFilizola;
    TQuelbCargaBalProgresso OnProgresso;

    // Display name of Modelo.
    Texto ModeloStr() const;
    TQuelbCargaBalItens& Produtos() { return FProdutos; }
    const TQuelbCargaBalItens& Produtos() const { return FProdutos; }
    // Full paths of the files saved by the latest generation, in save order.
    const std::vector<Texto>& ArquivosGerados() const { return FArquivosGerados; }

    // Validates, lets the model's writer fill the line lists, and saves every
    // list that received a line. Fails with EQuelbCargaBal (validation) or
    // EQuelbErro (file creation, writing).
    void GerarArquivos(const Texto& ADiretorio);

    // The first two checks of GerarArquivos: a directory text that is not
    // blank, naming a directory that exists.
    static void ValidarDiretorio(const Texto& ADiretorio);

    // Calls OnProgresso when a handler is assigned.
    void NotificarProgresso(const Texto& Mensagem, int32_t ProgressoAtual, int32_t ProgressoTotal);

    // The per-item event of the writers: "Gerando produto %6.6d %s" with the
    // item's position and the item count. The message is only built when a
    // handler is assigned.
    void NotificarProduto(const TQuelbCargaBalItem& AItem, int32_t APosicao, int32_t ATotal);

    // File names of the current model; empty where the model has none.
    Texto NomeArquivoItens() const;
    Texto NomeArquivoSetor() const;
    Texto NomeArquivoReceita() const;
    Texto NomeArquivoNutricional() const;
    Texto NomeArquivoProdutoNutricional() const;
    Texto NomeArquivoProdutoReceita() const;
    Texto NomeArquivoTara() const;
    Texto NomeArquivoFornecedor() const;

private:
    // The writers walk the catalogue in order, one item after the other:
    // the memory of the items a little ahead is asked for in advance.
    void AnteciparProdutos(int32_t APosicao) const;

    TQuelbCargaBalItens FProdutos;
    std::vector<Texto> FArquivosGerados;
};

// "Gerando produto %6.6d %s": the message of a writer's progress event.
Texto MensagemGerandoProduto(int32_t ACodigo, const Texto& ADescricao);

}  // namespace quelb
