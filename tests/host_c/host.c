/* Loads the shared library with dlopen and drives the four functions as a
 * point-of-sale program does, and the two of the scale labels
 * (DecodificarEtiqueta, DefinirEtiqueta). Usage: host_c path/to/libquelbcargabal.so */
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include "quelb/cargabal.h"

typedef const char*(QUELB_CALL* FnInicializar)(const char*);
typedef const char*(QUELB_CALL* FnLimpar)(void);
typedef const char*(QUELB_CALL* FnAdicionar)(const char*, const char*, const char*, const char*,
                                             const char*, int32_t, const char*, const char*,
                                             const char*, double);
typedef const char*(QUELB_CALL* FnGerar)(const char*);
typedef const char*(QUELB_CALL* FnDecodificar)(const char*, const char*);

static int falhas = 0;

static void confere(const char* caso, const char* obtido, const char* esperado) {
    if (obtido == NULL || strcmp(obtido, esperado) != 0) {
        fprintf(stderr, "FALHA %s: obtido \"%s\", esperado \"%s\"\n", caso, obtido ? obtido : "(nulo)",
                esperado);
        ++falhas;
    } else {
        printf("ok %s\n", caso);
    }
}

static long tamanho_arquivo(const char* caminho) {
    struct stat st;
    return stat(caminho, &st) == 0 ? (long)st.st_size : -1;
}

int main(int argc, char** argv) {
    if (argc < 2) {
        fprintf(stderr, "uso: %s biblioteca\n", argv[0]);
        return 2;
    }
    void* lib = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
    if (!lib) {
        fprintf(stderr, "dlopen: %s\n", dlerror());
        return 2;
    }
    FnInicializar Inicializar_ = (FnInicializar)dlsym(lib, "Inicializar");
    FnLimpar LimparItems_ = (FnLimpar)dlsym(lib, "LimparItems");
    FnAdicionar AdicionarItem_ = (FnAdicionar)dlsym(lib, "AdicionarItem");
    FnGerar GerarArquivos_ = (FnGerar)dlsym(lib, "GerarArquivos");
    FnLimpar VerificarItens_ = (FnLimpar)dlsym(lib, "VerificarItens");
    FnDecodificar DecodificarEtiqueta_ = (FnDecodificar)dlsym(lib, "DecodificarEtiqueta");
    FnInicializar DefinirEtiqueta_ = (FnInicializar)dlsym(lib, "DefinirEtiqueta");
    if (!Inicializar_ || !LimparItems_ || !AdicionarItem_ || !GerarArquivos_ || !VerificarItens_ ||
        !DecodificarEtiqueta_ || !DefinirEtiqueta_) {
        fprintf(stderr, "funções ausentes\n");
        return 2;
    }

    /* Before Inicializar: the directory checks come first, then a clear error. */
    confere("gerar antes de inicializar, diretorio vazio", GerarArquivos_(""),
            "Informe o diret\xf3rio onde ser\xe3o gerados os arquivos de carga!");
    const char* sem = LimparItems_();
    if (strstr(sem, "Inicializar") == NULL) {
        fprintf(stderr, "FALHA limpar antes de inicializar: \"%s\"\n", sem);
        ++falhas;
    }

    /* Labels read without Inicializar; a layout is set only after it. */
    confere("etiqueta de preco", DecodificarEtiqueta_("2014900002840", "2CCCCPPPPPPPD"), "codigo=149;preco=2.84");
    confere("etiqueta de peso", DecodificarEtiqueta_("2010085025049", "2CCCCCCWWWWWD"), "codigo=10085;peso=2.504");
    confere("etiqueta com digito errado", DecodificarEtiqueta_("2010085025048", "2CCCCCCWWWWWD"),
            "erro: o d\xedgito verificador do EAN-13 \xe9 8, mas deveria ser 9 (c\xf3" "digo lido ou digitado errado)");
    sem = DefinirEtiqueta_("2CCCCPPPPPPPD");
    if (strstr(sem, "Inicializar") == NULL) {
        fprintf(stderr, "FALHA definir etiqueta antes de inicializar: \"%s\"\n", sem);
        ++falhas;
    }

    confere("inicializar", Inicializar_("modFilizola"), "OK");
    confere("limpar", LimparItems_(), "OK");
    confere("adicionar", AdicionarItem_("0", "tpvPeso", "42", "P\xe3o franc\xeas", "3", 0, "", "1", "Padaria", 12.5),
            "OK");
    confere("modelo em maiusculas", strncmp(Inicializar_("MODTOLEDO"), "OK", 3) == 0 ? "OK" : "erro", "erro");
    confere("segundo inicializar", Inicializar_("modUrano"), "OK");
    confere("codigo invalido", AdicionarItem_("0", "tpvPeso", "abc", "x", NULL, 0, NULL, "0", "", 1.0),
            "'abc' is not a valid integer value");
    confere("diretorio inexistente", GerarArquivos_("/nao/existe/mesmo"), "Diretorio informado n\xe3o existe!");

    char dir[] = "/tmp/quelb_host_c_XXXXXX";
    if (!mkdtemp(dir)) {
        perror("mkdtemp");
        return 2;
    }
    confere("limpar de novo", LimparItems_(), "OK");
    confere("sem produtos", GerarArquivos_(dir), "N\xe3o foram informados os produtos para a gera\xe7\xe3o!");
    confere("adicionar 2", AdicionarItem_("1", "tpvUnidade", "7", "Queijo", "", 0, "", "0", "", 1.99), "OK");
    confere("verificar sem achados", VerificarItens_(), "OK");
    /* A code of seven digits does not fit Urano's five: the check says so, and nothing changes. */
    confere("adicionar codigo longo", AdicionarItem_("1", "tpvPeso", "1234567", "Longo", "", 0, "", "0", "", 1.0),
            "OK");
    confere("verificar codigo longo", VerificarItens_(),
            "erro: produtos[1] (c\xf3" "digo 1234567), Codigo: 1234567 n\xe3o cabe nos 5 d\xedgitos de PRODUTOS.TXT; o "
            "arquivo teria 12345");
    confere("limpar para gerar", LimparItems_(), "OK");
    confere("adicionar 3", AdicionarItem_("1", "tpvUnidade", "7", "Queijo", "", 0, "", "0", "", 1.99), "OK");
    confere("gerar urano", GerarArquivos_(dir), "OK");
    char caminho[256];
    snprintf(caminho, sizeof caminho, "%s/PRODUTOS.TXT", dir);
    if (tamanho_arquivo(caminho) <= 0) {
        fprintf(stderr, "FALHA: %s não foi gravado\n", caminho);
        ++falhas;
    }
    unlink(caminho);
    rmdir(dir);

    /* A code wider than the label's four digits: the till would read 149,
       which is another product's code. */
    confere("limpar para a etiqueta", LimparItems_(), "OK");
    confere("adicionar 10149", AdicionarItem_("1", "tpvPeso", "10149", "Queijo", "", 0, "", "0", "", 49.9), "OK");
    confere("adicionar 149", AdicionarItem_("1", "tpvPeso", "149", "Banana", "", 0, "", "0", "", 4.99), "OK");
    confere("verificar sem etiqueta", VerificarItens_(), "OK");
    confere("definir etiqueta", DefinirEtiqueta_("2CCCCPPPPPPPD"), "OK");
    confere("verificar com etiqueta", VerificarItens_(),
            "erro: produtos[0] (c\xf3" "digo 10149), Codigo: 10149 n\xe3o cabe nos 4 d\xedgitos do c\xf3" "digo da "
            "etiqueta 2CCCCPPPPPPPD; o caixa leria o c\xf3" "digo 149, que \xe9 o de produtos[1] (c\xf3" "digo 149, "
            "\"Banana\")");
    confere("etiqueta de seis digitos", DefinirEtiqueta_("2CCCCCCPPPPPD"), "OK");
    confere("verificar com seis digitos", VerificarItens_(), "OK");
    confere("etiqueta invalida", DefinirEtiqueta_("2CCCCCCPPPPD"),
            "Formato de etiqueta inv\xe1lido \"2CCCCCCPPPPD\": o formato tem 12 caracteres; s\xe3o 13, um por d\xedgito "
            "do EAN-13 (como 2CCCCCCPPPPPD).");
    confere("remover etiqueta", DefinirEtiqueta_(""), "OK");
    dlclose(lib);
    printf("%d falha(s)\n", falhas);
    return falhas ? 1 : 0;
}
