// The exported functions. Every failure is caught here and returned as
// text; nothing thrown ever reaches the host. One lock serialises the calls.
#include <cstdint>
#include <memory>
#include <mutex>
#include <new>
#include <string>

#include "catalogue/leitor_catalogo.h"
#include "catalogue/leitor_interno.h"
#include "catalogue/nomes_catalogo.h"
#include "catalogue/propriedades.h"
#include "catalogue/texto.h"
#include "catalogue/valores_catalogo.h"
#include "generator/etiqueta.h"
#include "generator/gerador.h"
#include "generator/modelos.h"
#include "interface/conversao.h"
#include "interface/exportadas.h"
#include "platform/plataforma.h"
#include "quelb/cargabal.h"

#if defined(_WIN32)
#define QUELB_EXPORTA
#else
#define QUELB_EXPORTA __attribute__((visibility("default")))
#endif

namespace quelb {
namespace {

const char* const Ok = "OK";

// Taken by every exported function for its whole call. The progress
// callback runs inside GerarArquivos on the caller's thread and may call
// back in, so the thread that holds it may take it again.
std::recursive_mutex Trava;

// The one generator of the loaded library, created by the first Inicializar.
std::unique_ptr<TQuelbCargaBal> Gerador;

// The host's progress callback (DefinirProgresso), or null.
QuelbProgresso Progresso = nullptr;

// True while GerarArquivos runs (only the thread that holds the lock sees it).
bool Gerando = false;

// Levels of Trava that this thread holds through the exported calls.
thread_local int NiveisDaTrava = 0;

// While the host's progress callback runs, on the generating thread: the
// frame that called it. Calls the callback makes come from deeper frames.
thread_local uintptr_t QuadroDoProgresso = 0;

uintptr_t QuadroAtual(const void* AQuadro) { return reinterpret_cast<uintptr_t>(AQuadro); }

// A call from a frame above the one that called the progress callback means
// the callback never returned: a longjmp or an exception of the host's own
// went past the library's frames, and they released nothing. The generation
// is given up here (the library's lock, the folder's lock, the running
// flag), so that the library goes on working. Stacks grow downwards on every
// platform the library is built for.
[[gnu::noinline]] void RecuperarGeracaoAbandonada() noexcept {
    if (QuadroDoProgresso == 0 || QuadroAtual(__builtin_frame_address(0)) < QuadroDoProgresso) return;
    QuadroDoProgresso = 0;
    if (Gerador) Gerador->AbandonarGeracao();
    Gerando = false;
    for (; NiveisDaTrava > 0; --NiveisDaTrava) Trava.unlock();
}

// The text a call returns, one per thread: it stays valid until that
// thread's next call.
thread_local std::string Resultado;

Texto Argumento(const char* ATexto) {
    return ATexto ? plataforma::DeCodigoPagina(ATexto) : Texto();
}

const char* Responder(const std::u16string& ATexto) noexcept {
    try {
        Resultado.clear();
        plataforma::ParaCodigoPagina(ATexto, Resultado);
        return Resultado.c_str();
    } catch (...) {
        return "Out of memory";
    }
}

// Runs a call under the lock and returns the text it gives (AVazio for an
// empty one), or the message of its failure.
template <class F>
const char* Executar(F&& AChamada, const char* AVazio) noexcept {
    RecuperarGeracaoAbandonada();
    try {
        const std::lock_guard<std::recursive_mutex> trava(Trava);
        struct TNivel {
            TNivel() { ++NiveisDaTrava; }
            ~TNivel() { --NiveisDaTrava; }
        } nivel;
        const Texto texto = AChamada();
        return texto.empty() ? AVazio : Responder(texto);
    } catch (const EQuelbErro& e) {
        return Responder(e.Mensagem());
    } catch (const std::bad_alloc&) {
        return "Out of memory";
    } catch (const std::exception& e) {
        return Responder(DeUtf8(e.what()));
    } catch (...) {
        return "Erro desconhecido";
    }
}

// A call whose text is "OK" when it gives none.
template <class F>
const char* ProtegerTexto(F&& AChamada) noexcept {
    return Executar(std::forward<F>(AChamada), Ok);
}

// Runs a call and turns any failure into its message.
template <class F>
const char* Proteger(F&& AChamada) noexcept {
    return ProtegerTexto([&] {
        AChamada();
        return Texto();
    });
}

TQuelbCargaBal& GeradorInicializado(const char16_t* AFuncao) {
    if (!Gerador)
        throw EQuelbErro(u"Biblioteca não inicializada: chame Inicializar antes de " + Texto(AFuncao) + u".");
    return *Gerador;
}

// The names, separated by commas.
template <class TNomes>
Texto NomesAceitos(const TNomes& ANomes) {
    Texto r;
    for (const std::string_view nome : ANomes) {
        if (!r.empty()) r += u", ";
        r += DeUtf8(nome);
    }
    return r;
}

std::vector<std::string_view> NomesDosModelos() {
    std::vector<std::string_view> r;
    for (const TDefinicaoModelo& m : Modelos()) r.push_back(m.NomeEnumeracao);
    return r;
}

// The generator's progress handler while the host has a callback: the
// message in the ANSI code page; a nonzero return cancels the generation
// (after the last event nothing is left to cancel). The callback is read at
// each event, so that one that removes itself is not called again.
void ChamarProgresso(const Texto& AMensagem, int32_t AAtual, int32_t ATotal) {
    const QuelbProgresso funcao = Progresso;
    if (!funcao) return;
    const std::string mensagem = plataforma::ParaCodigoPagina(AMensagem);
    struct TQuadro {
        TQuadro(uintptr_t AQuadro) { QuadroDoProgresso = AQuadro; }
        ~TQuadro() { QuadroDoProgresso = 0; }  // skipped when the callback never returns
    } quadro(QuadroAtual(__builtin_frame_address(0)));
    if (funcao(mensagem.c_str(), AAtual, ATotal) != 0) Gerador->Cancelar();
}

// "Nutricional.Qtd = "abc"": a name and a value as a message shows them.
std::string NomeEValor(std::u16string_view ANome, std::u16string_view AValor) {
    return ParaUtf8(ANome) + " = \"" + ParaUtf8(AValor) + "\"";
}

// A 16-bit property from an integer text: a value outside its range is
// refused as DefinirCampo refuses it, never cut to its low bits.
int16_t Inteiro16(std::string_view ANome, const char* AArgumento) {
    const Texto texto = Argumento(AArgumento);
    const int32_t valor = ConverterInteiro(texto);
    if (valor < INT16_MIN || valor > INT16_MAX)
        throw EQuelbErro(DeUtf8(std::string(ANome) + ": esperado " + leitura::DescreverEsperado(*ProcurarPropriedade(ANome)) +
                                ", encontrado " + leitura::Citar(ParaUtf8(texto)) + "."));
    return static_cast<int16_t>(valor);
}

}  // namespace

TQuelbCargaBal* GeradorCompartilhado() { return Gerador.get(); }

}  // namespace quelb

using namespace quelb;

extern "C" {

QUELB_EXPORTA const char* QUELB_CALL Inicializar(const char* Modelo) {
    return Proteger([&] {
        if (!Gerador) Gerador = std::make_unique<TQuelbCargaBal>();
        const Texto nome = Argumento(Modelo);
        const auto modelo = ModeloPorNome(nome);
        if (!modelo)
            throw EQuelbErro(u"Modelo de balança desconhecido: \"" + nome + u"\". Modelos aceitos: " +
                             NomesAceitos(NomesDosModelos()) + u".");
        Gerador->Modelo = *modelo;
        Gerador->Produtos().Alterado();  // a generation under way stops
    });
}

QUELB_EXPORTA const char* QUELB_CALL LimparItems(void) {
    return Proteger([] { GeradorInicializado(u"LimparItems").Produtos().Clear(); });
}

QUELB_EXPORTA const char* QUELB_CALL AdicionarItem(const char* ModeloEtiqueta, const char* TipoVenda,
                                                   const char* Codigo, const char* Descricao,
                                                   const char* Validade, int32_t /*Reservado*/,
                                                   const char* Tecla, const char* SetorCodigo,
                                                   const char* SetorDescricao, double ValorVenda) {
    return Proteger([&] {
        TQuelbCargaBalItem& item = GeradorInicializado(u"AdicionarItem").Produtos().New();
        // Field by field, in this order: after a failure the item stays with
        // the fields set so far.
        item.ModeloEtiqueta = Inteiro16("ModeloEtiqueta", ModeloEtiqueta);
        const Texto tipo = Argumento(TipoVenda);
        const auto tipoVenda = TipoVendaPorNome(tipo);
        if (!tipoVenda)
            throw EQuelbErro(u"Tipo de venda desconhecido: \"" + tipo + u"\". Tipos aceitos: " +
                             NomesAceitos(NomesTipoVenda) + u".");
        item.Tipo = *tipoVenda;
        item.Codigo = ConverterInteiro(Argumento(Codigo));
        item.Descricao = Argumento(Descricao);
        item.ValorVenda = ConverterPreco(ValorVenda);
        if (Validade && *Validade) item.Validade = Inteiro16("Validade", Validade);
        if (Tecla && *Tecla) item.Tecla = ConverterInteiro(Argumento(Tecla));
        item.Setor.Codigo = ConverterInteiro(Argumento(SetorCodigo));
        item.Setor.Descricao = Argumento(SetorDescricao);
    });
}

QUELB_EXPORTA const char* QUELB_CALL GerarArquivos(const char* Diretorio) {
    return Proteger([&] {
        if (Gerando)
            throw EQuelbErro(u"Uma geração dos arquivos já está em andamento: GerarArquivos não pode ser chamada "
                             u"de dentro da função de progresso.");
        const Texto diretorio = Argumento(Diretorio);
        if (Gerador) {
            struct TGerando {
                TGerando() { Gerando = true; }
                ~TGerando() { Gerando = false; }
            } gerando;
            Gerador->OnProgresso = Progresso ? TQuelbCargaBalProgresso(ChamarProgresso) : nullptr;
            Gerador->GerarArquivos(diretorio);
            return;
        }
        // Without a generator the two directory checks still come first.
        TQuelbCargaBal::ValidarDiretorio(diretorio);
        GeradorInicializado(u"GerarArquivos");
    });
}

// Ours, after the four: the check of the catalogue against the model.
QUELB_EXPORTA const char* QUELB_CALL VerificarItens(void) {
    return ProtegerTexto([] {
        // Only the findings shown are kept; the others are counted.
        constexpr size_t Maximo = 1000;
        const TResumoVerificacao resumo = GeradorInicializado(u"VerificarItens").VerificarItens(Maximo);
        Texto r;
        for (const TAchado& achado : resumo.Primeiros) {
            if (!r.empty()) r += u"\r\n";
            r += LinhaDoAchado(achado);
        }
        const size_t total = resumo.Erros + resumo.Avisos;
        if (total > resumo.Primeiros.size())
            r += u"\r\n... e mais " + NumeroEmTexto(static_cast<int64_t>(total - resumo.Primeiros.size())) +
                 u" achados.";
        return r;
    });
}

QUELB_EXPORTA const char* QUELB_CALL DefinirCampo(const char* Nome, const char* Valor) {
    return Proteger([&] {
        TQuelbCargaBalItens& itens = GeradorInicializado(u"DefinirCampo").Produtos();
        const Texto nome = Argumento(Nome), valor = Argumento(Valor);
        const std::string normalizado = NormalizarNome(nome);
        const TAlvoNome alvo = ProcurarCaminho(normalizado);
        if (alvo.Propriedade < 0) {
            std::string m = "Campo desconhecido em DefinirCampo: " + NomeEValor(nome, valor);
            const auto sugestao = SugerirCaminho(normalizado);
            m += sugestao ? "; quis dizer \"" + *sugestao + "\"?" : std::string(".");
            throw EQuelbErro(DeUtf8(m));
        }
        const TPropriedade& propriedade = Propriedades[static_cast<size_t>(alvo.Propriedade)];
        if (itens.Count() == 0)
            throw EQuelbErro(DeUtf8("Nenhum produto para receber " + NomeEValor(DeUtf8(propriedade.Nome), valor) +
                                    ": chame AdicionarItem antes de DefinirCampo."));
        leitura::TRascunhoTexto rascunho;
        TQuelbCargaBalItem& item = itens.GetItem(itens.Count() - 1);
        const std::string erro =
            DefinirValor(propriedade, item, TFormaValor::Texto, ParaUtf8(valor), rascunho, itens.Textos());
        if (!erro.empty()) throw EQuelbErro(DeUtf8(std::string(propriedade.Nome) + ": " + erro + "."));
        // Set by the host: given, also on an item that a catalogue left without it.
        item.Ausentes.reset(static_cast<size_t>(alvo.Propriedade));
        itens.Alterado();  // a generation under way stops
    });
}

QUELB_EXPORTA const char* QUELB_CALL ArquivosGerados(void) {
    return Executar(
        [] {
            Texto r;
            if (!Gerador) return r;
            for (const Texto& caminho : Gerador->ArquivosGerados()) {
                if (!r.empty()) r += u"\r\n";
                r += caminho;
            }
            return r;
        },
        "");
}

QUELB_EXPORTA const char* QUELB_CALL DefinirProgresso(QuelbProgresso Funcao) {
    return Proteger([&] { Progresso = Funcao; });
}

// A constant text: it stays valid for as long as the library is loaded.
QUELB_EXPORTA const char* QUELB_CALL Versao(void) { return QUELB_VERSAO; }

QUELB_EXPORTA const char* QUELB_CALL CarregarCatalogo(const char* Caminho) {
    return Proteger([&] {
        TQuelbCargaBalItens& itens = GeradorInicializado(u"CarregarCatalogo").Produtos();
        const Texto caminho = Argumento(Caminho);
        TRelatorioCatalogo relatorio;
        try {
            const std::unique_ptr<TFonteCatalogo> fonte = AbrirArquivoCatalogo(caminho);
            relatorio = LerCatalogo(*fonte, ParaUtf8(caminho), {}, itens);
        } catch (const ECatalogoIlegivel& e) {
            throw EQuelbErro(DeUtf8(e.what()));
        }
        if (relatorio.Ok()) return;
        std::string texto = relatorio.TextoErros();
        texto.pop_back();  // the last line break
        throw EQuelbErro(DeUtf8(texto));
    });
}

// After the ten: the scale's EAN-13 labels, read as the till reads them.
QUELB_EXPORTA const char* QUELB_CALL DecodificarEtiqueta(const char* Codigo, const char* Formato) {
    return Executar(
        [&] {
            // Bar codes and layouts are ASCII: a byte outside it is just a
            // character that is not a digit nor a layout letter.
            const Texto formato = Argumento(Formato), codigo = Argumento(Codigo);
            std::string erro;
            const std::optional<TFormatoEtiqueta> f = LerFormatoEtiqueta(ParaUtf8(formato), erro);
            if (!f) return u"erro: formato de etiqueta inválido \"" + formato + u"\": " + DeUtf8(erro);
            return DeUtf8(TextoDaLeitura(DecodificarEtiqueta(*f, ParaUtf8(codigo))));
        },
        "");
}

QUELB_EXPORTA const char* QUELB_CALL DefinirEtiqueta(const char* Formato) {
    return Proteger([&] {
        TQuelbCargaBal& gerador = GeradorInicializado(u"DefinirEtiqueta");
        const Texto formato = Argumento(Formato);
        if (formato.find_first_not_of(u" \t") == Texto::npos) {
            gerador.Etiqueta.reset();
            return;
        }
        std::string erro;
        const std::optional<TFormatoEtiqueta> f = LerFormatoEtiqueta(ParaUtf8(formato), erro);
        if (!f) throw EQuelbErro(u"Formato de etiqueta inválido \"" + formato + u"\": " + DeUtf8(erro) + u".");
        gerador.Etiqueta = TEtiquetaVerificada{*f, PesoMaximoEtiqueta};
    });
}

}  // extern "C"
