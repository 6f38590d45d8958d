/*
 * A stand-in for a DLL someone plants beside a downloaded setup program.
 *
 * The DLL planting test copies this one file under the names of DLLs the setup
 * must never take from its own folder (wininet.dll, version.dll, comctl32.dll).
 * When any process loads it, it leaves "planted-<its file name>.txt" in the
 * folder it was loaded from, so the test only has to look for such files.
 *
 * It also exports InternetAttemptConnect, the one function the positive
 * control (plant_probe.exe) imports, so that program loads and runs normally
 * when this DLL stands in for wininet.dll.
 */
#include <string.h>
#include <windows.h>

static void leave_marker(HINSTANCE self) {
    char path[MAX_PATH + 32];
    DWORD n = GetModuleFileNameA(self, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return;
    char *slash = strrchr(path, '\\');
    if (!slash) return;
    char name[MAX_PATH];
    strcpy(name, slash + 1);
    strcpy(slash + 1, "planted-");
    strcat(slash + 1, name);
    strcat(slash + 1, ".txt");
    HANDLE f =
        CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (f == INVALID_HANDLE_VALUE) return;
    char line[64];
    DWORD len = (DWORD)wsprintfA(line, "loaded by process %lu\r\n", GetCurrentProcessId());
    DWORD written;
    WriteFile(f, line, len, &written, NULL);
    CloseHandle(f);
}

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID reserved) {
    (void)reserved;
    if (reason == DLL_PROCESS_ATTACH) leave_marker(self);
    return TRUE;
}

__declspec(dllexport) DWORD WINAPI InternetAttemptConnect(DWORD reserved) {
    (void)reserved;
    return ERROR_SUCCESS;
}
