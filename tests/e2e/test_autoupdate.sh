#!/usr/bin/env bash
# Started by the client itself ("/autoupdate <folder>", two arguments), the
# setup opens on the upgrading panel under the same title, without the
# welcome panel; it makes the missing folder with its parent, writes the
# client and the uninstaller (byte for byte the carried programs) and the
# four Start-menu links, starts the new client and ends with exit code 0 and
# no further panel. The folder has two blanks in a row and a trailing
# backslash, and is passed quoted: Wine's launcher, following the run-time's
# rules, writes that backslash doubled before the closing quote
# ("C:\New  Place\Torvane\\"), as a client building its command line by those
# rules would. The files land in exactly that folder.
# Then "/autoupdate" into a folder that holds another program: the setup
# ends on the error panel and writes nothing there.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_begin autoupdate
source "$(dirname "${BASH_SOURCE[0]}")/carried-lib.sh"
source "$(dirname "${BASH_SOURCE[0]}")/upgrade-lib.sh"

TARGET_WIN='C:\New  Place\Torvane'
TARGET=$(e2e_unix_path "$TARGET_WIN")
[[ ! -e $(dirname "$TARGET") ]] || e2e_fail "C:\\New  Place exists before the upgrade"

# Watched from before the start: the whole run may take less time than a
# few looks on a loaded machine. The welcome panel is on show only for the
# start-up timer's moment and slides out as the upgrading panel slides in;
# no other panel shows, and the welcome panel never comes back.
e2e_watch_start 150
start=$SECONDS
e2e_start /autoupdate "$TARGET_WIN\\"
upgrading_re=$(header_re 'Upgrading Torvane P2P')
e2e_watch_wait "$upgrading_re" 60
e2e_shot upgrading

e2e_expect_exit 0 90
e2e_watch_stop
headers=$(e2e_watch_lines $'^child\tTorvanePanel\t[^\t]+\t.' | cut -f4 | sort -u | paste -sd '|')
[[ $headers == 'Upgrading Torvane P2P|Welcome' || $headers == 'Upgrading Torvane P2P' ]] ||
    e2e_fail "headers other than the welcome and upgrading ones showed: $headers"
home=$(tr -d '\r' <"$E2E_WORK/watch.txt" | grep -nE -m1 -- "$upgrading_re" | cut -d: -f1)
late_welcome=$(tr -d '\r' <"$E2E_WORK/watch.txt" | tail -n +"$home" | grep -E $'\tWelcome$' || true)
[[ -z $late_welcome ]] || e2e_fail "the welcome header showed after the upgrading panel was in place: $late_welcome"
cp "$E2E_WORK/watch.txt" "$E2E_ART/watched-windows.txt"
e2e_log "the setup ended with 0 after $((SECONDS - start)) s"

for f in Torvane.Exe Uninstall.Exe; do
    cmp "$TARGET/$f" "$CARRIED_DIR/$f" || e2e_fail "$TARGET_WIN\\$f differs from the carried program"
done
listing=$(ls "$TARGET")
[[ $listing == $'Torvane.Exe\nUninstall.Exe' ]] || e2e_fail "the upgrade wrote more than the two programs: $listing"
for f in 'Torvane P2P.Lnk' 'Torvane P2P On the Web.Lnk' 'Torvane P2P Help.Lnk' 'Torvane P2P Uninstall.Lnk'; do
    [[ -s $GROUP/$f ]] || e2e_fail "no link $GROUP_WIN\\$f: $(ls -la "$GROUP" 2>&1)"
done
# The client link names the new folder (a .lnk holds the target's path).
grep -qa 'New  Place' "$GROUP/Torvane P2P.Lnk" || e2e_fail "the client link does not point into $TARGET_WIN"
# The help link holds the page's address, read back through IShellLinkA.
upgrade_expect_help_link

# The new client runs, maximised, started by the setup before it ended.
e2e_find_window "$CLIENT_TITLE_RE"
e2e_wait_text "$(line_re 'Version: 4\.43 \(demonstration client\)')" 15
e2e_shot client
e2e_dump_windows client
grep -qE $'^top\t[^\t]+\t[^\t]+\tInstall Torvane P2P 4\\.43$' <(e2e_wintext) &&
    e2e_fail "the setup's window is still there"
# Maximised: the client's top-level window covers the 1024x768 screen.
geometry=$(e2e_wintext | grep -P '^top\t[^\t]+\t[^\t]+\tTorvane P2P 4\.43$' | cut -f3)
e2e_log "client window at $geometry"
IFS=, read -r _ _ w h <<<"$geometry"
((w >= 1000 && h >= 700)) || e2e_fail "the client window is $w x $h, not maximised"
[[ ! -e $(e2e_unix_path 'C:\New Place') ]] || e2e_fail "the blanks of the quoted folder were folded: C:\\New Place exists"

# --- another program's folder: nothing is written, the error panel says why ---------
OTHER_WIN='C:\Other App'
OTHER=$(e2e_unix_path "$OTHER_WIN")
mkdir -p "$OTHER"
echo 'other program' >"$OTHER/Other.exe"
echo 'its uninstaller' >"$OTHER/Uninstall.exe"
before=$(cd "$OTHER" && ls -l --time-style=+%s)
e2e_start /autoupdate "$OTHER_WIN"
e2e_find_window
header 'Error' 60
e2e_wait_text "$(line_re 'Cannot upgrade Torvane P2P in C:\\Other App\\? because it holds files of another program\.')" 10
e2e_shot refused-folder
[[ $(cd "$OTHER" && ls -l --time-style=+%s) == "$before" ]] ||
    e2e_fail "the refused folder changed: $(ls -la "$OTHER")"
grep -qx 'its uninstaller' "$OTHER/Uninstall.exe" || e2e_fail "the other program's Uninstall.exe was replaced"
# Closed, an unattended run that failed ends with 1.
e2e_key alt+e
e2e_expect_exit 1 15
e2e_log "a folder holding another program was refused and left as it was"
