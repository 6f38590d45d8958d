#!/usr/bin/env bash
# The setup's web fetch over the real WinInet (fetch_probe.exe runs the same
# code): two fetches of the same URL at once and one after the other all
# reach the server (never a cached copy, though the server allows caching),
# a 404 answer's body is delivered like any other, and a closed port gives an
# empty body.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_begin web_fetch
e2e_report_server_start
probe=$E2E_CROSS_DIR/fetch_probe.exe
[[ -f $probe ]] || e2e_fail "no $probe (build the cross tree)"
cp "$probe" "$WINEPREFIX/drive_c/e2e/"

base=http://127.0.0.1:$E2E_REPORT_PORT
run_probe() {
    (cd "$WINEPREFIX/drive_c/e2e" && timeout 60 wine 'C:\e2e\fetch_probe.exe' "$@") 2>>"$E2E_ART/wine.log" |
        tr -d '\r' | tee -a "$E2E_ART/probe.txt"
}
out=$(run_probe "$base/same?x=1" "$base/same?x=1" "$base/missing/report")
grep -qx 'done 3' <<<"$out" || e2e_fail "the probe did not finish: $out"
grep -qxF "$base/same?x=1"$'\t'"17"$'\t'"report received  " <<<"$out" || e2e_fail "no 200 body: $out"
[[ $(grep -cF "$base/same?x=1"$'\t17\t' <<<"$out") == 2 ]] || e2e_fail "not both bodies: $out"
grep -qxF "$base/missing/report"$'\t'"26"$'\t'"no such report: 404 body  " <<<"$out" ||
    e2e_fail "the 404 body was not delivered: $out"
out=$(run_probe "$base/same?x=1")
grep -qxF "$base/same?x=1"$'\t'"17"$'\t'"report received  " <<<"$out" || e2e_fail "third fetch: $out"
E2E_REPORT_LOG=$E2E_REPORT_LOG e2e_wait_requests 4 10
[[ $(grep -c '^GET /same?x=1 HTTP' "$E2E_REPORT_LOG") == 3 ]] ||
    e2e_fail "the same URL reached the server $(grep -c 'same' "$E2E_REPORT_LOG") times, want 3"
e2e_report_server_stop
out=$(run_probe "$base/closed")
grep -qxF "$base/closed"$'\t0\t' <<<"$out" || e2e_fail "a closed port gave: $out"
