/* Prints the version resource of a Windows file as the file's properties
 * show it, read through the system's own version API (version.dll):
 *
 *   Fixa: 1.1.0.0            the binary file version
 *   Traducao: 0416 04B0      language and code page of the texts
 *   FileVersion: 1.1.0       one line per text, in UTF-8
 *   ...
 *
 * Usage: versao_arquivo FILE. Exit status: 0 when the file has a version
 * resource. */
#include <stdio.h>
#include <stdlib.h>
#include <windows.h>

static const wchar_t* const Textos[] = {L"FileDescription", L"FileVersion", L"InternalName",
                                        L"OriginalFilename", L"ProductName", L"ProductVersion"};

static void escreve_utf8(const wchar_t* texto) {
    char utf8[1024];
    const int n = WideCharToMultiByte(CP_UTF8, 0, texto, -1, utf8, sizeof utf8, NULL, NULL);
    fputs(n > 0 ? utf8 : "?", stdout);
}

int main(int argc, char** argv) {
    DWORD ignorado, tamanho;
    void* dados;
    VS_FIXEDFILEINFO* fixa;
    WORD* traducao;
    UINT n;
    size_t i;
    if (argc != 2) {
        fprintf(stderr, "uso: %s ARQUIVO\n", argv[0]);
        return 2;
    }
    tamanho = GetFileVersionInfoSizeA(argv[1], &ignorado);
    if (tamanho == 0 || (dados = malloc(tamanho)) == NULL || !GetFileVersionInfoA(argv[1], 0, tamanho, dados)) {
        fprintf(stderr, "%s: sem recurso de versão (erro %lu)\n", argv[1], (unsigned long)GetLastError());
        return 1;
    }
    if (!VerQueryValueW(dados, L"\\", (void**)&fixa, &n) || n < sizeof *fixa) return 1;
    printf("Fixa: %lu.%lu.%lu.%lu\n", (unsigned long)HIWORD(fixa->dwFileVersionMS),
           (unsigned long)LOWORD(fixa->dwFileVersionMS), (unsigned long)HIWORD(fixa->dwFileVersionLS),
           (unsigned long)LOWORD(fixa->dwFileVersionLS));
    if (!VerQueryValueW(dados, L"\\VarFileInfo\\Translation", (void**)&traducao, &n) || n < 4) return 1;
    printf("Traducao: %04X %04X\n", traducao[0], traducao[1]);
    for (i = 0; i < sizeof Textos / sizeof *Textos; ++i) {
        wchar_t caminho[128];
        wchar_t* valor;
        _snwprintf(caminho, 128, L"\\StringFileInfo\\%04x%04x\\%ls", traducao[0], traducao[1], Textos[i]);
        if (VerQueryValueW(dados, caminho, (void**)&valor, &n) && n > 0) {
            escreve_utf8(Textos[i]);
            fputs(": ", stdout);
            escreve_utf8(valor);
            fputs("\n", stdout);
        }
    }
    free(dados);
    return 0;
}
