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

# A copy of the program already in C:\Existing.
EXISTING=$(e2e_unix_path 'C:\Existing')
mkdir -p "$EXISTING"
echo 'an earlier copy' >"$EXISTING/Torvane.exe"
# Another program's folder.
OTHER=$(e2e_unix_path 'C:\Other')
mkdir -p "$OTHER"
echo 'another uninstaller' >"$OTHER/Uninstall.exe"
printf 'Other Program\r\n<FC:\\Other\\Other.exe>\r\n' >"$OTHER/UnInstall.dat"

wizard_to_install_folder

wizard_type_folder 'C:\a?b'
e2e_shot question-mark-typed
wizard_expect_invalid_folder 'C:\a?b'
e2e_shot still-there-1

wizard_type_folder 'C:\Existing'
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
