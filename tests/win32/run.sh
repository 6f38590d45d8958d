#!/usr/bin/env bash
# Runs win32_layer_tests.exe (built by the cross tree) under Wine, in a fresh
# copy of the pristine prefix with its own Xvfb and window manager (the tests
# create, show and paint real windows). Passes when every case passed.
source "$(dirname "${BASH_SOURCE[0]}")/../e2e/lib.sh"
tests_exe=$E2E_CROSS_DIR/win32_layer_tests.exe
[[ -f $tests_exe && -f $E2E_CROSS_DIR/start_probe.exe ]] ||
    e2e_fail "no $tests_exe or start_probe.exe (build the cross tree)"

# The full-disk cases write to drive F:, a 256 KiB tmpfs. Mounting needs root,
# like the rest of the Wine tests (README: run the tests as root); without it
# the run fails here and says why, rather than passing with those cases left out.
full_disk=$E2E_DIR/work/win32_layer/full
if mountpoint -q "$full_disk" 2>/dev/null; then umount -l "$full_disk"; fi  # left by a killed run

e2e_begin win32_layer
mkdir -p "$full_disk"
mount -t tmpfs -o size=256k,mode=0755 tmpfs "$full_disk" 2>"$E2E_WORK/mount.log" ||
    e2e_fail "cannot mount a tmpfs at $full_disk for the full-disk cases (root needed): $(cat "$E2E_WORK/mount.log")"
win32_end() {
    local rc=$?
    set +e  # errexit would end the trap at the next failing command
    umount -l "$full_disk" 2>/dev/null
    (exit "$rc")  # e2e_end reads the scenario's status from $?
    e2e_end
}
trap win32_end EXIT
ln -sfn "$full_disk" "$WINEPREFIX/dosdevices/f:"
export TORVANE_FULL_DRIVE='F:\'
cp "$tests_exe" "$E2E_CROSS_DIR/start_probe.exe" "$WINEPREFIX/drive_c/e2e/"
set +e
(cd "$WINEPREFIX/drive_c/e2e" && timeout 120 wine 'C:\e2e\win32_layer_tests.exe' "$@") 2>"$E2E_ART/wine.log" |
    tr -d '\r' | tee "$E2E_ART/results.txt"
status=${PIPESTATUS[0]}
set -e
grep -qE '^[0-9]+ passed, 0 failed$' "$E2E_ART/results.txt" || e2e_fail "win32 layer tests failed (exit $status)"
[[ $status == 0 ]] || e2e_fail "win32_layer_tests.exe exited with $status"
