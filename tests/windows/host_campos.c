/* A host program in C for the functions beyond the first four: DefinirCampo,
 * ArquivosGerados and DefinirProgresso, and calls from two threads at once.
 * Built with MinGW-w64 it loads the DLL with LoadLibrary and runs under
 * Windows (or Wine); built on Linux it loads the shared library with dlopen.
 *
 * Usage: host_campos LIBRARY CATALOGUE WORK_FOLDER
 *
 * CATALOGUE is a CSV file in the ANSI code page: a header of property paths,
 * then one product per line, cells separated by ";" (no quotes). For every
 * model the host adds each product with AdicionarItem and sets every cell
 * that is not empty with DefinirCampo, then writes the load into
 * WORK_FOLDER/modelos/<model>/: the same files, byte for byte, that the
 * cargabal command writes from the same catalogue (the caller compares).
 * Then, under WORK_FOLDER/casos: the progress callback (its events, a cancel
 * before the save, calls back into the library from inside it) and two
 * threads calling every function for a bounded time.
 * Exit status: 0 when every check passed. */
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <dirent.h>
#include <dlfcn.h>
#include <pthread.h>
#include <sched.h>
#include <sys/stat.h>
#endif

#include "apoio_host.h"
#include "quelb/cargabal.h"

static const char* const Cancelada = "A gera\xe7\xe3o dos arquivos foi cancelada; nenhum arquivo foi gravado.";
static const char* const Alterados =
    "Os produtos foram alterados durante a gera\xe7\xe3o dos arquivos; nenhum arquivo foi gravado.";

/* ---- files and folders ---- */

/* The entries of a folder, "." and ".." aside, and the lock file that a
   generation leaves in its folder. */
static int conta_arquivo(const char* nome) {
    return strcmp(nome, ".") != 0 && strcmp(nome, "..") != 0 && strcmp(nome, ".cargabal.lock") != 0;
}

static int conta_entradas(const char* pasta) {
    int n = 0;
#ifdef _WIN32
    char padrao[700];
    WIN32_FIND_DATAA d;
    HANDLE h;
    junta(padrao, sizeof padrao, pasta, "*");
    h = FindFirstFileA(padrao, &d);
    if (h == INVALID_HANDLE_VALUE) return -1;
    do n += conta_arquivo(d.cFileName);
    while (FindNextFileA(h, &d));
    FindClose(h);
#else
    struct dirent* e;
    DIR* d = opendir(pasta);
    if (d == NULL) return -1;
    while ((e = readdir(d)) != NULL) n += conta_arquivo(e->d_name);
    closedir(d);
#endif
    return n;
}

static void escreve_arquivo(const char* caminho, const char* texto) {
    FILE* f = fopen(caminho, "wb");
    if (f == NULL) return;
    fputs(texto, f);
    fclose(f);
}

/* ---- every property through DefinirCampo ---- */

#define MAXIMO_COLUNAS 80

static const char* const Modelos[] = {"modFilizola",   "modToledo",     "modUrano",  "modUranoS",
                                      "modToledoMGV5", "modToledoMGV6", "modUranoURF32", "modRamuza",
                                      "modToledoMGV5Ver1", "modToledoMGV7"};

/* Splits the line at p (ended by CR LF, LF or the end) into cells, in place;
 * returns the start of the next line. */
static char* divide_linha(char* p, char** celulas, int* quantidade) {
    char* fim = p + strcspn(p, "\r\n");
    char* proxima = fim;
    if (*proxima == '\r') ++proxima;
    if (*proxima == '\n') ++proxima;
    *fim = '\0';
    *quantidade = 0;
    for (;;) {
        char* separador = strchr(p, ';');
        if (*quantidade < MAXIMO_COLUNAS) celulas[(*quantidade)++] = p;
        if (separador == NULL) break;
        *separador = '\0';
        p = separador + 1;
    }
    return proxima;
}

/* Adds the products of the catalogue: each one empty, then a DefinirCampo
 * for each cell. Returns how many. */
static int adiciona_catalogo(const char* catalogo) {
    char* dados = le_arquivo(catalogo, NULL);
    char *p, *cabecalho[MAXIMO_COLUNAS], *celulas[MAXIMO_COLUNAS];
    int colunas = 0, quantidade, i, produtos = 0;
    char caso[300];
    if (dados == NULL) {
        registra(0, "ler o catalogo", catalogo);
        return 0;
    }
    p = divide_linha(dados, cabecalho, &colunas);
    while (*p) {
        p = divide_linha(p, celulas, &quantidade);
        if (quantidade == 1 && celulas[0][0] == '\0') continue;
        registra(quantidade == colunas, "colunas da linha", celulas[0]);
        ++produtos;
        confere_texto("AdicionarItem vazio", AdicionarItem_("0", "tpvPeso", "0", "", NULL, 0, NULL, "0", "", 0.0), "OK");
        for (i = 0; i < quantidade && i < colunas; ++i) {
            if (celulas[i][0] == '\0') continue; /* an empty cell keeps the default */
            snprintf(caso, sizeof caso, "DefinirCampo %s = %.100s", cabecalho[i], celulas[i]);
            confere_texto(caso, DefinirCampo_(cabecalho[i], celulas[i]), "OK");
        }
    }
    free(dados);
    return produtos;
}

/* ArquivosGerados: full paths in the folder, each file there. */
static void confere_lista(const char* pasta, const char* modelo) {
    const char* lista = ArquivosGerados_();
    char caminho[700];
    int n = 0;
    while (lista != NULL && *lista) {
        const size_t tamanho = strcspn(lista, "\r");
        FILE* f;
        snprintf(caminho, sizeof caminho, "%.*s", (int)tamanho, lista);
        registra(strncmp(caminho, pasta, strlen(pasta)) == 0 && caminho[strlen(pasta)] == SEP[0],
                 "ArquivosGerados na pasta", caminho);
        f = fopen(caminho, "rb");
        registra(f != NULL, "arquivo listado existe", caminho);
        if (f) fclose(f);
        ++n;
        lista += tamanho;
        if (strncmp(lista, "\r\n", 2) == 0) lista += 2;
    }
    registra(n > 0 && n == conta_entradas(pasta), "ArquivosGerados lista cada arquivo da pasta", modelo);
}

static void carga_de_todos_os_modelos(const char* catalogo, const char* trabalho) {
    char raiz[600], pasta[700];
    size_t m;
    junta(raiz, sizeof raiz, trabalho, "modelos");
    cria_pasta(raiz);
    for (m = 0; m < sizeof Modelos / sizeof *Modelos; ++m) {
        confere_texto("Inicializar", Inicializar_(Modelos[m]), "OK");
        confere_texto("LimparItems", LimparItems_(), "OK");
        adiciona_catalogo(catalogo);
        junta(pasta, sizeof pasta, raiz, Modelos[m]);
        cria_pasta(pasta);
        confere_texto(Modelos[m], GerarArquivos_(pasta), "OK");
        confere_lista(pasta, Modelos[m]);
    }
}

/* ---- the progress callback ---- */

static int eventos, cancelar_em;
static char ultima[300];
/* What the callback calls at the second event, and what that returned. */
static const char* (*chamada_dentro)(void);
static char resultado_dentro[400];

static int32_t QUELB_CALL progresso(const char* mensagem, int32_t atual, int32_t total) {
    (void)atual;
    (void)total;
    ++eventos;
    snprintf(ultima, sizeof ultima, "%s", mensagem);
    if (eventos == 2 && chamada_dentro) snprintf(resultado_dentro, sizeof resultado_dentro, "%s", chamada_dentro());
    return eventos == cancelar_em || (cancelar_em < 0 && strcmp(mensagem, "Terminado") == 0);
}

static const char* limpar_dentro(void) { return LimparItems_(); }
static const char* campo_dentro(void) { return DefinirCampo_("Nutricional.Qtd", "40"); }
static const char* inicializar_dentro(void) { return Inicializar_("modToledoMGV6"); }
static const char* verificar_dentro(void) { return VerificarItens_(); }
static char pasta_casos[600];
static const char* gerar_dentro(void) { return GerarArquivos_(pasta_casos); }

static void tres_produtos(void) {
    static const char* const codigos[] = {"1", "2", "3"};
    int i;
    Inicializar_("modToledoMGV6");
    LimparItems_();
    for (i = 0; i < 3; ++i) {
        AdicionarItem_("0", "tpvPeso", codigos[i], "Produto", "", 0, "", "1", "Setor", 1.0);
        DefinirCampo_("Nutricional.Codigo", codigos[i]);
        DefinirCampo_("Nutricional.Qtd", "30");
        DefinirCampo_("InformacaoExtra.Receita", "Farinha, \xe1gua e sal.");
    }
}

/* The entries of the cases folder before the latest generation. */
static int entradas_antes;

/* One generation into the cases folder, which holds an old ITENSMGV.TXT. */
static const char* gera_casos(int cancelar, const char* (*dentro)(void)) {
    char caminho[700];
    junta(caminho, sizeof caminho, pasta_casos, "ITENSMGV.TXT");
    escreve_arquivo(caminho, "anterior\r\n");
    eventos = 0;
    cancelar_em = cancelar;
    chamada_dentro = dentro;
    resultado_dentro[0] = '\0';
    entradas_antes = conta_entradas(pasta_casos);
    return GerarArquivos_(pasta_casos);
}

/* Nothing replaced: the old file as it was, no file added. */
static void nada_gravado(const char* caso) {
    char caminho[700];
    char* dados;
    junta(caminho, sizeof caminho, pasta_casos, "ITENSMGV.TXT");
    dados = le_arquivo(caminho, NULL);
    registra(dados != NULL && strcmp(dados, "anterior\r\n") == 0, caso, "ITENSMGV.TXT mudou");
    registra(conta_entradas(pasta_casos) == entradas_antes, caso, "outro arquivo na pasta");
    free(dados);
}

static void casos_progresso(const char* trabalho) {
    static const struct {
        const char* caso;
        const char* (*dentro)(void);
    } alteram[] = {{"LimparItems", limpar_dentro}, {"DefinirCampo", campo_dentro}, {"Inicializar", inicializar_dentro}};
    size_t i;
    char caso[200];
    junta(pasta_casos, sizeof pasta_casos, trabalho, "casos");
    cria_pasta(pasta_casos);

    tres_produtos();
    confere_texto("DefinirProgresso", DefinirProgresso_(progresso), "OK");
    confere_texto("gerar com progresso", gera_casos(0, NULL), "OK");
    registra(eventos == 5 && strcmp(ultima, "Terminado") == 0, "cinco eventos, o ultimo Terminado", ultima);
    for (i = 1; i <= 4; ++i) {
        snprintf(caso, sizeof caso, "cancelada no evento %u", (unsigned)i);
        confere_texto(caso, gera_casos((int)i, NULL), Cancelada);
        registra(eventos == (int)i, caso, "eventos depois do cancelamento");
        nada_gravado(caso);
    }
    confere_texto("retorno de Terminado ignorado", gera_casos(-1, NULL), "OK");

    for (i = 0; i < sizeof alteram / sizeof *alteram; ++i) {
        snprintf(caso, sizeof caso, "%s dentro do progresso", alteram[i].caso);
        confere_texto(caso, gera_casos(0, alteram[i].dentro), Alterados);
        confere_texto(caso, resultado_dentro, "OK");
        nada_gravado(caso);
        tres_produtos();
    }
    confere_texto("VerificarItens dentro do progresso", gera_casos(0, verificar_dentro), "OK");
    confere_texto("GerarArquivos dentro do progresso", gera_casos(0, gerar_dentro), "OK");
    registra(strstr(resultado_dentro, "em andamento") != NULL, "GerarArquivos dentro falha", resultado_dentro);
    registra(eventos == 5, "a geracao de fora continua", "eventos");
    confere_texto("DefinirProgresso nulo", DefinirProgresso_(NULL), "OK");
    confere_texto("gerar sem progresso", gera_casos(0, NULL), "OK");
    registra(eventos == 0, "sem progresso, nenhum evento", "eventos");
}

/* ---- two threads at once ---- */

struct TFio {
    int numero;
    char pasta[700];
    int falhas;
    int voltas;
};

static volatile int32_t eventos_fios;

static int32_t QUELB_CALL conta_evento(const char* mensagem, int32_t atual, int32_t total) {
    (void)mensagem;
    (void)atual;
    (void)total;
    __atomic_fetch_add(&eventos_fios, 1, __ATOMIC_RELAXED);
    return 0;
}

static void cede(void) {
#ifdef _WIN32
    Sleep(0);
#else
    sched_yield();
#endif
}

static int ok_ou(const char* r, const char* trecho) { return strcmp(r, "OK") == 0 || strstr(r, trecho) != NULL; }

static void trabalha(struct TFio* f) {
    char codigo[16], nome[32], copia[200];
    const time_t fim = time(NULL) + 2;
    int i;
    snprintf(codigo, sizeof codigo, "%d", f->numero + 1);
    snprintf(nome, sizeof nome, "Nao.Existe%d", f->numero);
    for (f->voltas = 0; f->voltas < 400 && time(NULL) <= fim; ++f->voltas) {
        const char* r = DefinirCampo_(nome, codigo);
        snprintf(copia, sizeof copia, "%s", r);
        f->falhas += strstr(copia, nome) == NULL;
        /* While the other thread calls, this thread's text stays. */
        for (i = 0; i < 3; ++i) cede();
        f->falhas += strcmp(r, copia) != 0;
        if (f->numero == 0) f->falhas += strcmp(LimparItems_(), "OK") != 0;
        if (f->numero == 1) f->falhas += strcmp(DefinirProgresso_(f->voltas % 2 ? conta_evento : NULL), "OK") != 0;
        f->falhas += strcmp(AdicionarItem_("0", "tpvPeso", codigo, "x", "", 0, "", "1", "S", 1.0), "OK") != 0;
        f->falhas += !ok_ou(DefinirCampo_("InformacaoExtra.Receita", "Farinha, sal"), "Nenhum produto");
        f->falhas += !ok_ou(GerarArquivos_(f->pasta), "produtos");
        ArquivosGerados_();
        VerificarItens_();
        f->falhas += strcmp(Versao_(), "") == 0;
    }
}

#ifdef _WIN32
static DWORD WINAPI fio_windows(LPVOID p) {
    trabalha((struct TFio*)p);
    return 0;
}
#else
static void* fio_posix(void* p) {
    trabalha((struct TFio*)p);
    return NULL;
}
#endif

static void casos_fios(const char* trabalho) {
    struct TFio fios[2];
    char detalhe[100];
    int i;
    memset(fios, 0, sizeof fios);
    confere_texto("fios: Inicializar", Inicializar_("modToledoMGV6"), "OK");
    for (i = 0; i < 2; ++i) {
        char nome[32];
        fios[i].numero = i;
        snprintf(nome, sizeof nome, "fio%d", i);
        junta(fios[i].pasta, sizeof fios[i].pasta, trabalho, nome);
        cria_pasta(fios[i].pasta);
    }
    {
#ifdef _WIN32
        HANDLE outro = CreateThread(NULL, 0, fio_windows, &fios[1], 0, NULL);
        trabalha(&fios[0]);
        if (outro) {
            WaitForSingleObject(outro, INFINITE);
            CloseHandle(outro);
        }
        registra(outro != NULL, "fios: CreateThread", NULL);
#else
        pthread_t outro;
        const int criado = pthread_create(&outro, NULL, fio_posix, &fios[1]) == 0;
        trabalha(&fios[0]);
        if (criado) pthread_join(outro, NULL);
        registra(criado, "fios: pthread_create", NULL);
#endif
    }
    for (i = 0; i < 2; ++i) {
        snprintf(detalhe, sizeof detalhe, "fio %d: %d falhas em %d voltas", i, fios[i].falhas, fios[i].voltas);
        registra(fios[i].falhas == 0 && fios[i].voltas > 0, "dois fios ao mesmo tempo", detalhe);
    }
    printf("fios: %d e %d voltas, %d eventos de progresso\n", fios[0].voltas, fios[1].voltas, (int)eventos_fios);
    DefinirProgresso_(NULL);
}

int main(int argc, char** argv) {
    char casos[600];
    if (argc != 4) {
        fprintf(stderr, "uso: %s BIBLIOTECA CATALOGO PASTA_DE_TRABALHO\n", argv[0]);
        return 2;
    }
    if (!carrega_funcoes(argv[1])) return 2;
    prepara_trabalho(argv[3], casos, sizeof casos);

    confere_texto("ArquivosGerados antes de qualquer geracao", ArquivosGerados_(), "");
    registra(strstr(DefinirCampo_("Nutricional.Qtd", "30"), "Inicializar") != NULL, "DefinirCampo antes de Inicializar",
             NULL);
    confere_texto("DefinirCampo sem produto", (Inicializar_("modFilizola"), LimparItems_(), DefinirCampo_("Tara.Valor", "0,5")),
                  "Nenhum produto para receber Tara.Valor = \"0,5\": chame AdicionarItem antes de DefinirCampo.");
    confere_texto("DefinirCampo com valor ruim",
                  (AdicionarItem_("0", "tpvPeso", "1", "", NULL, 0, NULL, "0", "", 0.0),
                   DefinirCampo_("Nutricional.Qtd", "x\xed" "cara")),
                  "Nutricional.Qtd: esperado inteiro de 32 bits, encontrado \"x\xed" "cara\".");

    carga_de_todos_os_modelos(argv[2], argv[3]);
    casos_progresso(argv[3]);
    casos_fios(argv[3]);

    printf("host_campos: %d passed, %d failed\n", passaram, falharam);
    return falharam ? 1 : 0;
}
