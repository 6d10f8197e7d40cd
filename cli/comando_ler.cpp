#include "cli/comando_ler.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>

#include "catalogue/escritor_catalogo.h"
#include "catalogue/propriedades.h"
#include "catalogue/texto.h"
#include "catalogue/valor_decimal.h"
#include "cli/achados.h"
#include "cli/entrada.h"
#include "cli/mensagens.h"
#include "cli/modelos_cli.h"
#include "cli/opcoes.h"
#include "cli/relatorio.h"
#include "generator/ler_carga.h"
#include "generator/modelos.h"
#include "generator/tipo_achado.h"
#include "platform/leitura.h"
#include "platform/plataforma.h"

namespace quelb::cli {

const char* const AjudaLer =
    "Uso: cargabal ler [--modelo MODELO] --entrada PASTA|ARQUIVO [--saida CATALOGO] [opções]\n"
    "\n"
    "Lê de volta os arquivos de carga de um modelo e escreve o catálogo que os gera:\n"
    "para migrar os produtos de uma marca de balança para outra, ou para conferir uma\n"
    "carga. Junta os arquivos pelos seus códigos e confere cada linha: largura, números,\n"
    "códigos, molduras e somas de verificação, registros que faltam ou se repetem.\n"
    "Na saída de erros, os achados contados por tipo, depois os 50 primeiros (os erros\n"
    "antes dos avisos), cada um com o arquivo, a linha e a coluna.\n"
    "\n"
    "Opções:\n"
    "  -m, --modelo MODELO    o modelo da carga (veja \"cargabal modelos\"); sem esta\n"
    "                         opção, o modelo vem dos nomes dos arquivos e da largura\n"
    "                         dos registros (as cargas da MGV5 e da MGV6 são iguais:\n"
    "                         são lidas como MGV6)\n"
    "  -e, --entrada PASTA    a pasta com os arquivos da carga, ou um arquivo só\n"
    "  -s, --saida CATALOGO   o catálogo a escrever, .json ou .csv; \"-\" escreve JSON\n"
    "                         na saída padrão. Sem esta opção, uma tabela dos itens\n"
    "                         na saída padrão\n"
    "  -f, --formato FORMATO  json ou csv, em vez da extensão do catálogo\n"
    "      --todos            lista todos os achados, não só os 50 primeiros\n"
    "      --relatorio ARQUIVO.html\n"
    "                         grava um relatório para ler no navegador: os achados\n"
    "                         contados por tipo, depois todos, cada um com a sua\n"
    "                         linha e o campo marcado (gravado também com erros)\n"
    "      --silencioso       não mostra os avisos nem o resumo\n"
    "  -h, --help             mostra esta ajuda\n"
    "\n"
    "Lê arquivos em Windows-1252 ou em UTF-8, com ou sem marca de ordem de bytes (a\n"
    "codificação vem dos bytes, e um aviso diz quando é UTF-8).\n"
    "\n"
    "Saída: 0 carga sem erro (avisos podem ser listados); 1 o catálogo ou o relatório\n"
    "não pôde ser gravado; 2 erro nos argumentos ou nenhuma carga a ler; 4 a carga\n"
    "está danificada (o catálogo é escrito com o que pôde ser lido).\n";

namespace {

enum : int { SaidaSucesso = 0, SaidaCatalogoNaoGravado = 1, SaidaDanificada = 4 };

int ErroDeUso(const std::string& AMensagem) { return cli::ErroDeUso(AMensagem, "ler"); }

// The bytes of a file; none when it cannot be read.
std::optional<std::string> LerArquivo(const std::filesystem::path& ACaminho, std::string& ACausa) {
    plataforma::TArquivoLeitura arquivo;
    std::u16string causa;
    if (!arquivo.Abrir(ACaminho.u16string(), causa)) {
        ACausa = ParaUtf8(causa);
        return std::nullopt;
    }
    std::string bytes;
    char bloco[1 << 16];
    while (const size_t n = arquivo.Ler(bloco, sizeof bloco)) bytes.append(bloco, n);
    if (!arquivo.Erro().empty()) {
        ACausa = ParaUtf8(arquivo.Erro());
        return std::nullopt;
    }
    return bytes;
}

bool DeAlgumModelo(std::u16string_view ANome) {
    for (const TDefinicaoModelo& m : Modelos())
        if (ArquivoDoModelo(m.Modelo, ANome)) return true;
    return false;
}

// A readable table of the items: code, sale type, price, validity and description.
void Tabela(const TQuelbCargaBalItens& AItens) {
    char linha[96];
    std::snprintf(linha, sizeof linha, "%10s  %-11s  %12s  %8s  %s\n", "CODIGO", "TIPO", "PRECO", "VALIDADE", "DESCRICAO");
    Escrever(stdout, linha);
    for (int32_t i = 0; i < AItens.Count(); ++i) {
        const TQuelbCargaBalItem& item = AItens.GetItem(i);
        const auto numero = [&](const char* ANome) { return ProcurarPropriedade(ANome)->Numero(item); };
        const TPropriedade& tipo = *ProcurarPropriedade("Tipo");
        std::string preco = TextoDecimal(numero("ValorVenda"));
        std::replace(preco.begin(), preco.end(), '.', ',');  // as a Brazilian reader writes it
        std::snprintf(linha, sizeof linha, "%10lld  %-11s  %12s  %8lld  ", static_cast<long long>(numero("Codigo")),
                      tipo.Nomes[static_cast<size_t>(numero("Tipo"))], preco.c_str(),
                      static_cast<long long>(numero("Validade")));
        Escrever(stdout, linha + ParaUtf8(ProcurarPropriedade("Descricao")->Texto(item)) + "\n");
    }
}

}  // namespace

std::optional<int> ArquivosDaCarga(const std::string& AEntrada, const std::string& AComando,
                                   std::optional<TQuelbCargaBalModelo>& AModelo, std::vector<TArquivoCarga>& AArquivos,
                                   bool ASilencioso) {
    const auto ErroDeUso = [&](const std::string& AMensagem) { return cli::ErroDeUso(AMensagem, AComando); };
    // The files of the load: those of a folder that some model writes, or
    // the one file given (by another name, the model's item file).
    const std::optional<std::filesystem::path> lido = CaminhoDoArgumento(AEntrada);
    if (!lido) return ErroDeUso("o nome da entrada não é UTF-8 válido");
    const std::filesystem::path& caminho = *lido;
    std::error_code erro;
    std::vector<std::filesystem::path> caminhos;
    if (std::filesystem::is_directory(caminho, erro)) {
        for (const auto& e : std::filesystem::directory_iterator(caminho, erro))
            if (e.is_regular_file(erro) && DeAlgumModelo(e.path().filename().u16string())) caminhos.push_back(e.path());
        std::sort(caminhos.begin(), caminhos.end());
    } else if (std::filesystem::exists(caminho, erro)) {
        caminhos.push_back(caminho);
    } else {
        return ErroDeUso("a entrada \"" + AEntrada + "\" não existe");
    }
    for (const std::filesystem::path& c : caminhos) {
        std::string causa;
        std::optional<std::string> bytes = LerArquivo(c, causa);
        if (!bytes) return ErroDeUso("não foi possível ler \"" + ParaUtf8(c.u16string()) + "\": " + causa);
        AArquivos.push_back({c.filename().u16string(), std::move(*bytes)});
    }
    if (AArquivos.empty()) return ErroDeUso("a pasta \"" + AEntrada + "\" não tem arquivos de carga");
    if (!AModelo) {
        bool ambiguo = false;
        AModelo = DetectarModelo(AArquivos, ambiguo);
        if (!AModelo)
            return ErroDeUso("não foi possível saber o modelo da carga pelos nomes dos arquivos; use --modelo");
        Escrever(stderr, "cargabal: modelo detectado: " + std::string(DefinicaoModelo(*AModelo)->Apelido) +
                             (ambiguo ? " (as cargas da MGV5 e da MGV6 são iguais e não há como distingui-las; lida "
                                        "como MGV6)"
                                      : "") +
                             "\n");
    }
    const std::u16string_view nomeDosItens = DefinicaoModelo(*AModelo)->Arquivos[0].Nome;
    if (AArquivos.size() == 1 && !ArquivoDoModelo(*AModelo, AArquivos[0].Nome)) {
        if (!ASilencioso && DeAlgumModelo(AArquivos[0].Nome))
            Escrever(stderr, "cargabal: " + ParaUtf8(AArquivos[0].Nome) + " é lido como " + ParaUtf8(nomeDosItens) +
                                 ", o arquivo de itens de " + std::string(DefinicaoModelo(*AModelo)->Apelido) + "\n");
        AArquivos[0].Nome = nomeDosItens;
    }
    // A folder with the files of another model as well: which were read.
    std::string outros;
    for (const TArquivoCarga& a : AArquivos)
        if (!ArquivoDoModelo(*AModelo, a.Nome)) outros += (outros.empty() ? "" : ", ") + ParaUtf8(a.Nome);
    if (!outros.empty())
        Escrever(stderr, "cargabal: a pasta tem também arquivos de outro modelo, que não foram lidos: " + outros +
                             " (--modelo escolhe o modelo)\n");
    return std::nullopt;
}

int ComandoLer(const std::vector<std::string>& AArgs) {
    std::optional<std::string> nomeModelo, entrada, saida, nomeFormato, relatorio;
    bool silencioso = false, todos = false;
    const TOpcaoComando opcoes[] = {
        {"modelo", 'm', &nomeModelo},     {"entrada", 'e', &entrada},
        {"saida", 's', &saida},           {"formato", 'f', &nomeFormato},
        {"silencioso", 0, nullptr, &silencioso}, {"todos", 0, nullptr, &todos},
        {"relatorio", 0, &relatorio},
        {"help", 'h'},
    };
    static constexpr const char* Obrigatorias[] = {"entrada"};
    if (const std::optional<int> r = LerOpcoes(AArgs, "ler", AjudaLer, opcoes, Obrigatorias)) return *r;

    std::optional<TQuelbCargaBalModelo> modelo;
    if (nomeModelo && !(modelo = ProcurarModelo(*nomeModelo))) return ErroDeUso(ModeloDesconhecido(*nomeModelo));
    std::optional<TFormatoCatalogo> formato;
    if (nomeFormato && !(formato = FormatoPorNome(*nomeFormato)))
        return ErroDeUso("formato desconhecido \"" + *nomeFormato + "\" (use json ou csv)");

    std::vector<TArquivoCarga> arquivos;
    if (const std::optional<int> r = ArquivosDaCarga(*entrada, "ler", modelo, arquivos, silencioso)) return *r;

    TQuelbCargaBalItens itens;
    const TLeituraCarga leitura = LerCarga(*modelo, arquivos, itens);
    const size_t erros = leitura.Erros();
    std::vector<TAchadoListado> achados;
    for (const TAchadoCarga& a : leitura.Achados)
        if (!silencioso || a.Gravidade == TGravidade::Erro)
            achados.push_back({a.Gravidade, ParaUtf8(LinhaDoAchado(a)), ParaUtf8(TipoDoAchado(a.Descricao))});
    ListarAchados(stderr, stderr, achados, ContarPorTipo(achados), todos, achados.size());

    const std::string resumo =
        Plural(static_cast<uint64_t>(itens.Count()), "item lido", "itens lidos") + " de " +
        Plural(static_cast<uint64_t>(std::count_if(arquivos.begin(), arquivos.end(),
                                                   [&](const TArquivoCarga& a) { return ArquivoDoModelo(*modelo, a.Nome); })),
               "arquivo", "arquivos") +
        "; " + Plural(erros, "erro", "erros") + ", " + Plural(leitura.Achados.size() - erros, "aviso", "avisos") + ".";
    // The report holds every finding, avisos too, whatever is listed; it is
    // written before the catalogue, and a failure of one leaves the other.
    bool relatorioGravado = true;
    if (relatorio) {
        const TRelatorio r{"ler", *entrada, std::string(DefinicaoModelo(*modelo)->Apelido), resumo,
                           AchadosDaCarga(*modelo, arquivos, leitura.Achados)};
        if (const std::optional<std::string> falha = GravarRelatorio(*relatorio, r)) {
            Escrever(stderr, "cargabal: " + *falha + "\n");
            relatorioGravado = false;
        }
    }

    std::vector<size_t> propriedades = PropriedadesDoModelo(*modelo);
    // A vendor column goes into the catalogue only where a record has another
    // value than its usual constant (an empty text).
    std::erase_if(propriedades, [&itens](size_t i) {
        if (!ColunaDoFabricante(Propriedades[i])) return false;
        for (int32_t k = 0; k < itens.Count(); ++k)
            if (!Propriedades[i].TextoItem(itens.GetItem(k)).empty()) return false;
        return true;
    });
    // A value that could not be read stays out of the catalogue, not its default.
    const TAusente naoLido = [&leitura, &itens](int32_t AItem, size_t APropriedade) {
        return leitura.NaoLido(AItem, APropriedade) ||
               (ColunaDoFabricante(Propriedades[APropriedade]) && Propriedades[APropriedade].TextoItem(itens.GetItem(AItem)).empty());
    };
    if (!saida) {
        Tabela(itens);
    } else if (*saida == "-") {
        EscreverCatalogo(itens, propriedades, formato.value_or(TFormatoCatalogo::Json),
                         [](std::string_view t) { std::fwrite(t.data(), 1, t.size(), stdout); }, naoLido);
    } else {
        const std::optional<std::filesystem::path> escolhido = CaminhoDoArgumento(*saida);
        if (!escolhido) return ErroDeUso("o nome do catálogo de saída não é UTF-8 válido");
        const std::filesystem::path& destino = *escolhido;
        if (!formato) {
            std::u16string extensao = destino.extension().u16string();
            for (char16_t& c : extensao)
                if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
            formato = extensao == u".csv" ? TFormatoCatalogo::Csv : TFormatoCatalogo::Json;
        }
        std::ofstream arquivo(destino, std::ios::binary | std::ios::trunc);
        if (arquivo)
            EscreverCatalogo(itens, propriedades, *formato,
                             [&arquivo](std::string_view t) { arquivo.write(t.data(), static_cast<std::streamsize>(t.size())); },
                             naoLido);
        arquivo.close();
        if (!arquivo) {
            Escrever(stderr, "cargabal: não foi possível gravar o catálogo \"" + *saida + "\"\n");
            return SaidaCatalogoNaoGravado;
        }
    }
    std::fflush(stdout);
    if (!silencioso) Escrever(stderr, std::string(DefinicaoModelo(*modelo)->Apelido) + ": " + resumo + "\n");
    if (!relatorioGravado) return SaidaCatalogoNaoGravado;
    return erros > 0 ? SaidaDanificada : SaidaSucesso;
}

}  // namespace quelb::cli
