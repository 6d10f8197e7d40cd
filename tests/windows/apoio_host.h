/* What the C host programs of tests/windows share: counting the checks,
 * comparing returned texts (bytes outside ASCII shown in hex), paths,
 * folders and whole files, and loading the library with every exported
 * function, on Windows and on Linux. */
#ifndef QUELB_APOIO_HOST_H
#define QUELB_APOIO_HOST_H

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#ifdef _WIN32
#include <windows.h>
#define SEP "\\"
#else
#include <dlfcn.h>
#include <sys/stat.h>
#define SEP "/"
#endif

#include "quelb/cargabal.h"

typedef const char*(QUELB_CALL* FnTexto)(const char*);
typedef const char*(QUELB_CALL* FnNada)(void);
typedef const char*(QUELB_CALL* FnAdicionarItem)(const char*, const char*, const char*, const char*, const char*,
                                                 int32_t, const char*, const char*, const char*, double);
typedef const char*(QUELB_CALL* FnDefinirCampo)(const char*, const char*);
typedef const char*(QUELB_CALL* FnDefinirProgresso)(QuelbProgresso);

/* The exported functions, found by carrega_funcoes. */
static FnTexto Inicializar_, GerarArquivos_, CarregarCatalogo_;
static FnNada LimparItems_, VerificarItens_, ArquivosGerados_, Versao_;
static FnAdicionarItem AdicionarItem_;
static FnDefinirCampo DefinirCampo_;
static FnDefinirProgresso DefinirProgresso_;

static int passaram = 0, falharam = 0;

static void registra(int ok, const char* caso, const char* detalhe) {
    if (ok) {
        ++passaram;
    } else {
        ++falharam;
        fprintf(stderr, "FALHA %s: %s\n", caso, detalhe ? detalhe : "");
    }
}

/* Prints a returned text with its bytes outside ASCII in hex. */
static void descreve(char* destino, size_t tamanho, const char* texto) {
    size_t n = 0;
    if (texto == NULL) {
        snprintf(destino, tamanho, "(nulo)");
        return;
    }
    for (; *texto && n + 5 < tamanho; ++texto) {
        const unsigned char c = (unsigned char)*texto;
        if (c >= 0x20 && c < 0x7F)
            destino[n++] = (char)c;
        else
            n += (size_t)snprintf(destino + n, tamanho - n, "\\x%02X", c);
    }
    destino[n] = '\0';
}

static void confere_texto(const char* caso, const char* obtido, const char* esperado) {
    char a[512], b[512], detalhe[1100];
    const int ok = obtido != NULL && strcmp(obtido, esperado) == 0;
    if (!ok) {
        descreve(a, sizeof a, obtido);
        descreve(b, sizeof b, esperado);
        snprintf(detalhe, sizeof detalhe, "obtido \"%s\", esperado \"%s\"", a, b);
    }
    registra(ok, caso, ok ? NULL : detalhe);
}

static void junta(char* destino, size_t tamanho, const char* pasta, const char* nome) {
    if ((size_t)snprintf(destino, tamanho, "%s" SEP "%s", pasta, nome) >= tamanho) {
        fprintf(stderr, "caminho longo demais: %s\n", pasta);
        exit(2);
    }
}

static int cria_pasta(const char* caminho) {
#ifdef _WIN32
    return CreateDirectoryA(caminho, NULL) || GetLastError() == ERROR_ALREADY_EXISTS;
#else
    struct stat st;
    return mkdir(caminho, 0777) == 0 || (stat(caminho, &st) == 0 && S_ISDIR(st.st_mode));
#endif
}

/* The work folder and its "casos" folder, made; the process ends with 2
 * when they cannot be. */
static void prepara_trabalho(const char* trabalho, char* casos, size_t tamanho) {
    junta(casos, tamanho, trabalho, "casos");
    if (!cria_pasta(trabalho) || !cria_pasta(casos)) {
        fprintf(stderr, "nao foi possivel criar %s\n", casos);
        exit(2);
    }
}

/* Whole file into a zero-terminated buffer (to free); NULL when missing. */
static char* le_arquivo(const char* caminho, long* tamanho) {
    FILE* f = fopen(caminho, "rb");
    char* dados;
    long n;
    if (f == NULL) return NULL;
    fseek(f, 0, SEEK_END);
    n = ftell(f);
    fseek(f, 0, SEEK_SET);
    dados = (char*)malloc((size_t)n + 1);
    if (dados == NULL || fread(dados, 1, (size_t)n, f) != (size_t)n) {
        free(dados);
        fclose(f);
        return NULL;
    }
    dados[n] = '\0';
    fclose(f);
    if (tamanho) *tamanho = n;
    return dados;
}

/* ---- loading the library ---- */

#ifdef _WIN32
static HMODULE biblioteca;

/* By name, and the same address by its ordinal. */
static void* funcao(const char* nome, int ordinal) {
    void* por_nome = (void*)GetProcAddress(biblioteca, nome);
    void* por_ordinal = (void*)GetProcAddress(biblioteca, MAKEINTRESOURCEA(ordinal));
    char detalhe[200];
    snprintf(detalhe, sizeof detalhe, "%s por nome %p, pelo ordinal %d %p", nome, por_nome, ordinal, por_ordinal);
    registra(por_nome != NULL && por_nome == por_ordinal, "exportada por nome e ordinal", detalhe);
    return por_nome;
}

static int abre(const char* caminho) {
    biblioteca = LoadLibraryA(caminho);
    if (biblioteca == NULL) fprintf(stderr, "LoadLibrary(%s) falhou: erro %lu\n", caminho, (unsigned long)GetLastError());
    return biblioteca != NULL;
}
#else
static void* biblioteca;

static void* funcao(const char* nome, int ordinal) {
    (void)ordinal;
    return dlsym(biblioteca, nome);
}

static int abre(const char* caminho) {
    biblioteca = dlopen(caminho, RTLD_NOW | RTLD_LOCAL);
    if (biblioteca == NULL) fprintf(stderr, "dlopen: %s\n", dlerror());
    return biblioteca != NULL;
}
#endif

/* Loads the library and finds every function; false when one is missing. */
static int carrega_funcoes(const char* caminho) {
    if (!abre(caminho)) return 0;
    GerarArquivos_ = (FnTexto)funcao("GerarArquivos", 4);
    LimparItems_ = (FnNada)funcao("LimparItems", 5);
    AdicionarItem_ = (FnAdicionarItem)funcao("AdicionarItem", 6);
    Inicializar_ = (FnTexto)funcao("Inicializar", 7);
    VerificarItens_ = (FnNada)funcao("VerificarItens", 8);
    DefinirCampo_ = (FnDefinirCampo)funcao("DefinirCampo", 9);
    ArquivosGerados_ = (FnNada)funcao("ArquivosGerados", 10);
    DefinirProgresso_ = (FnDefinirProgresso)funcao("DefinirProgresso", 11);
    CarregarCatalogo_ = (FnTexto)funcao("CarregarCatalogo", 12);
    Versao_ = (FnNada)funcao("Versao", 13);
    if (GerarArquivos_ && LimparItems_ && AdicionarItem_ && Inicializar_ && VerificarItens_ && DefinirCampo_ &&
        ArquivosGerados_ && DefinirProgresso_ && CarregarCatalogo_ && Versao_)
        return 1;
    fprintf(stderr, "funcoes ausentes\n");
    return 0;
}

#if defined(__i386__)
/* stdcall on 32-bit x86: the callee removes its arguments. */
/* Calls f with `bytes` bytes of zeros on the stack and returns how many of
 * them are still there when it returns. */
static inline unsigned restam_na_pilha(const void* f, unsigned bytes) {
    unsigned resto, lixo_a, lixo_d;
    __asm__ volatile(
        "movl %%esp, %%esi\n\t"
        "movl %%edx, %%ecx\n\t"
        "shrl $2, %%ecx\n\t"
        "jecxz 2f\n"
        "1:\n\t"
        "pushl $0\n\t"
        "loop 1b\n"
        "2:\n\t"
        "call *%%ebx\n\t"
        "movl %%esi, %%ecx\n\t"
        "subl %%esp, %%ecx\n\t"
        "movl %%esi, %%esp\n\t"
        : "=c"(resto), "=a"(lixo_a), "=d"(lixo_d)
        : "b"(f), "2"(bytes)
        : "esi", "memory", "cc");
    (void)lixo_a;
    (void)lixo_d;
    return resto;
}
#endif

#endif
