#!/usr/bin/env bash
# More refusals of the installation folder panel: a name with a character
# Windows does not allow ("C:\a?b") gives the "Invalid folder." message box,
# and a folder that already holds Torvane.exe gives the "Cannot install
# Torvane P2P in <folder>" message box, and another program's folder gives
# a Yes/No question whose default answer, No, keeps the panel; after each
# the panel stays, the existing programs are left alone and nothing is
# installed. Exit then ends the setup with 0.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_begin install_refusals_more

header() {
    e2e_wait_text $'^child\t[^\t]+\t40,31,712,41\t'"$1"'$' "${2:-15}"
}
line_re() { echo $'^child\t[^\t]+\t[^\t]+\t'"$1"'$'; }
edit_re() { echo $'^child\tEdit\t[^\t]+\t'"$1"'$'; }

# close_box TEXT_RE: Enter closes the message box whose text matches.
close_box() {
    e2e_key_focused Return
    local deadline=$((SECONDS + 10))
    while e2e_wintext | grep -qE -- "$1"; do
        ((SECONDS < deadline)) || e2e_fail "the message box /$1/ did not close on Enter"
        sleep 0.3
    done
}

# A copy of the program already in C:\Existing.
EXISTING=$(e2e_unix_path 'C:\Existing')
mkdir -p "$EXISTING"
echo 'an earlier copy' >"$EXISTING/Torvane.exe"
# Another program's folder.
OTHER=$(e2e_unix_path 'C:\Other')
mkdir -p "$OTHER"
echo 'another uninstaller' >"$OTHER/Uninstall.exe"
printf 'Other Program\r\n<FC:\\Other\\Other.exe>\r\n' >"$OTHER/UnInstall.dat"

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

# Tab reaches the box and selects all of its text, so typing replaces it.
e2e_key Tab
e2e_type 'C:\a?b'
e2e_wait_text "$(edit_re 'C:\\a\?b')" 5
e2e_shot question-mark-typed
e2e_key alt+n
e2e_wait_text "$(line_re 'Invalid folder\..*')" 10
e2e_wait_text "$(line_re '.*The foldername you choose contains invalid characters or is a root folder\..*')" 5
e2e_shot invalid-folder
close_box 'Invalid folder\.'
header 'Choose installation folder' 5
e2e_wait_text "$(edit_re 'C:\\a\?b')" 5
e2e_shot still-there-1

e2e_key Tab
e2e_type 'C:\Existing'
e2e_wait_text "$(edit_re 'C:\\Existing')" 5
e2e_shot existing-typed
e2e_key alt+n
e2e_wait_text "$(line_re 'Cannot install Torvane P2P in C:\\Existing\\.*')" 10
e2e_wait_text "$(line_re '.*because it already exists in this folder\..*')" 5
e2e_shot cannot-install
close_box 'Cannot install Torvane P2P'
header 'Choose installation folder' 5
e2e_wait_text "$(edit_re 'C:\\Existing')" 5
e2e_shot still-there-2

# Another program's folder, with its own uninstaller and list: Next asks
# whether to install there, and Enter takes the default answer, No.
e2e_key Tab
e2e_type 'C:\Other'
e2e_wait_text "$(edit_re 'C:\\Other')" 5
e2e_key alt+n
e2e_wait_text "$(line_re 'The folder C:\\Other\\.*')" 10
e2e_wait_text "$(line_re '.*already contains other files\..*')" 5
e2e_shot used-folder-question
close_box 'already contains other files'
header 'Choose installation folder' 5
e2e_wait_text "$(edit_re 'C:\\Other')" 5
e2e_shot still-there-3
[[ $(cat "$OTHER/Uninstall.exe") == 'another uninstaller' ]] || e2e_fail "the other program's Uninstall.exe was changed"
(($(find "$OTHER" -mindepth 1 | wc -l) == 2)) || e2e_fail "something was added to C:\\Other: $(ls -la "$OTHER")"

[[ $(cat "$EXISTING/Torvane.exe") == 'an earlier copy' ]] || e2e_fail "the existing Torvane.exe was changed"
(($(find "$EXISTING" -mindepth 1 | wc -l) == 1)) || e2e_fail "something was added to C:\\Existing: $(ls -la "$EXISTING")"
[[ ! -e $(e2e_unix_path 'C:\Program Files\Torvane P2P') ]] || e2e_fail "the refused panel made the install folder"
[[ ! -e $(e2e_unix_path 'C:\a?b') ]] || e2e_fail "the refused panel made C:\\a?b"
e2e_key alt+e
e2e_expect_exit 0 15
