/*
 * The smallest complete host: selects the Toledo MGV6 model, adds two
 * products, gives the second one its nutrition facts and its ingredients,
 * writes the load files into the directory given on the command line and
 * shows the nutrition file (INFNUTRI.TXT) and the extra-information file
 * (TXINFO.TXT) it got.
 *
 *   cc -I../../include exemplo.c -L<folder of the library> -lquelbcargabal -o exemplo
 *   ./exemplo /tmp/carga
 */
#include <stdio.h>
#include <string.h>

#include "quelb/cargabal.h"

/* Every function returns "OK" or the message of the failure (Windows-1252
 * text owned by the library, valid until this thread's next call). */
static int Conferir(const char* AEtapa, const char* AResultado) {
    if (strcmp(AResultado, "OK") == 0) return 1;
    fprintf(stderr, "%s: %s\n", AEtapa, AResultado);
    return 0;
}

/* Progress of the generation: one event per product. Returning nonzero
 * would cancel it before any file is replaced. */
static int32_t QUELB_CALL Progresso(const char* AMensagem, int32_t AAtual, int32_t ATotal) {
    printf("  [%d/%d] %s\n", (int)AAtual, (int)ATotal, AMensagem);
    return 0;
}

/* Prints a load file of the directory, each line without the blanks that
 * fill its fields on the right. */
static void Mostrar(const char* ADiretorio, const char* ANome) {
    char caminho[1024], linha[4096];
    FILE* f;
    snprintf(caminho, sizeof caminho, "%s/%s", ADiretorio, ANome);
    f = fopen(caminho, "rb");
    if (f == NULL) return;
    printf("%s:\n", ANome);
    while (fgets(linha, sizeof linha, f)) {
        size_t n = strlen(linha);
        while (n > 0 && (linha[n - 1] == ' ' || linha[n - 1] == '\r' || linha[n - 1] == '\n')) --n;
        printf("  %.*s\n", (int)n, linha);
    }
    fclose(f);
}

int main(int argc, char** argv) {
    /* Property paths and values as in a catalogue file: decimals with a
     * point or a comma, enumerations by name. */
    static const char* const Nutricao[][2] = {
        {"Nutricional.Codigo", "2"},          {"Nutricional.Qtd", "50"},
        {"Nutricional.UndPorcao", "tpGramas"}, {"Nutricional.PartInteira", "1"},
        {"Nutricional.MedCaseira", "tpUnidade"}, {"Nutricional.ValorEnergetico", "135"},
        {"Nutricional.Carboidrato", "28,0"},   {"Nutricional.Proteina", "4,5"},
        {"Nutricional.GorduraTotal", "0,7"},   {"Nutricional.Sodio", "324"},
        {"InformacaoExtra.Receita", "Farinha de trigo, agua, sal e fermento."},
    };
    size_t i;
    if (argc != 2) {
        fprintf(stderr, "uso: %s <diretório da carga>\n", argv[0]);
        return 2;
    }
    /* Texts go in Windows-1252: "\xC7" is Ç and "\xC3" is Ã. */
    if (!Conferir("Inicializar", Inicializar("modToledoMGV6")) ||
        !Conferir("LimparItems", LimparItems()) ||
        /* label model, sale type, code, description, shelf life in days,
         * unused slot, key, sector code, sector name, price */
        !Conferir("AdicionarItem", AdicionarItem("0", "tpvPeso", "1", "MA\xC7\xC3 FUJI", "5", 0, "1", "1",
                                                 "HORTIFRUTI", 8.49)) ||
        !Conferir("AdicionarItem", AdicionarItem("0", "tpvPeso", "2", "P\xC3O FRANCES", "1", 0, NULL, "2",
                                                 "PADARIA", 16.9)))
        return 1;
    /* DefinirCampo sets one property of the product added last. */
    for (i = 0; i < sizeof Nutricao / sizeof *Nutricao; ++i)
        if (!Conferir(Nutricao[i][0], DefinirCampo(Nutricao[i][0], Nutricao[i][1]))) return 1;
    if (!Conferir("DefinirProgresso", DefinirProgresso(Progresso)) ||
        !Conferir("GerarArquivos", GerarArquivos(argv[1])))
        return 1;
    /* Versao returns the library's version, such as "1.1.0". */
    printf("Arquivos de carga gerados (quelbcargabal %s):\n%s\n", Versao(), ArquivosGerados());
    Mostrar(argv[1], "INFNUTRI.TXT");
    Mostrar(argv[1], "TXINFO.TXT");
    return 0;
}
