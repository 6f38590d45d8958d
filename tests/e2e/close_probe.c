/*
 * close_probe.exe TITLE HEADER BELOW: asks the setup's window to close, again
 * and again, while it works, the way Alt+F4 and the taskbar's Close ask
 * (WM_SYSCOMMAND SC_CLOSE, then WM_CLOSE), and says whether it stayed.
 *
 * It waits (60 s at most) until the top-level window captioned TITLE shows
 * HEADER in its header panel at the panel's home position (client 40,31: the
 * slide is over, the panel's work has begun), then sends both requests for
 * as long as the visible progress label ("<n>% complete") shows less than
 * BELOW percent. The requests are sent, not posted: each returns once the
 * setup has handled it, which it does while it pumps messages inside its
 * work. Stopping below a percentage that the work still passes (not at the
 * end of the work) keeps every request inside the work.
 *
 * Prints "ready" as soon as it runs (a script waits for it before it starts
 * the work), then "requests N" and exits 0 when the window is still there afterwards;
 * exits 1 when it went away (printing after how many requests), 2 when the
 * header never showed.
 */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <windows.h>

struct Look {
    HWND top;
    const char *header;
    int headerHome; /* the header child with HEADER at 40,31 */
    int percent;    /* of the visible "<n>% complete" label, -1 when none */
};

static BOOL CALLBACK look_at_child(HWND child, LPARAM param) {
    struct Look *look = (struct Look *)param;
    char text[256] = "";
    DWORD_PTR ignored;
    if (!IsWindowVisible(child)) return TRUE;
    if (!SendMessageTimeoutA(child, WM_GETTEXT, sizeof text, (LPARAM)text, SMTO_ABORTIFHUNG, 2000,
                             &ignored))
        GetWindowTextA(child, text, sizeof text);
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(HWND_DESKTOP, look->top, (POINT *)&r, 2);
    if (strcmp(text, look->header) == 0 && r.left == 40 && r.top == 31) look->headerHome = 1;
    int n;
    char rest[32];
    if (sscanf(text, "%d%% complet%31s", &n, rest) == 2 && strcmp(rest, "e") == 0)
        look->percent = n;
    return TRUE;
}

static void look(struct Look *l) {
    l->headerHome = 0;
    l->percent = -1;
    EnumChildWindows(l->top, look_at_child, (LPARAM)l);
}

int main(int argc, char **argv) {
    if (argc != 4) {
        fprintf(stderr, "usage: close_probe TITLE HEADER BELOW\n");
        return 3;
    }
    const int below = atoi(argv[3]);
    printf("ready\n");
    fflush(stdout);
    struct Look l = {NULL, argv[2], 0, -1};
    DWORD start = GetTickCount();
    for (;;) {
        l.top = FindWindowA(NULL, argv[1]);
        if (l.top) {
            look(&l);
            if (l.headerHome && l.percent >= 0 && l.percent < below) break;
        }
        if (GetTickCount() - start > 60000) {
            fprintf(stderr, "close_probe: no '%s' in '%s' within 60 s\n", argv[2], argv[1]);
            return 2;
        }
        Sleep(5);
    }
    int requests = 0;
    for (;;) {
        look(&l);
        if (!l.headerHome || l.percent < 0 || l.percent >= below) break;
        DWORD_PTR ignored;
        SendMessageTimeoutA(l.top, WM_SYSCOMMAND, SC_CLOSE, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
        SendMessageTimeoutA(l.top, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
        ++requests;
        if (!IsWindow(l.top)) {
            printf("closed after %d requests\n", requests);
            return 1;
        }
    }
    if (!IsWindow(l.top)) {
        printf("closed after %d requests\n", requests);
        return 1;
    }
    printf("requests %d\n", requests);
    return 0;
}
