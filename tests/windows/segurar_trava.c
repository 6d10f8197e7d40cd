/* Holds the lock of a load folder as a generation does, from another
 * process: opens FOLDER\.cargabal.lock and locks its first byte with
 * LockFileEx, says "travado" on standard output, and keeps the lock for
 * MILLISECONDS before it ends.
 *
 * Usage: segurar_trava FOLDER MILLISECONDS
 * Exit status: 0 when the lock was held. */
#include <stdio.h>
#include <stdlib.h>
#include <windows.h>

int main(int argc, char** argv) {
    char caminho[600];
    HANDLE arquivo;
    OVERLAPPED inicio;
    if (argc != 3) {
        fprintf(stderr, "uso: %s PASTA MILISSEGUNDOS\n", argv[0]);
        return 2;
    }
    snprintf(caminho, sizeof caminho, "%s\\.cargabal.lock", argv[1]);
    arquivo = CreateFileA(caminho, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                          OPEN_ALWAYS, FILE_ATTRIBUTE_HIDDEN, NULL);
    ZeroMemory(&inicio, sizeof inicio);
    if (arquivo == INVALID_HANDLE_VALUE || !LockFileEx(arquivo, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &inicio)) {
        fprintf(stderr, "segurar_trava: erro %lu\n", (unsigned long)GetLastError());
        return 1;
    }
    printf("travado\n");
    fflush(stdout);
    Sleep((DWORD)atoi(argv[2]));
    CloseHandle(arquivo);
    return 0;
}
