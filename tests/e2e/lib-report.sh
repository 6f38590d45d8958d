# Scenario harness, sourced by lib.sh: the error-report server (tests/e2e/report_server.py) on the loopback setup's port.

E2E_REPORT_PID=

# e2e_report_port_lock: takes the machine-wide lock of the report port, so
# that scenarios of another build tree neither share the server nor make an
# "unreachable" server reachable. Held until the scenario's script ends.
e2e_report_port_lock() {
    exec 7>"/tmp/torvane-e2e-report-$E2E_REPORT_PORT.lock"
    flock -w 240 7 || e2e_fail "another scenario held port $E2E_REPORT_PORT for 240 s"
    if (exec 3<>"/dev/tcp/127.0.0.1/$E2E_REPORT_PORT") 2>/dev/null; then
        e2e_fail "something else listens on 127.0.0.1:$E2E_REPORT_PORT (set TORVANE_E2E_REPORT_PORT)"
    fi
}

# e2e_report_server_start [--silent]: the server on the loopback setup's
# report port; the request lines it receives go to $E2E_REPORT_LOG. A silent
# one takes connections and never answers.
e2e_report_server_start() {
    e2e_report_port_lock
    E2E_REPORT_LOG=$E2E_ART/report-requests.log
    : >"$E2E_REPORT_LOG"
    python3 "$E2E_SOURCE_DIR/tests/e2e/report_server.py" "$E2E_REPORT_PORT" "$E2E_REPORT_LOG" "$@" \
        >"$E2E_WORK/report-server.out" 2>&1 7>&- 8>&- &
    E2E_REPORT_PID=$!
    local deadline=$((SECONDS + 10))
    until grep -q listening "$E2E_WORK/report-server.out" 2>/dev/null; do
        kill -0 "$E2E_REPORT_PID" 2>/dev/null ||
            e2e_fail "the report server did not start: $(cat "$E2E_WORK/report-server.out")"
        ((SECONDS < deadline)) || e2e_fail "the report server did not listen within 10 s"
        sleep 0.1
    done
    e2e_log "report server on 127.0.0.1:$E2E_REPORT_PORT (pid $E2E_REPORT_PID)"
}

e2e_report_server_stop() {
    [[ -n ${E2E_REPORT_PID:-} ]] || return 0
    kill "$E2E_REPORT_PID" 2>/dev/null || true
    wait "$E2E_REPORT_PID" 2>/dev/null || true
    E2E_REPORT_PID=
}

# e2e_wait_requests COUNT [SECONDS]: waits until the server has logged COUNT
# requests, then fails if more arrive within a second.
e2e_wait_requests() {
    local want=$1 deadline=$((SECONDS + ${2:-15})) got
    while :; do
        got=$(wc -l <"$E2E_REPORT_LOG")
        ((got >= want)) && break
        ((SECONDS < deadline)) || e2e_fail "the report server got $got requests, want $want"
        sleep 0.2
    done
    sleep 1
    got=$(wc -l <"$E2E_REPORT_LOG")
    ((got == want)) || e2e_fail "the report server got $got requests, want $want: $(cat "$E2E_REPORT_LOG")"
    e2e_log "the report server got $want request(s)"
}

# e2e_report_value N KEY: the decoded value of KEY in request line N (1-based).
e2e_report_value() {
    sed -n "${1}p" "$E2E_REPORT_LOG" | python3 -c '
import sys, urllib.parse
line = sys.stdin.read().split(" ")[1]
query = urllib.parse.urlsplit(line).query
fields = urllib.parse.parse_qsl(query, keep_blank_values=True, encoding="latin-1")
want = [f[1] for f in fields if f[0] == sys.argv[1]]
sys.stdout.write(want[0] if want else "<missing>")
' "$2"
}

# e2e_report_keys N: the keys of request line N in order, comma separated.
e2e_report_keys() {
    sed -n "${1}p" "$E2E_REPORT_LOG" | python3 -c '
import sys, urllib.parse
query = urllib.parse.urlsplit(sys.stdin.read().split(" ")[1]).query
print(",".join(k for k, _ in urllib.parse.parse_qsl(query, keep_blank_values=True)))
'
}
