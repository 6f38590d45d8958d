#!/usr/bin/env bash
# The installation folder panel refuses a root folder: with "C:\" typed into
# its box, Next shows the "Invalid folder." message box and the panel stays;
# nothing is installed. Exit then ends the setup with 0.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_begin install_refusals

header() {
    e2e_wait_text $'^child\t[^\t]+\t40,31,712,41\t'"$1"'$' "${2:-15}"
}
line_re() { echo $'^child\t[^\t]+\t[^\t]+\t'"$1"'$'; }

e2e_start
e2e_find_window
header 'Welcome'
e2e_key alt+n
header 'License agreement and disclaimer'
e2e_key alt+i alt+n
header 'Install or upgrade\?'
e2e_key alt+n
header 'Choose installation folder'
e2e_wait_text "$(line_re 'C:\\Program Files\\Torvane P2P')" 5
e2e_shot install-folder

# Nothing has the focus when the panel shows; Tab reaches the box first and
# selects all of its text, so typing replaces it.
edit_re() { echo $'^child\tEdit\t[^\t]+\t'"$1"'$'; }
e2e_key Tab
e2e_type 'C:\'
e2e_wait_text "$(edit_re 'C:\\')" 5
e2e_shot root-typed
e2e_key alt+n
e2e_wait_text "$(line_re 'Invalid folder\..*')" 10
e2e_wait_text "$(line_re '.*The foldername you choose contains invalid characters or is a root folder\..*')" 5
e2e_shot invalid-folder
e2e_key_focused Return
deadline=$((SECONDS + 10))
while e2e_wintext | grep -q 'Invalid folder\.'; do
    ((SECONDS < deadline)) || e2e_fail "the message box did not close on Enter"
    sleep 0.3
done
# Still the same panel, the typed text kept, nothing installed.
header 'Choose installation folder' 5
e2e_wait_text "$(edit_re 'C:\\')" 5
e2e_shot still-there
[[ ! -e $(e2e_unix_path 'C:\Program Files\Torvane P2P') ]] || e2e_fail "the refused panel made the install folder"
e2e_key alt+e
e2e_expect_exit 0 15
