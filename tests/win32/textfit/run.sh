#!/usr/bin/env bash
# Runs panel_text_fit.exe (built by the cross tree) in a fresh copy of the
# pristine prefix, whose fonts are those the setup draws with. Passes when
# every text of every panel fits its box.
source "$(dirname "${BASH_SOURCE[0]}")/../../e2e/lib.sh"
fit_exe=$E2E_CROSS_DIR/panel_text_fit.exe
[[ -f $fit_exe ]] || e2e_fail "no $fit_exe (build the cross tree)"
e2e_begin text_fit
cp "$fit_exe" "$WINEPREFIX/drive_c/e2e/"
set +e
(cd "$WINEPREFIX/drive_c/e2e" && timeout 120 wine 'C:\e2e\panel_text_fit.exe') 2>"$E2E_ART/wine.log" |
    tr -d '\r' | tee "$E2E_ART/results.txt"
status=${PIPESTATUS[0]}
set -e
# Measured in the layouts' face: the prefix must have its bitmap sizes.
grep -qE '^MS Sans Serif bitmap heights:( [0-9]+)* 11( |$)' "$E2E_ART/results.txt" ||
    e2e_fail "the prefix has no 11-pixel bitmap MS Sans Serif (sserife.fon)"
grep -qE '^[0-9]+ texts, [0-9]+ known misfits, 0 cut$' "$E2E_ART/results.txt" || e2e_fail "texts do not fit their boxes: $(grep '^CUT' "$E2E_ART/results.txt")"
[[ $status == 0 ]] || e2e_fail "panel_text_fit.exe exited with $status"
