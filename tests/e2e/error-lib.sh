# Steps shared by the error-panel scenarios: source after lib.sh.

# error_begin NAME: the scenario on the loopback copy of the setup, with F:
# a full drive.
error_begin() {
    E2E_EXE=$E2E_LOOPBACK_EXE
    [[ -f $E2E_EXE ]] || e2e_fail "no $E2E_EXE (build the cross tree)"
    e2e_begin "$1"
    # Smaller than the client program of either build (the x86_64 one is the
    # smaller, about 200 KiB), so an installation there runs out of space.
    e2e_full_drive F 96
}

# install_onto_full_drive: walks a new installation by keys with the
# installation folder F:\Torvane P2P and everything else as proposed, and
# starts it; the client program does not fit, so the setup ends on the
# error panel. Sets DOWNLOAD_WIN to the download folder the panel proposed.
install_onto_full_drive() {
    wizard_to_choice
    next alt+n 'Choose installation folder' install-folder
    wizard_type_folder 'F:\Torvane P2P'
    next alt+n 'Choose download folder' download-folder
    DOWNLOAD_WIN=$(e2e_wintext | grep -P '^child\tEdit\t' | head -n1 | cut -f4)
    e2e_log "proposed download folder: $DOWNLOAD_WIN"
    next alt+n 'Select your internet-connection' connection
    next alt+n 'Intergrate the Torvane Toolbar in your browser' toolbar
    next alt+n 'Ready to install' ready
    e2e_key alt+i
    INSTALL_STARTED_AT=$SECONDS
    header 'Error' 90
    ERROR_SHOWN_AT=$SECONDS
    e2e_wait_text "$(line_re 'Disk Full')" 10
}
