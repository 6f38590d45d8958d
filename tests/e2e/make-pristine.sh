#!/usr/bin/env bash
# ctest fixture: makes (or reuses) the pristine Wine prefix before the first
# scenario, so no scenario's time limit pays for wineboot.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
E2E_NAME=prefix
e2e_pristine_prefix
[[ -d $E2E_DIR/pristine/prefix/drive_c/windows/system32 ]] || e2e_fail "pristine prefix incomplete"
[[ ! -e $E2E_DIR/pristine/prefix/dosdevices/z: ]] || e2e_fail "pristine prefix still has Z:"
echo "pristine prefix ready: $E2E_DIR/pristine/prefix ($(cat "$E2E_DIR/pristine/stamp"))"
