#!/usr/bin/env bash
# Runs win32_layer_tests.exe (built by the cross tree) under Wine, in a fresh
# copy of the pristine prefix with its own Xvfb and window manager (the tests
# create, show and paint real windows). Passes when every case passed.
source "$(dirname "${BASH_SOURCE[0]}")/../e2e/lib.sh"
tests_exe=$E2E_CROSS_DIR/win32_layer_tests.exe
[[ -f $tests_exe ]] || e2e_fail "no $tests_exe (build the cross tree)"

e2e_begin win32_layer
cp "$tests_exe" "$WINEPREFIX/drive_c/e2e/"
set +e
(cd "$WINEPREFIX/drive_c/e2e" && timeout 120 wine 'C:\e2e\win32_layer_tests.exe' "$@") 2>"$E2E_ART/wine.log" |
    tr -d '\r' | tee "$E2E_ART/results.txt"
status=${PIPESTATUS[0]}
set -e
grep -qE '^[0-9]+ passed, 0 failed$' "$E2E_ART/results.txt" || e2e_fail "win32 layer tests failed (exit $status)"
[[ $status == 0 ]] || e2e_fail "win32_layer_tests.exe exited with $status"
