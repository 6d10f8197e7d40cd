/* A Windows host program for what hostile or unusual inputs must not do to
 * the program that loaded the DLL, under whatever ANSI code page the system
 * has (UTF-8 and the double-byte code pages included):
 *   - a catalogue of deeply nested JSON lists gives an error through
 *     CarregarCatalogo, never a crash (the program is linked with a 1 MB
 *     stack, the Windows default);
 *   - a product whose texts the host hands over in the ANSI code page gives
 *     single-byte records: VerificarItens finds nothing, and the load goes to
 *     WORK_FOLDER\carga for the caller to compare with the Linux one of the
 *     same product (modToledoMGV6, code 1, "Cafe a mes" with accents as its
 *     description and sector name, price 1, sector 1).
 *
 * Usage: entradas_hostis.exe LIBRARY WORK_FOLDER
 * Prints the ANSI code page. Exit status: 0 when every check passed. */
#include <stdio.h>
#include <string.h>
#include <windows.h>

#include "apoio_host.h"

/* Lists opened one in another, far deeper than any catalogue. */
static void catalogo_aninhado(const char* trabalho) {
    char caminho[700];
    const char* r;
    FILE* f;
    int i;
    junta(caminho, sizeof caminho, trabalho, "aninhado.json");
    f = fopen(caminho, "wb");
    if (f == NULL) {
        registra(0, "catalogo aninhado", "nao foi possivel gravar o arquivo");
        return;
    }
    for (i = 0; i < 100000; ++i) fputc('[', f);
    fclose(f);
    r = CarregarCatalogo_(caminho);
    registra(r != NULL && strstr(r, "aninhados em mais de 64") != NULL, "catalogo aninhado da um erro", r);
}

/* The description in the ANSI code page, converted by the system; false
   when the code page lacks one of its characters. */
static int descricao_ansi(char* destino, int tamanho) {
    static const wchar_t Descricao[] = L"Caf\u00E9 \u00E0 m\u00EAs";
    wchar_t volta[64];
    const int n = WideCharToMultiByte(CP_ACP, 0, Descricao, -1, destino, tamanho, NULL, NULL);
    return n > 0 && MultiByteToWideChar(CP_ACP, 0, destino, -1, volta, 64) > 0 && wcscmp(volta, Descricao) == 0;
}

static void carga_acentuada(const char* trabalho) {
    char descricao[64], pasta[700];
    if (!descricao_ansi(descricao, sizeof descricao)) {
        registra(0, "descricao na pagina de codigo", "a pagina de codigo do sistema nao tem os acentos do produto");
        return;
    }
    confere_texto("LimparItems", LimparItems_(), "OK");
    confere_texto("AdicionarItem", AdicionarItem_("0", "tpvPeso", "1", descricao, "", 0, "", "1", descricao, 1.0), "OK");
    confere_texto("VerificarItens", VerificarItens_(), "OK");
    junta(pasta, sizeof pasta, trabalho, "carga");
    cria_pasta(pasta);
    confere_texto("GerarArquivos", GerarArquivos_(pasta), "OK");
}

int main(int argc, char** argv) {
    if (argc != 3) {
        fprintf(stderr, "uso: entradas_hostis BIBLIOTECA PASTA_DE_TRABALHO\n");
        return 2;
    }
    if (!cria_pasta(argv[2]) || !carrega_funcoes(argv[1])) return 2;
    printf("pagina de codigo do sistema: %u\n", GetACP());
    confere_texto("Inicializar", Inicializar_("modToledoMGV6"), "OK");
    catalogo_aninhado(argv[2]);
    carga_acentuada(argv[2]);
    printf("%d conferencias, %d falharam\n", passaram + falharam, falharam);
    return falharam == 0 ? 0 : 1;
}
