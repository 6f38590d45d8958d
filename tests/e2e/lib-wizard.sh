# Scenario harness, sourced by lib.sh: the wizard's panels as wintext.exe lists
# them, and the walks through them by keys that many scenarios share.

# Where the main window's header panel stands once a panel's slide is over.
E2E_HEADER_RECT='40,31,712,41'

# header_re TEXT: the header panel at its home position showing TEXT (a regex).
header_re() { echo $'^child\t[^\t]+\t'"$E2E_HEADER_RECT"$'\t'"$1"'$'; }
# A line of a message box (#32770) or of any child window, whole.
line_re() { echo $'^child\t[^\t]+\t[^\t]+\t'"$1"'$'; }
# An edit box holding TEXT (a regex).
edit_re() { echo $'^child\tEdit\t[^\t]+\t'"$1"'$'; }

# e2e_re_escape TEXT: TEXT as an extended regex that matches only itself.
e2e_re_escape() { sed 's#[][\.*^$+?(){}|/]#\\&#g' <<<"$1"; }

# header TEXT [SECONDS]: waits until the header panel, back at its home
# position (so the slide is over and the panel takes keys), shows TEXT.
header() { e2e_wait_text "$(header_re "$1")" "${2:-15}"; }

# next KEY HEADER NAME [SECONDS]: presses KEY, waits for the panel whose header
# is HEADER, takes the screenshot NAME.
next() {
    local t0=$SECONDS
    e2e_key "$1"
    header "$2" "${4:-15}"
    e2e_log "panel '$2' after $((SECONDS - t0)) s"
    e2e_shot "$3"
}

# close_box TEXT_RE: Enter closes the message box whose text matches.
close_box() {
    e2e_key_focused Return
    local deadline=$((SECONDS + 10))
    while e2e_wintext | grep -qE -- "$1"; do
        ((SECONDS < deadline)) || e2e_fail "the message box /$1/ did not close on Enter"
        sleep 0.3
    done
}

# wizard_to_choice: starts the setup and walks, with screenshots, through the
# welcome and the licence (ticked) to "Install or upgrade?".
wizard_to_choice() {
    e2e_start
    e2e_find_window
    header 'Welcome'
    next alt+n 'License agreement and disclaimer' licence
    e2e_key alt+i
    next alt+n 'Install or upgrade\?' install-or-upgrade
}

# wizard_to_install_folder: starts the setup and walks, without screenshots,
# to the installation folder panel showing the proposed folder.
wizard_to_install_folder() {
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
}

# wizard_type_folder FOLDER: on a folder panel, Tab reaches the folder box
# first and selects its text, so typing replaces it; waits until it shows.
wizard_type_folder() {
    e2e_key Tab
    e2e_type "$1"
    e2e_wait_text "$(edit_re "$(e2e_re_escape "$1")")" 5
}

# wizard_expect_invalid_folder FOLDER: Next on the installation folder panel
# with FOLDER typed gives the "Invalid folder." box (screenshot
# invalid-folder); Enter closes it and the panel stays with FOLDER kept.
wizard_expect_invalid_folder() {
    e2e_key alt+n
    e2e_wait_text "$(line_re 'Invalid folder\..*')" 10
    e2e_wait_text "$(line_re '.*The foldername you choose contains invalid characters or is a root folder\..*')" 5
    e2e_shot invalid-folder
    close_box 'Invalid folder\.'
    header 'Choose installation folder' 5
    e2e_wait_text "$(edit_re "$(e2e_re_escape "$1")")" 5
}

# wizard_folders_to_ready: from the installation folder panel, Next through
# the download folder, connection and toolbar panels to "Ready to install",
# with a screenshot of each.
wizard_folders_to_ready() {
    next alt+n 'Choose download folder' download-folder
    next alt+n 'Select your internet-connection' connection
    next alt+n 'Intergrate the Torvane Toolbar in your browser' toolbar
    next alt+n 'Ready to install' ready
}

# wizard_install_to_finish [SECONDS]: Install on the ready panel, then waits
# (90 s) for the finished panel.
wizard_install_to_finish() {
    e2e_key alt+i
    header 'Installation of Torvane P2P ready' "${1:-90}"
}

# wizard_expect_uninstall_list INSTALL_DIR INSTALL_WIN DATA_WIN TOOLBAR DESKTOP:
# the installation's UnInstall.dat (in the Unix folder INSTALL_DIR) holds, byte
# for byte with CR LF, the list an installation into INSTALL_WIN with the data
# folder DATA_WIN writes; TOOLBAR and DESKTOP (yes or no) say whether the
# toolbar installer and the desktop shortcut were written. A copy of the list
# goes to the artefacts.
wizard_expect_uninstall_list() {
    local dir=$1 install=$2 data=$3 toolbar=$4 desktop=$5
    local key='Software\Microsoft\Windows\CurrentVersion\Uninstall\Torvane P2P'
    local want=(
        'Torvane P2P'
        "<P$data\\*.QCF>" "<P$data\\*.QCV>" "<P$data\\*.QTH>" "<P$data\\*.DAT>" "<P$data\\*.GET>"
        "<E$data\\>"
        "<F$install\\Torvane.Exe>"
        "<F$data\\Torvane.dat>"
        "<F$data\\Torvane.bak>"
        "<F$install\\QVInst.dat>"
        "<F$install\\Uninstall.Exe>"
        "<F$install\\Uninstall.Dat>")
    if [[ $toolbar == yes ]]; then want+=("<F$install\\Torvane_toolbar.exe>"); fi
    want+=("<E$install\\>" "<E$data\\>" "<R$key>" '<STorvane P2P>')
    if [[ $desktop == yes ]]; then want+=('<TTorvane P2P.Lnk>'); fi
    printf '%s\r\n' "${want[@]}" >"$E2E_WORK/want-list.txt"
    cp "$dir/UnInstall.dat" "$E2E_ART/UnInstall.dat"
    cmp "$dir/UnInstall.dat" "$E2E_WORK/want-list.txt" ||
        e2e_fail "the uninstall list differs: $(diff <(tr -d '\r' <"$E2E_WORK/want-list.txt") <(tr '\r' '~' <"$dir/UnInstall.dat"))"
    e2e_log "the uninstall list has the ${#want[@]} expected lines"
}
