#!/usr/bin/env bash
# Runs win32_layer_tests.exe (built by the cross tree) under Wine, in a fresh
# copy of the pristine prefix with its own Xvfb and window manager (the tests
# create, show and paint real windows). Passes when every case passed.
# Arguments go to the GoogleTest runner, e.g. --gtest_filter='Peer.*'.
source "$(dirname "${BASH_SOURCE[0]}")/../e2e/lib.sh"
tests_exe=$E2E_CROSS_DIR/win32_layer_tests.exe
[[ -f $tests_exe && -f $E2E_CROSS_DIR/start_probe.exe ]] ||
    e2e_fail "no $tests_exe or start_probe.exe (build the cross tree)"

# The full-disk cases write to drive F:, a 256 KiB tmpfs. Mounting needs root,
# like the rest of the Wine tests (README: run the tests as root); without it
# the run fails here and says why, rather than passing with those cases left out.
e2e_begin win32_layer
e2e_full_drive F
export TORVANE_FULL_DRIVE='F:\'
cp "$tests_exe" "$E2E_CROSS_DIR/start_probe.exe" "$WINEPREFIX/drive_c/e2e/"
set +e
(cd "$WINEPREFIX/drive_c/e2e" && timeout 120 wine 'C:\e2e\win32_layer_tests.exe' "$@") 2>"$E2E_ART/wine.log" |
    tr -d '\r' | tee "$E2E_ART/results.txt"
status=${PIPESTATUS[0]}
set -e
grep -qE '^\[  PASSED  \] [1-9][0-9]* tests?\.$' "$E2E_ART/results.txt" || e2e_fail "win32 layer tests failed (exit $status)"
! grep -q '^\[  FAILED  \]' "$E2E_ART/results.txt" || e2e_fail "win32 layer tests failed: $(grep '^\[  FAILED  \]' "$E2E_ART/results.txt")"
[[ $status == 0 ]] || e2e_fail "win32_layer_tests.exe exited with $status"
