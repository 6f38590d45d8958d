/* first_window.exe: how long a program takes from its start to its first
 * visible top-level window, run under Wine by scripts/bench-first-window.sh.
 *
 *   first_window.exe RUNS PROGRAM [ARGUMENTS]
 *
 * Starts PROGRAM RUNS times, one after the other. Each time it notes the
 * time just before CreateProcess, then looks every millisecond for a
 * top-level window of that process with WS_VISIBLE (the moment ShowWindow
 * made it visible, whatever its alpha), prints the milliseconds, and ends
 * the process (TerminateProcess: nothing is installed). Prints
 *   run<TAB>N<TAB>MS          one line per run
 *   median<TAB>MS
 * Exit status: 0, or 1 when a run showed no window within 20 s. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <windows.h>

static BOOL CALLBACK FindVisible(HWND hwnd, LPARAM context) {
    DWORD* pid = (DWORD*)context;
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner == pid[0] && IsWindowVisible(hwnd)) {
        pid[1] = 1;
        return FALSE;
    }
    return TRUE;
}

static int Compare(const void* a, const void* b) {
    double x = *(const double*)a, y = *(const double*)b;
    return x < y ? -1 : x > y;
}

int main(int argc, char** argv) {
    if (argc < 3) {
        fprintf(stderr, "usage: first_window.exe RUNS PROGRAM [ARGUMENTS]\n");
        return 2;
    }
    int runs = atoi(argv[1]);
    if (runs < 1 || runs > 1000) runs = 1;
    char command[4096] = "";
    for (int i = 2; i < argc; ++i) {
        strncat(command, "\"", sizeof command - strlen(command) - 1);
        strncat(command, argv[i], sizeof command - strlen(command) - 1);
        strncat(command, "\" ", sizeof command - strlen(command) - 1);
    }
    double* times = (double*)calloc((size_t)runs, sizeof(double));
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    int status = 0;
    for (int run = 0; run < runs; ++run) {
        STARTUPINFOA startup;
        PROCESS_INFORMATION process;
        memset(&startup, 0, sizeof startup);
        startup.cb = sizeof startup;
        LARGE_INTEGER start, now;
        QueryPerformanceCounter(&start);
        if (!CreateProcessA(NULL, command, NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process)) {
            fprintf(stderr, "cannot start %s (error %lu)\n", command, GetLastError());
            return 1;
        }
        DWORD found[2] = {process.dwProcessId, 0};
        double ms = 0;
        for (;;) {
            EnumWindows(FindVisible, (LPARAM)found);
            QueryPerformanceCounter(&now);
            ms = (double)(now.QuadPart - start.QuadPart) * 1000.0 / (double)frequency.QuadPart;
            if (found[1] || ms > 20000) break;
            Sleep(1);
        }
        if (!found[1]) status = 1;
        TerminateProcess(process.hProcess, 0);
        WaitForSingleObject(process.hProcess, 10000);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        times[run] = ms;
        printf("run\t%d\t%.1f\n", run + 1, ms);
        fflush(stdout);
        Sleep(200);
    }
    qsort(times, (size_t)runs, sizeof(double), Compare);
    double median = runs % 2 ? times[runs / 2] : (times[runs / 2 - 1] + times[runs / 2]) / 2;
    printf("median\t%.1f\n", median);
    free(times);
    return status;
}
