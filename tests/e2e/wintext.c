/*
 * wintext.exe: lets a shell script under Wine read what the setup shows.
 *
 * xdotool only sees X windows; the labels, header text, buttons and message
 * boxes inside a Wine program are Win32 child windows it cannot reach. This
 * small console program runs in the same Wine prefix and prints them.
 *
 *   wintext.exe                 every visible top-level window and its visible
 *                               children, one per line:
 *                                 top<TAB>class<TAB>x,y,w,h<TAB>text
 *                                 child<TAB>class<TAB>x,y,w,h<TAB>text
 *                               top: screen rectangle; child: rectangle relative
 *                               to the client area of its top-level window.
 *   wintext.exe --all           the same, hidden windows included; a fifth
 *                               column "hidden"/"visible" is appended.
 *   wintext.exe --client TITLE  "x y w h": screen position of the client area's
 *                               origin and its size, of the top-level window
 *                               whose caption is exactly TITLE.
 *   wintext.exe --focus TITLE   the window that has the keyboard focus in the
 *                               thread of the top-level window captioned TITLE:
 *                                 focus<TAB>class<TAB>x,y,w,h<TAB>text<TAB>state
 *                               (rectangle relative to that window's client
 *                               area; state is the check state of a button,
 *                               "-" for anything else), or "focus<TAB>none".
 *   wintext.exe --clipboard     the clipboard's CF_TEXT, exactly, no newline
 *                               added (exit status 3 when it holds none).
 *   wintext.exe --items CLASS   the items of every visible combo box of that
 *                               window class (e.g. ComboBox), one per line,
 *                               in list order.
 *   wintext.exe --watch SECONDS the default listing, taken every 20 ms for that
 *                               long; prints "ready" once, then each listing
 *                               that differs from the one before, after a line
 *                               "snapshot N". Starting a Wine program takes a
 *                               second or more on a loaded machine, so a script
 *                               that polls with one wintext.exe per look can
 *                               miss a text that shows only briefly; a watch
 *                               started before the action cannot.
 *
 * Text comes from WM_GETTEXT (with a time-out, falling back to the caption the
 * window manager keeps), so edit boxes show what is typed in them. Line breaks
 * in a text are printed as the two characters \n.
 * Exit status: 0 on success, 2 when --client finds no such window.
 */
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <windows.h>

static int g_all;

/* The window listing is built in memory, so --watch can compare two. */
static char *g_list;
static size_t g_list_len, g_list_cap;

static void list_append(const char *text, size_t n) {
    if (g_list_len + n + 1 > g_list_cap) {
        size_t cap = g_list_cap ? g_list_cap : 1 << 16;
        while (cap < g_list_len + n + 1) cap *= 2;
        char *grown = realloc(g_list, cap);
        if (!grown) {
            fputs("wintext: out of memory\n", stderr);
            exit(4);
        }
        g_list = grown;
        g_list_cap = cap;
    }
    memcpy(g_list + g_list_len, text, n);
    g_list_len += n;
    g_list[g_list_len] = 0;
}

static void list_printf(const char *format, ...) {
    char line[512];
    va_list args;
    va_start(args, format);
    int n = vsnprintf(line, sizeof line, format, args);
    va_end(args);
    if (n > 0) list_append(line, (size_t)n < sizeof line ? (size_t)n : sizeof line - 1);
}

static void print_text(const char *text) {
    for (const char *p = text; *p; ++p) {
        if (*p == '\r') continue;
        if (*p == '\n') {
            list_append("\\n", 2);
            continue;
        }
        list_append(*p == '\t' ? " " : p, 1);
    }
}

static void window_text(HWND w, char *buf, int size) {
    DWORD_PTR got = 0;
    buf[0] = 0;
    if (!SendMessageTimeoutA(w, WM_GETTEXT, (WPARAM)size, (LPARAM)buf, SMTO_ABORTIFHUNG, 2000,
                             &got)) {
        GetWindowTextA(w, buf, size);
    }
    buf[size - 1] = 0;
}

static void print_window(const char *kind, HWND w, RECT r) {
    char cls[256], text[8192];
    if (!GetClassNameA(w, cls, sizeof cls)) cls[0] = 0;
    window_text(w, text, sizeof text);
    list_printf("%s\t%s\t%ld,%ld,%ld,%ld\t", kind, cls, r.left, r.top, r.right - r.left,
                r.bottom - r.top);
    print_text(text);
    if (g_all) list_printf("\t%s", IsWindowVisible(w) ? "visible" : "hidden");
    list_append("\n", 1);
}

static void flush_list(void) {
    fwrite(g_list ? g_list : "", 1, g_list_len, stdout);
    g_list_len = 0;
}

static BOOL CALLBACK on_child(HWND w, LPARAM top) {
    RECT r;
    if (!g_all && !IsWindowVisible(w)) return TRUE;
    GetWindowRect(w, &r);
    MapWindowPoints(HWND_DESKTOP, (HWND)top, (POINT *)&r, 2);
    print_window("child", w, r);
    return TRUE;
}

static BOOL CALLBACK on_top(HWND w, LPARAM unused) {
    RECT r;
    (void)unused;
    if (!g_all && !IsWindowVisible(w)) return TRUE;
    GetWindowRect(w, &r);
    print_window("top", w, r);
    EnumChildWindows(w, on_child, (LPARAM)w);
    return TRUE;
}

static int print_focus(const char *title) {
    HWND top = FindWindowA(NULL, title);
    GUITHREADINFO info;
    char cls[256], text[8192];
    RECT r;
    if (!top) {
        fprintf(stderr, "wintext: no window titled \"%s\"\n", title);
        return 2;
    }
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(top, NULL), &info) || !info.hwndFocus) {
        printf("focus\tnone\n");
        return 0;
    }
    GetWindowRect(info.hwndFocus, &r);
    MapWindowPoints(HWND_DESKTOP, top, (POINT *)&r, 2);
    if (!GetClassNameA(info.hwndFocus, cls, sizeof cls)) cls[0] = 0;
    window_text(info.hwndFocus, text, sizeof text);
    list_printf("focus\t%s\t%ld,%ld,%ld,%ld\t", cls, r.left, r.top, r.right - r.left,
                r.bottom - r.top);
    print_text(text);
    if (_stricmp(cls, "Button") == 0)
        list_printf("\t%ld\n", (long)SendMessageA(info.hwndFocus, BM_GETCHECK, 0, 0));
    else
        list_append("\t-\n", 3);
    flush_list();
    return 0;
}

static const char *g_items_class;

/* The items are read as UTF-16 and converted here: Wine passes the ANSI
 * CB_GETLBTEXT between processes without converting the text. */
static BOOL CALLBACK on_combo(HWND w, LPARAM unused) {
    char cls[256], item[8192];
    WCHAR wide[4096];
    LRESULT count, i;
    (void)unused;
    if (!IsWindowVisible(w) || !GetClassNameA(w, cls, sizeof cls) ||
        lstrcmpiA(cls, g_items_class) != 0)
        return TRUE;
    count = SendMessageW(w, CB_GETCOUNT, 0, 0);
    for (i = 0; i < count; ++i) {
        if (SendMessageW(w, CB_GETLBTEXTLEN, (WPARAM)i, 0) >=
            (LRESULT)(sizeof wide / sizeof wide[0]))
            continue;
        wide[0] = 0;
        SendMessageW(w, CB_GETLBTEXT, (WPARAM)i, (LPARAM)wide);
        if (!WideCharToMultiByte(CP_ACP, 0, wide, -1, item, sizeof item, NULL, NULL)) item[0] = 0;
        print_text(item);
        list_append("\n", 1);
    }
    return TRUE;
}

static BOOL CALLBACK on_top_items(HWND w, LPARAM unused) {
    (void)unused;
    if (IsWindowVisible(w)) EnumChildWindows(w, on_combo, 0);
    return TRUE;
}

/* --watch: a new listing every 20 ms, printed only when it changed. Ends
 * after SECONDS, or when the reader has gone (the pipe is closed). */
static int watch(double seconds) {
    char *previous = NULL;
    unsigned snapshot = 0;
    const ULONGLONG end = GetTickCount64() + (ULONGLONG)(seconds * 1000);
    printf("ready\n");
    if (fflush(stdout) != 0) return 0;
    while (GetTickCount64() < end) {
        g_list_len = 0;
        EnumWindows(on_top, 0);
        if (!previous || strcmp(previous, g_list ? g_list : "") != 0) {
            free(previous);
            previous = _strdup(g_list ? g_list : "");
            printf("snapshot %u\n", ++snapshot);
            flush_list();
            if (fflush(stdout) != 0 || ferror(stdout)) break;
        }
        Sleep(20);
    }
    free(previous);
    return 0;
}

int main(int argc, char **argv) {
    setvbuf(stdout, NULL, _IOFBF, 1 << 16);
    if (argc == 3 && strcmp(argv[1], "--focus") == 0) return print_focus(argv[2]);
    if (argc == 3 && strcmp(argv[1], "--items") == 0) {
        g_items_class = argv[2];
        EnumWindows(on_top_items, 0);
        flush_list();
        fflush(stdout);
        return 0;
    }
    if (argc == 3 && strcmp(argv[1], "--client") == 0) {
        HWND w = FindWindowA(NULL, argv[2]);
        RECT c;
        POINT origin = {0, 0};
        if (!w || !GetClientRect(w, &c) || !ClientToScreen(w, &origin)) {
            fprintf(stderr, "wintext: no window titled \"%s\"\n", argv[2]);
            return 2;
        }
        printf("%ld %ld %ld %ld\n", origin.x, origin.y, c.right - c.left, c.bottom - c.top);
        return 0;
    }
    if (argc == 2 && strcmp(argv[1], "--clipboard") == 0) {
        HANDLE data;
        const char *text;
        if (!OpenClipboard(NULL)) return 3;
        data = GetClipboardData(CF_TEXT);
        text = data ? (const char *)GlobalLock(data) : NULL;
        if (text) {
            fwrite(text, 1, strlen(text), stdout);
            GlobalUnlock(data);
        }
        CloseClipboard();
        fflush(stdout);
        return text ? 0 : 3;
    }
    if (argc == 3 && strcmp(argv[1], "--watch") == 0) return watch(atof(argv[2]));
    if (argc == 2 && strcmp(argv[1], "--all") == 0) {
        g_all = 1;
    } else if (argc != 1) {
        fprintf(stderr,
                "usage: wintext.exe [--all | --client TITLE | --focus TITLE | --clipboard | "
                "--items CLASS | --watch SECONDS]\n");
        return 1;
    }
    EnumWindows(on_top, 0);
    flush_list();
    fflush(stdout);
    return 0;
}
