# Scenario harness, sourced by lib.sh: screenshots and the colours of their pixels.

# e2e_shot NAME: screenshot of the whole screen into artifacts/NN-NAME.png;
# E2E_SHOT names it for the pixel probes.
e2e_shot() {
    E2E_SHOT_NO=$((E2E_SHOT_NO + 1))
    E2E_SHOT=$E2E_ART/$(printf %02d "$E2E_SHOT_NO")-$1.png
    timeout 10 import -window root "$E2E_SHOT" || e2e_fail "screenshot $1 failed"
    e2e_log "screenshot $E2E_SHOT"
}

# e2e_pixel X Y: "R G B" of the last screenshot at client coordinates X,Y
# (needs e2e_client_rect first).
e2e_pixel() {
    local x=$((E2E_CX + $1)) y=$((E2E_CY + $2)) hex
    hex=$(convert "$E2E_SHOT" -crop "1x1+$x+$y" -depth 8 txt:- | grep -oE '#[0-9A-Fa-f]{6}' | head -n1)
    [[ -n $hex ]] || e2e_fail "no pixel at screen $x,$y in $E2E_SHOT"
    echo "$((16#${hex:1:2})) $((16#${hex:3:2})) $((16#${hex:5:2}))"
}

# e2e_expect_pixel X Y R G B [TOLERANCE] [WHAT]: the pixel at client X,Y has
# that colour, each channel within TOLERANCE (default 0).
e2e_expect_pixel() {
    local x=$1 y=$2 r=$3 g=$4 b=$5 tol=${6:-0} what=${7:-pixel} pr pg pb
    read -r pr pg pb <<<"$(e2e_pixel "$x" "$y")"
    if ((${pr} - r > tol || r - ${pr} > tol || pg - g > tol || g - pg > tol ||
         pb - b > tol || b - pb > tol)); then
        e2e_fail "$what at client $x,$y is ($pr,$pg,$pb), want ($r,$g,$b) in $E2E_SHOT"
    fi
    e2e_log "$what at client $x,$y is ($pr,$pg,$pb)"
}

# e2e_wait_pixel NAME X Y R G B [SECONDS]: takes screenshots (artifacts/NN-NAME.png,
# the last one kept as E2E_SHOT) until the pixel at client X,Y has exactly that
# colour, e.g. once a panel has been painted.
e2e_wait_pixel() {
    local name=$1 x=$2 y=$3 r=$4 g=$5 b=$6 limit=${7:-10} deadline pr pg pb
    deadline=$((SECONDS + limit))
    while :; do
        E2E_SHOT=$E2E_ART/$(printf %02d $((E2E_SHOT_NO + 1)))-$name.png
        timeout 10 import -window root "$E2E_SHOT" || e2e_fail "screenshot $name failed"
        read -r pr pg pb <<<"$(e2e_pixel "$x" "$y")"
        if [[ "$pr $pg $pb" == "$r $g $b" ]]; then
            E2E_SHOT_NO=$((E2E_SHOT_NO + 1))
            e2e_log "screenshot $E2E_SHOT: client $x,$y is ($r,$g,$b)"
            return 0
        fi
        ((SECONDS < deadline)) ||
            e2e_fail "client $x,$y still ($pr,$pg,$pb) after $limit s, want ($r,$g,$b) in $E2E_SHOT"
        sleep 0.3
    done
}

# e2e_find_pixel_near X Y R G B RADIUS: true if some pixel within RADIUS of
# client X,Y has exactly that colour (for 1-pixel outlines).
e2e_find_pixel_near() {
    local x=$1 y=$2 r=$3 g=$4 b=$5 rad=$6 want
    want=$(printf '#%02X%02X%02X' "$r" "$g" "$b")
    convert "$E2E_SHOT" -crop "$((2 * rad + 1))x$((2 * rad + 1))+$((E2E_CX + x - rad))+$((E2E_CY + y - rad))" \
        -depth 8 txt:- | grep -qi -- "$want"
}
