#!/usr/bin/env bash
# "/autoupdate <folder>" while the client there stays held open by another
# program for all 21 attempts (the test copy of the setup with the short
# retry waits): the uninstaller and the links are written, but the upgrade
# does not pass for a success. The setup neither starts the client nor ends
# with exit code 0: it stays on the error panel, which shows the failure of
# the last attempt, until the user leaves it.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
# The test copy whose upgrade waits 15 x 50 ms after a failed attempt, not
# 15 s: 21 attempts take seconds.
E2E_EXE=$E2E_CROSS_DIR/Install_Torvane_quickretry.exe
e2e_begin autoupdate_locked
source "$(dirname "${BASH_SOURCE[0]}")/carried-lib.sh"
source "$(dirname "${BASH_SOURCE[0]}")/upgrade-lib.sh"

TARGET_WIN='C:\Auto Torvane'
TARGET=$(e2e_unix_path "$TARGET_WIN")
mkdir -p "$TARGET"
echo 'old client' >"$TARGET/Torvane.Exe"
upgrade_hold_client "$TARGET_WIN\\Torvane.Exe"

e2e_watch_start 240
e2e_start /autoupdate "$TARGET_WIN"
e2e_find_window
e2e_watch_wait $'^child\t[^\t]+\t40,31,712,41\tUpgrading Torvane P2P$' 60
e2e_shot upgrading

upgrade_expect_locked_failure "$TARGET_WIN\\Torvane.Exe"
e2e_watch_stop
e2e_shot error-panel
e2e_dump_windows error-panel
upgrade_expect_all_attempts

# Still running, on the error panel, a few seconds on: the unattended run
# did not end with 0 (nor with anything else), and no client was started.
sleep 3
[[ ! -e $E2E_WORK/exit.code ]] || e2e_fail "the setup ended by itself with $(cat "$E2E_WORK/exit.code")"
header 'Error' 5
if e2e_wintext | grep -qE $'^top\t[^\t]+\t[^\t]+\tTorvane P2P 4\\.43$'; then
    e2e_fail "a client was started although it could not be replaced"
fi
grep -qx 'old client' "$TARGET/Torvane.Exe" || e2e_fail "the held client was changed"
cmp "$TARGET/Uninstall.Exe" "$CARRIED_DIR/Uninstall.Exe" || e2e_fail "the uninstaller was not written"
[[ -s "$GROUP/Torvane P2P.Lnk" ]] || e2e_fail "the client link was not renewed"

upgrade_release_client
e2e_key alt+e
e2e_expect_exit 0 15
