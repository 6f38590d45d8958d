#!/usr/bin/env bash
# An installation whose data file cannot be written (a folder of its name
# stands in the data folder): the setup ends on the error panel with
# "Cannot create file ... Torvane.Dat", but what it wrote is listed in
# UnInstall.dat and its entry stands beside the list. The uninstaller that
# entry names removes all of it, itself and the installation folder last;
# then the setup installs into the same folder again.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_begin install_data_file_fails
source "$(dirname "${BASH_SOURCE[0]}")/carried-lib.sh"

U=C:\\users\\$E2E_USER
INSTALL_WIN='C:\Program Files\Torvane P2P'
DATA_WIN="$U\\AppData\\Local\\Torvane P2P"
KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Torvane P2P'
INSTALL=$(e2e_unix_path "$INSTALL_WIN")
DATA=$(e2e_unix_path "$DATA_WIN")
GROUP=$(e2e_unix_path "$U\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Torvane P2P")

mkdir -p "$DATA/Torvane.Dat"
wizard_to_install_folder
wizard_folders_to_ready
e2e_key alt+i
header 'Error' 90
e2e_wait_text "$(line_re "Cannot create file \"${DATA_WIN//\\/\\\\}\\\\Torvane\\.Dat\"\\..*")" 10
e2e_shot error-panel

# The list names what is there, in the order of a whole list, without the
# data files that were never written.
cp "$INSTALL/UnInstall.dat" "$E2E_ART/UnInstall.dat" || e2e_fail "no uninstall list after the failure"
grep -qaF "<F$INSTALL_WIN\\Torvane.Exe>" "$INSTALL/UnInstall.dat" || e2e_fail "the list does not name the client"
grep -qa 'QVInst' "$INSTALL/UnInstall.dat" && e2e_fail "the list names the data file that was never written"
command=$(timeout 30 wine reg query "$KEY" /v UninstallString 2>/dev/null | tr -d '\r' | grep -o '"[^"]*"') ||
    e2e_fail "no uninstall entry beside the list"
[[ $command == "\"$INSTALL_WIN\\Uninstall.Exe\"" ]] || e2e_fail "the entry names $command"
e2e_key alt+e
e2e_expect_exit 0 15

# Uninstalled as the system's list would: everything of the installation goes.
rmdir "$DATA/Torvane.Dat"
e2e_start_exe "$INSTALL_WIN\\Uninstall.Exe" /s
e2e_expect_exit 0 30
e2e_wait_gone "$INSTALL" 40
for gone in "$DATA" "$GROUP"; do
    [[ ! -e $gone ]] || e2e_fail "the uninstaller left $gone: $(ls -la "$gone" 2>&1)"
done
timeout 30 wine reg query "$KEY" >/dev/null 2>&1 && e2e_fail "the uninstaller left the registry key"
e2e_log "the failed installation was removed completely"

# The same folder is taken again, without a word about an earlier one.
wizard_to_install_folder
wizard_folders_to_ready
wizard_install_to_finish
[[ -f $INSTALL/Torvane.Exe && -f $DATA/Torvane.Dat ]] || e2e_fail "the second installation is incomplete"
wizard_expect_uninstall_list "$INSTALL" "$INSTALL_WIN" "$DATA_WIN" yes yes
e2e_key alt+e
e2e_expect_exit 0 15
