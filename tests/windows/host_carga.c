/* A host program in C that drives quelbcargabal as a point-of-sale program
 * does. Built with MinGW-w64 it loads the DLL with LoadLibrary and
 * GetProcAddress and runs under Windows (or Wine); built on Linux it loads the
 * shared library with dlopen, and its load files are the reference that the
 * Windows ones must match byte for byte.
 *
 * Usage: host_carga LIBRARY WORK_FOLDER
 *
 * On Windows it finds each function by name and by ordinal, and on 32-bit
 * x86 checks that each removes its own arguments from the stack (stdcall).
 * It checks the exported functions case by case (results and error texts as
 * bytes, integer texts and prices through the generated files, directories),
 * then writes the load of one small catalogue for every model name into
 * WORK_FOLDER/modelos/<name>/, with the texts returned by each call in
 * WORK_FOLDER/modelos/resultados.txt. Only WORK_FOLDER/modelos is compared
 * between the platforms; the case checks write under WORK_FOLDER/casos.
 * Exit status: 0 when every check passed. */
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <dirent.h>
#include <dlfcn.h>
#include <errno.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "apoio_host.h"
#include "quelb/cargabal.h"

/* ---- checks ---- */

static void confere_erro(const char* caso, const char* obtido, const char* trecho) {
    char a[512], detalhe[700];
    const int ok = obtido != NULL && strcmp(obtido, "OK") != 0 && strstr(obtido, trecho) != NULL;
    if (!ok) {
        descreve(a, sizeof a, obtido);
        snprintf(detalhe, sizeof detalhe, "obtido \"%s\", esperado um erro com \"%s\"", a, trecho);
    }
    registra(ok, caso, ok ? NULL : detalhe);
}

/* ---- files and folders ---- */

/* A symbolic link to a directory; false where the system refuses one. */
static int cria_ligacao(const char* alvo, const char* ligacao) {
#ifdef _WIN32
    /* Some systems report success and make nothing. */
    return CreateSymbolicLinkA(ligacao, alvo, SYMBOLIC_LINK_FLAG_DIRECTORY) != 0 &&
           GetFileAttributesA(ligacao) != INVALID_FILE_ATTRIBUTES;
#else
    return symlink(alvo, ligacao) == 0;
#endif
}

static void remove_ligacao(const char* ligacao) {
#ifdef _WIN32
    RemoveDirectoryA(ligacao);
#else
    unlink(ligacao);
#endif
}

static void apaga(const char* caminho) { remove(caminho); }

static int existe(const char* caminho) {
    FILE* f = fopen(caminho, "rb");
    if (f) fclose(f);
    return f != NULL;
}

/* Line `linha` (from 0) of a CR LF text, copied into destino. */
static int linha_de(const char* texto, int linha, char* destino, size_t tamanho) {
    const char* fim;
    size_t n;
    for (; linha > 0; --linha) {
        texto = strstr(texto, "\r\n");
        if (texto == NULL) return 0;
        texto += 2;
    }
    fim = strstr(texto, "\r\n");
    if (fim == NULL) return 0;
    n = (size_t)(fim - texto);
    if (n >= tamanho) n = tamanho - 1;
    memcpy(destino, texto, n);
    destino[n] = '\0';
    return 1;
}

static int conta_linhas(const char* texto) {
    int n = 0;
    while ((texto = strstr(texto, "\r\n")) != NULL) texto += 2, ++n;
    return n;
}

/* ---- loading the library ---- */

static int carrega(const char* caminho) {
#ifdef _WIN32
    int ordinal;
#endif
    if (!carrega_funcoes(caminho)) return 0;
#ifdef _WIN32
    /* No other ordinal answers. */
    for (ordinal = 1; ordinal <= 20; ++ordinal) {
        char caso[64];
        if (ordinal >= 4 && ordinal <= 15) continue;
        snprintf(caso, sizeof caso, "nada exportado no ordinal %d", ordinal);
        registra(GetProcAddress(biblioteca, MAKEINTRESOURCEA(ordinal)) == NULL, caso, "encontrado");
    }
#endif
    return 1;
}

/* ---- stdcall on 32-bit x86: the callee removes its arguments ---- */

#if defined(__i386__)
static void confere_convencao(void) {
    static const struct {
        const char* nome;
        unsigned bytes;
    } casos[] = {{"Inicializar", 4},     {"LimparItems", 0},     {"AdicionarItem", 44},  {"GerarArquivos", 4},
                 {"VerificarItens", 0},  {"Versao", 0},          {"DefinirCampo", 8},    {"ArquivosGerados", 0},
                 {"DefinirProgresso", 4}, {"CarregarCatalogo", 4}};
    const void* funcoes[10];
    size_t i;
    funcoes[0] = (const void*)Inicializar_;
    funcoes[1] = (const void*)LimparItems_;
    funcoes[2] = (const void*)AdicionarItem_;
    funcoes[3] = (const void*)GerarArquivos_;
    funcoes[4] = (const void*)VerificarItens_;
    funcoes[5] = (const void*)Versao_;
    funcoes[6] = (const void*)DefinirCampo_;
    funcoes[7] = (const void*)ArquivosGerados_;
    funcoes[8] = (const void*)DefinirProgresso_;
    funcoes[9] = (const void*)CarregarCatalogo_;
    /* All arguments zero: null texts and a price of 0; every call returns an
     * error text or "OK", and the item that AdicionarItem appends is removed
     * below. */
    for (i = 0; i < 10; ++i) {
        char caso[80], detalhe[80];
        const unsigned resto = restam_na_pilha(funcoes[i], casos[i].bytes);
        snprintf(caso, sizeof caso, "%s remove %u bytes da pilha", casos[i].nome, casos[i].bytes);
        snprintf(detalhe, sizeof detalhe, "restaram %u bytes", resto);
        registra(resto == 0, caso, detalhe);
    }
    confere_texto("limpar depois das chamadas com zeros", LimparItems_(), "OK");
}
#endif

/* ---- the case checks ---- */

static const char* adiciona(const char* modelo_etiqueta, const char* tipo, const char* codigo,
                            const char* descricao, double preco) {
    return AdicionarItem_(modelo_etiqueta, tipo, codigo, descricao, "", 0, "", "1", "Setor", preco);
}

/* Generates the plain Toledo load of the items added so far and returns the
 * item file (to free), one 320-character record per item. */
static char* gera_toledo(const char* pasta, int* linhas) {
    char caminho[600];
    char* dados;
    confere_texto("selecionar modToledo", Inicializar_("modToledo"), "OK");
    confere_texto("gerar TXITENS.TXT", GerarArquivos_(pasta), "OK");
    junta(caminho, sizeof caminho, pasta, "TXITENS.TXT");
    dados = le_arquivo(caminho, NULL);
    *linhas = dados ? conta_linhas(dados) : 0;
    if (dados) apaga(caminho);
    return dados;
}

static void casos_antes_de_inicializar(const char* pasta) {
    char inexistente[600];
    junta(inexistente, sizeof inexistente, pasta, "nao-existe");
    confere_texto("gerar antes de inicializar, diretorio vazio", GerarArquivos_(""),
                  "Informe o diret\xf3rio onde ser\xe3o gerados os arquivos de carga!");
    confere_texto("gerar antes de inicializar, diretorio inexistente", GerarArquivos_(inexistente),
                  "Diretorio informado n\xe3o existe!");
    confere_erro("gerar antes de inicializar, diretorio valido", GerarArquivos_(pasta), "Inicializar");
    confere_erro("limpar antes de inicializar", LimparItems_(), "Inicializar");
    confere_erro("adicionar antes de inicializar", adiciona("0", "tpvPeso", "1", "x", 1.0), "Inicializar");
}

static void casos_modelo(const char* pasta) {
    char caminho[600], linha[400];
    char* dados;
    confere_texto("inicializar modToledoMGV5", Inicializar_("modToledoMGV5"), "OK");
    confere_erro("modelo em maiusculas", Inicializar_("MODTOLEDO"), "MODTOLEDO");
    confere_erro("modelo precedido de espaco", Inicializar_(" modToledo"), " modToledo");
    confere_erro("modelo nulo", Inicializar_(NULL), "");

    /* Two Inicializar around an AdicionarItem: the item stays, the model
     * changes. */
    confere_texto("inicializar modFilizola", Inicializar_("modFilizola"), "OK");
    confere_texto("limpar", LimparItems_(), "OK");
    confere_texto("adicionar entre dois inicializar",
                  AdicionarItem_("0", "tpvPeso", "42", "Queijo", "", 0, "", "3", "Frios", 1.0), "OK");
    confere_texto("segundo inicializar", Inicializar_("modToledoMGV5"), "OK");
    confere_texto("gerar depois do segundo inicializar", GerarArquivos_(pasta), "OK");
    junta(caminho, sizeof caminho, pasta, "ITENSMGV.TXT");
    dados = le_arquivo(caminho, NULL);
    registra(dados != NULL && conta_linhas(dados) == 1, "o item continua e o modelo mudou", "ITENSMGV.TXT");
    if (dados && linha_de(dados, 0, linha, sizeof linha))
        registra(strncmp(linha, "030000042", 9) == 0, "registro MGV5 do item", linha);
    free(dados);
    apaga(caminho);
    junta(caminho, sizeof caminho, pasta, "DEPTO.TXT");
    apaga(caminho);
    junta(caminho, sizeof caminho, pasta, "CADTXT.TXT");
    registra(!existe(caminho), "nada no formato Filizola", caminho);
}

static void casos_inteiros(const char* pasta) {
    static const struct {
        const char* texto;
        const char* campo; /* item code in the Toledo record, columns 6 to 11 */
    } aceitos[] = {{"  12", "000012"}, {"+12", "000012"}, {"$1F", "000031"},
                   {"0x1f", "000031"}, {"X1F", "000031"}, {"-0", "000000"}};
    static const char* const rejeitados[] = {"abc", "12 ", "1.0", "2147483648", "", " ", "+", "0x"};
    char esperado[200], linha[400], caso[100];
    size_t i;
    int linhas;
    char* dados;

    confere_texto("limpar para inteiros", LimparItems_(), "OK");
    for (i = 0; i < sizeof rejeitados / sizeof *rejeitados; ++i) {
        snprintf(esperado, sizeof esperado, "'%s' is not a valid integer value", rejeitados[i]);
        snprintf(caso, sizeof caso, "codigo invalido \"%s\"", rejeitados[i]);
        confere_texto(caso, adiciona("0", "tpvPeso", rejeitados[i], "x", 1.0), esperado);
    }
    confere_texto("modelo de etiqueta vazio", adiciona("", "tpvPeso", "1", "x", 1.0),
                  "'' is not a valid integer value");
    confere_texto("-2147483648 aceito", adiciona("0", "tpvPeso", "-2147483648", "x", 1.0), "OK");
    confere_texto("validade invalida", AdicionarItem_("0", "tpvPeso", "1", "x", "1 ", 0, "", "1", "", 1.0),
                  "'1 ' is not a valid integer value");
    confere_texto("tecla invalida", AdicionarItem_("0", "tpvPeso", "1", "x", "", 0, "t", "1", "", 1.0),
                  "'t' is not a valid integer value");
    confere_texto("setor invalido", AdicionarItem_("0", "tpvPeso", "1", "x", NULL, 0, NULL, "", "", 1.0),
                  "'' is not a valid integer value");

    confere_texto("limpar para os codigos", LimparItems_(), "OK");
    for (i = 0; i < sizeof aceitos / sizeof *aceitos; ++i) {
        snprintf(caso, sizeof caso, "codigo \"%s\"", aceitos[i].texto);
        confere_texto(caso, adiciona("0", "tpvPeso", aceitos[i].texto, "x", 1.0), "OK");
    }
    dados = gera_toledo(pasta, &linhas);
    registra(dados != NULL && linhas == (int)(sizeof aceitos / sizeof *aceitos), "um registro por codigo",
             "TXITENS.TXT");
    for (i = 0; dados && i < sizeof aceitos / sizeof *aceitos; ++i) {
        snprintf(caso, sizeof caso, "codigo \"%s\" no arquivo", aceitos[i].texto);
        registra(linha_de(dados, (int)i, linha, sizeof linha) && strlen(linha) == 320 &&
                     strncmp(linha + 5, aceitos[i].campo, 6) == 0,
                 caso, linha);
    }
    free(dados);
}

static void casos_precos(const char* pasta) {
    static const struct {
        double preco;
        const char* campo; /* price in hundredths, columns 12 to 17 */
    } precos[] = {{1.99, "000199"}, {0.29, "000029"}, {12.5, "001250"}, {1234.5678, "123456"},
                  {0.0, "000000"},  {4.35, "000435"}, {0.07, "000007"}};
    static const double invalidos[] = {1e300, -1e300, 1e15};
    char linha[400], caso[100];
    size_t i;
    int linhas;
    char* dados;
    double zero = 0.0;

    confere_texto("limpar para precos", LimparItems_(), "OK");
    for (i = 0; i < sizeof precos / sizeof *precos; ++i)
        confere_texto("adicionar preco", adiciona("0", "tpvPeso", "1", "x", precos[i].preco), "OK");
    dados = gera_toledo(pasta, &linhas);
    registra(dados != NULL && linhas == (int)(sizeof precos / sizeof *precos), "um registro por preco",
             "TXITENS.TXT");
    for (i = 0; dados && i < sizeof precos / sizeof *precos; ++i) {
        snprintf(caso, sizeof caso, "preco %.4f no arquivo", precos[i].preco);
        registra(linha_de(dados, (int)i, linha, sizeof linha) && strncmp(linha + 11, precos[i].campo, 6) == 0,
                 caso, linha);
    }
    free(dados);

    for (i = 0; i < sizeof invalidos / sizeof *invalidos; ++i) {
        snprintf(caso, sizeof caso, "preco invalido %g", invalidos[i]);
        confere_texto(caso, adiciona("0", "tpvPeso", "1", "x", invalidos[i]), "Invalid floating point operation");
    }
    confere_texto("preco infinito", adiciona("0", "tpvPeso", "1", "x", 1.0 / zero), "Invalid floating point operation");
    confere_texto("preco NaN", adiciona("0", "tpvPeso", "1", "x", zero / zero), "Invalid floating point operation");
}

static void casos_diretorio(const char* pasta) {
    char caminho[600], com_barra[600], esperado[700], detalhe[900];
    const char* r;
    char* dados;
    long tamanho = 0;
    size_t n;
    FILE* f;

    confere_texto("inicializar para diretorios", Inicializar_("modFilizola"), "OK");
    confere_texto("limpar para diretorios", LimparItems_(), "OK");
    confere_texto("sem produtos", GerarArquivos_(pasta),
                  "N\xe3o foram informados os produtos para a gera\xe7\xe3o!");
    confere_texto("diretorio so com espacos", GerarArquivos_("   "),
                  "Informe o diret\xf3rio onde ser\xe3o gerados os arquivos de carga!");
    junta(caminho, sizeof caminho, pasta, "nao-existe");
    confere_texto("diretorio inexistente (bytes)", GerarArquivos_(caminho), "Diretorio informado n\xe3o existe!");

    /* A file is not a directory. */
    junta(caminho, sizeof caminho, pasta, "arquivo.txt");
    f = fopen(caminho, "wb");
    if (f) fclose(f);
    confere_texto("arquivo no lugar do diretorio", GerarArquivos_(caminho), "Diretorio informado n\xe3o existe!");
    apaga(caminho);

    confere_texto("adicionar para diretorios", adiciona("0", "tpvPeso", "1", "x", 1.0), "OK");
    /* A longer file of the same name is replaced, and the trailing
     * delimiter changes nothing: one 39-character record and CR LF. */
    junta(caminho, sizeof caminho, pasta, "CADTXT.TXT");
    f = fopen(caminho, "wb");
    for (n = 0; f && n < 1000; ++n) fputs("zzzzzzzzzz", f);
    if (f) fclose(f);
    junta(com_barra, sizeof com_barra, pasta, "");
    confere_texto("diretorio terminado pelo delimitador", GerarArquivos_(com_barra), "OK");
    dados = le_arquivo(caminho, &tamanho);
    registra(dados != NULL && tamanho == 41 && memcmp(dados + 39, "\r\n", 2) == 0 && strchr(dados, 'z') == NULL,
             "arquivo existente substituido", dados);
    free(dados);
    apaga(caminho);
    junta(caminho, sizeof caminho, pasta, "SETORTXT.TXT");
    apaga(caminho);

    /* A link to a directory counts as a directory. */
    junta(caminho, sizeof caminho, pasta, "ligacao");
    if (cria_ligacao(pasta, caminho)) {
        confere_texto("ligacao para diretorio", GerarArquivos_(caminho), "OK");
        junta(com_barra, sizeof com_barra, pasta, "CADTXT.TXT");
        registra(existe(com_barra), "gravado pela ligacao", com_barra);
        apaga(com_barra);
        junta(com_barra, sizeof com_barra, pasta, "SETORTXT.TXT");
        apaga(com_barra);
        remove_ligacao(caminho);
    } else {
        printf("ligacao simbolica nao disponivel: caso pulado\n");
    }

    /* A folder where the item file should go: the file cannot be created,
     * and the message names the path and the system's cause. */
    junta(caminho, sizeof caminho, pasta, "CADTXT.TXT");
    registra(cria_pasta(caminho), "pasta no lugar do arquivo", caminho);
    snprintf(esperado, sizeof esperado, "Cannot create file \"%s\". ", caminho);
    r = GerarArquivos_(pasta);
    n = r ? strlen(r) : 0;
    snprintf(detalhe, sizeof detalhe, "\"%s\"", r ? r : "(nulo)");
    registra(r != NULL && strncmp(r, esperado, strlen(esperado)) == 0 && n > strlen(esperado), "arquivo nao criado",
             detalhe);
    registra(n > 0 && r[n - 1] != '\n' && r[n - 1] != '\r' && r[n - 1] != '.' && r[n - 1] != ' ',
             "causa sem quebra de linha nem ponto final", detalhe);
#ifdef _WIN32
    RemoveDirectoryA(caminho);
#else
    rmdir(caminho);
#endif
}

/* ---- saving: the old file stays whole until the new one replaces it ---- */

/* The names a Filizola load of one item may leave in its folder: the load
   files, and the lock file while a generation runs. */
static const char* const ArquivosFilizola[] = {"CADTXT.TXT", "SETORTXT.TXT", ".cargabal.lock", NULL};

static int grava_bytes(const char* caminho, const char* bytes) {
    FILE* f = fopen(caminho, "wb");
    int ok = f != NULL && fputs(bytes, f) >= 0;
    if (f && fclose(f) != 0) ok = 0;
    return ok;
}

static int somente_leitura(const char* caminho, int ligado) {
#ifdef _WIN32
    return SetFileAttributesA(caminho, ligado ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL) != 0;
#else
    return chmod(caminho, ligado ? 0444 : 0644) == 0;
#endif
}

static void remove_pasta(const char* caminho) {
#ifdef _WIN32
    RemoveDirectoryA(caminho);
#else
    rmdir(caminho);
#endif
}

/* Entries of the folder whose names are not in `nomes` (a NULL-ended list),
 * named in `detalhe`; -1 when the folder cannot be read. A temporary file
 * left behind shows up here. */
static int estranhos(const char* pasta, const char* const* nomes, char* detalhe, size_t tamanho) {
    int n = 0;
    size_t usado = 0;
    detalhe[0] = '\0';
#ifdef _WIN32
    char padrao[700];
    WIN32_FIND_DATAA item;
    HANDLE busca;
    junta(padrao, sizeof padrao, pasta, "*");
    busca = FindFirstFileA(padrao, &item);
    if (busca == INVALID_HANDLE_VALUE) return -1;
    do {
        const char* nome = item.cFileName;
#else
    DIR* d = opendir(pasta);
    struct dirent* item;
    if (d == NULL) return -1;
    while ((item = readdir(d)) != NULL) {
        const char* nome = item->d_name;
#endif
        const char* const* conhecido = nomes;
        if (strcmp(nome, ".") == 0 || strcmp(nome, "..") == 0) continue;
        while (*conhecido && strcmp(*conhecido, nome) != 0) ++conhecido;
        if (*conhecido) continue;
        ++n;
        if (usado + strlen(nome) + 2 < tamanho) usado += (size_t)snprintf(detalhe + usado, tamanho - usado, "%s ", nome);
#ifdef _WIN32
    } while (FindNextFileA(busca, &item));
    FindClose(busca);
#else
    }
    closedir(d);
#endif
    return n;
}

static void confere_sem_estranhos(const char* caso, const char* pasta) {
    char detalhe[600];
    const int n = estranhos(pasta, ArquivosFilizola, detalhe, sizeof detalhe);
    registra(n == 0, caso, n < 0 ? "pasta ilegivel" : detalhe);
}

/* The system's text for "access denied" (Windows) or for an errno, as the
 * library quotes it: without the final period and line break. */
static void causa_do_sistema(char* destino, size_t tamanho, int erro) {
#ifdef _WIN32
    size_t n;
    if (FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, NULL, (DWORD)erro, 0, destino,
                       (DWORD)tamanho, NULL) == 0)
        destino[0] = '\0';
    n = strlen(destino);
    while (n > 0 && ((unsigned char)destino[n - 1] <= ' ' || destino[n - 1] == '.')) destino[--n] = '\0';
#else
    snprintf(destino, tamanho, "%s", strerror(erro));
#endif
}

#ifdef _WIN32
enum { ErroSomenteLeitura = ERROR_ACCESS_DENIED, ErroPasta = ERROR_ACCESS_DENIED };

/* Another program holding the item file open without FILE_SHARE_DELETE, as
 * a scale's loader or a virus scanner does for a moment. */
static HANDLE aberto_por_outro;
static volatile LONG fechado_por_outro;

static int abre_como_outro(const char* caminho) {
    aberto_por_outro = CreateFileA(caminho, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, NULL);
    fechado_por_outro = 0;
    return aberto_por_outro != INVALID_HANDLE_VALUE;
}

static void fecha_como_outro(void) {
    InterlockedExchange(&fechado_por_outro, 1);
    CloseHandle(aberto_por_outro);
}

static DWORD WINAPI fecha_depois(LPVOID milissegundos) {
    Sleep((DWORD)(uintptr_t)milissegundos);
    fecha_como_outro();
    return 0;
}
#else
enum { ErroSomenteLeitura = EACCES, ErroPasta = EISDIR };
#endif

static const char AntigoCadtxt[] = "conteudo anterior, que deve ficar\r\n";

static int prepara_somente_leitura(const char* alvo) {
    return grava_bytes(alvo, AntigoCadtxt) && somente_leitura(alvo, 1);
}
static void desfaz_somente_leitura(const char* alvo) {
    somente_leitura(alvo, 0);
    apaga(alvo);
}
static int prepara_pasta(const char* alvo) { return cria_pasta(alvo); }
static void desfaz_pasta(const char* alvo) { remove_pasta(alvo); }
#ifdef _WIN32
static int prepara_aberto(const char* alvo) { return grava_bytes(alvo, AntigoCadtxt) && abre_como_outro(alvo); }
static void desfaz_aberto(const char* alvo) {
    fecha_como_outro();
    apaga(alvo);
}
#endif

/* A target that cannot be replaced: the message names it and quotes the
 * system's cause, the file keeps its bytes, and nothing is left beside it. */
static void casos_destino_recusado(const char* pasta) {
    static const struct {
        const char* nome;
        int (*prepara)(const char*);
        void (*desfaz)(const char*);
        int erro, outro_erro; /* the system may give either */
        int arquivo; /* the target is a file whose bytes must stay */
    } casos[] = {
        {"arquivo somente leitura", prepara_somente_leitura, desfaz_somente_leitura, ErroSomenteLeitura, 0, 1},
        {"pasta no lugar do arquivo", prepara_pasta, desfaz_pasta, ErroPasta, 0, 0},
#ifdef _WIN32
        /* Held for longer than the library waits for it. */
        {"arquivo aberto por outro programa", prepara_aberto, desfaz_aberto, ERROR_ACCESS_DENIED, ERROR_SHARING_VIOLATION, 1},
#endif
    };
    char alvo[600], causa[300], esperado[1000], caso[200];
    const char* r;
    size_t i;
    junta(alvo, sizeof alvo, pasta, "CADTXT.TXT");
    for (i = 0; i < sizeof casos / sizeof *casos; ++i) {
        char* dados;
        snprintf(caso, sizeof caso, "%s: preparado", casos[i].nome);
        registra(casos[i].prepara(alvo), caso, alvo);
        r = GerarArquivos_(pasta);
        snprintf(caso, sizeof caso, "%s: mensagem", casos[i].nome);
        if (casos[i].outro_erro) {
            causa_do_sistema(causa, sizeof causa, casos[i].outro_erro);
            snprintf(esperado, sizeof esperado, "Cannot create file \"%s\". %s", alvo, causa);
        }
        if (!casos[i].outro_erro || r == NULL || strcmp(r, esperado) != 0) {
            causa_do_sistema(causa, sizeof causa, casos[i].erro);
            snprintf(esperado, sizeof esperado, "Cannot create file \"%s\". %s", alvo, causa);
        }
        confere_texto(caso, r, esperado);
        if (casos[i].arquivo) {
            dados = le_arquivo(alvo, NULL);
            snprintf(caso, sizeof caso, "%s: bytes anteriores intactos", casos[i].nome);
            registra(dados != NULL && strcmp(dados, AntigoCadtxt) == 0, caso, dados);
            free(dados);
        }
        snprintf(caso, sizeof caso, "%s: nenhum arquivo temporario", casos[i].nome);
        confere_sem_estranhos(caso, pasta);
        casos[i].desfaz(alvo);
    }
}

static void casos_gravacao(const char* casos) {
    char pasta[600], alvo[700], longa[600];
    char* dados;
    long tamanho = 0;
    size_t n;
    FILE* f;

    junta(pasta, sizeof pasta, casos, "gravacao");
    registra(cria_pasta(pasta), "pasta de gravacao", pasta);
    confere_texto("inicializar para gravacao", Inicializar_("modFilizola"), "OK");
    confere_texto("limpar para gravacao", LimparItems_(), "OK");
    confere_texto("adicionar para gravacao", adiciona("0", "tpvPeso", "1", "x", 1.0), "OK");

    /* A longer file is replaced by the new bytes; only the load files stay. */
    junta(alvo, sizeof alvo, pasta, "CADTXT.TXT");
    f = fopen(alvo, "wb");
    for (n = 0; f && n < 1000; ++n) fputs("zzzzzzzzzz", f);
    if (f) fclose(f);
    confere_texto("gerar sobre arquivo mais longo", GerarArquivos_(pasta), "OK");
    dados = le_arquivo(alvo, &tamanho);
    registra(dados != NULL && tamanho == 41 && strchr(dados, 'z') == NULL, "arquivo mais longo substituido", dados);
    free(dados);
    confere_sem_estranhos("nenhum arquivo temporario depois de gerar", pasta);
    apaga(alvo);

    casos_destino_recusado(pasta);

#ifdef _WIN32
    /* The one case with a second thread. Under qemu's user-mode emulation
     * of a 32-bit Wine process a thread's exit may crash the emulator: the
     * scripts then leave it to the x64 run. */
    if (getenv("QUELB_HOST_UMA_LINHA") != NULL) {
        printf("caso de duas linhas de execucao pulado (QUELB_HOST_UMA_LINHA)\n");
    } else {
        /* Released while the library retries: the save goes through, after
         * the other handle was closed. */
        HANDLE fio;
        registra(grava_bytes(alvo, AntigoCadtxt) && abre_como_outro(alvo), "aberto por outro por um momento", alvo);
        fio = CreateThread(NULL, 0, fecha_depois, (LPVOID)(uintptr_t)500, 0, NULL);
        confere_texto("gerar enquanto outro fecha o arquivo", GerarArquivos_(pasta), "OK");
        registra(InterlockedCompareExchange(&fechado_por_outro, 0, 0) == 1, "gravado so depois de o outro fechar",
                 "a gravacao nao esperou");
        if (fio) {
            WaitForSingleObject(fio, INFINITE);
            CloseHandle(fio);
        }
        dados = le_arquivo(alvo, &tamanho);
        registra(dados != NULL && tamanho == 41, "arquivo substituido depois de liberado", dados);
        free(dados);
        confere_sem_estranhos("nenhum arquivo temporario depois de esperar", pasta);

        /* A hidden file stays hidden. */
        registra(SetFileAttributesA(alvo, FILE_ATTRIBUTE_HIDDEN) != 0, "arquivo oculto", alvo);
        confere_texto("gerar sobre arquivo oculto", GerarArquivos_(pasta), "OK");
        registra((GetFileAttributesA(alvo) & FILE_ATTRIBUTE_HIDDEN) != 0, "continua oculto", alvo);
        SetFileAttributesA(alvo, FILE_ATTRIBUTE_NORMAL);
        apaga(alvo);
    }
#endif

    /* A folder whose files' paths come close to 260 characters, the limit
     * of the plain Windows paths (226 to 245 characters for the folder, 13
     * more for "\SETORTXT.TXT"): the temporary names go past it. */
    snprintf(longa, sizeof longa, "%s", pasta);
    while (strlen(longa) < 226) {
        char acima[600];
        snprintf(acima, sizeof acima, "%s", longa);
        junta(longa, sizeof longa, acima, "pasta_de_nome_longo");
        registra(cria_pasta(longa), "pasta de caminho longo", longa);
    }
    junta(alvo, sizeof alvo, longa, "CADTXT.TXT");
    confere_texto("gerar em pasta de caminho longo", GerarArquivos_(longa), "OK");
    registra(existe(alvo), "gravado em pasta de caminho longo", alvo);
    confere_sem_estranhos("nenhum arquivo temporario na pasta longa", longa);
    apaga(alvo);
    junta(alvo, sizeof alvo, longa, "SETORTXT.TXT");
    apaga(alvo);
    junta(alvo, sizeof alvo, longa, ".cargabal.lock");
    apaga(alvo);
    while (strlen(longa) > strlen(pasta)) {
        remove_pasta(longa);
        *strrchr(longa, SEP[0]) = '\0';
    }
    junta(alvo, sizeof alvo, pasta, "SETORTXT.TXT");
    apaga(alvo);
}

/* ---- one catalogue, every model ---- */

static const char* const Modelos[] = {"modFilizola",   "modToledo",     "modUrano",  "modUranoS",
                                      "modToledoMGV5", "modToledoMGV6", "modUranoURF32", "modRamuza",
                                      "modToledoMGV5Ver1", "modToledoMGV7"};

/* The file names any model may write. */
static const char* const Arquivos[] = {"CADTXT.TXT",   "SETORTXT.TXT", "REC_ASS.TXT",  "NUTRI.TXT",
                                       "TXITENS.TXT",  "TARA.TXT",     "PRODUTOS.TXT", "ITENSMGV.TXT",
                                       "DEPTO.TXT",    "TXINFO.TXT",   "INFNUTRI.TXT", "TXFORN.TXT",
                                       "RECEITAS.TXT", "INFORMACOESNUTRICIONAIS.TXT",
                                       "PRODUTOSINFORMACOESNUTRICIONAIS.TXT", "PRODUTOSRECEITAS.TXT",
                                       "RAMUZA_ORIGINAL.TXT"};

static const struct {
    const char *modelo_etiqueta, *tipo, *codigo, *descricao, *validade, *tecla, *setor, *nome_setor;
    double preco;
} Catalogo[] = {
    {"0", "tpvPeso", "1", "P\xe3o franc\xeas", "3", "1", "1", "Padaria", 12.5},
    {"1", "tpvUnidade", "2", "Queijo minas frescal com descri\xe7\xe3o longa demais para qualquer campo", "", "",
     "2", "LATIC\xcdNIOS", 1.99},
    {"0", "tpvPeso", "3", "Ac\xe9m mo\xed" "do", "10", "3", "3", "A\xc7OUGUE", 39.9},
    /* Same sector, name in other letter case: one department record. */
    {"0", "tpvPeso", "4", "Picanha", "5", "4", "3", "a\xe7ougue", 0.03125},
    {"2", "tpvEAN13", "5", "Caf\xe9 \x80 50g \x81\x8d", "", "", "0", "", 0.09375},
    {"0", "tpvUnidade", "123456789", "Item de c\xf3" "digo longo", "400", "12", "99", "Setor \"99\"; teste", 0.00025},
    {"0", "tpvPeso", "7", "", NULL, NULL, "4", "Hortifr\xfati", 99999.995},
    {"32767", "tpvPeso", "8", "P\xc3O DE QUEIJO", "-1", "1000", "1", "PADARIA", 1234.5678},
    {"-32768", "tpvUnidade", "$FF", "Sorvete \xbd litro", "0x10", "+7", "  5", "Congelados \xa7", 0.29},
    {"0", "tpvPeso", "10", "Item negativo", "1", "1", "6", "Diversos", -2.5},
    /* Letters of Windows-1252 outside Latin-1, in both cases: one department. */
    {"0", "tpvPeso", "11", "\x8a\x8c\x9f", "1", "1", "7", "\x8a\xc9RIE \x8c \x9f \x8e", 1.0},
    {"0", "tpvPeso", "12", "\x9a\x9c\xff", "1", "1", "7", "\x9a\xe9rie \x9c \xff \x9e", 1.0},
};

/* A catalogue file in each format: Windows-1252 CSV with a decimal comma, and
 * UTF-8 JSON with a decomposed accent. Both give the same items. */
static const char CatalogoCsv[] =
    "Codigo;Descri\xe7\xe3o;Tipo;Pre\xe7o;Setor.Codigo;Setor.Descricao;InformacaoExtra.Receita;Estoque\r\n"
    "101;P\xe3o franc\xeas;peso;R$ 16,90;1;Padaria;Farinha, \xe1gua e sal.;40\r\n"
    "102;Queijo minas;tpvUnidade;1.234,50;2;Frios;;3\r\n";
static const char CatalogoJson[] =
    "[{\"Codigo\": \"101\", \"Descricao\": \"Pa\\u0303o franc\xc3\xaas\", \"Tipo\": \"tpvPeso\", \"ValorVenda\": 16.9,"
    " \"Setor\": {\"Codigo\": 1, \"Descricao\": \"Padaria\"}, \"InformacaoExtra\": {\"Receita\": \"Farinha, \xc3\xa1gua e sal.\"}},"
    " {\"Codigo\": 102, \"Descricao\": \"Queijo minas\", \"Tipo\": \"unidade\", \"ValorVenda\": \"1234,50\","
    " \"Setor\": {\"Codigo\": 2, \"Descricao\": \"Frios\"}}]";
static const char CatalogoRuim[] = "Codigo;Descricao;ValorVenda\n1;a;12.5\n2;b;1.500\n";

static void escreve_arquivo(const char* caminho, const char* texto) {
    FILE* f = fopen(caminho, "wb");
    if (f == NULL) {
        registra(0, "escrever catalogo", caminho);
        return;
    }
    fwrite(texto, 1, strlen(texto), f);
    fclose(f);
}

/* CarregarCatalogo: each file gives the load of every model into
 * WORK_FOLDER/modelos/catalogo-<format>-<model>/, compared between the
 * platforms like the rest; a file with errors adds nothing and returns them
 * with their places. */
static void carga_de_catalogos(const char* trabalho) {
    static const char* const Formatos[] = {"csv", "json"};
    char raiz[600], pasta[700], caminho[800], nome[100], descricao[600];
    size_t f, m, i;
    const char* r;
    FILE* resultados;
    junta(raiz, sizeof raiz, trabalho, "modelos");
    cria_pasta(raiz);
    junta(caminho, sizeof caminho, raiz, "catalogos.txt");
    resultados = fopen(caminho, "wb");
    if (resultados == NULL) return;
    for (f = 0; f < 2; ++f) {
        char arquivo[800];
        snprintf(nome, sizeof nome, "catalogo.%s", Formatos[f]);
        junta(arquivo, sizeof arquivo, trabalho, nome);
        escreve_arquivo(arquivo, f == 0 ? CatalogoCsv : CatalogoJson);
        for (m = 0; m < sizeof Modelos / sizeof *Modelos; ++m) {
            if (strcmp(Inicializar_(Modelos[m]), "OK") != 0) continue;
            LimparItems_();
            r = CarregarCatalogo_(arquivo);
            descreve(descricao, sizeof descricao, r);
            fprintf(resultados, "%s %s CarregarCatalogo: %s\n", Formatos[f], Modelos[m], descricao);
            registra(strcmp(r, "OK") == 0, "CarregarCatalogo", descricao);
            snprintf(nome, sizeof nome, "catalogo-%s-%s", Formatos[f], Modelos[m]);
            junta(pasta, sizeof pasta, raiz, nome);
            cria_pasta(pasta);
            for (i = 0; i < sizeof Arquivos / sizeof *Arquivos; ++i) {
                junta(caminho, sizeof caminho, pasta, Arquivos[i]);
                apaga(caminho);
            }
            r = GerarArquivos_(pasta);
            descreve(descricao, sizeof descricao, r);
            fprintf(resultados, "%s %s GerarArquivos: %s\n", Formatos[f], Modelos[m], descricao);
            registra(strcmp(r, "OK") == 0, "GerarArquivos do catalogo", descricao);
        }
    }
    {
        char arquivo[800];
        junta(arquivo, sizeof arquivo, trabalho, "ruim.csv");
        escreve_arquivo(arquivo, CatalogoRuim);
        Inicializar_("modFilizola");
        LimparItems_();
        confere_texto("CarregarCatalogo com erros", CarregarCatalogo_(arquivo),
                      "linha 2, coluna ValorVenda: valor inv\xe1lido \"12.5\" (neste arquivo o separador decimal \xe9 a "
                      "v\xedrgula)\nlinha 3, coluna ValorVenda: valor amb\xedguo \"1.500\": o ponto separa milhares ou "
                      "decimais? Escreva 1500 ou 1,5");
        junta(pasta, sizeof pasta, trabalho, "casos");
        confere_erro("nada carregado de um catalogo com erros", GerarArquivos_(pasta), "produtos");
        junta(arquivo, sizeof arquivo, trabalho, "nao-existe.json");
        confere_erro("catalogo inexistente", CarregarCatalogo_(arquivo), "arquivo n\xe3o encontrado");
    }
    fclose(resultados);
}

static void carga_de_todos_os_modelos(const char* trabalho) {
    char raiz[600], pasta[600], caminho[700], descricao[600];
    size_t m, i;
    FILE* resultados;

    junta(raiz, sizeof raiz, trabalho, "modelos");
    cria_pasta(raiz);
    junta(caminho, sizeof caminho, raiz, "resultados.txt");
    resultados = fopen(caminho, "wb");
    if (resultados == NULL) {
        registra(0, "resultados.txt", caminho);
        return;
    }
    for (m = 0; m < sizeof Modelos / sizeof *Modelos; ++m) {
        const char* r = Inicializar_(Modelos[m]);
        descreve(descricao, sizeof descricao, r);
        fprintf(resultados, "%s Inicializar: %s\n", Modelos[m], descricao);
        if (strcmp(r, "OK") != 0) continue;
        junta(pasta, sizeof pasta, raiz, Modelos[m]);
        cria_pasta(pasta);
        /* Files of an earlier run would pass for this one's. */
        for (i = 0; i < sizeof Arquivos / sizeof *Arquivos; ++i) {
            junta(caminho, sizeof caminho, pasta, Arquivos[i]);
            apaga(caminho);
        }
        r = LimparItems_();
        descreve(descricao, sizeof descricao, r);
        fprintf(resultados, "%s LimparItems: %s\n", Modelos[m], descricao);
        for (i = 0; i < sizeof Catalogo / sizeof *Catalogo; ++i) {
            r = AdicionarItem_(Catalogo[i].modelo_etiqueta, Catalogo[i].tipo, Catalogo[i].codigo,
                               Catalogo[i].descricao, Catalogo[i].validade, 0, Catalogo[i].tecla, Catalogo[i].setor,
                               Catalogo[i].nome_setor, Catalogo[i].preco);
            descreve(descricao, sizeof descricao, r);
            fprintf(resultados, "%s AdicionarItem %u: %s\n", Modelos[m], (unsigned)i, descricao);
        }
        r = GerarArquivos_(pasta);
        descreve(descricao, sizeof descricao, r);
        fprintf(resultados, "%s GerarArquivos: %s\n", Modelos[m], descricao);
        registra(strcmp(r, "OK") == 0, Modelos[m], descricao);
    }
    fclose(resultados);
}

/* The check: findings in the ANSI code page, one per line, nothing written. */
static void casos_verificacao(void) {
    confere_texto("verificar: inicializar", Inicializar_("modToledoMGV6"), "OK");
    confere_texto("verificar: limpar", LimparItems_(), "OK");
    confere_texto("verificar: item que cabe", AdicionarItem_("0", "tpvPeso", "42", "P\xe3o", "3", 0, "", "1", "Padaria", 12.5), "OK");
    confere_texto("verificar: sem achados", VerificarItens_(), "OK");
    confere_texto("verificar: codigo e preco longos",
                  AdicionarItem_("0", "tpvPeso", "1234567", "Queijo", "3", 0, "", "2", "Latic\xednios", 12345.67), "OK");
    confere_texto("verificar: dois achados", VerificarItens_(),
                  "erro: produtos[1] (c\xf3" "digo 1234567), Codigo: 1234567 n\xe3o cabe nos 6 d\xedgitos de ITENSMGV.TXT; "
                  "o arquivo teria 123456\r\n"
                  "erro: produtos[1] (c\xf3" "digo 1234567), ValorVenda: 12345.67 n\xe3o cabe nos 6 d\xedgitos de "
                  "ITENSMGV.TXT; o arquivo teria 123456");
    confere_texto("verificar: limpar no fim", LimparItems_(), "OK");
}

/* A load large enough to be written out in many pieces: 16000 items whose
   8000 sectors fill more than a piece, each sector coming back in capitals
   after the first half, so that the list of sectors checks repeats against
   lines read back from its file. */
static void carga_grande(const char* trabalho) {
    char pasta[600], caminho[700], codigo[16], descricao[64], setor[16], nome_setor[32];
    const char* r;
    int i, ok = 1;
    size_t a;

    junta(pasta, sizeof pasta, trabalho, "grande");
    cria_pasta(pasta);
    for (a = 0; a < sizeof Arquivos / sizeof *Arquivos; ++a) {
        junta(caminho, sizeof caminho, pasta, Arquivos[a]);
        apaga(caminho);
    }
    ok = strcmp(Inicializar_("modToledoMGV6"), "OK") == 0 && strcmp(LimparItems_(), "OK") == 0;
    for (i = 0; ok && i < 16000; ++i) {
        snprintf(codigo, sizeof codigo, "%d", i + 1);
        snprintf(descricao, sizeof descricao, "Produto %d com descri\xe7\xe3o", i + 1);
        snprintf(setor, sizeof setor, "%d", i % 8000 + 1);
        snprintf(nome_setor, sizeof nome_setor, i < 8000 ? "Se\xe7\xe3o %d" : "SE\xc7\xc3O %d", i % 8000 + 1);
        r = AdicionarItem_("0", "tpvPeso", codigo, descricao, "3", 0, "1", setor, nome_setor, 1.5 + i);
        ok = strcmp(r, "OK") == 0;
    }
    r = ok ? GerarArquivos_(pasta) : "AdicionarItem falhou";
    registra(strcmp(r, "OK") == 0, "carga grande", r);
}

int main(int argc, char** argv) {
    char casos[600];
    if (argc != 3) {
        fprintf(stderr, "uso: %s BIBLIOTECA PASTA_DE_TRABALHO\n", argv[0]);
        return 2;
    }
    if (!carrega(argv[1])) return 2;
    prepara_trabalho(argv[2], casos, sizeof casos);

#ifdef _WIN32
    {
        /* What the DLL finds on this system, to read a failure by. */
        wchar_t decimal[8] = {0}, milhar[8] = {0};
        GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, decimal, 8);
        GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_STHOUSAND, milhar, 8);
        printf("pagina de codigo %u, separador decimal U+%04X, de milhar U+%04X\n", GetACP(), (unsigned)decimal[0],
               (unsigned)milhar[0]);
    }
#endif
#ifdef QUELB_VERSAO_ESPERADA
    confere_texto("Versao", Versao_(), QUELB_VERSAO_ESPERADA);
#endif
    casos_antes_de_inicializar(casos);
#if defined(__i386__)
    confere_convencao();
#endif
    casos_modelo(casos);
    casos_inteiros(casos);
    casos_precos(casos);
    casos_diretorio(casos);
    casos_gravacao(casos);
    casos_verificacao();
    carga_de_todos_os_modelos(argv[2]);
    carga_grande(argv[2]);
    carga_de_catalogos(argv[2]);

    printf("host_carga: %d passed, %d failed\n", passaram, falharam);
    return falharam ? 1 : 0;
}
