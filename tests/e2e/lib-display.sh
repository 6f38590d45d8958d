# Scenario harness, sourced by lib.sh: the display: Xvfb on a free display number, openbox on top.

E2E_XVFB_PID=
E2E_WM_PID=

e2e_display_start() {
    local fdfile=$E2E_WORK/display.num i
    : >"$fdfile"
    # 8>&-: the display must not hold the scenario lock; a leftover server
    # would otherwise block every later scenario.
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$fdfile" \
        >"$E2E_WORK/xvfb.log" 2>&1 8>&- &
    E2E_XVFB_PID=$!
    for ((i = 0; i < 100; i++)); do
        [[ -s $fdfile ]] && break
        kill -0 "$E2E_XVFB_PID" 2>/dev/null || e2e_fail "Xvfb did not start: $(cat "$E2E_WORK/xvfb.log")"
        sleep 0.1
    done
    [[ -s $fdfile ]] || e2e_fail "Xvfb gave no display number"
    export DISPLAY=:$(tr -d '[:space:]' <"$fdfile")
    openbox --sm-disable >"$E2E_WORK/openbox.log" 2>&1 8>&- &
    E2E_WM_PID=$!
    for ((i = 0; i < 100; i++)); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
        sleep 0.1
    done
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' ||
        e2e_fail "openbox did not come up on $DISPLAY"
    e2e_log "display $DISPLAY (Xvfb $E2E_XVFB_PID, openbox $E2E_WM_PID)"
}

e2e_display_stop() {
    [[ -n $E2E_WM_PID ]] && kill "$E2E_WM_PID" 2>/dev/null || true
    [[ -n $E2E_XVFB_PID ]] && kill "$E2E_XVFB_PID" 2>/dev/null || true
    [[ -n $E2E_WM_PID ]] && wait "$E2E_WM_PID" 2>/dev/null || true
    [[ -n $E2E_XVFB_PID ]] && wait "$E2E_XVFB_PID" 2>/dev/null || true
    E2E_WM_PID= E2E_XVFB_PID=
}
