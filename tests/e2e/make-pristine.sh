#!/usr/bin/env bash
# ctest fixture: makes (or reuses) the pristine Wine prefix before the first
# scenario, so no scenario's time limit pays for wineboot.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
E2E_NAME=prefix
source "$E2E_SOURCE_DIR/scripts/host-route.sh"
e2e_log "route: $(torvane_route_banner "$E2E_ROUTE")"
if [[ $E2E_ROUTE == win32 ]] && ! { torvane_host_runs_32bit && torvane_wine32_installed; }; then
    e2e_fail "this tree was configured for wine32, but this host cannot run it ($(torvane_route_banner x64)): run scripts/build.sh again (it then builds build/cross64 for wine64)"
fi
[[ -f $E2E_EXE ]] || e2e_fail "no $E2E_EXE: the $E2E_ROUTE cross tree is not built (scripts/build.sh)"
e2e_pristine_prefix
[[ -d $E2E_PRISTINE_ROOT/prefix/drive_c/windows/system32 ]] || e2e_fail "pristine prefix incomplete"
[[ ! -e $E2E_PRISTINE_ROOT/prefix/dosdevices/z: ]] || e2e_fail "pristine prefix still has Z:"
echo "pristine prefix ready: $E2E_PRISTINE_ROOT/prefix ($(cat "$E2E_PRISTINE_ROOT/stamp"))"
