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
# Every control where the layout puts it (client coordinates: the page area
# starts at 40,72, Panel1 at 172,80), with its text.
windows=$(e2e_wintext)
while IFS='|' read -r at text; do
    grep -qP -- "^child\t[^\t]+\t\Q$at\E\t\Q$text\E\$" <<<"$windows" ||
        e2e_fail "no window at $at showing [$text]"
done <<'EOF_LAYOUT'
56,80,121,122|
172,80,559,119|
182,112,500,50|Disk Full
636,177,91,19|Copy to clipboard
56,232,217,49|This error was unexpected, the installation program has no knowledge how to automatically resolve or by pass this problem. 
56,283,217,46|Possible remedies can be to install the program in a different folder or to run the installer with all usage rights (as administrator).
57,334,217,46|You can hit the restart button to give it another shot. 
348,231,217,52|We aim on creating software that just does what it should do, apperently something went wrong in this. We would love to know that so we can fix it.
349,289,217,45|Could you include the exact text of the error message in your E-mail? For copy/paste use the copy to clipboard button.
350,342,102,13|You can reach us at: 
EOF_LAYOUT
for at_text in '180,88,|Install could not continue - An error occured' '56,216,|How to resolve' \
    '348,215,|Let us know' '453,342,|support@torvane.example'; do
    grep -qP -- "^child\t[^\t]+\t${at_text%%|*}\d+,\d+\t\Q${at_text#*|}\E$" <<<"$windows" ||
        e2e_fail "no label at ${at_text%%|*} showing [${at_text#*|}]"
done
e2e_log "the panel's controls are where the layout puts them"

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
