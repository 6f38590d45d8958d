#!/usr/bin/env bash
# Runs panel_text_fit.exe (built by the cross tree) in a fresh copy of the
# pristine prefix, whose fonts are those the setup draws with: first in the
# layouts' bitmap "MS Sans Serif", then, with that face taken away, in Tahoma,
# which the setup asks for where the bitmap face is missing. Passes when every
# text of every panel fits its box in both.
source "$(dirname "${BASH_SOURCE[0]}")/../../e2e/lib.sh"
fit_exe=$E2E_CROSS_DIR/panel_text_fit.exe
[[ -f $fit_exe ]] || e2e_fail "no $fit_exe (build the cross tree)"
e2e_begin text_fit
cp "$fit_exe" "$WINEPREFIX/drive_c/e2e/"

measure() { # results file
    local status
    set +e
    (cd "$WINEPREFIX/drive_c/e2e" && timeout 120 wine 'C:\e2e\panel_text_fit.exe') 2>>"$E2E_ART/wine.log" |
        tr -d '\r' | tee "$1"
    status=${PIPESTATUS[0]}
    set -e
    grep -qE '^[0-9]+ texts, 0 cut$' "$1" || e2e_fail "texts do not fit their boxes: $(grep '^CUT' "$1")"
    [[ $status == 0 ]] || e2e_fail "panel_text_fit.exe exited with $status"
}

measure "$E2E_ART/results.txt"
# Measured in the layouts' face: the prefix must have its bitmap sizes.
grep -qE '^MS Sans Serif bitmap heights:( [0-9]+)* 11( |$)' "$E2E_ART/results.txt" ||
    e2e_fail "the prefix has no 11-pixel bitmap MS Sans Serif (sserife.fon)"

rm -f "$WINEPREFIX/drive_c/windows/Fonts/sserife.fon"
wineserver -k 2>/dev/null || true
measure "$E2E_ART/results-tahoma.txt"
grep -qE '^MS Sans Serif bitmap heights: none \(Tahoma stands in\)$' "$E2E_ART/results-tahoma.txt" ||
    e2e_fail "the bitmap face is still there: not measured in Tahoma"
