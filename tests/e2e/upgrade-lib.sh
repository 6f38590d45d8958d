# Helpers of the upgrade scenarios (test_upgrade_*.sh, test_autoupdate.sh);
# source after lib.sh, e2e_begin and carried-lib.sh.

U=C:\\users\\$E2E_USER
GROUP_WIN="$U\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Torvane P2P"
GROUP=$(e2e_unix_path "$GROUP_WIN")
CLIENT_TITLE_RE='^Torvane P2P 4\.43$'
RETRY_TEXT='Torvane P2P is still running or in use by another program\. Upgrade will retry in a few seconds\.'

# upgrade_drive LETTER TYPE: maps the drive to a folder of the scenario
# ($E2E_WORK/drive-LETTER) and gives it a Wine drive type (hd, floppy,
# cdrom, network); prints the folder. The change is read when the
# wineserver starts again, so call it before starting any program.
upgrade_drive() {
    local letter=${1,,} type=$2 dir=$E2E_WORK/drive-${1,,}
    mkdir -p "$dir"
    ln -sfn "$dir" "$WINEPREFIX/dosdevices/$letter:"
    wine reg add 'HKLM\Software\Wine\Drives' /v "$letter:" /t REG_SZ /d "$type" /f >/dev/null 2>&1 ||
        e2e_fail "cannot set the type of drive $letter:"
    wineserver -w
    echo "$dir"
}

# upgrade_choose: from the welcome panel of a running setup, by keys, to the
# upgrade choice and on to the search.
upgrade_choose() {
    header 'Welcome'
    e2e_key alt+n
    header 'License agreement and disclaimer'
    e2e_key alt+i
    e2e_key alt+n
    header 'Install or upgrade\?'
    e2e_key alt+u
    e2e_shot upgrade-chosen
    e2e_key alt+n
}

# upgrade_files_of DIR: "name size md5" of every file below DIR, sorted.
upgrade_files_of() {
    (cd "$1" && find . -type f -printf '%p %s ' -exec md5sum {} \; | awk '{print $1, $2, $3}' | sort)
}

# upgrade_install_defaults: a new installation with every default, by keys,
# into C:\Program Files\Torvane P2P; the setup is left with Exit (code 0).
upgrade_install_defaults() {
    local panel
    wizard_to_install_folder
    for panel in 'Choose download folder' 'Select your internet-connection' \
        'Intergrate the Torvane Toolbar in your browser' 'Ready to install'; do
        e2e_key alt+n
        header "$panel"
    done
    wizard_install_to_finish
    e2e_key alt+e
    e2e_expect_exit 0 15
    e2e_log "installed into C:\\Program Files\\Torvane P2P"
}

# upgrade_expect_help_link: the group's help link, read back through
# IShellLinkA (link_probe.exe), holds the upgrade's help page as its address.
upgrade_expect_help_link() {
    local help
    cp "$E2E_CROSS_DIR/link_probe.exe" "$WINEPREFIX/drive_c/e2e/"
    help=$(cd "$WINEPREFIX/drive_c/e2e" && timeout 20 wine 'C:\e2e\link_probe.exe' \
        "$GROUP_WIN\\Torvane P2P Help.Lnk" 2>/dev/null | tr -d '\r')
    [[ $(cut -f2 <<<"$help") == 'url:http://www.torvane.example/p2p/help/' ]] ||
        e2e_fail "the help link does not hold the help page: $help"
}

# upgrade_hold_client WINFILE [share-read]: holds the file open without
# sharing (or shared for reading: it can still be run), as a running client
# holds its executable, through hold_file.exe in this prefix,
# until upgrade_release_client. Returns once the file is held.
upgrade_hold_client() {
    cp "$E2E_CROSS_DIR/hold_file.exe" "$WINEPREFIX/drive_c/e2e/"
    UPGRADE_RELEASE=$WINEPREFIX/drive_c/e2e/release
    rm -f "$UPGRADE_RELEASE" "$UPGRADE_RELEASE.held"
    (cd "$WINEPREFIX/drive_c/e2e" && wine 'C:\e2e\hold_file.exe' "$1" 'C:\e2e\release' ${2:-} \
        >"$E2E_ART/hold_file.log" 2>&1; echo $? >"$E2E_WORK/hold.code") &
    UPGRADE_HOLD_PID=$!
    e2e_wait_file "$UPGRADE_RELEASE.held" 20
    e2e_log "$1 is held"
}

# upgrade_release_client: lets go of the held file and expects hold_file.exe
# to have held it throughout (exit 0).
upgrade_release_client() {
    touch "$UPGRADE_RELEASE"
    wait "$UPGRADE_HOLD_PID"
    [[ $(cat "$E2E_WORK/hold.code") == 0 ]] || e2e_fail "hold_file failed: $(cat "$E2E_ART/hold_file.log")"
    e2e_log "the held file is let go"
}

# upgrade_attempts: the attempt numbers of the retry messages the watch has
# seen, in order, without repeats.
upgrade_attempts() {
    e2e_watch_lines "$(line_re "$RETRY_TEXT \\(Attempt [0-9]+\\)")" |
        grep -oE 'Attempt [0-9]+\)$' | tr -dc '0-9\n' | uniq
}

# upgrade_expect_all_attempts: the watch saw attempt numbers that count up by
# one, and the last one is the 21st.
upgrade_expect_all_attempts() {
    local seen prev=0 n
    seen=$(upgrade_attempts | paste -sd ' ')
    e2e_log "attempts seen: $seen"
    [[ -n $seen ]] || e2e_fail "no retry message was seen"
    for n in $(upgrade_attempts); do
        ((n > prev)) || e2e_fail "the attempt numbers do not count up: $seen"
        prev=$n
    done
    ((prev == 21)) || e2e_fail "the last attempt seen is $prev, not 21: $seen"
}

# upgrade_expect_locked_failure WINFILE: the setup is on the error panel and
# shows the failure of the last attempt to replace WINFILE: it could not be
# created because another program uses it.
upgrade_expect_locked_failure() {
    local path_re
    header 'Error' 120
    e2e_wait_text "$(line_re 'Install could not continue - An error occured')" 5
    path_re=$(sed 's/[][\.*^$()+?{}|]/\\&/g' <<<"$1")
    e2e_wait_text "$(line_re "Cannot create file \"$path_re\"\\. .+")" 5
    e2e_log "the error panel shows the failure to replace $1"
}
