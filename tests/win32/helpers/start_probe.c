/* Started by the process tests (ProcessesTest.cpp): writes "<own path>.ran"
   with two lines, its command line and the show command it was given
   (-1 when STARTF_USESHOWWINDOW was not set), then exits. A copy of it named
   C:\Program.exe is the decoy that must never run. */
#include <stdio.h>
#include <windows.h>

int main(void) {
    char path[MAX_PATH + 8];
    DWORD length = GetModuleFileNameA(NULL, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return 2;
    lstrcatA(path, ".ran");
    STARTUPINFOA startup;
    GetStartupInfoA(&startup);
    int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : -1;
    FILE* out = fopen(path, "w");
    if (!out) return 3;
    fprintf(out, "%s\n%d\n", GetCommandLineA(), show);
    fclose(out);
    return 0;
}
