#!/usr/bin/env bash
# The demonstration client Torvane.Exe shows what its data file holds: a file
# written by the setup's own writer (tools/mkdatafile) in the user's local
# application data, the QVInst.Dat beside the program when there is none, a
# damaged file, and no file at all. Started maximised, it opens maximised.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_begin carried_client
source "$(dirname "${BASH_SOURCE[0]}")/carried-lib.sh"

MKDATAFILE=$CARRIED_NATIVE_DIR/tools/mkdatafile
[[ -x $MKDATAFILE ]] || e2e_fail "no $MKDATAFILE (build the native tree)"
TITLE_RE='^Torvane P2P 4\.43$'
INSTALL_WIN='C:\Program Files\Torvane P2P'
CLIENT_WIN="$INSTALL_WIN\\Torvane.Exe"
LOCAL_WIN="C:\\users\\$E2E_USER\\AppData\\Local"
DAT_WIN="$LOCAL_WIN\\Torvane P2P\\Torvane.Dat"
DAT=$(e2e_unix_path "$DAT_WIN")
QVINST=$(e2e_unix_path "$INSTALL_WIN\\QVInst.Dat")
carried_put Torvane.Exe "$INSTALL_WIN"

# --- no data file anywhere -------------------------------------------------------
e2e_start_exe "$CLIENT_WIN"
e2e_find_window "$TITLE_RE"
e2e_wait_text "$(line_re 'No data file found\.')" 10
e2e_wait_text "$(line_re "Looked for: ${DAT_WIN//\\/\\\\}")" 2
e2e_shot no-data-file
carried_close "$TITLE_RE"

# --- a data file written by the setup's writer, started maximised -------------------
mkdir -p "$(dirname "$DAT")"
"$MKDATAFILE" "$DAT" "$LOCAL_WIN\\Torvane P2P\\" 'D:\Torvane Downloads\' 3 ||
    e2e_fail "mkdatafile failed"
# start.exe passes SW_SHOWMAXIMIZED in STARTUPINFO, which reaches WinMain.
e2e_start_exe 'C:\windows\system32\start.exe' /wait /max "$CLIENT_WIN"
e2e_find_window "$TITLE_RE"
e2e_wait_text "$(line_re 'Hashes: 1168')" 10
sleep 0.5 # the maximise and the repaint that follows it
for line in \
    "Data file: ${DAT_WIN//\\/\\\\}" \
    "Work folder: ${LOCAL_WIN//\\/\\\\}\\\\Torvane P2P\\\\" \
    'Download folder: D:\\Torvane Downloads' \
    'Connection: 80' \
    'GUID: \{[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}\}' \
    'Nodes: 500 \+ 500' \
    'Settings: 2118' \
    'Version: 4\.43 \(demonstration client\)'; do
    e2e_wait_text "$(line_re "$line")" 2
done
e2e_shot data-file
e2e_dump_windows data-file
# Maximised on the 1024x768 screen: as wide as the screen (the frame may
# overhang it by its border width).
top=$(e2e_wintext | grep -P '^top\t[^\t]+\t[^\t]+\tTorvane P2P 4\.43$' | head -n1)
[[ -n $top ]] || e2e_fail "no top-level window of the client in the window list"
IFS=, read -r _ _ width height <<<"$(cut -f3 <<<"$top")"
((width >= 1024 && height >= 700)) || e2e_fail "client window is ${width}x$height, not maximised"
e2e_log "maximised window is ${width}x$height"
carried_close "$TITLE_RE"

# --- a damaged data file ------------------------------------------------------------
head -c 3000 "$DAT" >"$DAT.cut" && mv "$DAT.cut" "$DAT"
e2e_start_exe "$CLIENT_WIN"
e2e_find_window "$TITLE_RE"
e2e_wait_text "$(line_re 'The data file could not be read: .+ at byte [0-9]+')" 10
e2e_wait_text "$(line_re "Data file: ${DAT_WIN//\\/\\\\}")" 2
e2e_shot damaged-data-file
carried_close "$TITLE_RE"

# --- no Torvane.Dat, but QVInst.Dat beside the program ----------------------------------
rm -f "$DAT"
"$MKDATAFILE" "$QVINST" "$INSTALL_WIN\\" 'E:\Downloads\' 1 || e2e_fail "mkdatafile failed"
e2e_start_exe "$CLIENT_WIN"
e2e_find_window "$TITLE_RE"
e2e_wait_text "$(line_re 'Data file: C:\\Program Files\\Torvane P2P\\QVInst\.Dat')" 10
e2e_wait_text "$(line_re 'Download folder: E:\\Downloads')" 2
e2e_wait_text "$(line_re 'Nodes: 500 \+ 500')" 2
carried_close "$TITLE_RE"
