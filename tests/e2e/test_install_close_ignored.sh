#!/usr/bin/env bash
# Close requests while the install runs do nothing: close_probe.exe sends the
# setup's window what Alt+F4 and the taskbar's Close send (SC_CLOSE, then
# WM_CLOSE) again and again from the moment the installing panel is in place
# until its label reaches 90 %, each request handled inside the work. The
# window stays, the installation goes on to the finished panel and leaves
# the client, the uninstaller and the uninstall list; Exit then ends the
# setup with 0.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_begin install_close_ignored
source "$(dirname "${BASH_SOURCE[0]}")/carried-lib.sh"
source "$(dirname "${BASH_SOURCE[0]}")/upgrade-lib.sh"

INSTALL=$(e2e_unix_path 'C:\Program Files\Torvane P2P')
cp "$E2E_CROSS_DIR/close_probe.exe" "$WINEPREFIX/drive_c/e2e/"

e2e_start
e2e_find_window
header 'Welcome'
e2e_key alt+n
header 'License agreement and disclaimer'
e2e_key alt+i
for panel in 'Install or upgrade\?' 'Choose installation folder' 'Choose download folder' \
    'Select your internet-connection' 'Intergrate the Torvane Toolbar in your browser' 'Ready to install'; do
    e2e_key alt+n
    header "$panel"
done

# The probe runs before the install starts and waits for the installing panel.
(set +e
cd "$WINEPREFIX/drive_c/e2e" && wine 'C:\e2e\close_probe.exe' "$E2E_TITLE" \
    'Installing Torvane P2P' 90 >"$E2E_WORK/probe.txt" 2>"$E2E_ART/close_probe.log"
echo $? >"$E2E_WORK/probe.code") &
PROBE_PID=$!
deadline=$((SECONDS + 60))
until tr -d '\r' <"$E2E_WORK/probe.txt" | grep -qx ready; do
    ((SECONDS < deadline)) || e2e_fail "close_probe.exe did not start within 60 s"
    sleep 0.1
done
e2e_key alt+i
wait "$PROBE_PID"
probe=$(tr -d '\r' <"$E2E_WORK/probe.txt" | tail -n1)
cp "$E2E_WORK/probe.txt" "$E2E_ART/close_probe.txt"
e2e_log "close_probe: $probe (exit $(cat "$E2E_WORK/probe.code"))"
[[ $(cat "$E2E_WORK/probe.code") == 0 ]] || e2e_fail "the window did not stay while installing: $probe $(cat "$E2E_ART/close_probe.log")"
requests=${probe#requests }
((requests > 0)) || e2e_fail "no close request reached the setup while it installed: $probe"

header 'Installation of Torvane P2P ready' 90
e2e_shot finished
[[ ! -e $E2E_WORK/exit.code ]] || e2e_fail "the setup ended during the install"
cmp "$INSTALL/Torvane.Exe" "$CARRIED_DIR/Torvane.Exe" || e2e_fail "the client is not the carried program"
cmp "$INSTALL/Uninstall.Exe" "$CARRIED_DIR/Uninstall.Exe" || e2e_fail "the uninstaller is not the carried program"
[[ -s $INSTALL/UnInstall.dat ]] || e2e_fail "no uninstall list: the install did not run to its end"
e2e_key alt+e
e2e_expect_exit 0 15
