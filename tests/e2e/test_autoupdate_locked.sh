#!/usr/bin/env bash
# "/autoupdate <folder>" while the client there stays held open by another
# program for all 21 attempts (the test copy of the setup with the short
# retry waits): the uninstaller and the links are written, but the upgrade
# does not pass for a success. The new client is inflated once: the
# progress label keeps its value while the attempts wait. The failure is
# reported, the earlier client (which ended itself for the upgrade) is
# started again, and the setup stays on the error panel, which shows the
# failure of the last attempt, until the user leaves it: exit code 1.
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
# The earlier client, marked at its end (a program runs with bytes after
# its image); held as a running program holds its file: it can be run, not
# replaced.
carried_put Torvane.Exe "$TARGET_WIN"
echo 'old client' >>"$TARGET/Torvane.Exe"
upgrade_hold_client "$TARGET_WIN\\Torvane.Exe" share-read

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

# The bar was not filled again for each attempt: one percentage was shown
# from the first retry message on.
progress=$(tr -d '\r' <"$E2E_WORK/watch.txt" |
    awk -F'\t' '/Attempt 1\)$/ {on=1} on && $4 ~ /^[0-9]+% complete$/ {print $4}' | sort -u)
e2e_log "progress shown during the retries: $(paste -sd ' ' <<<"$progress")"
[[ $(wc -l <<<"$progress") == 1 ]] || e2e_fail "the client was inflated again between attempts: $progress"

# The earlier client runs again, the setup stays on the error panel.
e2e_wait_text $'^top\t[^\t]+\t[^\t]+\tTorvane P2P 4\\.43$' 20
header 'Error' 5
[[ ! -e $E2E_WORK/exit.code ]] || e2e_fail "the setup ended by itself with $(cat "$E2E_WORK/exit.code")"
[[ $(tail -c 11 "$TARGET/Torvane.Exe") == 'old client' ]] || e2e_fail "the held client was changed"
[[ ! -e "$TARGET/Torvane.Exe.new" ]] || e2e_fail "the new client was left beside the old one"
cmp "$TARGET/Uninstall.Exe" "$CARRIED_DIR/Uninstall.Exe" || e2e_fail "the uninstaller was not written"
[[ -s "$GROUP/Torvane P2P.Lnk" ]] || e2e_fail "the client link was not renewed"
e2e_shot client-started

upgrade_release_client
e2e_key alt+e
e2e_expect_exit 1 15
