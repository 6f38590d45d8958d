#!/usr/bin/env bash
# After a new installation with every default, the user chooses to upgrade.
# The search lists the copies of the client on the fixed disks C: and D:
# (named in any letter case), sorted without regard to case; a copy in a
# hidden folder and one on the removable drive E: are not listed. "&Upgrade"
# on the first folder rewrites the client and the uninstaller (byte for byte
# the carried programs), renews the four Start-menu links, leaves the data
# files, the uninstall list and the desktop link as they were, and shows the
# finished panel; Exit ends the setup with 0.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_begin upgrade_interactive
source "$(dirname "${BASH_SOURCE[0]}")/carried-lib.sh"
source "$(dirname "${BASH_SOURCE[0]}")/upgrade-lib.sh"

INSTALL_WIN='C:\Program Files\Torvane P2P'
INSTALL=$(e2e_unix_path "$INSTALL_WIN")
DATA=$(e2e_unix_path "$U\\AppData\\Local\\Torvane P2P")
DESKTOP=$(e2e_unix_path "$U\\Desktop")
DRIVE_D=$(upgrade_drive D hd)
FLOPPY=$(upgrade_drive E floppy)

upgrade_install_defaults

# An older client and uninstaller in the installation; the data files, the
# uninstall list and the desktop link must come through untouched.
echo 'old client' >"$INSTALL/Torvane.Exe"
echo 'old uninstaller' >"$INSTALL/Uninstall.Exe"
rm "$GROUP/Torvane P2P Help.Lnk"
echo 'old link' >"$GROUP/Torvane P2P.Lnk"
before_install=$(upgrade_files_of "$INSTALL" | grep -v -e Torvane.Exe -e Uninstall.Exe)
before_data=$(upgrade_files_of "$DATA")
before_desktop=$(upgrade_files_of "$DESKTOP")
[[ -n $before_data && -n $before_desktop ]] || e2e_fail "the installation left no data file or desktop link"

# Further copies: on D: in upper case, in a hidden folder, on the removable E:.
mkdir -p "$DRIVE_D/Apps" "$FLOPPY/Torvane P2P"
echo 'copy on D' >"$DRIVE_D/Apps/TORVANE.EXE"
cp "$CARRIED_DIR/Torvane.Exe" "$FLOPPY/Torvane P2P/torvane.exe"
carried_put Torvane.Exe 'C:\.hidden\Torvane P2P'

e2e_start
e2e_find_window
upgrade_choose
# Two small disks are searched in a moment: the search panel may be gone
# before a poll sees it.
header '(Searching Torvane P2P|Ready to upgrade)' 15
e2e_shot searching
header 'Ready to upgrade' 90
e2e_shot ready-to-upgrade
e2e_dump_windows ready-to-upgrade
e2e_wait_text "$(line_re 'Upgrade Torvane P2P installed in:')" 5
e2e_wait_text $'^child\tComboBox\t[^\t]+\tC:\\\\Program Files\\\\Torvane P2P\\\\$' 5

# The list itself: open it with Alt+Down and read the items (wintext prints
# a list box's lines).
e2e_key alt+Down
sleep 1
e2e_shot list-open
items=$(e2e_wintext --items ComboBox) || e2e_fail "cannot read the combo box items"
e2e_log "listed: $(paste -sd '|' <<<"$items")"
want=$'C:\\Program Files\\Torvane P2P\\\nD:\\Apps\\'
[[ $items == "$want" ]] || e2e_fail "the list holds '$items', want '$want'"
e2e_key Escape

e2e_key alt+u
# The upgrade itself may be over before a poll sees its panel too.
header '(Upgrading Torvane P2P|Upgrade of Torvane P2P ready)' 15
e2e_shot upgrading
header 'Upgrade of Torvane P2P ready' 90
e2e_shot finished
e2e_wait_text "$(line_re 'The upgrade of Torvane is completed succesfully\.')" 5
e2e_wait_text "$(line_re 'Enjoy your Torvane!')" 5
e2e_key alt+e
e2e_expect_exit 0 15

# --- what the upgrade left ------------------------------------------------------------
cmp "$INSTALL/Torvane.Exe" "$CARRIED_DIR/Torvane.Exe" || e2e_fail "Torvane.Exe was not replaced by the carried client"
cmp "$INSTALL/Uninstall.Exe" "$CARRIED_DIR/Uninstall.Exe" || e2e_fail "Uninstall.Exe was not replaced"
[[ $(upgrade_files_of "$INSTALL" | grep -v -e Torvane.Exe -e Uninstall.Exe) == "$before_install" ]] ||
    e2e_fail "other files of the installation changed: $(upgrade_files_of "$INSTALL")"
[[ $(upgrade_files_of "$DATA") == "$before_data" ]] || e2e_fail "the data folder changed"
[[ $(upgrade_files_of "$DESKTOP") == "$before_desktop" ]] || e2e_fail "the desktop changed"
for f in 'Torvane P2P.Lnk' 'Torvane P2P On the Web.Lnk' 'Torvane P2P Help.Lnk' 'Torvane P2P Uninstall.Lnk'; do
    [[ -s $GROUP/$f ]] || e2e_fail "no link $GROUP_WIN\\$f: $(ls -la "$GROUP" 2>&1)"
done
[[ $(cat "$GROUP/Torvane P2P.Lnk") != 'old link' ]] || e2e_fail "the client link was not renewed"
upgrade_expect_help_link
[[ $(cat "$DRIVE_D/Apps/TORVANE.EXE") == 'copy on D' ]] || e2e_fail "the copy on D: was touched"
