# Scenario harness, sourced by lib.sh: the Win32 windows as wintext.exe (tests/e2e/wintext.c) lists them: waits, watches, focus, geometry.

# e2e_wintext [--all | --client TITLE | --focus TITLE | --clipboard | --items CLASS]: prints the windows
# (or a combo box's items); CRs stripped.
e2e_wintext() {
    (cd "$WINEPREFIX/drive_c/e2e" && timeout 20 wine 'C:\e2e\wintext.exe' "$@") | tr -d '\r'
    return "${PIPESTATUS[0]}"
}

# e2e_expect_focus REGEX: the setup's focused window, as wintext --focus
# prints it ("focus<TAB>class<TAB>x,y,w,h<TAB>text<TAB>check state"), matches.
e2e_expect_focus() {
    local out
    out=$(e2e_wintext --focus "${E2E_TITLE}") || e2e_fail "wintext --focus failed: $out"
    grep -qE -- "$1" <<<"$out" || e2e_fail "focus is on '$out', want /$1/"
    e2e_log "focus on /$1/"
}

# e2e_wait_text REGEX [SECONDS]: waits until some visible window line matches
# (extended regex over "kind<TAB>class<TAB>x,y,w,h<TAB>text" lines).
e2e_wait_text() {
    local deadline=$((SECONDS + ${2:-10})) out
    while :; do
        out=$(e2e_wintext || true)
        grep -qE -- "$1" <<<"$out" && { e2e_log "found text /$1/"; return 0; }
        if ((SECONDS >= deadline)); then
            echo "$out" >"$E2E_ART/wintext-missing.txt"
            e2e_fail "no window text matching /$1/ within ${2:-10} s (seen: $E2E_ART/wintext-missing.txt)"
        fi
        sleep 0.3
    done
}

# e2e_watch_start [SECONDS]: starts wintext.exe --watch (default 120 s) in the
# background and returns once it polls. Each listing that differs from the one
# before lands in $E2E_WORK/watch.txt, so a text that shows only briefly after
# the next action cannot slip between two looks, however loaded the machine.
E2E_WATCH_PID=
e2e_watch_start() {
    local limit=${1:-120} deadline
    e2e_watch_stop
    : >"$E2E_WORK/watch.txt"
    (cd "$WINEPREFIX/drive_c/e2e" &&
        exec timeout $((limit + 15)) wine 'C:\e2e\wintext.exe' --watch "$limit") \
        >"$E2E_WORK/watch.txt" 2>>"$E2E_ART/watch.log" &
    E2E_WATCH_PID=$!
    deadline=$((SECONDS + 60))
    until tr -d '\r' <"$E2E_WORK/watch.txt" | grep -qx ready; do
        ((SECONDS < deadline)) || e2e_fail "wintext --watch did not start within 60 s"
        kill -0 "$E2E_WATCH_PID" 2>/dev/null || e2e_fail "wintext --watch ended at once: $(cat "$E2E_ART/watch.log")"
        sleep 0.1
    done
    e2e_log "watching the windows"
}

e2e_watch_stop() {
    [[ -n $E2E_WATCH_PID ]] || return 0
    pkill -P "$E2E_WATCH_PID" 2>/dev/null || true
    kill "$E2E_WATCH_PID" 2>/dev/null || true
    wait "$E2E_WATCH_PID" 2>/dev/null || true
    E2E_WATCH_PID=
}

# e2e_watch_lines REGEX: every line the watch has seen so far that matches.
e2e_watch_lines() {
    tr -d '\r' <"$E2E_WORK/watch.txt" | grep -E -- "$1" || true
}

# e2e_watch_wait REGEX [SECONDS]: waits until the watch has seen a line that
# matches (extended regex over wintext lines), whether or not it still shows.
e2e_watch_wait() {
    local deadline=$((SECONDS + ${2:-10}))
    while :; do
        [[ -n $(e2e_watch_lines "$1") ]] && { e2e_log "the watch saw /$1/"; return 0; }
        if ((SECONDS >= deadline)); then
            cp "$E2E_WORK/watch.txt" "$E2E_ART/watch-missing.txt"
            e2e_fail "the watch saw no line matching /$1/ within ${2:-10} s (seen: $E2E_ART/watch-missing.txt)"
        fi
        sleep 0.2
    done
}

# e2e_dump_windows NAME: saves the window list as an artefact.
e2e_dump_windows() {
    # Counted outside $(...): a subshell's increment would be lost.
    E2E_SHOT_NO=$((E2E_SHOT_NO + 1))
    e2e_wintext --all >"$E2E_ART/$(printf %02d "$E2E_SHOT_NO")-$1-windows.txt"
}

# e2e_client_rect [TITLE]: sets E2E_CX E2E_CY (client origin on the screen)
# and E2E_CW E2E_CH (client size) of the top-level window titled TITLE.
e2e_client_rect() {
    local out
    out=$(e2e_wintext --client "${1:-$E2E_TITLE}") || e2e_fail "no window titled '${1:-$E2E_TITLE}'"
    read -r E2E_CX E2E_CY E2E_CW E2E_CH <<<"$out"
    e2e_log "client area at $E2E_CX,$E2E_CY size ${E2E_CW}x$E2E_CH"
}

# e2e_heard NAME LINE...: what a screen reader hears of the setup's visible
# controls (a11y_probe.exe: "a11y<TAB>class<TAB>role<TAB>name<TAB>value<TAB>
# action<TAB>hidden|shown", through AccessibleObjectFromWindow), kept as
# NN-NAME-a11y.txt; each LINE (an extended regex) must match a whole line,
# and no control of the control layer may answer as a mere "client".
e2e_heard() {
    local name=$1 out want
    shift
    [[ -f $WINEPREFIX/drive_c/e2e/a11y_probe.exe ]] || cp "$E2E_CROSS_DIR/a11y_probe.exe" "$WINEPREFIX/drive_c/e2e/"
    out=$(cd "$WINEPREFIX/drive_c/e2e" && timeout 20 wine 'C:\e2e\a11y_probe.exe' "$E2E_TITLE" 2>>"$E2E_ART/wine.log" |
        tr -d '\r') || e2e_fail "a11y_probe.exe failed: $out"
    E2E_SHOT_NO=$((E2E_SHOT_NO + 1))
    echo "$out" >"$E2E_ART/$(printf %02d "$E2E_SHOT_NO")-$name-a11y.txt"
    for want in "$@"; do
        grep -qxE -- "$want" <<<"$out" || e2e_fail "a screen reader does not hear /$want/ on $name: $out"
    done
    ! grep -E $'^a11y\tTorvane(Label|Image|SpeedButton|Panel|ProgressBar)\tclient\t' <<<"$out" ||
        e2e_fail "controls heard as a mere client on $name: $out"
    e2e_log "heard on $name: $(wc -l <<<"$out") controls"
}

# e2e_press_heard BUTTON: presses the push button a screen reader hears as
# BUTTON by its default action ("Press").
e2e_press_heard() {
    (cd "$WINEPREFIX/drive_c/e2e" && timeout 20 wine 'C:\e2e\a11y_probe.exe' "$E2E_TITLE" --press "$1") \
        2>>"$E2E_ART/wine.log" || e2e_fail "no push button '$1' to press by its default action"
}
