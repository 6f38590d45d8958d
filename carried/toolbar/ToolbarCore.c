#include "toolbar/ToolbarCore.h"

#include <string.h>

#include "common/CarriedVersion.h"

static char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? (char)(c - 'A' + 'a') : c; }

/* True if `text` (of `length` bytes) is `word` in any letter case. */
static int SameWord(const char* text, size_t length, const char* word) {
    size_t i;
    if (length != strlen(word)) return 0;
    for (i = 0; i < length; ++i)
        if (LowerAscii(text[i]) != LowerAscii(word[i])) return 0;
    return 1;
}

static int IsBlank(char c) { return (unsigned char)c <= ' '; }

int TorvaneToolbarIsSilentParams(size_t count, const char* const* params) {
    return count == 2 && SameWord(params[0], strlen(params[0]), "/s") &&
           SameWord(params[1], strlen(params[1]), "-silent");
}

/* Reads the parameter at *cursor and moves past it. Keeps its first
   `capacity` bytes (quotes dropped) in `kept`, sets *length to its whole
   length. Returns 0 when no parameter is left. */
static int NextParam(const char** cursor, char* kept, size_t capacity, size_t* length) {
    const char* p = *cursor;
    int quoted = 0;
    while (*p && IsBlank(*p)) ++p;
    if (!*p) return 0;
    *length = 0;
    for (; *p && (quoted || !IsBlank(*p)); ++p) {
        if (*p == '"') {
            quoted = !quoted;
            continue;
        }
        if (*length < capacity) kept[*length] = *p;
        ++*length;
    }
    *cursor = p;
    return 1;
}

int TorvaneToolbarIsSilentCommandLine(const char* commandLine) {
    /* Only two short words can make a silent run, so no parameter needs to be
       kept whole: a longer one is never equal to either. */
    static const char* const kWords[2] = {"/s", "-silent"};
    char kept[8];
    size_t length = 0;
    size_t index = 0;
    const char* cursor = commandLine;
    if (!NextParam(&cursor, kept, sizeof kept, &length)) return 0; /* the program */
    while (NextParam(&cursor, kept, sizeof kept, &length)) {
        if (index >= 2 || length > sizeof kept || !SameWord(kept, length, kWords[index])) return 0;
        ++index;
    }
    return index == 2;
}

/* Appends to a buffer of fixed capacity, counting what does not fit. */
struct Writer {
    char* out;
    size_t capacity;
    size_t length;
};

static void Put(struct Writer* w, const char* text, size_t length) {
    size_t i;
    for (i = 0; i < length; ++i, ++w->length)
        if (w->length + 1 < w->capacity) w->out[w->length] = text[i];
}

static void PutText(struct Writer* w, const char* text) { Put(w, text, strlen(text)); }

/* A number of at least `width` digits, zeros in front, as "%0*d" writes it. */
static void PutNumber(struct Writer* w, int value, int width) {
    char digits[16];
    int count = 0;
    unsigned magnitude = value < 0 ? 0u - (unsigned)value : (unsigned)value;
    do {
        digits[sizeof digits - 1 - count++] = (char)('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0) --width;
    while (count < width && count < (int)sizeof digits - 1)
        digits[sizeof digits - 1 - count++] = '0';
    if (value < 0) Put(w, "-", 1);
    Put(w, digits + sizeof digits - count, (size_t)count);
}

size_t TorvaneToolbarMarkerText(char* out, size_t capacity, const char* commandLine,
                                const struct TorvaneToolbarTime* t) {
    struct Writer w;
    w.out = out;
    w.capacity = out ? capacity : 0;
    w.length = 0;
    PutText(&w, "Torvane toolbar stand-in ran silently; it installed nothing.\r\n");
    PutText(&w, "Command line: ");
    PutText(&w, commandLine);
    PutText(&w, "\r\nLocal time: ");
    PutNumber(&w, t->year, 4);
    PutText(&w, "-");
    PutNumber(&w, t->month, 2);
    PutText(&w, "-");
    PutNumber(&w, t->day, 2);
    PutText(&w, " ");
    PutNumber(&w, t->hour, 2);
    PutText(&w, ":");
    PutNumber(&w, t->minute, 2);
    PutText(&w, ":");
    PutNumber(&w, t->second, 2);
    PutText(&w, "\r\n");
    if (w.capacity > 0) w.out[w.length < w.capacity ? w.length : w.capacity - 1] = '\0';
    return w.length;
}

const char* TorvaneToolbarNoticeTitle(void) { return "Torvane Toolbar (stand-in)"; }

const char* TorvaneToolbarNoticeText(void) {
    return "This program is a stand-in for the browser-toolbar installer that the real " TORVANE_CARRIED_PRODUCT
           " setup offers.\n\n"
           "It installs nothing and changes nothing on this computer. Started by the setup with \"/s -silent\", it only records that it ran.";
}
