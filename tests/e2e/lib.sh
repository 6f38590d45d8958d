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
# the EXIT trap stops Wine, openbox and Xvfb and says PASS or FAIL. A part that
# needs tidying of its own when the scenario ends (a mounted drive) registers it
# with e2e_on_exit instead of setting a trap, so no handler replaces another.
#
# The harness is split by concern; each part documents its functions:
#   lib-prefix.sh    Wine prefixes and paths inside them
#   lib-display.sh   Xvfb and openbox
#   lib-scenario.sh  begin and end, starting programs, keys and typing
#   lib-windows.sh   the Win32 windows as wintext.exe lists them
#   lib-pixels.sh    screenshots and pixels
#   lib-files.sh     files, the registry, a full drive
#   lib-report.sh    the error-report server
#   lib-wizard.sh    the wizard's panels and the walks through them

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

# e2e_on_exit FUNCTION: runs FUNCTION when the scenario ends, after Wine has
# stopped and before the display goes; the last one registered runs first.
E2E_EXIT_HANDLERS=()
e2e_on_exit() { E2E_EXIT_HANDLERS=("$1" "${E2E_EXIT_HANDLERS[@]}"); }

for _part in prefix display scenario windows pixels files report wizard; do
    source "$E2E_SOURCE_DIR/tests/e2e/lib-$_part.sh"
done
unset _part
