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
#include "generator/verificacao.h"
#include "platform/plataforma.h"

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
    // The decimal separator of the pattern prices (Urano); U+0000, the
    // default, takes the locale's. Urano S always writes a point, and URF32
    // turns every point into a comma, so for them it changes nothing.
    char16_t SeparadorPreco = u'\0';
    // After the files are saved, the files of this model that the folder
    // still holds from an earlier load but were not written now are removed.
    bool LimparArquivosAntigos = false;

    // Display name of Modelo.
    Texto ModeloStr() const;
    TQuelbCargaBalItens& Produtos() { return FProdutos; }
    const TQuelbCargaBalItens& Produtos() const { return FProdutos; }
    // Full paths of the files saved by the latest generation, in save order.
    const std::vector<Texto>& ArquivosGerados() const { return FArquivosGerados; }
    // Full paths of the files of this model that the folder held after the
    // latest generation without its having written them (left from an
    // earlier load), or that it removed for LimparArquivosAntigos.
    const std::vector<Texto>& ArquivosAntigos() const { return FArquivosAntigos; }

    // Validates, walks the catalogue asking the model's writer for the
    // records of each item, and saves every file that received a line.
    // Fails with EQuelbCargaBal (validation, a catalogue changed during the
    // generation) or EQuelbErro (file creation, writing).
    void GerarArquivos(const Texto& ADiretorio);

    // The check of Produtos against Modelo (verificacao.h): what the files
    // would do to each value, before anything is written.
    std::vector<TAchado> VerificarItens() const;
    // The same keeping only the first AMaximo findings, and their count.
    TResumoVerificacao VerificarItens(size_t AMaximo) const;

    // The first two checks of GerarArquivos: a directory text that is not
    // blank, naming a directory that exists.
    static void ValidarDiretorio(const Texto& ADiretorio);

    // Calls OnProgresso when a handler is assigned.
    void NotificarProgresso(const Texto& Mensagem, int32_t ProgressoAtual, int32_t ProgressoTotal);

private:
    // Fails when the catalogue changed since AVersao (a progress handler that
    // cleared it or added items): the generation stops before it reads an
    // item that may be gone.
    void VerificarCatalogo(uint64_t AVersao) const;

    // The number format of this generation's prices.
    plataforma::TFormatoNumerico FormatoPrecos() const;

    TQuelbCargaBalItens FProdutos;
    std::vector<Texto> FArquivosGerados;
    std::vector<Texto> FArquivosAntigos;
};

// "Gerando produto %6.6d %s": the message of the progress event of an item.
Texto MensagemGerandoProduto(int32_t ACodigo, const Texto& ADescricao);

}  // namespace quelb
