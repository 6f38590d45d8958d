#!/usr/bin/env bash
# An installation onto a drive whose small file system is full: the setup ends
# on the error panel, which shows "Disk Full" with its texts, and the report
# server receives exactly one request carrying the run-time's message
# unchanged, the installing panel's header and the four folders as the
# install sequence had settled them, every value quoted and percent-encoded.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
source "$(dirname "${BASH_SOURCE[0]}")/error-lib.sh"
error_begin error_disk_full
e2e_report_server_start

install_onto_full_drive
e2e_shot error-panel
e2e_dump_windows error-panel
for text in 'Install could not continue - An error occured' 'How to resolve' 'Let us know' \
    'You can reach us at: ' 'support@torvane\.example' 'Copy to clipboard'; do
    e2e_wait_text "$(line_re "$text")" 5
done

e2e_wait_requests 1 15
line=$(head -n1 "$E2E_REPORT_LOG")
e2e_log "request: $line"
[[ $line == 'GET /error/report.php?T=Torvane&V=3&A=%22'* ]] || e2e_fail "unexpected request line: $line"
[[ $line != *'\'* && $line != *' '*' '*' '* ]] || e2e_fail "raw backslash or blank in: $line"
keys=$(e2e_report_keys 1)
[[ $keys == T,V,A,B,C,D,E,F ]] || e2e_fail "keys $keys"

U="C:\\users\\$E2E_USER"
check() {
    local got
    got=$(e2e_report_value 1 "$1")
    [[ $got == "$2" ]] || e2e_fail "report $1 is [$got], want [$2]"
    e2e_log "report $1 = $got"
}
check T 'Torvane'
check V '3'
check A '"Installing Torvane P2P"'
check B '"F:\Torvane P2P\"'
check C "\"${DOWNLOAD_WIN%\\}\\\""
check D "\"$U\\AppData\\Local\\Torvane P2P\\\""
check E "\"$U\\AppData\\Local\\Torvane P2P\\\""
check F '"I/O error 112"'

e2e_key alt+e
e2e_expect_exit 0 10
