#pragma once
/* The toolbar stand-in's decisions, free of Windows and of the C++ run-time:
   when it runs silently, where it records that it ran, what it records and
   what it says otherwise. Plain C, so that the stand-in, which a real setup
   replaces by a third party's installer, costs the download a few KiB and not
   a C++ run-time. */
#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Below the user's local application-data folder. */
#define TORVANE_TOOLBAR_MARKER_FOLDER "Torvane Toolbar stand-in"
#define TORVANE_TOOLBAR_MARKER_FILE "ran.txt"

struct TorvaneToolbarTime {
    int year, month, day, hour, minute, second;
};

/* The setup starts the toolbar installer with exactly "/s -silent" (in that
   order, any letter case): the stand-in then shows nothing and only records
   the run. `params` are the parameters after the program's own name. Returns
   1 for a silent run, 0 otherwise. */
int TorvaneToolbarIsSilentParams(size_t count, const char* const* params);

/* The same decision on a whole command line (program name first), split the
   way the run-time's parameter list is: blanks (any character up to a space)
   separate parameters, double quotes group blanks and are dropped. */
int TorvaneToolbarIsSilentCommandLine(const char* commandLine);

/* Writes the marker file's text (CR LF lines: what ran, with which command
   line, when) into `out`, at most `capacity` bytes with the closing NUL;
   with a capacity of 0 `out` may be NULL. Returns the length of the whole
   text without the NUL, as snprintf does: a result >= capacity means `out`
   holds a cut-off copy. */
size_t TorvaneToolbarMarkerText(char* out, size_t capacity, const char* commandLine,
                                const struct TorvaneToolbarTime* time);

/* The title and text of the notice shown when started without the silent
   parameters. */
const char* TorvaneToolbarNoticeTitle(void);
const char* TorvaneToolbarNoticeText(void);

#ifdef __cplusplus
}
#endif
