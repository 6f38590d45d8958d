#!/usr/bin/env bash
# The installation folder panel refuses a root folder: with "C:\" typed into
# its box, Next shows the "Invalid folder." message box and the panel stays;
# nothing is installed. The hidden code typed into the box survives the same
# refusal and turns into the source code "01" only when the focus moves on to
# the tree. Exit then ends the setup with 0.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_begin install_refusals

wizard_to_install_folder
e2e_shot install-folder

# Nothing has the focus when the panel shows; Tab reaches the box first.
wizard_type_folder 'C:\'
e2e_shot root-typed
# The panel stays, the typed text kept, nothing installed.
wizard_expect_invalid_folder 'C:\'
e2e_shot still-there

# The hidden code: the message box over the edit box is no exit from it, so
# the code stays as typed; moving on from the box to the tree is an exit,
# which shows the installer's own code.
wizard_type_folder '#~~+71-64KRw'
wizard_expect_invalid_folder '#~~+71-64KRw'
e2e_key Tab Tab
e2e_wait_text "$(edit_re '01')" 5
e2e_shot source-code
[[ ! -e $(e2e_unix_path 'C:\Program Files\Torvane P2P') ]] || e2e_fail "the refused panel made the install folder"
e2e_key alt+e
e2e_expect_exit 0 15
