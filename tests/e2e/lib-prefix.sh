# Scenario harness, sourced by lib.sh: wine prefixes: the pristine one made once, the scenario's copy, paths inside it.

# e2e_pristine_prefix [COPY_TO]: makes $E2E_DIR/pristine/prefix unless one
# for this Wine version is there, then copies it to COPY_TO if given.
# Serialised with a lock so parallel runs never build it twice or copy a
# half-made one.
e2e_pristine_prefix() {
    local root=$E2E_PRISTINE_ROOT version copy_to=${1:-}
    mkdir -p "$root"
    # The Wine version and the layout of what is added below.
    version="$(wine --version) $WINEARCH (Tahoma, MS Sans Serif bitmap, no Z:)"
    (
        flock -w 300 9 || e2e_fail "timed out waiting for the pristine prefix lock"
        if [[ -f $root/stamp && $(cat "$root/stamp") == "$version" && -d $root/prefix ]]; then
            [[ -z $copy_to ]] || cp -a "$root/prefix" "$copy_to"
            exit 0
        fi
        e2e_log "making a pristine Wine prefix ($version)"
        rm -rf "$root/prefix" "$root/prefix.tmp" "$root/home"
        mkdir -p "$root/home"
        # Without a display: wineboot with one opens a "Wine" window that
        # confuses window searches.
        env -u DISPLAY WINEPREFIX="$root/prefix.tmp" HOME="$root/home" wineboot -i
        WINEPREFIX="$root/prefix.tmp" HOME="$root/home" wineserver -w
        local users=$root/prefix.tmp/drive_c/users u d
        for u in "$users"/*; do
            [[ $(basename "$u") == Public ]] && continue
            # The user folders are symlinks into HOME: make them real folders.
            for d in Desktop Documents Downloads Music Pictures Videos; do
                if [[ -L $u/$d || ! -e $u/$d ]]; then rm -f "$u/$d"; mkdir "$u/$d"; fi
            done
        done
        # Z: maps the whole Linux file system as a fixed disk; the setup's
        # search for installed copies walks every fixed disk.
        rm -f "$root/prefix.tmp/dosdevices/z:"
        # The layouts' "MS Sans Serif" is the bitmap font sserife.fon, as on
        # Windows; Tahoma stands in at the sizes it has no bitmap for. Debian's
        # Wine 8 finds neither of fonts-wine's files on its own (it falls
        # back to the much wider DejaVu Sans, which cuts the texts); in the
        # Fonts folder it does.
        local font
        for font in /usr/share/wine/fonts/sserife.fon /usr/share/wine/fonts/tahoma.ttf \
                    /usr/share/wine/fonts/tahomabd.ttf; do
            [[ -f $font ]] || e2e_fail "no $font (Debian package fonts-wine)"
            cp "$font" "$root/prefix.tmp/drive_c/windows/Fonts/"
        done
        mv "$root/prefix.tmp" "$root/prefix"
        echo "$version" >"$root/stamp"
        [[ -z $copy_to ]] || cp -a "$root/prefix" "$copy_to"
    ) 9>"$root.lock"
}

# The Windows user name Wine chose for this prefix (its folder under C:\users).
e2e_wine_user() {
    local u
    for u in "$WINEPREFIX"/drive_c/users/*; do
        [[ $(basename "$u") == Public ]] || { basename "$u"; return; }
    done
    e2e_fail "no user folder in $WINEPREFIX"
}

# Unix path inside the prefix for a Windows path on C: (C:\a\b -> .../drive_c/a/b).
e2e_unix_path() {
    local p=${1//\\//}
    [[ $p =~ ^[cC]:(/.*)?$ ]] || e2e_fail "e2e_unix_path: not a C: path: $1"
    echo "$WINEPREFIX/drive_c${p:2}"
}
