# Scenario harness, sourced by lib.sh: a scenario's life: begin and end, the program started and ended, keys and typing.

E2E_SHOT_NO=0
E2E_APP_PID=

# e2e_begin NAME: fresh prefix copy, own display, the setup copied into the
# user's Downloads folder (where a downloaded setup runs from).
e2e_begin() {
    E2E_NAME=$1
    E2E_WORK=$E2E_DIR/work/$E2E_NAME
    E2E_ART=$E2E_DIR/artifacts/$E2E_NAME
    [[ -f $E2E_EXE ]] || e2e_fail "no setup program at $E2E_EXE (build the cross tree)"
    [[ -f $E2E_CROSS_DIR/wintext.exe ]] || e2e_fail "no wintext.exe in $E2E_CROSS_DIR"
    # One scenario at a time per work folder, also across separate test runs
    # (several people may run the tests in one tree): the lock is held until
    # the scenario's script ends.
    mkdir -p "$E2E_DIR"
    exec 8>"$E2E_DIR/scenario.lock"
    flock -w 240 8 || e2e_fail "another scenario held $E2E_DIR/scenario.lock for 240 s"
    if [[ -d $E2E_WORK/prefix ]]; then
        WINEPREFIX=$E2E_WORK/prefix wineserver -k 2>/dev/null || true
    fi
    # A full drive left mounted by a killed run (see e2e_full_drive).
    if mountpoint -q "$E2E_WORK/full-disk" 2>/dev/null; then umount -l "$E2E_WORK/full-disk"; fi
    rm -rf "$E2E_WORK" "$E2E_ART"
    mkdir -p "$E2E_WORK/home" "$E2E_ART"
    trap e2e_end EXIT
    e2e_pristine_prefix "$E2E_WORK/prefix"
    export WINEPREFIX=$E2E_WORK/prefix HOME=$E2E_WORK/home
    export XDG_CONFIG_HOME=$HOME/.config XDG_DATA_HOME=$HOME/.local/share XDG_CACHE_HOME=$HOME/.cache
    E2E_USER=$(e2e_wine_user)
    E2E_DOWNLOADS_WIN="C:\\users\\$E2E_USER\\Downloads"
    E2E_DOWNLOADS=$(e2e_unix_path "$E2E_DOWNLOADS_WIN")
    E2E_EXE_WIN="$E2E_DOWNLOADS_WIN\\Install_Torvane.exe"
    cp "$E2E_EXE" "$E2E_DOWNLOADS/Install_Torvane.exe"
    mkdir -p "$WINEPREFIX/drive_c/e2e"
    cp "$E2E_CROSS_DIR/wintext.exe" "$WINEPREFIX/drive_c/e2e/"
    e2e_display_start
    e2e_log "prefix $WINEPREFIX, artifacts $E2E_ART"
}

e2e_end() {
    local rc=$?
    set +e
    if [[ -n ${WINEPREFIX:-} ]]; then
        if [[ $rc != 0 && -n $E2E_XVFB_PID ]]; then
            timeout 10 import -window root "$E2E_ART/zz-at-failure.png" 2>/dev/null
            e2e_wintext >"$E2E_ART/zz-at-failure-windows.txt" 2>&1
        fi
        wineserver -k 2>/dev/null
        wineserver -w 2>/dev/null
    fi
    local handler
    for handler in "${E2E_EXIT_HANDLERS[@]}"; do "$handler"; done
    [[ -n $E2E_APP_PID ]] && wait "$E2E_APP_PID" 2>/dev/null
    e2e_watch_stop
    e2e_report_server_stop
    e2e_display_stop
    if [[ $rc == 0 ]]; then
        [[ ${E2E_KEEP:-0} == 1 ]] || rm -rf "$E2E_WORK/prefix"
        echo "PASS: $E2E_NAME"
    else
        echo "FAIL: $E2E_NAME (exit $rc); prefix kept in $E2E_WORK/prefix, pictures in $E2E_ART" >&2
    fi
    exit "$rc"
}

# ---------------------------------------------------------------------------
# The program
# ---------------------------------------------------------------------------

# e2e_start [ARGS...]: runs the setup from Downloads in the background (its
# working folder is Downloads, as when started from Explorer). Its exit code
# lands in $E2E_WORK/exit.code.
e2e_start() {
    e2e_start_exe "$E2E_EXE_WIN" "$@"
}

# e2e_start_exe WINPATH [ARGS...]: the same for any program in the prefix.
e2e_start_exe() {
    local exe=$1
    shift
    rm -f "$E2E_WORK/exit.code"
    (
        cd "$(dirname "$(e2e_unix_path "$exe")")"
        set +e
        wine "$exe" "$@" >>"$E2E_ART/app.log" 2>&1
        echo $? >"$E2E_WORK/exit.code"
    ) &
    E2E_APP_PID=$!
    e2e_log "started $exe $*"
}

# e2e_wait_exit [SECONDS]: waits for the program started last; sets E2E_EXIT_CODE.
e2e_wait_exit() {
    local limit=${1:-10}
    local deadline=$((SECONDS + limit))
    while [[ ! -s $E2E_WORK/exit.code ]]; do
        ((SECONDS < deadline)) || e2e_fail "program still running after $limit s"
        sleep 0.2
    done
    wait "$E2E_APP_PID" 2>/dev/null || true
    E2E_APP_PID=
    E2E_EXIT_CODE=$(cat "$E2E_WORK/exit.code")
}

# e2e_expect_exit CODE [SECONDS]
e2e_expect_exit() {
    e2e_wait_exit "${2:-10}"
    [[ $E2E_EXIT_CODE == "$1" ]] || e2e_fail "exit code $E2E_EXIT_CODE, want $1"
    e2e_log "program ended with exit code $E2E_EXIT_CODE"
}

# e2e_find_window [REGEX]: waits (20 s) for a top-level X window whose name
# matches (default: the setup's title) and sets E2E_WIN to it.
e2e_find_window() {
    local re=${1:-$E2E_TITLE_RE} ids
    ids=$(timeout 20 xdotool search --sync --onlyvisible --name "$re" 2>/dev/null) ||
        e2e_fail "no window matching '$re' within 20 s"
    E2E_WIN=$(head -n1 <<<"$ids")
    e2e_log "window $E2E_WIN matches '$re'"
}

# e2e_key KEY...: activates the setup's window and presses the keys, e.g. alt+n.
e2e_key() {
    [[ -n ${E2E_WIN:-} ]] || e2e_fail "e2e_key before e2e_find_window"
    timeout 10 xdotool windowactivate --sync "$E2E_WIN" key --delay 50 "$@" ||
        e2e_fail "could not press $* in window $E2E_WIN"
    e2e_log "pressed $*"
}

# e2e_key_focused KEY...: presses keys in whatever has the focus (a message box).
e2e_key_focused() {
    timeout 10 xdotool key --delay 50 "$@" || e2e_fail "could not press $*"
    e2e_log "pressed $* (focused window)"
}

# e2e_type TEXT: types text into the focused control.
e2e_type() {
    timeout 20 xdotool type --delay 30 -- "$1" || e2e_fail "could not type '$1'"
}
