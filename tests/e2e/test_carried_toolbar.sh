#!/usr/bin/env bash
# The toolbar stand-in Torvane_toolbar.exe: started as the setup starts it
# ("/s -silent") it shows nothing, records the run in
# %LOCALAPPDATA%\Torvane Toolbar stand-in\ran.txt and ends with 0; started
# otherwise it says that it is a stand-in that installs nothing.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_begin carried_toolbar
source "$(dirname "${BASH_SOURCE[0]}")/carried-lib.sh"

FOLDER_WIN='C:\Program Files\Torvane P2P'
TOOLBAR_WIN="$FOLDER_WIN\\Torvane_toolbar.exe"
MARKER=$(e2e_unix_path "C:\\users\\$E2E_USER\\AppData\\Local\\Torvane Toolbar stand-in\\ran.txt")
NOTICE_RE='^Torvane Toolbar \(stand-in\)$'
carried_put Torvane_toolbar.exe "$FOLDER_WIN"

# --- silent: a marker, no window ------------------------------------------------------
# It must end by itself: the notice is a message box that would keep it
# running until someone pressed a key.
e2e_start_exe "$TOOLBAR_WIN" /S -Silent
e2e_expect_exit 0 20
[[ -f $MARKER ]] || e2e_fail "no marker $MARKER after the silent run"
e2e_log "marker: $(tr -d '\r' <"$MARKER" | paste -sd '|')"
grep -q $'^Command line: .*Torvane_toolbar\\.exe"\\? /S -Silent\r$' "$MARKER" ||
    e2e_fail "the marker does not hold the command line: $(cat "$MARKER")"
grep -qE $'^Local time: [0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2}\r$' "$MARKER" ||
    e2e_fail "the marker does not hold the time: $(cat "$MARKER")"

# --- anything else: the notice, and no marker ---------------------------------------------
rm -f "$MARKER"
for args in "" "/s" "-silent /s"; do
    # shellcheck disable=SC2086 # the parameters are split on purpose
    e2e_start_exe "$TOOLBAR_WIN" $args
    e2e_find_window "$NOTICE_RE"
    e2e_wait_text "$(line_re 'This program is a stand-in for the browser-toolbar installer that the real Torvane P2P setup offers\..*installs nothing.*')" 10
    [[ -n $args ]] || e2e_shot notice
    e2e_key Return
    e2e_expect_exit 0 10
    [[ ! -e $MARKER ]] || e2e_fail "parameters '$args' wrote the marker"
done
