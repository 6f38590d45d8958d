# Shared harness of the end-to-end scenarios: source it from a test_*.sh.
#
# A scenario runs the real Install_Torvane.exe under Wine in a throw-away copy
# of a pristine prefix, on its own Xvfb display with openbox (without a window
# manager windowactivate fails and message boxes get no focus), presses keys
# with xdotool, and checks screenshots, the Win32 windows (through wintext.exe)
# and files in the prefix.
#
# Environment (ctest sets all of these; defaults suit a manual run from the
# repository after scripts/build.sh):
#   TORVANE_EXE         the setup program        (build/cross/Install_Torvane.exe)
#   TORVANE_CROSS_DIR   wintext.exe, plant_marker.dll, plant_probe.exe (build/cross,
#                       or build/cross64 on the x64 route: see wine-route.sh)
#   TORVANE_E2E_ROUTE   win32 or x64 (ctest sets it; by hand scripts/host-route.sh decides)
#   TORVANE_E2E_DIR     work folder              (build/e2e)
#   TORVANE_LOOPBACK_EXE the test-only copy of the setup whose error reports go
#                       to http://127.0.0.1:$TORVANE_E2E_REPORT_PORT/
#                       (build/cross/Install_Torvane_loopback.exe)
#   TORVANE_E2E_REPORT_PORT  that port (47613, the build's default)
#   E2E_KEEP=1          keep the scenario's prefix even when it passes
#
# Layout under $TORVANE_E2E_DIR:
#   pristine/prefix          made once (wineboot), reused while Wine's version holds
#                            (pristine64/prefix on the x64 route)
#   work/<scenario>/prefix   the scenario's copy; deleted when the scenario passes
#   work/<scenario>/home     HOME for Wine, so the real home folder stays untouched
#   artifacts/<scenario>/    NN-name.png screenshots, app.log, wintext dumps
#
# Every function fails the scenario (exit 1, with a reason) when its check fails;
# the EXIT trap stops Wine, openbox and Xvfb and says PASS or FAIL.

set -euo pipefail

E2E_SOURCE_DIR=${TORVANE_SOURCE_DIR:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}
E2E_DIR=${TORVANE_E2E_DIR:-$E2E_SOURCE_DIR/build/e2e}
source "$E2E_SOURCE_DIR/tests/e2e/wine-route.sh"
E2E_CROSS_DIR=${TORVANE_CROSS_DIR:-$E2E_DEFAULT_CROSS_DIR}
E2E_EXE=${TORVANE_EXE:-$E2E_CROSS_DIR/Install_Torvane.exe}
E2E_LOOPBACK_EXE=${TORVANE_LOOPBACK_EXE:-$E2E_CROSS_DIR/Install_Torvane_loopback.exe}
E2E_REPORT_PORT=${TORVANE_E2E_REPORT_PORT:-47613}
E2E_TITLE='Install Torvane P2P 4.43'
E2E_TITLE_RE='^Install Torvane P2P 4\.43$'
E2E_BASE_OVERRIDES='mscoree,mshtml=;winemenubuilder.exe=d'

export WINEDEBUG=-all WINEDLLOVERRIDES=$E2E_BASE_OVERRIDES
unset WINELOADERNOEXEC 2>/dev/null || true

e2e_log() { echo "[$(date +%T)] ${E2E_NAME:-e2e}: $*"; }

e2e_fail() {
    echo "FAIL: ${E2E_NAME:-e2e}: $*" >&2
    exit 1
}

# ---------------------------------------------------------------------------
# Prefixes
# ---------------------------------------------------------------------------

# e2e_pristine_prefix [COPY_TO]: makes $E2E_DIR/pristine/prefix unless one
# for this Wine version is there, then copies it to COPY_TO if given.
# Serialised with a lock so parallel runs never build it twice or copy a
# half-made one.
e2e_pristine_prefix() {
    local root=$E2E_PRISTINE_ROOT version copy_to=${1:-}
    mkdir -p "$root"
    # The Wine version and the layout of what is added below.
    version="$(wine --version) $WINEARCH (Tahoma, MS Sans Serif bitmap, no Z:)"
    (
        flock -w 300 9 || e2e_fail "timed out waiting for the pristine prefix lock"
        if [[ -f $root/stamp && $(cat "$root/stamp") == "$version" && -d $root/prefix ]]; then
            [[ -z $copy_to ]] || cp -a "$root/prefix" "$copy_to"
            exit 0
        fi
        e2e_log "making a pristine Wine prefix ($version)"
        rm -rf "$root/prefix" "$root/prefix.tmp" "$root/home"
        mkdir -p "$root/home"
        # Without a display: wineboot with one opens a "Wine" window that
        # confuses window searches.
        env -u DISPLAY WINEPREFIX="$root/prefix.tmp" HOME="$root/home" wineboot -i
        WINEPREFIX="$root/prefix.tmp" HOME="$root/home" wineserver -w
        local users=$root/prefix.tmp/drive_c/users u d
        for u in "$users"/*; do
            [[ $(basename "$u") == Public ]] && continue
            # The user folders are symlinks into HOME: make them real folders.
            for d in Desktop Documents Downloads Music Pictures Videos; do
                if [[ -L $u/$d || ! -e $u/$d ]]; then rm -f "$u/$d"; mkdir "$u/$d"; fi
            done
        done
        # Z: maps the whole Linux file system as a fixed disk; the setup's
        # search for installed copies walks every fixed disk.
        rm -f "$root/prefix.tmp/dosdevices/z:"
        # The layouts' "MS Sans Serif" is the bitmap font sserife.fon, as on
        # Windows; Tahoma stands in at the sizes it has no bitmap for. Debian's
        # Wine 8 finds neither of fonts-wine's files on its own (it falls
        # back to the much wider DejaVu Sans, which cuts the texts); in the
        # Fonts folder it does.
        local font
        for font in /usr/share/wine/fonts/sserife.fon /usr/share/wine/fonts/tahoma.ttf \
                    /usr/share/wine/fonts/tahomabd.ttf; do
            [[ -f $font ]] || e2e_fail "no $font (Debian package fonts-wine)"
            cp "$font" "$root/prefix.tmp/drive_c/windows/Fonts/"
        done
        mv "$root/prefix.tmp" "$root/prefix"
        echo "$version" >"$root/stamp"
        [[ -z $copy_to ]] || cp -a "$root/prefix" "$copy_to"
    ) 9>"$root.lock"
}

# The Windows user name Wine chose for this prefix (its folder under C:\users).
e2e_wine_user() {
    local u
    for u in "$WINEPREFIX"/drive_c/users/*; do
        [[ $(basename "$u") == Public ]] || { basename "$u"; return; }
    done
    e2e_fail "no user folder in $WINEPREFIX"
}

# Unix path inside the prefix for a Windows path on C: (C:\a\b -> .../drive_c/a/b).
e2e_unix_path() {
    local p=${1//\\//}
    [[ $p =~ ^[cC]:(/.*)?$ ]] || e2e_fail "e2e_unix_path: not a C: path: $1"
    echo "$WINEPREFIX/drive_c${p:2}"
}

# ---------------------------------------------------------------------------
# Display: Xvfb on a free display number, openbox on top
# ---------------------------------------------------------------------------
E2E_XVFB_PID=
E2E_WM_PID=

e2e_display_start() {
    local fdfile=$E2E_WORK/display.num i
    : >"$fdfile"
    # 8>&-: the display must not hold the scenario lock; a leftover server
    # would otherwise block every later scenario.
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$fdfile" \
        >"$E2E_WORK/xvfb.log" 2>&1 8>&- &
    E2E_XVFB_PID=$!
    for ((i = 0; i < 100; i++)); do
        [[ -s $fdfile ]] && break
        kill -0 "$E2E_XVFB_PID" 2>/dev/null || e2e_fail "Xvfb did not start: $(cat "$E2E_WORK/xvfb.log")"
        sleep 0.1
    done
    [[ -s $fdfile ]] || e2e_fail "Xvfb gave no display number"
    export DISPLAY=:$(tr -d '[:space:]' <"$fdfile")
    openbox --sm-disable >"$E2E_WORK/openbox.log" 2>&1 8>&- &
    E2E_WM_PID=$!
    for ((i = 0; i < 100; i++)); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
        sleep 0.1
    done
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' ||
        e2e_fail "openbox did not come up on $DISPLAY"
    e2e_log "display $DISPLAY (Xvfb $E2E_XVFB_PID, openbox $E2E_WM_PID)"
}

e2e_display_stop() {
    [[ -n $E2E_WM_PID ]] && kill "$E2E_WM_PID" 2>/dev/null || true
    [[ -n $E2E_XVFB_PID ]] && kill "$E2E_XVFB_PID" 2>/dev/null || true
    [[ -n $E2E_WM_PID ]] && wait "$E2E_WM_PID" 2>/dev/null || true
    [[ -n $E2E_XVFB_PID ]] && wait "$E2E_XVFB_PID" 2>/dev/null || true
    E2E_WM_PID= E2E_XVFB_PID=
}

# ---------------------------------------------------------------------------
# Scenario life cycle
# ---------------------------------------------------------------------------
E2E_SHOT_NO=0
E2E_APP_PID=

# e2e_begin NAME: fresh prefix copy, own display, the setup copied into the
# user's Downloads folder (where a downloaded setup runs from).
e2e_begin() {
    E2E_NAME=$1
    E2E_WORK=$E2E_DIR/work/$E2E_NAME
    E2E_ART=$E2E_DIR/artifacts/$E2E_NAME
    [[ -f $E2E_EXE ]] || e2e_fail "no setup program at $E2E_EXE (build the cross tree)"
    [[ -f $E2E_CROSS_DIR/wintext.exe ]] || e2e_fail "no wintext.exe in $E2E_CROSS_DIR"
    # One scenario at a time per work folder, also across separate test runs
    # (several people may run the tests in one tree): the lock is held until
    # the scenario's script ends.
    mkdir -p "$E2E_DIR"
    exec 8>"$E2E_DIR/scenario.lock"
    flock -w 240 8 || e2e_fail "another scenario held $E2E_DIR/scenario.lock for 240 s"
    if [[ -d $E2E_WORK/prefix ]]; then
        WINEPREFIX=$E2E_WORK/prefix wineserver -k 2>/dev/null || true
    fi
    # A full drive left mounted by a killed run (see e2e_full_drive).
    if mountpoint -q "$E2E_WORK/full-disk" 2>/dev/null; then umount -l "$E2E_WORK/full-disk"; fi
    rm -rf "$E2E_WORK" "$E2E_ART"
    mkdir -p "$E2E_WORK/home" "$E2E_ART"
    trap e2e_end EXIT
    e2e_pristine_prefix "$E2E_WORK/prefix"
    export WINEPREFIX=$E2E_WORK/prefix HOME=$E2E_WORK/home
    export XDG_CONFIG_HOME=$HOME/.config XDG_DATA_HOME=$HOME/.local/share XDG_CACHE_HOME=$HOME/.cache
    E2E_USER=$(e2e_wine_user)
    E2E_DOWNLOADS_WIN="C:\\users\\$E2E_USER\\Downloads"
    E2E_DOWNLOADS=$(e2e_unix_path "$E2E_DOWNLOADS_WIN")
    E2E_EXE_WIN="$E2E_DOWNLOADS_WIN\\Install_Torvane.exe"
    cp "$E2E_EXE" "$E2E_DOWNLOADS/Install_Torvane.exe"
    mkdir -p "$WINEPREFIX/drive_c/e2e"
    cp "$E2E_CROSS_DIR/wintext.exe" "$WINEPREFIX/drive_c/e2e/"
    e2e_display_start
    e2e_log "prefix $WINEPREFIX, artifacts $E2E_ART"
}

e2e_end() {
    local rc=$?
    set +e
    if [[ -n ${WINEPREFIX:-} ]]; then
        if [[ $rc != 0 && -n $E2E_XVFB_PID ]]; then
            timeout 10 import -window root "$E2E_ART/zz-at-failure.png" 2>/dev/null
            e2e_wintext >"$E2E_ART/zz-at-failure-windows.txt" 2>&1
        fi
        wineserver -k 2>/dev/null
        wineserver -w 2>/dev/null
    fi
    [[ -n $E2E_APP_PID ]] && wait "$E2E_APP_PID" 2>/dev/null
    e2e_watch_stop
    e2e_report_server_stop
    e2e_display_stop
    if [[ $rc == 0 ]]; then
        [[ ${E2E_KEEP:-0} == 1 ]] || rm -rf "$E2E_WORK/prefix"
        echo "PASS: $E2E_NAME"
    else
        echo "FAIL: $E2E_NAME (exit $rc); prefix kept in $E2E_WORK/prefix, pictures in $E2E_ART" >&2
    fi
    exit "$rc"
}

# ---------------------------------------------------------------------------
# The program
# ---------------------------------------------------------------------------

# e2e_start [ARGS...]: runs the setup from Downloads in the background (its
# working folder is Downloads, as when started from Explorer). Its exit code
# lands in $E2E_WORK/exit.code.
e2e_start() {
    e2e_start_exe "$E2E_EXE_WIN" "$@"
}

# e2e_start_exe WINPATH [ARGS...]: the same for any program in the prefix.
e2e_start_exe() {
    local exe=$1
    shift
    rm -f "$E2E_WORK/exit.code"
    (
        cd "$(dirname "$(e2e_unix_path "$exe")")"
        set +e
        wine "$exe" "$@" >>"$E2E_ART/app.log" 2>&1
        echo $? >"$E2E_WORK/exit.code"
    ) &
    E2E_APP_PID=$!
    e2e_log "started $exe $*"
}

# e2e_wait_exit [SECONDS]: waits for the program started last; sets E2E_EXIT_CODE.
e2e_wait_exit() {
    local limit=${1:-10}
    local deadline=$((SECONDS + limit))
    while [[ ! -s $E2E_WORK/exit.code ]]; do
        ((SECONDS < deadline)) || e2e_fail "program still running after $limit s"
        sleep 0.2
    done
    wait "$E2E_APP_PID" 2>/dev/null || true
    E2E_APP_PID=
    E2E_EXIT_CODE=$(cat "$E2E_WORK/exit.code")
}

# e2e_expect_exit CODE [SECONDS]
e2e_expect_exit() {
    e2e_wait_exit "${2:-10}"
    [[ $E2E_EXIT_CODE == "$1" ]] || e2e_fail "exit code $E2E_EXIT_CODE, want $1"
    e2e_log "program ended with exit code $E2E_EXIT_CODE"
}

# e2e_find_window [REGEX]: waits (20 s) for a top-level X window whose name
# matches (default: the setup's title) and sets E2E_WIN to it.
e2e_find_window() {
    local re=${1:-$E2E_TITLE_RE} ids
    ids=$(timeout 20 xdotool search --sync --onlyvisible --name "$re" 2>/dev/null) ||
        e2e_fail "no window matching '$re' within 20 s"
    E2E_WIN=$(head -n1 <<<"$ids")
    e2e_log "window $E2E_WIN matches '$re'"
}

# e2e_key KEY...: activates the setup's window and presses the keys, e.g. alt+n.
e2e_key() {
    [[ -n ${E2E_WIN:-} ]] || e2e_fail "e2e_key before e2e_find_window"
    timeout 10 xdotool windowactivate --sync "$E2E_WIN" key --delay 50 "$@" ||
        e2e_fail "could not press $* in window $E2E_WIN"
    e2e_log "pressed $*"
}

# e2e_key_focused KEY...: presses keys in whatever has the focus (a message box).
e2e_key_focused() {
    timeout 10 xdotool key --delay 50 "$@" || e2e_fail "could not press $*"
    e2e_log "pressed $* (focused window)"
}

# e2e_type TEXT: types text into the focused control.
e2e_type() {
    timeout 20 xdotool type --delay 30 -- "$1" || e2e_fail "could not type '$1'"
}

# ---------------------------------------------------------------------------
# Win32 windows, through wintext.exe (see tests/e2e/wintext.c)
# ---------------------------------------------------------------------------

# e2e_wintext [--all | --client TITLE | --focus TITLE | --clipboard | --items CLASS]: prints the windows
# (or a combo box's items); CRs stripped.
e2e_wintext() {
    (cd "$WINEPREFIX/drive_c/e2e" && timeout 20 wine 'C:\e2e\wintext.exe' "$@") | tr -d '\r'
    return "${PIPESTATUS[0]}"
}

# e2e_expect_focus REGEX: the setup's focused window, as wintext --focus
# prints it ("focus<TAB>class<TAB>x,y,w,h<TAB>text<TAB>check state"), matches.
e2e_expect_focus() {
    local out
    out=$(e2e_wintext --focus "${E2E_TITLE}") || e2e_fail "wintext --focus failed: $out"
    grep -qE -- "$1" <<<"$out" || e2e_fail "focus is on '$out', want /$1/"
    e2e_log "focus on /$1/"
}

# e2e_wait_text REGEX [SECONDS]: waits until some visible window line matches
# (extended regex over "kind<TAB>class<TAB>x,y,w,h<TAB>text" lines).
e2e_wait_text() {
    local deadline=$((SECONDS + ${2:-10})) out
    while :; do
        out=$(e2e_wintext || true)
        grep -qE -- "$1" <<<"$out" && { e2e_log "found text /$1/"; return 0; }
        if ((SECONDS >= deadline)); then
            echo "$out" >"$E2E_ART/wintext-missing.txt"
            e2e_fail "no window text matching /$1/ within ${2:-10} s (seen: $E2E_ART/wintext-missing.txt)"
        fi
        sleep 0.3
    done
}

# e2e_watch_start [SECONDS]: starts wintext.exe --watch (default 120 s) in the
# background and returns once it polls. Each listing that differs from the one
# before lands in $E2E_WORK/watch.txt, so a text that shows only briefly after
# the next action cannot slip between two looks, however loaded the machine.
E2E_WATCH_PID=
e2e_watch_start() {
    local limit=${1:-120} deadline
    e2e_watch_stop
    : >"$E2E_WORK/watch.txt"
    (cd "$WINEPREFIX/drive_c/e2e" &&
        exec timeout $((limit + 15)) wine 'C:\e2e\wintext.exe' --watch "$limit") \
        >"$E2E_WORK/watch.txt" 2>>"$E2E_ART/watch.log" &
    E2E_WATCH_PID=$!
    deadline=$((SECONDS + 60))
    until tr -d '\r' <"$E2E_WORK/watch.txt" | grep -qx ready; do
        ((SECONDS < deadline)) || e2e_fail "wintext --watch did not start within 60 s"
        kill -0 "$E2E_WATCH_PID" 2>/dev/null || e2e_fail "wintext --watch ended at once: $(cat "$E2E_ART/watch.log")"
        sleep 0.1
    done
    e2e_log "watching the windows"
}

e2e_watch_stop() {
    [[ -n $E2E_WATCH_PID ]] || return 0
    pkill -P "$E2E_WATCH_PID" 2>/dev/null || true
    kill "$E2E_WATCH_PID" 2>/dev/null || true
    wait "$E2E_WATCH_PID" 2>/dev/null || true
    E2E_WATCH_PID=
}

# e2e_watch_lines REGEX: every line the watch has seen so far that matches.
e2e_watch_lines() {
    tr -d '\r' <"$E2E_WORK/watch.txt" | grep -E -- "$1" || true
}

# e2e_watch_wait REGEX [SECONDS]: waits until the watch has seen a line that
# matches (extended regex over wintext lines), whether or not it still shows.
e2e_watch_wait() {
    local deadline=$((SECONDS + ${2:-10}))
    while :; do
        [[ -n $(e2e_watch_lines "$1") ]] && { e2e_log "the watch saw /$1/"; return 0; }
        if ((SECONDS >= deadline)); then
            cp "$E2E_WORK/watch.txt" "$E2E_ART/watch-missing.txt"
            e2e_fail "the watch saw no line matching /$1/ within ${2:-10} s (seen: $E2E_ART/watch-missing.txt)"
        fi
        sleep 0.2
    done
}

# e2e_dump_windows NAME: saves the window list as an artefact.
e2e_dump_windows() {
    # Counted outside $(...): a subshell's increment would be lost.
    E2E_SHOT_NO=$((E2E_SHOT_NO + 1))
    e2e_wintext --all >"$E2E_ART/$(printf %02d "$E2E_SHOT_NO")-$1-windows.txt"
}

# e2e_client_rect [TITLE]: sets E2E_CX E2E_CY (client origin on the screen)
# and E2E_CW E2E_CH (client size) of the top-level window titled TITLE.
e2e_client_rect() {
    local out
    out=$(e2e_wintext --client "${1:-$E2E_TITLE}") || e2e_fail "no window titled '${1:-$E2E_TITLE}'"
    read -r E2E_CX E2E_CY E2E_CW E2E_CH <<<"$out"
    e2e_log "client area at $E2E_CX,$E2E_CY size ${E2E_CW}x$E2E_CH"
}

# ---------------------------------------------------------------------------
# Screenshots and pixels
# ---------------------------------------------------------------------------

# e2e_shot NAME: screenshot of the whole screen into artifacts/NN-NAME.png;
# E2E_SHOT names it for the pixel probes.
e2e_shot() {
    E2E_SHOT_NO=$((E2E_SHOT_NO + 1))
    E2E_SHOT=$E2E_ART/$(printf %02d "$E2E_SHOT_NO")-$1.png
    timeout 10 import -window root "$E2E_SHOT" || e2e_fail "screenshot $1 failed"
    e2e_log "screenshot $E2E_SHOT"
}

# e2e_pixel X Y: "R G B" of the last screenshot at client coordinates X,Y
# (needs e2e_client_rect first).
e2e_pixel() {
    local x=$((E2E_CX + $1)) y=$((E2E_CY + $2)) hex
    hex=$(convert "$E2E_SHOT" -crop "1x1+$x+$y" -depth 8 txt:- | grep -oE '#[0-9A-Fa-f]{6}' | head -n1)
    [[ -n $hex ]] || e2e_fail "no pixel at screen $x,$y in $E2E_SHOT"
    echo "$((16#${hex:1:2})) $((16#${hex:3:2})) $((16#${hex:5:2}))"
}

# e2e_expect_pixel X Y R G B [TOLERANCE] [WHAT]: the pixel at client X,Y has
# that colour, each channel within TOLERANCE (default 0).
e2e_expect_pixel() {
    local x=$1 y=$2 r=$3 g=$4 b=$5 tol=${6:-0} what=${7:-pixel} pr pg pb
    read -r pr pg pb <<<"$(e2e_pixel "$x" "$y")"
    if ((${pr} - r > tol || r - ${pr} > tol || pg - g > tol || g - pg > tol ||
         pb - b > tol || b - pb > tol)); then
        e2e_fail "$what at client $x,$y is ($pr,$pg,$pb), want ($r,$g,$b) in $E2E_SHOT"
    fi
    e2e_log "$what at client $x,$y is ($pr,$pg,$pb)"
}

# e2e_wait_pixel NAME X Y R G B [SECONDS]: takes screenshots (artifacts/NN-NAME.png,
# the last one kept as E2E_SHOT) until the pixel at client X,Y has exactly that
# colour, e.g. once a panel has been painted.
e2e_wait_pixel() {
    local name=$1 x=$2 y=$3 r=$4 g=$5 b=$6 limit=${7:-10} deadline pr pg pb
    deadline=$((SECONDS + limit))
    while :; do
        E2E_SHOT=$E2E_ART/$(printf %02d $((E2E_SHOT_NO + 1)))-$name.png
        timeout 10 import -window root "$E2E_SHOT" || e2e_fail "screenshot $name failed"
        read -r pr pg pb <<<"$(e2e_pixel "$x" "$y")"
        if [[ "$pr $pg $pb" == "$r $g $b" ]]; then
            E2E_SHOT_NO=$((E2E_SHOT_NO + 1))
            e2e_log "screenshot $E2E_SHOT: client $x,$y is ($r,$g,$b)"
            return 0
        fi
        ((SECONDS < deadline)) ||
            e2e_fail "client $x,$y still ($pr,$pg,$pb) after $limit s, want ($r,$g,$b) in $E2E_SHOT"
        sleep 0.3
    done
}

# e2e_find_pixel_near X Y R G B RADIUS: true if some pixel within RADIUS of
# client X,Y has exactly that colour (for 1-pixel outlines).
e2e_find_pixel_near() {
    local x=$1 y=$2 r=$3 g=$4 b=$5 rad=$6 want
    want=$(printf '#%02X%02X%02X' "$r" "$g" "$b")
    convert "$E2E_SHOT" -crop "$((2 * rad + 1))x$((2 * rad + 1))+$((E2E_CX + x - rad))+$((E2E_CY + y - rad))" \
        -depth 8 txt:- | grep -qi -- "$want"
}

# ---------------------------------------------------------------------------
# Files and registry
# ---------------------------------------------------------------------------

# e2e_wait_file UNIX_PATH [SECONDS]: waits until the file exists.
e2e_wait_file() {
    local deadline=$((SECONDS + ${2:-10}))
    until [[ -e $1 ]]; do
        ((SECONDS < deadline)) || e2e_fail "no $1 after ${2:-10} s"
        sleep 0.2
    done
}

# e2e_reg_query KEY NAME: prints the value's data (REG_SZ etc.), or fails when
# the value is missing. Reads the live registry through the prefix's wineserver.
e2e_reg_query() {
    local out
    out=$(timeout 30 wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r') ||
        e2e_fail "registry value $1\\$2 is missing"
    # Lines look like "    NAME    REG_SZ    data" (four spaces between fields).
    local line
    while IFS= read -r line; do
        line=${line#"${line%%[! ]*}"}
        if [[ ${line,,} == "${2,,}    reg_"* ]]; then
            line=${line:${#2}+4}
            echo "${line#REG_*    }"
            return 0
        fi
    done <<<"$out"
    e2e_fail "registry value $1\\$2 not in: $out"
}

# ---------------------------------------------------------------------------
# The error-report server (tests/e2e/report_server.py)
# ---------------------------------------------------------------------------
E2E_REPORT_PID=

# e2e_report_port_lock: takes the machine-wide lock of the report port, so
# that scenarios of another build tree neither share the server nor make an
# "unreachable" server reachable. Held until the scenario's script ends.
e2e_report_port_lock() {
    exec 7>"/tmp/torvane-e2e-report-$E2E_REPORT_PORT.lock"
    flock -w 240 7 || e2e_fail "another scenario held port $E2E_REPORT_PORT for 240 s"
    if (exec 3<>"/dev/tcp/127.0.0.1/$E2E_REPORT_PORT") 2>/dev/null; then
        e2e_fail "something else listens on 127.0.0.1:$E2E_REPORT_PORT (set TORVANE_E2E_REPORT_PORT)"
    fi
}

# e2e_report_server_start [--silent]: the server on the loopback setup's
# report port; the request lines it receives go to $E2E_REPORT_LOG. A silent
# one takes connections and never answers.
e2e_report_server_start() {
    e2e_report_port_lock
    E2E_REPORT_LOG=$E2E_ART/report-requests.log
    : >"$E2E_REPORT_LOG"
    python3 "$E2E_SOURCE_DIR/tests/e2e/report_server.py" "$E2E_REPORT_PORT" "$E2E_REPORT_LOG" "$@" \
        >"$E2E_WORK/report-server.out" 2>&1 7>&- 8>&- &
    E2E_REPORT_PID=$!
    local deadline=$((SECONDS + 10))
    until grep -q listening "$E2E_WORK/report-server.out" 2>/dev/null; do
        kill -0 "$E2E_REPORT_PID" 2>/dev/null ||
            e2e_fail "the report server did not start: $(cat "$E2E_WORK/report-server.out")"
        ((SECONDS < deadline)) || e2e_fail "the report server did not listen within 10 s"
        sleep 0.1
    done
    e2e_log "report server on 127.0.0.1:$E2E_REPORT_PORT (pid $E2E_REPORT_PID)"
}

e2e_report_server_stop() {
    [[ -n ${E2E_REPORT_PID:-} ]] || return 0
    kill "$E2E_REPORT_PID" 2>/dev/null || true
    wait "$E2E_REPORT_PID" 2>/dev/null || true
    E2E_REPORT_PID=
}

# e2e_wait_requests COUNT [SECONDS]: waits until the server has logged COUNT
# requests, then fails if more arrive within a second.
e2e_wait_requests() {
    local want=$1 deadline=$((SECONDS + ${2:-15})) got
    while :; do
        got=$(wc -l <"$E2E_REPORT_LOG")
        ((got >= want)) && break
        ((SECONDS < deadline)) || e2e_fail "the report server got $got requests, want $want"
        sleep 0.2
    done
    sleep 1
    got=$(wc -l <"$E2E_REPORT_LOG")
    ((got == want)) || e2e_fail "the report server got $got requests, want $want: $(cat "$E2E_REPORT_LOG")"
    e2e_log "the report server got $want request(s)"
}

# e2e_report_value N KEY: the decoded value of KEY in request line N (1-based).
e2e_report_value() {
    sed -n "${1}p" "$E2E_REPORT_LOG" | python3 -c '
import sys, urllib.parse
line = sys.stdin.read().split(" ")[1]
query = urllib.parse.urlsplit(line).query
fields = urllib.parse.parse_qsl(query, keep_blank_values=True, encoding="latin-1")
want = [f[1] for f in fields if f[0] == sys.argv[1]]
sys.stdout.write(want[0] if want else "<missing>")
' "$2"
}

# e2e_report_keys N: the keys of request line N in order, comma separated.
e2e_report_keys() {
    sed -n "${1}p" "$E2E_REPORT_LOG" | python3 -c '
import sys, urllib.parse
query = urllib.parse.urlsplit(sys.stdin.read().split(" ")[1]).query
print(",".join(k for k, _ in urllib.parse.parse_qsl(query, keep_blank_values=True)))
'
}

# ---------------------------------------------------------------------------
# A full drive
# ---------------------------------------------------------------------------

# e2e_full_drive LETTER: maps the drive to a fresh 256 KiB tmpfs (needs root,
# as the Wine tests do), unmounted when the scenario ends. The setup's client
# program alone is larger, so an installation there runs out of space.
e2e_full_drive() {
    E2E_FULL_DISK=$E2E_WORK/full-disk
    mkdir -p "$E2E_FULL_DISK"
    mount -t tmpfs -o size=256k,mode=0755 tmpfs "$E2E_FULL_DISK" 2>"$E2E_WORK/mount.log" ||
        e2e_fail "cannot mount a tmpfs for the full drive (root needed): $(cat "$E2E_WORK/mount.log")"
    trap e2e_full_drive_end EXIT
    ln -sfn "$E2E_FULL_DISK" "$WINEPREFIX/dosdevices/${1,,}:"
    e2e_log "drive ${1^^}: is a 256 KiB tmpfs"
}

e2e_full_drive_end() {
    local rc=$?
    set +e
    # Wine must let go of the drive before it can be unmounted.
    [[ -n ${WINEPREFIX:-} ]] && { wineserver -k 2>/dev/null; wineserver -w 2>/dev/null; }
    umount -l "$E2E_FULL_DISK" 2>/dev/null
    (exit "$rc")
    e2e_end
}
