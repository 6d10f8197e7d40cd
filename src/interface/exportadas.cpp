// The exported functions. Every failure is caught here and returned as
// text; nothing thrown ever reaches the host.
#include <memory>
#include <new>
#include <string>

#include "catalogue/leitor_catalogo.h"
#include "catalogue/texto.h"
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

// The one generator of the loaded library, created by the first Inicializar.
std::unique_ptr<TQuelbCargaBal> Gerador;

// Holds the text of the latest failure for the host.
std::string Resultado;

Texto Argumento(const char* ATexto) {
    return ATexto ? plataforma::DeCodigoPagina(ATexto) : Texto();
}

const char* Falha(const std::u16string& AMensagem) noexcept {
    try {
        Resultado.clear();
        plataforma::ParaCodigoPagina(AMensagem, Resultado);
        return Resultado.c_str();
    } catch (...) {
        return "Out of memory";
    }
}

// Runs a call that gives a text and returns it ("OK" for an empty one), or
// the message of its failure.
template <class F>
const char* ProtegerTexto(F&& AChamada) noexcept {
    try {
        const Texto texto = AChamada();
        return texto.empty() ? Ok : Falha(texto);
    } catch (const EQuelbErro& e) {
        return Falha(e.Mensagem());
    } catch (const std::bad_alloc&) {
        return "Out of memory";
    } catch (const std::exception& e) {
        return Falha(DeUtf8(e.what()));
    } catch (...) {
        return "Erro desconhecido";
    }
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
        item.ModeloEtiqueta = static_cast<int16_t>(ConverterInteiro(Argumento(ModeloEtiqueta)));
        const Texto tipo = Argumento(TipoVenda);
        const auto tipoVenda = TipoVendaPorNome(tipo);
        if (!tipoVenda)
            throw EQuelbErro(u"Tipo de venda desconhecido: \"" + tipo + u"\". Tipos aceitos: " +
                             NomesAceitos(NomesTipoVenda) + u".");
        item.Tipo = *tipoVenda;
        item.Codigo = ConverterInteiro(Argumento(Codigo));
        item.Descricao = Argumento(Descricao);
        item.ValorVenda = ConverterPreco(ValorVenda);
        if (Validade && *Validade) item.Validade = static_cast<int16_t>(ConverterInteiro(Argumento(Validade)));
        if (Tecla && *Tecla) item.Tecla = ConverterInteiro(Argumento(Tecla));
        item.Setor.Codigo = ConverterInteiro(Argumento(SetorCodigo));
        item.Setor.Descricao = Argumento(SetorDescricao);
    });
}

QUELB_EXPORTA const char* QUELB_CALL GerarArquivos(const char* Diretorio) {
    return Proteger([&] {
        const Texto diretorio = Argumento(Diretorio);
        if (Gerador) {
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
        constexpr size_t Maximo = 1000;
        const std::vector<TAchado> achados = GeradorInicializado(u"VerificarItens").VerificarItens();
        Texto r;
        for (size_t i = 0; i < achados.size() && i < Maximo; ++i) {
            if (i > 0) r += u"\r\n";
            r += LinhaDoAchado(achados[i]);
        }
        if (achados.size() > Maximo)
            r += u"\r\n... e mais " + DeUtf8(std::to_string(achados.size() - Maximo)) + u" achados.";
        return r;
    });
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

}  // extern "C"
