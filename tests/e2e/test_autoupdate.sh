#!/usr/bin/env bash
# Started by the program itself to upgrade an installed copy
# ("/autoupdate <folder>", two arguments), the setup opens on the upgrading
# panel instead of the welcome panel, under the same title.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_begin autoupdate

e2e_start /autoupdate 'C:\Some Folder'
e2e_find_window
sleep 3 # the fade-in
e2e_shot upgrading
e2e_dump_windows upgrading

# The header panel's window text is the caption it shows.
e2e_wait_text $'\tUpgrading Torvane P2P$' 5
windows=$(e2e_wintext)
if grep -qE $'\tWelcome$' <<<"$windows"; then
    e2e_fail "the welcome header is still visible in auto-update mode"
fi
