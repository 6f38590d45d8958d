# Helpers shared by the scenarios of the carried programs (test_carried_*.sh);
# source after lib.sh and e2e_begin.
#
#   TORVANE_NATIVE_DIR   native build tree, for tools/mkdatafile (build/native)

CARRIED_DIR=$E2E_CROSS_DIR/carried
CARRIED_NATIVE_DIR=${TORVANE_NATIVE_DIR:-$E2E_SOURCE_DIR/build/native}

# carried_put PROGRAM WINFOLDER: copies a built carried program (Torvane.Exe,
# Uninstall.Exe, Torvane_toolbar.exe) into a folder of the prefix.
carried_put() {
    local from=$CARRIED_DIR/$1 to
    [[ -f $from ]] || e2e_fail "no $from (build the cross tree)"
    to=$(e2e_unix_path "$2")
    mkdir -p "$to"
    cp "$from" "$to/$1"
}

# carried_close REGEX: closes the top-level window whose X name matches, as a
# user would (Alt+F4), and expects the program to end with exit code 0.
carried_close() {
    e2e_find_window "$1"
    e2e_key alt+F4
    e2e_expect_exit 0 10
}
