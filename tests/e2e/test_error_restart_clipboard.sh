#!/usr/bin/env bash
# On the error panel, "Copy to clipboard" copies exactly the text shown
# ("Disk Full", not the run-time's message), and "&Restart" ends the setup
# with exit code 0 and starts it afresh on the welcome panel.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
source "$(dirname "${BASH_SOURCE[0]}")/error-lib.sh"
error_begin error_restart_clipboard
e2e_report_server_start

install_onto_full_drive
e2e_shot error-panel
# The button at panel 596,105 (Panel1 at 132,8; the button at 464,97 in it),
# 91 x 19: client 636..727, 177..196 (pages start at 40,72).
e2e_client_rect
timeout 10 xdotool mousemove --sync $((E2E_CX + 681)) $((E2E_CY + 186)) click 1 ||
    e2e_fail "could not click Copy to clipboard"
deadline=$((SECONDS + 10))
until [[ $(e2e_wintext --clipboard 2>/dev/null) == 'Disk Full' ]]; do
    ((SECONDS < deadline)) || e2e_fail "the clipboard holds [$(e2e_wintext --clipboard)], want [Disk Full]"
    sleep 0.3
done
e2e_log "the clipboard holds exactly 'Disk Full'"
e2e_shot copied
# Copying is no failure: no second report.
e2e_wait_requests 1 15

e2e_key alt+r
e2e_expect_exit 0 15
# The restarted setup (started by the shell, not by this script).
e2e_find_window
header 'Welcome' 20
e2e_shot restarted
! e2e_wintext | grep -qE "$(line_re 'Disk Full')" || e2e_fail "the restarted setup shows the old error"
e2e_log "the restarted setup is on the welcome panel"
