#!/usr/bin/env bash
# First window: how long this setup takes from its start to its first
# visible window, against an NSIS 3.08 Modern UI 2 setup of the same three
# carried programs (scripts/bench/nsis-peer.nsi, built here with Debian's
# makensis). Both run, alternately, in one Wine prefix under one wineserver
# kept warm for the whole run, on their own Xvfb display with openbox; every
# start is timed by first_window.exe (tests/bench/win32/first_window.c) and
# ended as soon as its window is visible. Prints both medians and the ratio
# (this setup / NSIS). A measurement to read, not a test: nothing fails on a
# slow machine.
#
#   bash scripts/bench-first-window.sh [ROUNDS] [SETUP.exe]
#
# ROUNDS (default 5) rounds of 5 starts of each program; SETUP defaults to
# the build's Install_Torvane.exe of this host's Wine route (build/cross or,
# on the x64 route, build/cross64, with an amd64 NSIS peer). Needs a built
# tree (scripts/build.sh); installs Debian's nsis package when makensis is
# missing. Work folder: build/bench-first-window.
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
rounds=${1:-5}
export TORVANE_E2E_DIR=$repo/build/e2e
source "$repo/tests/e2e/lib.sh"
E2E_NAME=bench-first-window
cross=$E2E_CROSS_DIR
setup=${2:-$cross/Install_Torvane.exe}
[[ $E2E_ROUTE == x64 ]] && target=amd64-unicode || target=x86-unicode
for f in "$setup" "$cross/first_window.exe" "$cross/carried/Torvane.Exe"; do
    [[ -f $f ]] || { echo "missing $f: build the tree first (bash scripts/build.sh)" >&2; exit 1; }
done

if ! command -v makensis >/dev/null; then
    echo "== installing Debian's nsis package (makensis)"
    DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends nsis >/dev/null
fi

E2E_WORK=$repo/build/bench-first-window
rm -rf "$E2E_WORK"
mkdir -p "$E2E_WORK/home"
makensis -V2 -DTARGET=$target -DCARRIED="$cross/carried" -DLICENCE="$repo/assets/licence.txt" \
    -DOUTFILE="$E2E_WORK/nsis-peer.exe" "$repo/scripts/bench/nsis-peer.nsi" >"$E2E_WORK/makensis.log"
echo "== $(makensis -VERSION) peer: $(stat -c %s "$E2E_WORK/nsis-peer.exe") bytes, $target;" \
    "this setup: $(stat -c %s "$setup") bytes"

e2e_pristine_prefix "$E2E_WORK/prefix"
export WINEPREFIX=$E2E_WORK/prefix HOME=$E2E_WORK/home
stop() {
    wineserver -k 2>/dev/null || true
    e2e_display_stop
}
trap stop EXIT
e2e_display_start
bench=$WINEPREFIX/drive_c/bench
mkdir -p "$bench"
cp "$setup" "$bench/Install_Torvane.exe"
cp "$E2E_WORK/nsis-peer.exe" "$cross/first_window.exe" "$bench/"

# One wineserver for the whole run, kept warm: a first start of each warms
# the caches and is not counted.
wineserver -p
time_starts() { # program, count
    (cd "$bench" && wine 'C:\bench\first_window.exe' "$2" "C:\\bench\\$1") 2>>"$E2E_WORK/wine.log" |
        tr -d '\r' | awk -F'\t' '$1 == "run" {print $3}'
}
time_starts Install_Torvane.exe 1 >/dev/null
time_starts nsis-peer.exe 1 >/dev/null
: >"$E2E_WORK/setup.ms"
: >"$E2E_WORK/nsis.ms"
for ((round = 1; round <= rounds; round++)); do
    time_starts Install_Torvane.exe 5 >>"$E2E_WORK/setup.ms"
    time_starts nsis-peer.exe 5 >>"$E2E_WORK/nsis.ms"
done

median() { sort -n "$1" | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }
range() { sort -n "$1" | awk 'NR == 1 {lo = $1} {hi = $1} END {print lo " to " hi}'; }
setup_ms=$(median "$E2E_WORK/setup.ms")
nsis_ms=$(median "$E2E_WORK/nsis.ms")
echo "first visible window, ms over $((rounds * 5)) starts each (route $E2E_ROUTE):"
echo "  Install_Torvane.exe  median $setup_ms  ($(range "$E2E_WORK/setup.ms"))"
echo "  NSIS peer            median $nsis_ms  ($(range "$E2E_WORK/nsis.ms"))"
awk -v a="$setup_ms" -v b="$nsis_ms" 'BEGIN {printf "  ratio setup / NSIS  %.2f\n", a / b}'
