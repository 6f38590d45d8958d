#!/usr/bin/env bash
# A new installation with choices changed, by keys only: no desktop shortcut
# (Alt+C on "Install or upgrade?"), the program on a second fixed disk in a
# folder with blanks typed into the box (D:\My Apps\Torvane P2P), no toolbar.
# The ready panel's summary names those choices. Start on the finished panel
# ends the setup with 0 and runs the installed client, which shows the data
# file the setup wrote. Then what the installation left: the programs and
# both lists in the typed folder, no toolbar program or marker, no desktop
# shortcut, and a 17-line uninstall list naming the typed folder.
#
# The toolbar check box has no accelerator: Tab reaches it (the focus left the
# typed folder box when its panel went) and space clears it.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_begin install_custom

U=C:\\users\\$E2E_USER
INSTALL_WIN='D:\My Apps\Torvane P2P'
DATA_WIN="$U\\AppData\\Local\\Torvane P2P"
KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Torvane P2P'
MARKER=$(e2e_unix_path "$U\\AppData\\Local\\Torvane Toolbar stand-in\\ran.txt")
CLIENT_TITLE_RE='^Torvane P2P 4\.43$'

# D: is a second fixed disk, an empty folder of the scenario's own.
DRIVE_D=$E2E_WORK/drive_d
mkdir -p "$DRIVE_D"
ln -sfn "$DRIVE_D" "$WINEPREFIX/dosdevices/d:"
INSTALL="$DRIVE_D/My Apps/Torvane P2P"

start=$SECONDS
wizard_to_choice
e2e_key alt+c
e2e_shot shortcut-cleared
next alt+n 'Choose installation folder' install-folder
e2e_wait_text "$(line_re 'C:\\Program Files\\Torvane P2P')" 5
wizard_type_folder "$INSTALL_WIN"
e2e_shot folder-typed
next alt+n 'Choose download folder' download-folder
next alt+n 'Select your internet-connection' connection
next alt+n 'Intergrate the Torvane Toolbar in your browser' toolbar
# The typed folder's box is on a hidden page now: it must not keep the focus.
e2e_expect_focus $'^focus\tTorvaneForm\t'
e2e_key Tab
e2e_expect_focus $'^focus\tButton\t[^\t]+\tInstall the Torvane toolbar\.\t1$'
e2e_key space
e2e_expect_focus $'^focus\tButton\t[^\t]+\tInstall the Torvane toolbar\.\t0$'
e2e_shot toolbar-cleared
next alt+n 'Ready to install' ready
e2e_wait_text "$(line_re 'Installation folder = D:\\My Apps\\Torvane P2P\\')" 5
e2e_wait_text "$(line_re 'Create shortcut on desktop = No')" 5
e2e_dump_windows ready
# The installing panel may be over before one look sees it: a watch
# started before the key sees every panel.
e2e_watch_start
e2e_key alt+i
e2e_watch_wait "$(header_re 'Installing Torvane P2P')" 30
header 'Installation of Torvane P2P ready' 90
e2e_watch_stop
e2e_shot finished
e2e_wait_text "$(line_re 'The installation of Torvane P2P is completed successfully\.')" 5
e2e_log "installed $((SECONDS - start)) s after the start"

# Start: the setup ends with 0 and the installed client shows the data file.
e2e_key alt+s
e2e_expect_exit 0 15
e2e_find_window "$CLIENT_TITLE_RE"
e2e_wait_text "$(line_re 'Connection: 77')" 15
e2e_wait_text "$(line_re "Data file: ${DATA_WIN//\\/\\\\}\\\\Torvane\\.Dat")" 5
e2e_wait_text "$(line_re 'Version: 4\.43 \(demonstration client\)')" 5
e2e_shot client
e2e_dump_windows client
e2e_key alt+F4
deadline=$((SECONDS + 10))
while e2e_wintext | grep -qP '^top\t[^\t]+\t[^\t]+\tTorvane P2P 4\.43$'; do
    ((SECONDS < deadline)) || e2e_fail "the client window did not close on Alt+F4"
    sleep 0.3
done
e2e_log "the client closed"

# --- what the installation left -------------------------------------------------------------
for f in Torvane.Exe Uninstall.Exe QVInst.Dat UnInstall.dat; do
    [[ -f $INSTALL/$f && -s $INSTALL/$f ]] || e2e_fail "no (or empty) $INSTALL_WIN\\$f: $(ls -la "$INSTALL" 2>&1)"
done
[[ ! -e $INSTALL/Torvane_toolbar.exe ]] || e2e_fail "the toolbar program was installed though cleared"
[[ ! -e $MARKER ]] || e2e_fail "the toolbar stand-in ran though cleared: $(cat "$MARKER")"
[[ ! -e $(e2e_unix_path 'C:\Program Files\Torvane P2P') ]] || e2e_fail "the proposed folder was made too"
links=$(find "$WINEPREFIX/drive_c/users" -ipath '*/desktop/*' -iname '*.lnk')
[[ -z $links ]] || e2e_fail "a desktop shortcut was made though cleared: $links"
uninstall=$(e2e_reg_query "$KEY" UninstallString)
[[ $uninstall == "\"$INSTALL_WIN\\Uninstall.Exe\"" ]] || e2e_fail "UninstallString is '$uninstall'"

wizard_expect_uninstall_list "$INSTALL" "$INSTALL_WIN" "$DATA_WIN" no no
