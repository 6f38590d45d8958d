#!/usr/bin/env bash
# Upgrade chosen with no copy of the client on any fixed disk (one lies in a
# hidden folder, one on a CD-ROM drive; neither counts): the search shows
# the four-line message once, then the install-or-upgrade panel is back.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_begin upgrade_none
source "$(dirname "${BASH_SOURCE[0]}")/carried-lib.sh"
source "$(dirname "${BASH_SOURCE[0]}")/upgrade-lib.sh"

CDROM=$(upgrade_drive E cdrom)
mkdir -p "$CDROM/Torvane P2P"
cp "$CARRIED_DIR/Torvane.Exe" "$CDROM/Torvane P2P/torvane.exe"
# Wine gives files and folders whose names start with a dot the hidden attribute.
carried_put Torvane.Exe 'C:\.hidden'

NOTHING='No installed Torvane P2P versions could be found,(\\n)?or the found Torvane P2P versions are newer than(\\n)?the one in this installation\. An upgrade is(\\n)?not possible\.'

e2e_start
e2e_find_window
upgrade_choose
e2e_wait_text "$(line_re "$NOTHING")" 60
e2e_shot nothing-found
e2e_dump_windows nothing-found
e2e_wintext | grep -qP '^top\t#32770\t[^\t]+\tInstall Torvane P2P$' ||
    e2e_fail "the message box is not captioned with the application title"
e2e_key_focused Return
header 'Install or upgrade\?' 15
e2e_shot back-to-choice
if e2e_wintext | grep -qE 'No installed Torvane P2P'; then
    e2e_fail "the message is still (or again) on screen"
fi
e2e_key alt+e
e2e_expect_exit 0 15
