#!/usr/bin/env bash
# The client to be upgraded is held open without sharing by another program
# (as a running client holds its executable): the upgrading panel shows the
# retry message with the attempt number, which counts up from one attempt to
# the next; once the file is let go, the next attempt replaces it, the message
# is gone and the finished panel follows.
#
# A watch started before the upgrade records every text the panel shows, so
# the check reads the attempt numbers as they came, not whichever one a look
# happened to catch on a loaded machine.
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
e2e_watch_start 240
e2e_key alt+u
header 'Upgrading Torvane P2P' 15

# attempts: the attempt numbers the watch has seen, in order, without repeats.
attempts() {
    e2e_watch_lines "$(line_re "$RETRY_TEXT \\(Attempt [0-9]+\\)")" |
        grep -oE 'Attempt [0-9]+\)$' | tr -dc '0-9\n' | uniq
}
# wait_attempts COUNT SECONDS: until the watch has seen COUNT attempt numbers.
wait_attempts() {
    local deadline=$((SECONDS + $2))
    until (($(attempts | wc -l) >= $1)); do
        ((SECONDS < deadline)) || e2e_fail "fewer than $1 retry messages within $2 s: $(attempts | paste -sd ' ')"
        sleep 0.3
    done
}
# The 15 s wait between two attempts: two numbers take one wait, and more
# on a loaded machine.
wait_attempts 2 90
seen=$(attempts | paste -sd ' ')
e2e_log "attempts seen while held: $seen"
first=$(attempts | head -n1)
((first >= 1)) || e2e_fail "the first retry message says attempt $first"
prev=0
for n in $(attempts); do
    ((n == prev + 1 || (prev == 0 && n >= 1))) || e2e_fail "the attempt numbers do not count up by one: $seen"
    prev=$n
done
grep -qx 'old client' "$DIR/Torvane.Exe" || e2e_fail "the held client was changed"
# Let go while the setup waits: the next attempt must succeed. (One more
# attempt may already be under way as the file is let go.)
held_last=$(attempts | tail -n1)
touch "$RELEASE"
e2e_shot held
wait "$HOLD_PID"
[[ $(cat "$E2E_WORK/hold.code") == 0 ]] || e2e_fail "hold_file failed: $(cat "$E2E_ART/hold_file.log")"
e2e_log "the client file is let go after attempt $held_last"

header 'Upgrade of Torvane P2P ready' 90
e2e_watch_stop
last=$(attempts | tail -n1)
((last <= held_last + 1)) ||
    e2e_fail "attempts went on after the file was let go: held until $held_last, last $last ($(attempts | paste -sd ' '))"
windows=$(e2e_wintext --all || true)
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
