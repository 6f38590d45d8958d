#!/usr/bin/env bash
# The same failure while the report service does not answer: a server that
# takes the connection and never replies, so the report's fetch hangs in
# WinInet. The error panel still comes at once (nothing waits for the
# report), the program keeps answering for several seconds, and "&Exit" ends
# it with the fetch abandoned. (A closed port, where the fetch fails at once,
# is part of the web_fetch scenario.)
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
source "$(dirname "${BASH_SOURCE[0]}")/error-lib.sh"
error_begin error_unreachable
e2e_report_server_start --silent

install_onto_full_drive
e2e_log "error panel up $((ERROR_SHOWN_AT - INSTALL_STARTED_AT)) s after Install Now"
((ERROR_SHOWN_AT - INSTALL_STARTED_AT <= 10)) || e2e_fail "the error panel took too long"
e2e_shot error-panel
# Still answering while the report hangs: the window list (which sends
# WM_GETTEXT to every window and would time out on a hung one) keeps showing
# the panel, and a key moves the focus.
for round in 1 2 3; do
    sleep 2
    out=$(e2e_wintext)
    grep -qE "$(header_re Error)" <<<"$out" || e2e_fail "no error header in round $round"
    grep -qE "$(line_re 'Disk Full')" <<<"$out" || e2e_fail "no message in round $round"
done
e2e_key Tab
e2e_shot still-responsive
e2e_key alt+e
e2e_expect_exit 0 10
