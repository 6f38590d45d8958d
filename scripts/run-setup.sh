#!/usr/bin/env bash
# README command 1: install what is missing, build, and run the setup under
# Wine in a throw-away prefix (build/run/prefix, copied fresh from the cached
# pristine prefix each time).
#   - without $DISPLAY: starts Xvfb + openbox, saves build/run/screenshot.png
#     once the window has faded in, then stops the program;
#   - with $DISPLAY: shows the setup there and waits until it is closed.
# Extra arguments are passed to the setup (e.g. /autoupdate "C:\Some Folder").
# Run as root. A host that cannot execute 32-bit programs, or where wine32
# could not be installed, runs the x86_64 build of the same sources under
# wine64 instead (scripts/host-route.sh).
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$repo/scripts/host-route.sh"
# The route is decided once the packages are in: whether wine32 could be
# installed is part of the answer.
bash "$repo/scripts/setup-deps.sh"
route=$(torvane_route)
echo "run-setup: $(torvane_route_banner "$route")"
bash "$repo/scripts/build.sh"

cross=$repo/build/cross
[[ $route == win32 ]] || cross=$repo/build/cross64
export TORVANE_E2E_ROUTE=$route
export TORVANE_E2E_DIR=$repo/build/e2e
export TORVANE_CROSS_DIR=$cross
export TORVANE_EXE=$cross/Install_Torvane.exe
source "$repo/tests/e2e/lib.sh"
[[ -f $E2E_EXE ]] || e2e_fail "no $E2E_EXE: the cross tree did not build the setup"
e2e_log "running $E2E_EXE ($(torvane_route_banner "$route"))"

E2E_NAME=run-setup
E2E_WORK=$repo/build/run
E2E_ART=$E2E_WORK
if [[ -d $E2E_WORK/prefix ]]; then WINEPREFIX=$E2E_WORK/prefix wineserver -k 2>/dev/null || true; fi
rm -rf "$E2E_WORK"
mkdir -p "$E2E_WORK/home"
e2e_pristine_prefix "$E2E_WORK/prefix"
export WINEPREFIX=$E2E_WORK/prefix HOME=$E2E_WORK/home
E2E_USER=$(e2e_wine_user)
E2E_DOWNLOADS_WIN="C:\\users\\$E2E_USER\\Downloads"
E2E_DOWNLOADS=$(e2e_unix_path "$E2E_DOWNLOADS_WIN")
E2E_EXE_WIN="$E2E_DOWNLOADS_WIN\\Install_Torvane.exe"
cp "$E2E_EXE" "$E2E_DOWNLOADS/"

if [[ -n ${DISPLAY:-} ]]; then
    e2e_log "running $E2E_EXE_WIN on $DISPLAY; close the setup to finish"
    set +e
    (cd "$E2E_DOWNLOADS" && wine "$E2E_EXE_WIN" "$@")
    rc=$?
    set -e
    WINEPREFIX=$E2E_WORK/prefix wineserver -w
    e2e_log "the setup ended with exit code $rc"
    exit 0
fi

stop() {
    set +e
    wineserver -k 2>/dev/null
    wineserver -w 2>/dev/null
    e2e_display_stop
}
trap stop EXIT
e2e_display_start
e2e_start "$@"
e2e_find_window
sleep 3 # the fade-in
timeout 10 import -window root "$E2E_WORK/screenshot.png"
e2e_log "screenshot: $E2E_WORK/screenshot.png"
e2e_log "prefix: $E2E_WORK/prefix (the setup was run as $E2E_EXE_WIN)"
