#include "cli/comando_etiqueta.h"

#include <cstdio>
#include <memory>
#include <optional>

#include "catalogue/escritor_catalogo.h"
#include "catalogue/leitor_catalogo.h"
#include "catalogue/texto.h"
#include "catalogue/valor_decimal.h"
#include "cli/comando_ler.h"
#include "cli/mensagens.h"
#include "cli/modelos_cli.h"
#include "cli/opcoes.h"
#include "generator/etiqueta.h"
#include "generator/ler_carga.h"

namespace quelb::cli {

const char* const AjudaEtiqueta =
    "Uso: cargabal etiqueta --formato PADRAO [opções] CODIGO...\n"
    "\n"
    "Lê cada código de barras EAN-13 de etiqueta de balança como o caixa deve lê-lo\n"
    "pelo padrão da etiqueta: o código do item e o preço, o peso ou a quantidade.\n"
    "Uma linha por código, na ordem dada.\n"
    "\n"
    "O padrão tem 13 caracteres, um por dígito, como os manuais mostram: um dígito é\n"
    "fixo (o prefixo 2 ou 20), C o código do item, P o preço total em centavos, W o\n"
    "peso em gramas, Q a quantidade, V o verificador do campo P ou W de 4 ou 5\n"
    "dígitos logo depois dele, D o dígito verificador do EAN-13 (o último). Exemplos:\n"
    "2CCCCCCPPPPPD, 2CCCCCCWWWWWD, 2CCCCPPPPPPPD, 20CCCCCWWWWWD, 2CCCCCVPPPPPD.\n"
    "\n"
    "Opções:\n"
    "  -f, --formato PADRAO    o padrão da etiqueta, o mesmo da balança e do caixa\n"
    "  -c, --catalogo ARQUIVO  um catálogo JSON ou CSV: diz também o produto de cada\n"
    "                          código, o seu preço por kg (ou por unidade) e, numa\n"
    "                          etiqueta de peso ou de quantidade, o total a cobrar\n"
    "      --carga PASTA       o mesmo a partir de uma carga gravada (como em\n"
    "                          \"cargabal ler\")\n"
    "  -m, --modelo MODELO     o modelo da carga de --carga; sem ele, vem dos arquivos\n"
    "      --json              um objeto JSON por linha: \"codigo\" e \"preco\" (em\n"
    "                          reais), \"peso\" (em kg) ou \"quantidade\"; ou \"erro\".\n"
    "                          Com catálogo, também \"produto\" e \"total\"\n"
    "  -h, --help              mostra esta ajuda\n"
    "\n"
    "O total de uma etiqueta de peso é o preço por kg vezes o peso, arredondado ao\n"
    "centavo (meio centavo para cima); o preço de uma etiqueta de preço vale como\n"
    "impresso: o caixa não deve recalculá-lo.\n"
    "\n"
    "Saída: 0 todos os códigos foram lidos (e, com catálogo ou carga, cada um é de\n"
    "um produto dele); 2 algum não foi, ou erro nos argumentos.\n";

namespace {

enum : int { SaidaLidos = 0, SaidaNaoLidos = 2 };

// "R$ 2,84": an amount in cents as a Brazilian reader writes it.
std::string Reais(int64_t ACentavos) {
    std::string t = ComCasas(ACentavos, 2);
    t.replace(t.find('.'), 1, ",");
    return "R$ " + t;
}

// "2,504 kg".
std::string Quilos(int64_t AGramas) {
    std::string t = ComCasas(AGramas, 3);
    t.replace(t.find('.'), 1, ",");
    return t + " kg";
}

// An amount of ten-thousandths times AVezes / ADivisor, to the cent, a half
// up (amounts are never negative here).
int64_t Centavos(int64_t ADezMilesimos, int64_t AVezes, int64_t ADivisor) {
    // In two parts, so that the product stays within 64 bits: the remainder
    // is below ADivisor * 100 and AVezes below 10^12.
    const int64_t d = ADivisor * 100;
    return ADezMilesimos / d * AVezes + (ADezMilesimos % d * AVezes + d / 2) / d;
}

// The first product of each code.
const TQuelbCargaBalItem* Produto(const TQuelbCargaBalItens& AItens, int64_t ACodigo, int32_t& APosicao) {
    for (int32_t i = 0; i < AItens.Count(); ++i)
        if (AItens.GetItem(i).Codigo == ACodigo) {
            APosicao = i;
            return &AItens.GetItem(i);
        }
    return nullptr;
}

bool PorPeso(const TQuelbCargaBalItem& AItem) { return AItem.Tipo == tpvPeso || AItem.Tipo == tpvEAN13; }

}  // namespace

std::optional<int32_t> PesoMaximoEmGramas(std::string_view ATexto) {
    int64_t v = 0;
    if (ConverterDecimal(ATexto, {.PermitirVirgula = true}, v) != TResultadoDecimal::Ok) return std::nullopt;
    // Ten-thousandths of a kilogram: whole grams, from 1 g to 1000 kg.
    if (v % 10 != 0 || v < 10 || v > 1000'0000) return std::nullopt;
    return static_cast<int32_t>(v / 10);
}

int ComandoEtiqueta(const std::vector<std::string>& AArgs) {
    std::optional<std::string> padrao, catalogo, carga, nomeModelo;
    bool json = false;
    const TOpcaoComando opcoes[] = {
        {"formato", 'f', &padrao},   {"catalogo", 'c', &catalogo}, {"carga", 0, &carga},
        {"modelo", 'm', &nomeModelo}, {"json", 0, nullptr, &json}, {"help", 'h'},
    };
    static constexpr const char* Obrigatorias[] = {"formato"};
    std::vector<std::string> codigos;
    if (const std::optional<int> r = LerOpcoes(AArgs, "etiqueta", AjudaEtiqueta, opcoes, Obrigatorias, &codigos))
        return *r;
    std::string erro;
    const std::optional<TFormatoEtiqueta> formato = LerFormatoEtiqueta(*padrao, erro);
    if (!formato) return ErroDeUso("padrão de etiqueta inválido \"" + *padrao + "\": " + erro, "etiqueta");
    if (codigos.empty()) return ErroDeUso("falta o código de barras de alguma etiqueta", "etiqueta");
    if (catalogo && carga) return ErroDeUso("use --catalogo ou --carga, não os dois", "etiqueta");
    if (nomeModelo && !carga) return ErroDeUso("--modelo é o modelo da carga de --carga", "etiqueta");

    // The products, from a catalogue or a load.
    TQuelbCargaBalItens itens;
    const bool comProdutos = catalogo || carga;
    if (catalogo) {
        Texto caminho;
        if (!DeUtf8(*catalogo, caminho)) return ErroDeUso("o nome do catálogo não é UTF-8 válido", "etiqueta");
        TRelatorioCatalogo relatorio;
        try {
            const std::unique_ptr<TFonteCatalogo> fonte = AbrirArquivoCatalogo(caminho);
            relatorio = LerCatalogo(*fonte, *catalogo, {}, itens);
        } catch (const ECatalogoIlegivel& e) {
            Escrever(stderr, std::string("cargabal: ") + e.what() + "\n");
            return SaidaUso;
        }
        if (!relatorio.Ok()) {
            for (const std::string& e : relatorio.Erros) Escrever(stderr, "cargabal: " + *catalogo + ": " + e + "\n");
            Escrever(stderr, "cargabal: " + *catalogo + ": " + Plural(relatorio.QuantidadeErros, "erro", "erros") +
                                 " no catálogo\n");
            return SaidaUso;
        }
    } else if (carga) {
        std::optional<TQuelbCargaBalModelo> modelo;
        if (nomeModelo && !(modelo = ProcurarModelo(*nomeModelo)))
            return ErroDeUso(ModeloDesconhecido(*nomeModelo), "etiqueta");
        std::vector<TArquivoCarga> arquivos;
        if (const std::optional<int> r = ArquivosDaCarga(*carga, "etiqueta", modelo, arquivos)) return *r;
        const TLeituraCarga leitura = LerCarga(*modelo, arquivos, itens);
        if (const size_t erros = leitura.Erros())
            Escrever(stderr, "cargabal: aviso: a carga está danificada (" + Plural(erros, "erro", "erros") +
                                 "; veja \"cargabal ler\"); os produtos são os que puderam ser lidos\n");
    }

    bool todos = true;
    for (const std::string& codigo : codigos) {
        const TLeituraEtiqueta l = DecodificarEtiqueta(*formato, codigo);
        int32_t posicao = 0;
        const TQuelbCargaBalItem* item = l.Ok && comProdutos ? Produto(itens, l.Codigo, posicao) : nullptr;
        if (!l.Ok || (comProdutos && item == nullptr)) todos = false;
        // The total of a weight or count label: the price of the product
        // times the amount; a price label carries its own.
        std::optional<int64_t> total;
        if (item != nullptr && item->ValorVenda.DezMilesimos() >= 0) {
            if (l.Grandeza == TGrandezaEtiqueta::Peso) total = Centavos(item->ValorVenda.DezMilesimos(), l.Valor, 1000);
            if (l.Grandeza == TGrandezaEtiqueta::Quantidade) total = Centavos(item->ValorVenda.DezMilesimos(), l.Valor, 1);
        }
        std::string linha;
        if (json) {
            if (!l.Ok) {
                linha = "{\"erro\": ";
                TextoJson(DeUtf8(l.Erro), linha);
                linha += "}";
            } else {
                linha = "{\"codigo\": " + std::to_string(l.Codigo) + ", ";
                switch (l.Grandeza) {
                    case TGrandezaEtiqueta::Preco: linha += "\"preco\": \"" + ComCasas(l.Valor, 2) + "\""; break;
                    case TGrandezaEtiqueta::Peso: linha += "\"peso\": \"" + ComCasas(l.Valor, 3) + "\""; break;
                    default: linha += "\"quantidade\": " + std::to_string(l.Valor); break;
                }
                if (comProdutos) {
                    linha += ", \"produto\": ";
                    if (item == nullptr) {
                        linha += "null";
                    } else {
                        linha += "{\"posicao\": " + std::to_string(posicao) + ", \"descricao\": ";
                        TextoJson(item->Descricao.Utf16(), linha);
                        linha += std::string(", \"tipo\": \"") + NomesTipoVenda[item->Tipo] + "\", \"valor_venda\": \"" +
                                 TextoDecimal(item->ValorVenda.DezMilesimos()) + "\"}";
                    }
                    if (total) linha += ", \"total\": \"" + ComCasas(*total, 2) + "\"";
                }
                linha += "}";
            }
        } else {
            linha = codigo + ": ";
            if (!l.Ok) {
                linha += "erro: " + l.Erro;
            } else {
                linha += "código " + std::to_string(l.Codigo) + ", ";
                switch (l.Grandeza) {
                    case TGrandezaEtiqueta::Preco: linha += "preço " + Reais(l.Valor); break;
                    case TGrandezaEtiqueta::Peso: linha += "peso " + Quilos(l.Valor); break;
                    default: linha += "quantidade " + std::to_string(l.Valor); break;
                }
                if (comProdutos && item == nullptr) {
                    linha += "; nenhum produto " + std::string(catalogo ? "do catálogo" : "da carga") + " tem o código " +
                             std::to_string(l.Codigo);
                } else if (item != nullptr) {
                    const int64_t preco = Centavos(item->ValorVenda.DezMilesimos(), 1, 1);
                    linha += "; produtos[" + std::to_string(posicao) + "] \"" + ParaUtf8(item->Descricao.Utf16()) +
                             "\", " + Reais(preco) + (PorPeso(*item) ? " por kg" : " por unidade");
                    if (total) linha += ", total " + Reais(*total);
                }
            }
        }
        Escrever(stdout, linha + "\n");
    }
    std::fflush(stdout);
    return todos ? SaidaLidos : SaidaNaoLidos;
}

}  // namespace quelb::cli
