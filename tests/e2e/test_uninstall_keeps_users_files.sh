#!/usr/bin/env bash
# An installation into a folder of the user's that already holds their own
# files (the setup asks first, and the user answers Yes), with a data folder
# that cannot be made (a file stands where it would go), so the folder
# becomes the work folder and the uninstall list's patterns (*.DAT, *.GET
# ...) name it. The unattended uninstall afterwards
# removes everything the installation made and keeps what was there before:
# the user's notes.DAT and movie.GET, and the folder holding them. It ends
# with exit code 0.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_begin uninstall_keeps_users_files

U=C:\\users\\$E2E_USER
INSTALL_WIN='D:\Users\bob'
KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Torvane P2P'

# D: is a second fixed disk, a folder of the scenario's own.
DRIVE_D=$E2E_WORK/drive_d
mkdir -p "$DRIVE_D/Users/bob"
ln -sfn "$DRIVE_D" "$WINEPREFIX/dosdevices/d:"
INSTALL=$DRIVE_D/Users/bob
echo 'my notes' >"$INSTALL/notes.DAT"
echo 'my film' >"$INSTALL/movie.GET"
# The data folder cannot be made: a file has its name.
BLOCKER=$(e2e_unix_path "$U\\AppData\\Local\\Torvane P2P")
mkdir -p "$(dirname "$BLOCKER")"
echo blocker >"$BLOCKER"
# The user's files are older than anything the setup writes.
sleep 1.2

wizard_to_choice
next alt+n 'Choose installation folder' install-folder
wizard_type_folder "$INSTALL_WIN"
# The folder holds the user's files: the setup asks before it goes on there.
e2e_key alt+n
e2e_wait_text "$(line_re 'The folder D:\\Users\\bob\\.*')" 10
e2e_wait_text "$(line_re '.*Do you want to install Torvane P2P in this folder anyway\?.*')" 5
e2e_shot used-folder-question
e2e_key_focused y
header 'Choose download folder'
e2e_shot download-folder
next alt+n 'Select your internet-connection' connection
next alt+n 'Intergrate the Torvane Toolbar in your browser' toolbar
next alt+n 'Ready to install' ready
wizard_install_to_finish
e2e_shot finished
e2e_key alt+e
e2e_expect_exit 0 15

# The patterns name the user's folder: the installation fell back to it.
cp "$INSTALL/UnInstall.dat" "$E2E_ART/UnInstall.dat"
grep -q $'^<PD:\\\\Users\\\\bob\\\\\\*\\.DAT>\r$' "$INSTALL/UnInstall.dat" ||
    e2e_fail "the list's patterns do not name the installation folder: $(tr '\r' '~' <"$INSTALL/UnInstall.dat")"
for f in Torvane.Exe Uninstall.Exe Torvane_toolbar.exe QVInst.Dat Torvane.Dat UnInstall.dat; do
    [[ -f $INSTALL/$f ]] || e2e_fail "the setup did not write $INSTALL_WIN\\$f: $(ls -la "$INSTALL")"
done
e2e_log "installed into $INSTALL_WIN beside the user's files: $(cd "$INSTALL" && ls | paste -sd ' ')"

e2e_start_exe "$INSTALL_WIN\\Uninstall.Exe" /s
e2e_expect_exit 0 30
deadline=$((SECONDS + 40))
while [[ -e $INSTALL/Uninstall.Exe ]]; do
    ((SECONDS < deadline)) || e2e_fail "Uninstall.Exe still there 40 s after 'Uninstall.Exe /s'"
    sleep 0.3
done
[[ $(cat "$INSTALL/notes.DAT" 2>&1) == 'my notes' ]] || e2e_fail "the user's notes.DAT was not kept"
[[ $(cat "$INSTALL/movie.GET" 2>&1) == 'my film' ]] || e2e_fail "the user's movie.GET was not kept"
left=$(cd "$INSTALL" && ls -A | paste -sd ' ')
[[ $left == 'movie.GET notes.DAT' ]] || e2e_fail "want only the user's files left, have: $left"
timeout 30 wine reg query "$KEY" >/dev/null 2>&1 && e2e_fail "the uninstaller left the registry key $KEY"
e2e_log "the uninstaller removed the installation and kept the user's files: $left"
