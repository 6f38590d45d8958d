#!/usr/bin/env bash
# The client to be upgraded stays held open by another program for all 21
# attempts (the test copy of the setup with the short retry waits). The
# retry message counts the attempts up to 21; Alt+F4 pressed while the
# upgrade waits does nothing. The uninstaller and the Start-menu links are
# still written, the old client stays as it was, and the setup ends on the
# error panel with the failure of the last attempt instead of the finished
# panel. Exit then ends the setup.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
# The test copy whose upgrade waits 15 x 50 ms after a failed attempt, not
# 15 s: 21 attempts take seconds.
E2E_EXE=$E2E_CROSS_DIR/Install_Torvane_quickretry.exe
e2e_begin upgrade_locked_throughout
source "$(dirname "${BASH_SOURCE[0]}")/carried-lib.sh"
source "$(dirname "${BASH_SOURCE[0]}")/upgrade-lib.sh"

DIR_WIN='C:\Locked Torvane'
DIR=$(e2e_unix_path "$DIR_WIN")
mkdir -p "$DIR"
echo 'old client' >"$DIR/Torvane.Exe"
upgrade_hold_client "$DIR_WIN\\Torvane.Exe"

e2e_start
e2e_find_window
upgrade_choose
header 'Ready to upgrade' 60
e2e_wait_text "$(line_re 'C:\\Locked Torvane\\')" 5
e2e_watch_start 240
e2e_key alt+u
header 'Upgrading Torvane P2P' 15

# Close requests while the upgrade waits for the client: the window stays.
e2e_watch_wait "$(line_re "$RETRY_TEXT \\(Attempt [0-9]+\\)")" 30
e2e_shot retrying
for _ in 1 2 3; do
    e2e_key alt+F4
    sleep 0.3
done
e2e_find_window

upgrade_expect_locked_failure "$DIR_WIN\\Torvane.Exe"
e2e_watch_stop
e2e_shot error-panel
e2e_dump_windows error-panel
upgrade_expect_all_attempts
grep -qx 'old client' "$DIR/Torvane.Exe" || e2e_fail "the held client was changed"
cmp "$DIR/Uninstall.Exe" "$CARRIED_DIR/Uninstall.Exe" || e2e_fail "the uninstaller was not written"
for f in 'Torvane P2P.Lnk' 'Torvane P2P On the Web.Lnk' 'Torvane P2P Help.Lnk' 'Torvane P2P Uninstall.Lnk'; do
    [[ -s $GROUP/$f ]] || e2e_fail "no link $GROUP_WIN\\$f: $(ls -la "$GROUP" 2>&1)"
done
[[ -z $(e2e_watch_lines $'\tUpgrade of Torvane P2P ready$') ]] || e2e_fail "the finished panel was shown"
[[ ! -e $E2E_WORK/exit.code ]] || e2e_fail "the setup ended by itself with $(cat "$E2E_WORK/exit.code")"

upgrade_release_client
e2e_key alt+e
e2e_expect_exit 0 15
