/*
 * The smallest complete host: selects the Filizola model, adds two products
 * and writes the load files into the directory given on the command line.
 *
 *   cc -I../../include exemplo.c -L<folder of the library> -lquelbcargabal -o exemplo
 *   ./exemplo /tmp/carga
 */
#include <stdio.h>
#include <string.h>

#include "quelb/cargabal.h"

/* Every function returns "OK" or the message of the failure (Windows-1252
 * text owned by the library, valid until the next call). */
static int Conferir(const char* AEtapa, const char* AResultado) {
    if (strcmp(AResultado, "OK") == 0) return 1;
    fprintf(stderr, "%s: %s\n", AEtapa, AResultado);
    return 0;
}

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "uso: %s <diretório da carga>\n", argv[0]);
        return 2;
    }
    /* Texts go in Windows-1252: "\xC7" is Ç and "\xC3" is Ã. */
    if (!Conferir("Inicializar", Inicializar("modFilizola")) ||
        !Conferir("LimparItems", LimparItems()) ||
        /* label model, sale type, code, description, shelf life in days,
         * unused slot, key, sector code, sector name, price */
        !Conferir("AdicionarItem", AdicionarItem("0", "tpvPeso", "1", "MA\xC7\xC3 FUJI", "5", 0, "1", "1",
                                                 "HORTIFRUTI", 8.49)) ||
        !Conferir("AdicionarItem", AdicionarItem("0", "tpvUnidade", "2", "BOLO DE FUBA", NULL, 0, NULL, "2",
                                                 "PADARIA", 12.0)) ||
        !Conferir("GerarArquivos", GerarArquivos(argv[1])))
        return 1;
    /* Versao returns the library's version, such as "1.1.0". */
    printf("Arquivos de carga gerados em %s (quelbcargabal %s)\n", argv[1], Versao());
    return 0;
}
