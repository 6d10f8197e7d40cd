/* A program that calls the four functions by their names in the header and
 * is linked with the import library (-lquelbcargabal), as most Windows
 * integrators build theirs: the system loader binds them when it starts.
 * On 32-bit Windows this shows that the import library turns the decorated
 * stdcall names the compiler asks for ("_Inicializar@4") into the DLL's
 * plain ones.
 *
 * Usage: programa_ligado FOLDER [RESULT]
 * FOLDER: an existing folder, for one Toledo load; RESULT: what GerarArquivos
 * must return (default "OK"), for a folder where saving must fail.
 * Exit status: 0 when every call answered as expected. */
#include <stdio.h>
#include <string.h>

#include "quelb/cargabal.h"

static int passaram = 0, falharam = 0;

static void confere(const char* chamada, const char* obtido, const char* esperado) {
    if (obtido != NULL && strcmp(obtido, esperado) == 0) {
        ++passaram;
    } else {
        ++falharam;
        fprintf(stderr, "FALHA %s: \"%s\"\n", chamada, obtido ? obtido : "(nulo)");
    }
}

int main(int argc, char** argv) {
    char caminho[600];
    FILE* f;
    const char* esperado = argc == 3 ? argv[2] : "OK";
    if (argc != 2 && argc != 3) {
        fprintf(stderr, "uso: %s PASTA [RESULTADO]\n", argv[0]);
        return 2;
    }
    confere("Inicializar", Inicializar("modToledo"), "OK");
    confere("LimparItems", LimparItems(), "OK");
    confere("AdicionarItem", AdicionarItem("0", "tpvPeso", "1", "Queijo", NULL, 0, NULL, "1", "Frios", 12.5), "OK");
    confere("GerarArquivos", GerarArquivos(argv[1]), esperado);
    if (strcmp(esperado, "OK") == 0) {
        /* A wrong argument size would have shown as a bad result above; the
         * file shows that the generation ran. */
        snprintf(caminho, sizeof caminho, "%s\\TXITENS.TXT", argv[1]);
        f = fopen(caminho, "rb");
        confere("TXITENS.TXT gravado", f ? "OK" : "ausente", "OK");
        if (f) fclose(f);
    }
    printf("programa_ligado: %d passed, %d failed\n", passaram, falharam);
    return falharam ? 1 : 0;
}
