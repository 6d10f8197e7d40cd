// cargabal: reads a product catalogue (JSON or CSV) and writes the load
// files of a scale model, through the generator's own interface.
#include <cstdio>
#include <filesystem>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/erro.h"
#include "catalogue/leitor_catalogo.h"
#include "catalogue/texto.h"
#include "cli/comando_etiqueta.h"
#include "cli/comando_ler.h"
#include "cli/achados.h"
#include "cli/entrada.h"
#include "cli/interrupcao.h"
#include "cli/mensagens.h"
#include "cli/modelos_cli.h"
#include "cli/opcoes.h"
#include "cli/progresso.h"
#include "cli/relatorio.h"
#include "generator/etiqueta.h"
#include "generator/gerador.h"
#include "generator/modelos.h"

#ifdef _WIN32
#include "platform/win32/windows_minimo.h"
#endif

#ifndef QUELB_VERSAO
#define QUELB_VERSAO "?"
#endif

namespace quelb::cli {

namespace {

// The exit status of the command, one entry per outcome (README keeps the
// same table).
enum TSaida : int {
    SaidaSucesso = 0,
    SaidaFalhaGeracao = 1,   // the generation failed: the directory, a file, an empty catalogue
    SaidaUsoOuCatalogo = SaidaUso,  // bad arguments, or a catalogue with errors: nothing is written
    SaidaVerificacao = 3,    // the check found an erro: nothing is written
    SaidaCargaDanificada = 4,  // "ler": the load read is damaged (comando_ler.cpp)
    SaidaPastaOcupada = 5,   // another generation kept the folder for the whole wait: nothing is written
};

// The table of exit codes, as the help texts show it.
#define QUELB_TABELA_SAIDAS                                                                   \
    "Saída: 0 sucesso; 1 falha na geração (diretório inexistente, arquivo que não pôde\n"     \
    "ser gravado, catálogo sem produtos) ou relatório (--relatorio) que não pôde ser\n"      \
    "gravado; 2 erro nos argumentos ou no catálogo (nada é gravado); 3 a verificação\n"     \
    "achou um erro (nada é gravado); 4 a carga lida por \"ler\" está danificada (o\n"    \
    "catálogo é escrito com o que pôde ser lido); 5 outra geração gravava no mesmo\n"     \
    "diretório durante toda a espera (nada é gravado); 130 (143 com SIGTERM)\n"          \
    "interrompido: nenhum arquivo é substituído.\n"

constexpr const char* AjudaGeral =
    "cargabal " QUELB_VERSAO " - gera os arquivos de carga de produtos para balanças\n"
    "a partir de um catálogo em JSON ou CSV.\n"
    "\n"
    "Uso:\n"
    "  cargabal gerar --modelo MODELO --entrada CATALOGO --saida DIRETORIO [opções]\n"
    "  cargabal verificar --modelo MODELO --entrada CATALOGO [opções]\n"
    "  cargabal ler [--modelo MODELO] --entrada PASTA [--saida CATALOGO]\n"
    "  cargabal etiqueta --formato PADRAO [--catalogo CATALOGO] CODIGO...\n"
    "  cargabal modelos\n"
    "  cargabal help [COMANDO]\n"
    "  cargabal --help | --version\n"
    "\n"
    "Comandos:\n"
    "  gerar     lê o catálogo e grava no diretório os arquivos de carga do modelo\n"
    "  verificar confere o catálogo contra o modelo, sem gravar nada\n"
    "  ler       lê de volta uma carga e escreve o seu catálogo, conferindo os arquivos\n"
    "  etiqueta  lê códigos de barras de etiquetas da balança como o caixa deve lê-los\n"
    "  modelos   lista os modelos de balança, seus apelidos e os arquivos de cada um\n"
    "  help      mostra esta ajuda, ou a de um comando\n"
    "\n"
    "Use \"cargabal help COMANDO\" para ver as opções de cada comando.\n"
    "\n" QUELB_TABELA_SAIDAS;

constexpr const char* AjudaGerar =
    "Uso: cargabal gerar --modelo MODELO --entrada CATALOGO --saida DIRETORIO [opções]\n"
    "\n"
    "Lê o catálogo de produtos e grava no diretório os arquivos de carga do modelo.\n"
    "\n"
    "Opções:\n"
    "  -m, --modelo MODELO       o modelo da balança, pelo nome (modToledoMGV6) ou pelo\n"
    "                            apelido (toledo-mgv6); veja \"cargabal modelos\"\n"
    "  -e, --entrada CATALOGO    o arquivo do catálogo, JSON ou CSV; \"-\" lê da entrada\n"
    "                            padrão\n"
    "  -s, --saida DIRETORIO     o diretório, já existente, onde os arquivos são gravados\n"
    "                            (arquivos de mesmo nome são substituídos)\n"
    "  -f, --formato FORMATO     json ou csv; sem esta opção o formato vem da extensão\n"
    "                            do arquivo (.json, .csv) ou do seu primeiro caractere\n"
    "      --codificacao COD     utf-8, utf-16 ou windows-1252; sem esta opção vale a\n"
    "                            marca de ordem de bytes, senão UTF-8, senão (CSV)\n"
    "                            Windows-1252\n"
    "      --decimal SEP         virgula ou ponto: o separador decimal de um CSV; sem\n"
    "                            esta opção, a vírgula com \";\" ou tabulação e o ponto\n"
    "                            com \",\"\n"
    "      --separador-preco SEP virgula ou ponto: o separador decimal do preço da Urano,\n"
    "                            em vez do separador do idioma (a Urano S grava sempre\n"
    "                            ponto e a URF32 sempre vírgula: nelas não muda nada)\n"
    "      --etiqueta PADRAO     o padrão do código de barras das etiquetas da balança\n"
    "                            (como 2CCCCCCPPPPPD; veja \"cargabal help etiqueta\"):\n"
    "                            a verificação confere contra ele cada item que a\n"
    "                            balança etiqueta com código de barras\n"
    "      --peso-maximo KG      o maior peso da balança, para o preço da etiqueta\n"
    "                            (padrão: 15)\n"
    "      --aceitar-cortes      grava mesmo que a verificação ache erros (lista-os)\n"
    "      --limpar              remove os arquivos do modelo que uma carga anterior\n"
    "                            deixou no diretório e esta não gravou\n"
    "      --espera SEGUNDOS     quanto esperar enquanto outra geração grava no mesmo\n"
    "                            diretório (padrão: 10)\n"
    "      --todos               lista todos os achados da verificação, não só os 50\n"
    "                            primeiros erros e os 50 primeiros avisos\n"
    "      --relatorio ARQUIVO.html\n"
    "                            grava um relatório da verificação para ler no\n"
    "                            navegador: os achados contados por tipo, depois\n"
    "                            todos, cada um com o seu item e a propriedade\n"
    "                            marcada; gravado antes da carga, também com erros\n"
    "      --silencioso          não mostra a barra de progresso, os avisos nem o resumo\n"
    "  -h, --help                mostra esta ajuda\n"
    "\n"
    "Os arquivos da carga são gravados como um conjunto: todos substituem os\n"
    "anteriores, ou nenhum (uma falha ou uma interrupção deixa a carga anterior como\n"
    "estava); o arquivo de itens é o último a ser substituído.\n"
    "\n"
    "Escreve na saída padrão o caminho completo de cada arquivo gravado, um por linha,\n"
    "e na saída de erros um resumo (itens, arquivos, tamanho). Com a saída de erros\n"
    "num terminal, mostra o progresso da leitura e da geração.\n"
    "\n"
    "Um catálogo com erros é recusado inteiro: todos os erros são listados (até 50),\n"
    "cada um com o seu lugar, e nada é gravado.\n"
    "\n"
    "Antes de gravar, o catálogo é conferido contra o modelo (como em \"cargabal\n"
    "verificar\"): com algum erro (um valor que o arquivo cortaria ou deformaria, dois\n"
    "produtos com o mesmo código...) os achados são listados e nada é gravado; os\n"
    "avisos são listados e a geração segue. Os achados saem contados por tipo, depois\n"
    "os erros antes dos avisos.\n"
    "\n" QUELB_TABELA_SAIDAS;

constexpr const char* AjudaVerificar =
    "Uso: cargabal verificar --modelo MODELO --entrada CATALOGO [opções]\n"
    "\n"
    "Confere o catálogo contra o modelo, sem gravar nada: o que os arquivos do modelo\n"
    "fariam com cada valor. Lista na saída padrão um achado por linha, \"erro:\" (o\n"
    "arquivo mudaria o sentido do valor, ou o carregador pode recusá-lo) ou \"aviso:\"\n"
    "(o valor fica menos exato, ou uma propriedade se perde): os 50 primeiros erros,\n"
    "depois os avisos, até 50 linhas (--todos lista todos); na saída de erros, os\n"
    "achados contados por tipo.\n"
    "\n"
    "Opções: --modelo, --entrada, --formato, --codificacao, --decimal,\n"
    "--separador-preco, --etiqueta, --peso-maximo, --todos e --relatorio, como em\n"
    "\"cargabal gerar\".\n"
    "\n"
    "Com --etiqueta PADRAO, cada item que a balança etiqueta com código de barras (os\n"
    "tipos de venda por peso, EAN-13 por peso e EAN-13 por unidade, como o modelo os\n"
    "grava) é conferido contra o padrão: um código mais largo que o campo C é erro (o\n"
    "caixa leria outro código: a linha diz de que produto), e também dois itens cujos\n"
    "códigos o caixa leria iguais; um preço por kg com que a etiqueta do peso máximo\n"
    "(--peso-maximo, 15 kg) não caberia no campo P é aviso, com o peso a partir do\n"
    "qual não cabe.\n"
    "\n"
    "Saída: 0 sem erro (avisos podem ser listados); 1 o relatório não pôde ser\n"
    "gravado; 2 erro nos argumentos ou no catálogo; 3 a verificação achou um erro.\n";

constexpr const char* AjudaModelos =
    "Uso: cargabal modelos\n"
    "\n"
    "Lista os modelos de balança: o nome, o apelido aceito em --modelo, o nome de\n"
    "exibição e os arquivos que a geração pode gravar para o modelo.\n";

bool PedeAjuda(const std::string& AArg) { return AArg == "-h" || AArg == "--help"; }

// Width of a UTF-8 text on a terminal, one column per character.
size_t Largura(std::string_view ATexto) {
    size_t n = 0;
    for (const char c : ATexto) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}

int ComandoModelos(const std::vector<std::string>& AArgs) {
    if (!AArgs.empty() && PedeAjuda(AArgs[0])) {
        Escrever(stdout, AjudaModelos);
        return SaidaSucesso;
    }
    if (!AArgs.empty()) return ErroDeUso("argumento inesperado \"" + AArgs[0] + "\"", "modelos");

    std::vector<std::vector<std::string>> linhas = {{"MODELO", "APELIDO", "EXIBIÇÃO", "ARQUIVOS"}};
    for (const TDefinicaoModelo& m : Modelos()) {
        const std::string exibicao = ParaUtf8(m.Nome);
        std::string arquivos;
        for (const TArquivoModelo& a : m.Arquivos) arquivos += (arquivos.empty() ? "" : " ") + ParaUtf8(a.Nome);
        linhas.push_back({std::string(m.NomeEnumeracao), std::string(m.Apelido),
                          exibicao.empty() ? "(sem nome)" : exibicao, arquivos});
    }
    std::vector<size_t> larguras(3, 0);
    for (const auto& l : linhas)
        for (size_t c = 0; c < 3; ++c) larguras[c] = std::max(larguras[c], Largura(l[c]));
    for (const auto& l : linhas) {
        std::string texto;
        for (size_t c = 0; c < 3; ++c) texto += l[c] + std::string(larguras[c] - Largura(l[c]) + 2, ' ');
        Escrever(stdout, texto + l[3] + "\n");
    }
    return SaidaSucesso;
}

struct TOpcoesGerar {
    std::optional<std::string> Modelo, Entrada, Saida, Formato, Codificacao, Decimal, SeparadorPreco, Espera, Etiqueta,
        PesoMaximo, Relatorio;
    bool Silencioso = false;
    bool AceitarCortes = false;
    bool Limpar = false;
    bool Todos = false;  // every finding listed, not only the first
    bool SoVerificar = false;  // the "verificar" command: no folder, nothing written
};

// "--espera": whole seconds, from 0 to a day.
std::optional<int32_t> SegundosDeEspera(const std::string& ATexto) {
    if (ATexto.empty() || ATexto.size() > 5 || ATexto.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    const int32_t segundos = std::stoi(ATexto);
    if (segundos > 86400) return std::nullopt;
    return segundos;
}

// Characters up to U+0020 at both ends do not make a directory name.
bool EmBranco(std::string_view ATexto) {
    for (const char c : ATexto)
        if (static_cast<unsigned char>(c) > ' ') return false;
    return true;
}

// The library's failures of a generation, as the command tells them.
std::string MensagemGeracao(const EQuelbErro& AErro) {
    const std::u16string& m = AErro.Mensagem();
    if (m == u"Não foram informados os produtos para a geração!") return "o catálogo não tem produtos";
    if (m == u"Stream write error") return "erro ao gravar os arquivos de carga (o disco está cheio?)";
    if (m == u"Stream read error") return "erro ao reler os arquivos de carga temporários";
    static constexpr std::u16string_view Criar = u"Cannot create file \"";
    if (m.starts_with(Criar)) {
        const size_t fim = m.find(u"\". ", Criar.size());
        if (fim != std::u16string::npos)
            return "não foi possível criar o arquivo \"" + ParaUtf8(m.substr(Criar.size(), fim - Criar.size())) +
                   "\": " + ParaUtf8(m.substr(fim + 3));
    }
    return AErro.what();
}

// Reads the catalogue of the options into AItens, showing the reading on
// ABarra; the exit status when it cannot be read or has errors.
std::optional<int> LerCatalogoDoComando(const TOpcoesGerar& AOpcoes, TOpcoesCatalogo& opcoes, TQuelbCargaBalItens& AItens,
                                        std::optional<TBarraProgresso>& barra, std::vector<uint64_t>& ALinhas) {
    const bool padrao = *AOpcoes.Entrada == "-";
    const std::string nomeEntrada = padrao ? "entrada padrão" : *AOpcoes.Entrada;
    TRelatorioCatalogo relatorio;
    try {
        Texto caminho;
        if (!DeUtf8(*AOpcoes.Entrada, caminho))
            return ErroDeUso("o nome do arquivo de entrada não é UTF-8 válido", AOpcoes.SoVerificar ? "verificar" : "gerar");
        const std::unique_ptr<TFonteCatalogo> fonte = AbrirArquivoCatalogo(caminho);
        const uint64_t total = fonte->Tamanho();
        if (barra) {
            barra->Leitura(0, total);
            opcoes.Progresso = [&barra, total](uint64_t ALidos) { barra->Leitura(ALidos, total); };
        }
        relatorio = LerCatalogo(*fonte, padrao ? "" : *AOpcoes.Entrada, opcoes, AItens);
    } catch (const ECatalogoIlegivel& e) {
        if (barra) barra->Encerrar();
        Escrever(stderr, std::string("cargabal: ") + e.what() + "\n");
        return SaidaUsoOuCatalogo;
    }
    if (barra) barra->Encerrar();
    if (!relatorio.Ignorados.empty() && !AOpcoes.Silencioso) {
        std::string nomes;
        for (const std::string& n : relatorio.Ignorados) nomes += (nomes.empty() ? "\"" : ", \"") + n + "\"";
        Escrever(stderr, "cargabal: " + nomeEntrada + ": aviso: " +
                             (relatorio.Colunas ? (relatorio.Ignorados.size() == 1 ? "coluna ignorada: " : "colunas ignoradas: ")
                                                : (relatorio.Ignorados.size() == 1 ? "chave ignorada: " : "chaves ignoradas: ")) +
                             nomes + "\n");
    }
    if (!relatorio.Ok()) {
        for (const std::string& e : relatorio.Erros) Escrever(stderr, "cargabal: " + nomeEntrada + ": " + e + "\n");
        if (relatorio.QuantidadeErros > relatorio.Erros.size())
            Escrever(stderr, "cargabal: " + nomeEntrada + ": ... e mais " +
                                 Plural(relatorio.QuantidadeErros - relatorio.Erros.size(), "erro", "erros") + "\n");
        Escrever(stderr, "cargabal: " + nomeEntrada + ": " + Plural(relatorio.QuantidadeErros, "erro", "erros") +
                             " no catálogo; nada foi gravado\n");
        return SaidaUsoOuCatalogo;
    }
    ALinhas = std::move(relatorio.LinhasDosItens);
    return std::nullopt;
}

// "3 itens conferidos: 1 erro, 2 avisos."
std::string Resumo(int32_t AItens, size_t AErros, size_t AAvisos) {
    return Plural(static_cast<uint64_t>(AItens), "item", "itens") + " conferidos: " + Plural(AErros, "erro", "erros") +
           ", " + Plural(AAvisos, "aviso", "avisos") + ".";
}

// The report of the check (--relatorio), when asked for; false, with the
// message shown, when it could not be written.
bool Relatar(const TOpcoesGerar& AOpcoes, TQuelbCargaBalModelo AModelo, const TQuelbCargaBalItens& AItens,
             const std::vector<TAchado>& AAchados, const std::vector<uint64_t>& ALinhas, const std::string& AResumo) {
    if (!AOpcoes.Relatorio) return true;
    const TRelatorio r{AOpcoes.SoVerificar ? "verificar" : "gerar",
                       *AOpcoes.Entrada == "-" ? "entrada padrão" : *AOpcoes.Entrada,
                       std::string(DefinicaoModelo(AModelo)->Apelido), AResumo,
                       AchadosDosItens(AModelo, AItens, AAchados, ALinhas)};
    const std::optional<std::string> falha = GravarRelatorio(*AOpcoes.Relatorio, r);
    if (falha) Escrever(stderr, "cargabal: " + *falha + "\n");
    return !falha;
}

// The "verificar" command: the check alone, findings on standard output.
int Verificar(const TOpcoesGerar& AOpcoes, TQuelbCargaBalModelo AModelo, TOpcoesCatalogo& AOpcoesCatalogo,
              char16_t ASeparadorPreco, const std::optional<TEtiquetaVerificada>& AEtiqueta) {
    TQuelbCargaBal gerador;
    gerador.Modelo = AModelo;
    gerador.SeparadorPreco = ASeparadorPreco;
    gerador.Etiqueta = AEtiqueta;
    std::optional<TBarraProgresso> barra;
    if (!AOpcoes.Silencioso && TBarraProgresso::Terminal(stderr)) barra.emplace(stderr);
    std::vector<uint64_t> linhas;
    if (const std::optional<int> erro = LerCatalogoDoComando(AOpcoes, AOpcoesCatalogo, gerador.Produtos(), barra, linhas))
        return *erro;
    const std::vector<TAchado> achados = gerador.VerificarItens();
    const size_t erros = static_cast<size_t>(std::count_if(
        achados.begin(), achados.end(), [](const TAchado& a) { return a.Gravidade == TGravidade::Erro; }));
    const std::vector<TAchadoListado> lista = AchadosDaVerificacao(achados, linhas);
    std::fflush(stdout);
    ListarAchados(AOpcoes.Silencioso ? nullptr : stderr, stdout, lista, ContarPorTipo(lista), AOpcoes.Todos, lista.size());
    std::fflush(stdout);
    const std::string resumo = Resumo(gerador.Produtos().Count(), erros, achados.size() - erros);
    if (!AOpcoes.Silencioso) Escrever(stderr, "cargabal: " + resumo + "\n");
    if (!Relatar(AOpcoes, AModelo, gerador.Produtos(), achados, linhas, resumo)) return SaidaFalhaGeracao;
    return erros > 0 ? SaidaVerificacao : SaidaSucesso;
}

int Gerar(const TOpcoesGerar& AOpcoes) {
    const std::optional<TQuelbCargaBalModelo> modelo = ProcurarModelo(*AOpcoes.Modelo);
    if (!modelo) return ErroDeUso(ModeloDesconhecido(*AOpcoes.Modelo), "gerar");
    TOpcoesCatalogo opcoes;
    if (AOpcoes.Formato && !(opcoes.Formato = FormatoPorNome(*AOpcoes.Formato)))
        return ErroDeUso("formato desconhecido \"" + *AOpcoes.Formato + "\" (use json ou csv)", "gerar");
    if (AOpcoes.Codificacao && !(opcoes.Codificacao = CodificacaoPorNome(*AOpcoes.Codificacao)))
        return ErroDeUso("codificação desconhecida \"" + *AOpcoes.Codificacao +
                             "\" (use utf-8, utf-16 ou windows-1252)",
                         "gerar");
    if (AOpcoes.Decimal && !(opcoes.Decimal = DecimalPorNome(*AOpcoes.Decimal)))
        return ErroDeUso("separador decimal desconhecido \"" + *AOpcoes.Decimal + "\" (use virgula ou ponto)",
                         "gerar");

    char16_t separadorPreco = u'\0';
    if (AOpcoes.SeparadorPreco) {
        if (*AOpcoes.SeparadorPreco == "virgula" || *AOpcoes.SeparadorPreco == "vírgula") separadorPreco = u',';
        else if (*AOpcoes.SeparadorPreco == "ponto") separadorPreco = u'.';
        else
            return ErroDeUso("separador de preço desconhecido \"" + *AOpcoes.SeparadorPreco + "\" (use virgula ou ponto)",
                             AOpcoes.SoVerificar ? "verificar" : "gerar");
    }
    const std::string comando = AOpcoes.SoVerificar ? "verificar" : "gerar";
    std::optional<TEtiquetaVerificada> etiqueta;
    if (AOpcoes.PesoMaximo && !AOpcoes.Etiqueta)
        return ErroDeUso("--peso-maximo vale para o preço da etiqueta: dê também --etiqueta", comando);
    if (AOpcoes.Etiqueta) {
        std::string erro;
        const std::optional<TFormatoEtiqueta> formato = LerFormatoEtiqueta(*AOpcoes.Etiqueta, erro);
        if (!formato) return ErroDeUso("padrão de etiqueta inválido \"" + *AOpcoes.Etiqueta + "\": " + erro, comando);
        etiqueta = TEtiquetaVerificada{*formato, PesoMaximoEtiqueta};
        if (AOpcoes.PesoMaximo) {
            const std::optional<int32_t> gramas = PesoMaximoEmGramas(*AOpcoes.PesoMaximo);
            if (!gramas)
                return ErroDeUso("peso máximo inválido \"" + *AOpcoes.PesoMaximo +
                                     "\" (use quilos, com até 3 casas decimais, de 0,001 a 1000)",
                                 comando);
            etiqueta->PesoMaximo = *gramas;
        }
    }
    if (AOpcoes.SoVerificar) return Verificar(AOpcoes, *modelo, opcoes, separadorPreco, etiqueta);

    // The directory as the library gets it: absolute, so that the paths it
    // lists are full paths.
    if (EmBranco(*AOpcoes.Saida)) return ErroDeUso("o diretório de saída (--saida) está em branco", "gerar");
    Texto nomeSaida;
    std::error_code erroCaminho;
    Texto diretorioTexto;
    if (DeUtf8(*AOpcoes.Saida, nomeSaida))
        diretorioTexto = std::filesystem::absolute(std::filesystem::path(nomeSaida), erroCaminho).u16string();
    if (diretorioTexto.empty() || erroCaminho)
        return ErroDeUso("o nome do diretório de saída não é UTF-8 válido", "gerar");

    const std::optional<int32_t> espera = AOpcoes.Espera ? SegundosDeEspera(*AOpcoes.Espera) : 10;
    if (!espera)
        return ErroDeUso("tempo de espera inválido \"" + *AOpcoes.Espera + "\" (use segundos, de 0 a 86400)", "gerar");
    // Ctrl-C while the catalogue is read ends the command at once; later it
    // stops the generation, which removes what it wrote.
    TratarInterrupcoes();

    TQuelbCargaBal gerador;
    gerador.Modelo = *modelo;
    gerador.SeparadorPreco = separadorPreco;
    gerador.LimparArquivosAntigos = AOpcoes.Limpar;
    gerador.EsperaTrava = *espera;
    gerador.Etiqueta = etiqueta;
    try {
        // A missing directory is found before a large catalogue is read.
        TQuelbCargaBal::ValidarDiretorio(diretorioTexto);
    } catch (const EQuelbErro&) {
        Escrever(stderr, "cargabal: o diretório de saída \"" + *AOpcoes.Saida + "\" não existe\n");
        return SaidaFalhaGeracao;
    }

    std::optional<TBarraProgresso> barra;
    if (!AOpcoes.Silencioso && TBarraProgresso::Terminal(stderr)) barra.emplace(stderr);

    std::vector<uint64_t> linhas;
    if (const std::optional<int> erro = LerCatalogoDoComando(AOpcoes, opcoes, gerador.Produtos(), barra, linhas))
        return *erro;

    // The check before anything is written: an erro stops here, unless the
    // cuts are accepted; the findings are otherwise listed after the files.
    // Only the findings listed are kept, and the count of them all.
    // The report has every finding.
    const TResumoVerificacao verificacao =
        gerador.VerificarItens(AOpcoes.Todos || AOpcoes.Relatorio ? SIZE_MAX : AchadosListados);
    const size_t erros = verificacao.Erros, totalAchados = verificacao.Erros + verificacao.Avisos;
    if (!Relatar(AOpcoes, *modelo, gerador.Produtos(), verificacao.Primeiros, linhas,
                 Resumo(gerador.Produtos().Count(), erros, verificacao.Avisos)))
        return SaidaFalhaGeracao;
    const std::vector<TAchadoListado> achados = AchadosDaVerificacao(verificacao.Primeiros, linhas);
    const std::vector<TContagemTipo> tipos = ContagensDaVerificacao(verificacao.Tipos);
    if (erros > 0 && !AOpcoes.AceitarCortes) {
        ListarAchados(stderr, stderr, achados, tipos, AOpcoes.Todos, totalAchados);
        Escrever(stderr, "cargabal: a verificação achou " + Plural(erros, "erro", "erros") +
                             "; nada foi gravado (--aceitar-cortes grava assim mesmo)\n");
        return SaidaVerificacao;
    }

    gerador.OnProgresso = [&barra](const Texto& m, int32_t a, int32_t t) {
        if (barra) barra->Evento(m, a, t);
        if (m == u"Terminado") return;  // the new load is in place
        GeracaoIniciada();
        VerificarInterrupcao();
    };
    gerador.AntesDeSubstituir = VerificarInterrupcao;
    int saida = SaidaSucesso;
    try {
        gerador.GerarArquivos(diretorioTexto);
    } catch (const EInterrompido&) {
        if (barra) barra->Encerrar();
        Escrever(stderr, MensagemInterrupcao);
        return CodigoInterrupcao();
    } catch (const EQuelbPastaOcupada& e) {
        if (barra) barra->Encerrar();
        Escrever(stderr, std::string("cargabal: ") + e.what() + "\n");
        return SaidaPastaOcupada;
    } catch (const EQuelbErro& e) {
        if (barra) barra->Encerrar();
        Escrever(stderr, "cargabal: " + MensagemGeracao(e) + "\n");
        saida = SaidaFalhaGeracao;
    }
    if (barra) barra->Encerrar();

    // The files written (after a failure, none, except when the failure
    // came between the first replacement and the last).
    uintmax_t bytes = 0;
    for (const Texto& caminho : gerador.ArquivosGerados()) {
        const std::string utf8 = ParaUtf8(caminho);
        Escrever(stdout, utf8 + "\n");
        std::error_code ignorado;
        const uintmax_t tamanho = std::filesystem::file_size(std::filesystem::path(caminho), ignorado);
        if (!ignorado) bytes += tamanho;
    }
    std::fflush(stdout);
    if (!AOpcoes.Silencioso) ListarAchados(stderr, stderr, achados, tipos, AOpcoes.Todos, totalAchados);
    for (const Texto& antigo : gerador.ArquivosAntigos())
        Escrever(stderr, std::string("cargabal: ") +
                             (AOpcoes.Limpar ? "removido o arquivo de uma carga anterior: "
                                             : "aviso: o diretório tem um arquivo de uma carga anterior que esta não "
                                               "gravou (--limpar o remove): ") +
                             ParaUtf8(antigo) + "\n");
    if (saida == SaidaSucesso && CodigoInterrupcao() != 0)
        Escrever(stderr, "cargabal: a interrupção chegou quando a carga nova já estava sendo colocada no lugar; ela "
                         "foi gravada por inteiro\n");
    if (saida == SaidaSucesso && !AOpcoes.Silencioso) {
        std::string nome = ParaUtf8(gerador.ModeloStr());
        if (nome.empty()) nome = DefinicaoModelo(gerador.Modelo)->NomeEnumeracao;
        Escrever(stderr, nome + ": " + Plural(static_cast<uint64_t>(gerador.Produtos().Count()), "item", "itens") +
                             ", " + Plural(gerador.ArquivosGerados().size(), "arquivo", "arquivos") + ", " +
                             TamanhoLegivel(bytes) + ".\n");
    }
    return saida;
}

// "gerar", or "verificar" with AVerificar (no folder, nothing written).
int ComandoGerarOuVerificar(const std::vector<std::string>& AArgs, bool AVerificar) {
    TOpcoesGerar o;
    o.SoVerificar = AVerificar;
    const TOpcaoComando opcoes[] = {
        {"modelo", 'm', &o.Modelo},
        {"entrada", 'e', &o.Entrada},
        {"saida", 's', &o.Saida},
        {"formato", 'f', &o.Formato},
        {"codificacao", 0, &o.Codificacao},
        {"decimal", 0, &o.Decimal},
        {"separador-preco", 0, &o.SeparadorPreco},
        {"aceitar-cortes", 0, nullptr, &o.AceitarCortes},
        {"limpar", 0, nullptr, &o.Limpar},
        {"espera", 0, &o.Espera},
        {"etiqueta", 0, &o.Etiqueta},
        {"peso-maximo", 0, &o.PesoMaximo},
        {"silencioso", 0, nullptr, &o.Silencioso},
        {"todos", 0, nullptr, &o.Todos},
        {"relatorio", 0, &o.Relatorio},
        {"help", 'h'},
    };
    static constexpr const char* ObrigatoriasGerar[] = {"modelo", "entrada", "saida"};
    const std::span<const char* const> obrigatorias(ObrigatoriasGerar, AVerificar ? 2 : 3);
    if (const std::optional<int> saida = LerOpcoes(AArgs, AVerificar ? "verificar" : "gerar",
                                                   AVerificar ? AjudaVerificar : AjudaGerar, opcoes, obrigatorias))
        return *saida;
    return Gerar(o);
}

int ComandoGerar(const std::vector<std::string>& AArgs) { return ComandoGerarOuVerificar(AArgs, false); }
int ComandoVerificar(const std::vector<std::string>& AArgs) { return ComandoGerarOuVerificar(AArgs, true); }

struct TComando {
    std::string_view Nome;
    int (*Executar)(const std::vector<std::string>&);
    const char* Ajuda;
};

int ComandoAjuda(const std::vector<std::string>& AArgs);

const TComando Comandos[] = {
    {"gerar", ComandoGerar, AjudaGerar},
    {"verificar", ComandoVerificar, AjudaVerificar},
    {"ler", ComandoLer, AjudaLer},
    {"etiqueta", ComandoEtiqueta, AjudaEtiqueta},
    {"modelos", ComandoModelos, AjudaModelos},
    {"help", ComandoAjuda, AjudaGeral},
};

std::optional<std::string> SugerirComando(const std::string& ANome) {
    std::vector<std::string_view> nomes;
    for (const TComando& c : Comandos) nomes.push_back(c.Nome);
    return Sugerir(ANome, nomes);
}

int ComandoAjuda(const std::vector<std::string>& AArgs) {
    if (AArgs.empty()) {
        Escrever(stdout, AjudaGeral);
        return SaidaSucesso;
    }
    for (const TComando& c : Comandos) {
        if (c.Nome == AArgs[0]) {
            Escrever(stdout, c.Ajuda);
            return SaidaSucesso;
        }
    }
    return ErroDeUso("comando desconhecido \"" + AArgs[0] + "\"" + QuisDizer(SugerirComando(AArgs[0])), "");
}

int Executar(const std::vector<std::string>& AArgs) {
    if (AArgs.empty()) {
        Escrever(stderr, AjudaGeral);
        return SaidaUsoOuCatalogo;
    }
    const std::string& comando = AArgs[0];
    const std::vector<std::string> resto(AArgs.begin() + 1, AArgs.end());
    if (PedeAjuda(comando)) {
        Escrever(stdout, AjudaGeral);
        return SaidaSucesso;
    }
    if (comando == "--version" || comando == "-V") {
        Escrever(stdout, "cargabal " QUELB_VERSAO "\n");
        return SaidaSucesso;
    }
    for (const TComando& c : Comandos)
        if (c.Nome == comando) return c.Executar(resto);
    if (comando.starts_with("-")) {
        return ErroDeUso("opção desconhecida \"" + comando + "\" (o comando vem antes das opções: cargabal gerar ...)",
                         "");
    }
    return ErroDeUso("comando desconhecido \"" + comando + "\"" + QuisDizer(SugerirComando(comando)), "");
}

}  // namespace

}  // namespace quelb::cli

namespace {

int Principal(const std::vector<std::string>& AArgs) {
#ifdef _WIN32
    // Messages and paths go out in UTF-8, which a console shows right in that
    // code page; the console gets its own back on the way out.
    struct TPaginaConsole {
        UINT Anterior = GetConsoleOutputCP();
        TPaginaConsole() { SetConsoleOutputCP(CP_UTF8); }
        ~TPaginaConsole() {
            if (Anterior) SetConsoleOutputCP(Anterior);
        }
    } paginaConsole;
#endif
    try {
        return quelb::cli::Executar(AArgs);
    } catch (const std::bad_alloc&) {
        std::fputs("cargabal: memória insuficiente\n", stderr);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "cargabal: %s\n", e.what());
    }
    return 1;
}

}  // namespace

#ifdef _WIN32
// Windows hands the arguments over in UTF-16 here (linked with -municode), so
// that any file name arrives whole; the command works in UTF-8, as on Linux.
int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.push_back(quelb::ParaUtf8(reinterpret_cast<const char16_t*>(argv[i])));
    return Principal(args);
}
#else
int main(int argc, char** argv) { return Principal(std::vector<std::string>(argv + 1, argv + argc)); }
#endif
