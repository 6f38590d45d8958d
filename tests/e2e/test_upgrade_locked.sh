#!/usr/bin/env bash
# The client to be upgraded is held open without sharing by another program
# (as a running client holds its executable): the upgrading panel shows the
# retry message with "(Attempt 1)"; once the file is let go, the next attempt
# replaces it, the message is gone and the finished panel follows.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_begin upgrade_locked
source "$(dirname "${BASH_SOURCE[0]}")/carried-lib.sh"
source "$(dirname "${BASH_SOURCE[0]}")/upgrade-lib.sh"

DIR_WIN='C:\Locked Torvane'
DIR=$(e2e_unix_path "$DIR_WIN")
mkdir -p "$DIR"
echo 'old client' >"$DIR/Torvane.Exe"
cp "$E2E_CROSS_DIR/hold_file.exe" "$WINEPREFIX/drive_c/e2e/"
RELEASE=$WINEPREFIX/drive_c/e2e/release

# The helper runs in the same prefix and holds the file until "release" exists.
(cd "$WINEPREFIX/drive_c/e2e" && wine 'C:\e2e\hold_file.exe' "$DIR_WIN\\Torvane.Exe" 'C:\e2e\release' \
    >"$E2E_ART/hold_file.log" 2>&1; echo $? >"$E2E_WORK/hold.code") &
HOLD_PID=$!
e2e_wait_file "$RELEASE.held" 20
e2e_log "the client file is held"

e2e_start
e2e_find_window
upgrade_choose
header 'Ready to upgrade' 60
e2e_wait_text "$(line_re 'C:\\Locked Torvane\\')" 5
e2e_key alt+u
header 'Upgrading Torvane P2P' 15
e2e_wait_text "$(line_re "$RETRY_TEXT \\(Attempt 1\\)")" 30
grep -qx 'old client' "$DIR/Torvane.Exe" || e2e_fail "the held client was changed"
# Let go at once, while the setup waits its 15 seconds: the next attempt
# must succeed.
touch "$RELEASE"
e2e_shot attempt-1
wait "$HOLD_PID"
[[ $(cat "$E2E_WORK/hold.code") == 0 ]] || e2e_fail "hold_file failed: $(cat "$E2E_ART/hold_file.log")"
e2e_log "the client file is let go"

deadline=$((SECONDS + 60))
while :; do
    windows=$(e2e_wintext --all || true)
    grep -qE "Attempt 2" <<<"$windows" && e2e_fail "the attempt after the file was let go failed too"
    grep -qE $'^child\t[^\t]+\t40,31,712,41\tUpgrade of Torvane P2P ready\t' <<<"$windows" && break
    ((SECONDS < deadline)) || e2e_fail "no finished panel within 60 s"
    sleep 0.5
done
e2e_shot finished
e2e_dump_windows finished
# The label that showed the message is empty again (the upgrading page is
# hidden now; its label is the red one at panel 8,8: client 48,80).
grep -qP '^child\tTorvaneLabel\t48,80,\d+,\d+\t\t' <<<"$windows" ||
    e2e_fail "the retry label is not empty: $(grep -P '^child\tTorvaneLabel\t48,80,' <<<"$windows")"
if grep -qE "$RETRY_TEXT" <<<"$windows"; then
    e2e_fail "the retry message is still set after the successful attempt"
fi
cmp "$DIR/Torvane.Exe" "$CARRIED_DIR/Torvane.Exe" || e2e_fail "the client was not replaced"
cmp "$DIR/Uninstall.Exe" "$CARRIED_DIR/Uninstall.Exe" || e2e_fail "the uninstaller was not written"
e2e_key alt+e
e2e_expect_exit 0 15
