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
