/*
 * hold_file.exe FILE MARKER [share-read]: opens FILE for reading with no
 * sharing at all (or, with share-read, shared for reading only: it can then
 * still be read and run, but not be written, replaced or deleted, as a
 * running program's executable), writes "held" to MARKER.held
 * once it holds it, and keeps it until MARKER exists; then closes it and
 * exits 0. Exit 1 when FILE cannot be opened.
 *
 * The lock must be taken by a Wine process: writes from the Linux side do
 * not see Wine's sharing modes.
 */
#include <stdio.h>
#include <string.h>
#include <windows.h>

int main(int argc, char** argv) {
    if (argc != 3 && !(argc == 4 && strcmp(argv[3], "share-read") == 0)) {
        fprintf(stderr, "usage: hold_file FILE MARKER [share-read]\n");
        return 2;
    }
    const DWORD share = argc == 4 ? FILE_SHARE_READ : 0;
    HANDLE file =
        CreateFileA(argv[1], GENERIC_READ, share, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) {
        fprintf(stderr, "hold_file: cannot open %s: error %lu\n", argv[1], GetLastError());
        return 1;
    }
    char held[MAX_PATH + 8];
    snprintf(held, sizeof held, "%s.held", argv[2]);
    HANDLE note = CreateFileA(held, GENERIC_WRITE, FILE_SHARE_READ, NULL, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (note != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        WriteFile(note, "held", 4, &written, NULL);
        CloseHandle(note);
    }
    while (GetFileAttributesA(argv[2]) == INVALID_FILE_ATTRIBUTES) Sleep(100);
    CloseHandle(file);
    return 0;
}
