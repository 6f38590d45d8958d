# Scenario harness, sourced by lib.sh: files and the registry in the prefix, and a full drive.

# e2e_wait_file UNIX_PATH [SECONDS]: waits until the file exists.
e2e_wait_file() {
    local deadline=$((SECONDS + ${2:-10}))
    until [[ -e $1 ]]; do
        ((SECONDS < deadline)) || e2e_fail "no $1 after ${2:-10} s"
        sleep 0.2
    done
}

# e2e_wait_gone UNIX_PATH [SECONDS]: waits (30 s) until nothing is at the path,
# e.g. while an uninstaller's copy removes the program after it ended.
e2e_wait_gone() {
    local deadline=$((SECONDS + ${2:-30}))
    while [[ -e $1 ]]; do
        ((SECONDS < deadline)) || e2e_fail "$1 still there after ${2:-30} s: $(ls -la "$1" 2>&1)"
        sleep 0.3
    done
}

# e2e_reg_query KEY NAME: prints the value's data (REG_SZ etc.), or fails when
# the value is missing. Reads the live registry through the prefix's wineserver.
e2e_reg_query() {
    local out
    out=$(timeout 30 wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r') ||
        e2e_fail "registry value $1\\$2 is missing"
    # Lines look like "    NAME    REG_SZ    data" (four spaces between fields).
    local line
    while IFS= read -r line; do
        line=${line#"${line%%[! ]*}"}
        if [[ ${line,,} == "${2,,}    reg_"* ]]; then
            line=${line:${#2}+4}
            echo "${line#REG_*    }"
            return 0
        fi
    done <<<"$out"
    e2e_fail "registry value $1\\$2 not in: $out"
}

# ---------------------------------------------------------------------------
# A full drive
# ---------------------------------------------------------------------------

# e2e_full_drive LETTER [KIB]: maps the drive to a fresh tmpfs of KIB KiB
# (default 256; needs root, as the Wine tests do), unmounted when the scenario
# ends.
e2e_full_drive() {
    local kib=${2:-256}
    E2E_FULL_DISK=$E2E_WORK/full-disk
    mkdir -p "$E2E_FULL_DISK"
    mount -t tmpfs -o size=${kib}k,mode=0755 tmpfs "$E2E_FULL_DISK" 2>"$E2E_WORK/mount.log" ||
        e2e_fail "cannot mount a tmpfs for the full drive (root needed): $(cat "$E2E_WORK/mount.log")"
    e2e_on_exit e2e_full_drive_unmount
    ln -sfn "$E2E_FULL_DISK" "$WINEPREFIX/dosdevices/${1,,}:"
    e2e_log "drive ${1^^}: is a $kib KiB tmpfs"
}

# Wine has let go of the drive by the time the exit handlers run.
e2e_full_drive_unmount() { umount -l "$E2E_FULL_DISK" 2>/dev/null || true; }
