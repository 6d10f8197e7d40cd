#pragma once
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
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

// Another generation holds the folder for longer than the generator waits.
class EQuelbPastaOcupada : public EQuelbErro {
public:
    EQuelbPastaOcupada(const Texto& ADiretorio, int32_t AEspera);
};

// The lock file that a generation holds in its folder: left there, empty.
inline constexpr std::u16string_view NomeArquivoTrava = u".cargabal.lock";

// A generation stopped by Cancelar.
class EQuelbCancelada : public EQuelbCargaBal {
public:
    using EQuelbCargaBal::EQuelbCargaBal;
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
    // The files of this model that the folder still holds from an earlier
    // load but that this one does not write are removed, with the
    // replacements of the new files (never when the set fails).
    bool LimparArquivosAntigos = false;
    // Seconds to wait while another generation writes into the same folder
    // before failing with EQuelbPastaOcupada.
    int32_t EsperaTrava = 10;
    // Called when every file of a generation is written and flushed, just
    // before the first old file is replaced: an exception from it stops the
    // generation with the folder as it was.
    std::function<void()> AntesDeSubstituir;
    // The label layout of the scale (DefinirEtiqueta, --etiqueta) and its
    // largest weight: with a layout, VerificarItens holds every item the
    // scale labels with a bar code against it (verificacao.h).
    std::optional<TEtiquetaVerificada> Etiqueta;

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
    // records of each item, and saves every file that received a line, as
    // one set: a failure or a cancellation before the replacements leaves
    // every old file as it was, and no temporary file. Fails with
    // EQuelbCargaBal (validation, a catalogue changed during the generation),
    // EQuelbCancelada, EQuelbPastaOcupada or EQuelbErro (file creation,
    // writing).
    void GerarArquivos(const Texto& ADiretorio);

    // Stops the running generation at its next progress event before the
    // files are saved, with EQuelbCancelada: nothing is replaced. Meant for
    // a progress handler (or another thread); each generation starts anew,
    // and a call after the last item's event changes nothing.
    void Cancelar() noexcept { FCancelada = true; }

    // The check of Produtos against Modelo (verificacao.h): what the files
    // would do to each value, before anything is written.
    std::vector<TAchado> VerificarItens();
    // The same keeping only the first AMaximo findings, and their count.
    TResumoVerificacao VerificarItens(size_t AMaximo);

    // The first two checks of GerarArquivos: a directory text that is not
    // blank, naming a directory that exists.
    static void ValidarDiretorio(const Texto& ADiretorio);

    // Calls OnProgresso when a handler is assigned.
    void NotificarProgresso(const Texto& Mensagem, int32_t ProgressoAtual, int32_t ProgressoTotal);

    // Gives up a generation whose progress handler never returned (a longjmp
    // or a foreign exception went past its frames, which released nothing):
    // the folder's lock it held is released.
    void AbandonarGeracao() noexcept { FTravaPasta.Liberar(); }

private:
    // Fails when the generation was cancelled, or when the catalogue changed
    // since AVersao (a progress handler that cleared it or added items): the
    // generation stops before it reads an item that may be gone.
    void VerificarInterrupcao(uint64_t AVersao) const;

    // Removes the temporary files that a killed generation left in the
    // folder (under the folder's lock).
    static void RemoverTemporariosAbandonados(const Texto& ADiretorio);

    // The number format of this generation's prices.
    plataforma::TFormatoNumerico FormatoPrecos() const;

    TQuelbCargaBalItens FProdutos;
    std::vector<Texto> FArquivosGerados;
    std::vector<Texto> FArquivosAntigos;
    std::atomic<bool> FCancelada{false};
    // The lock of the folder being generated into: the generator's, not a
    // frame's, so that AbandonarGeracao can release it.
    plataforma::TTrava FTravaPasta;
};

// "Gerando produto %6.6d %s": the message of the progress event of an item.
Texto MensagemGerandoProduto(int32_t ACodigo, const Texto& ADescricao);
// The same into ADestino, whose room serves item after item.
void MensagemGerandoProduto(int32_t ACodigo, const TTextoItem& ADescricao, Texto& ADestino);

}  // namespace quelb
