#!/usr/bin/env bash
# The uninstaller Uninstall.Exe against an installation laid out by hand:
#  1. a damaged list removes nothing: silently (exit code 1) and with a
#     message box naming the list and the fault;
#  2. asked for confirmation and answered No, it removes nothing;
#  3. answered Yes, with a folder the list does not fully empty, it removes
#     the rest and lists what it could not remove;
#  4. with /s it removes everything named, itself last (through its copy in
#     a fresh folder of its own in the temporary folder), and nothing else:
#     the download folder and other files stay; the copy goes at the next
#     (simulated) restart;
#  5. a tampered list naming files outside the installation removes nothing,
#     silently (exit code 1) and with a message box naming the line;
#  6. files a pattern matches that are older than the list (there before the
#     installation) are kept, and the folder holding them with them;
#  7. a junction in place of the data folder is not followed;
#  8. with the list's digest recorded in the uninstall key (as the setup of
#     an administrator records it), a list changed afterwards, by one added
#     line, removes nothing, silently (exit code 1) and with a message box
#     that says the list is not the one the setup wrote.
# Steps 1 to 7 run without a digest, as after a standard user's setup: the
# product folders the list may touch are then those of the user profiles.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_begin carried_uninstall
source "$(dirname "${BASH_SOURCE[0]}")/carried-lib.sh"

BOX_RE='^Uninstall Torvane P2P$'
U=C:\\users\\$E2E_USER
INSTALL_WIN='C:\Program Files\Torvane P2P'
DATA_WIN="$U\\AppData\\Local\\Torvane P2P"
PROGRAMS_WIN="$U\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs"
DESKTOP_WIN="$U\\Desktop"
KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Torvane P2P'
UNINSTALL_WIN="$INSTALL_WIN\\Uninstall.Exe"
INSTALL=$(e2e_unix_path "$INSTALL_WIN")
DATA=$(e2e_unix_path "$DATA_WIN")
GROUP=$(e2e_unix_path "$PROGRAMS_WIN\\Torvane P2P")
DESKTOP=$(e2e_unix_path "$DESKTOP_WIN")
DOWNLOADS=$(e2e_unix_path "$U\\Downloads\\Torvane Downloads")
OTHER_APP=$(e2e_unix_path "$U\\AppData\\Local\\Other App")
USER_HOME=$(e2e_unix_path "$U")

# The list the setup writes (17 lines); $1 replaces line 5 when given.
write_list() {
    local lines=(
        'Torvane P2P'
        "<P$DATA_WIN\\*.DAT>" "<P$DATA_WIN\\*.TMP>" "<P$DATA_WIN\\*.BAK>" "<P$DATA_WIN\\*.LOG>"
        "<P$DATA_WIN\\*.TXT>"
        "<E$DATA_WIN>"
        "<F$INSTALL_WIN\\Torvane.Exe>"
        "<F$DATA_WIN\\Torvane.Dat>"
        "<F$INSTALL_WIN\\QVInst.Dat>"
        "<F$UNINSTALL_WIN>"
        "<F$INSTALL_WIN\\Uninstall.Dat>"
        "<E$INSTALL_WIN>"
        "<E$DATA_WIN>"
        "<R${KEY#HKLM\\}>"
        '<STorvane P2P>'
        '<TTorvane P2P.Lnk>')
    [[ -z ${1:-} ]] || lines[4]=$1
    printf '%s\r\n' "${lines[@]}" >"$INSTALL/UnInstall.dat"
    # Written at the end of an installation an hour ago: the client's files
    # laid out below are newer, as they would be.
    touch -d '1 hour ago' "$INSTALL/UnInstall.dat"
}

# An installation as the setup leaves it, plus things of the user's.
lay_out() {
    mkdir -p "$INSTALL" "$DATA" "$GROUP" "$DESKTOP" "$DOWNLOADS" "$OTHER_APP"
    write_list "$@"
    carried_put Torvane.Exe "$INSTALL_WIN"
    carried_put Uninstall.Exe "$INSTALL_WIN"
    echo qv >"$INSTALL/QVInst.Dat"
    for f in Torvane.Dat Nodes.DAT session.TMP old.bak debug.log readme.txt; do echo "$f" >"$DATA/$f"; done
    echo lnk >"$GROUP/Torvane P2P.lnk"
    echo lnk >"$GROUP/Uninstall Torvane P2P.lnk"
    echo lnk >"$DESKTOP/Torvane P2P.Lnk"
    echo lnk >"$DESKTOP/Other Program.lnk"
    echo film >"$DOWNLOADS/film.avi"
    echo other >"$OTHER_APP/settings.DAT"
    timeout 30 wine reg add "$KEY" /v DisplayName /t REG_SZ /d 'Torvane P2P' /f >/dev/null 2>&1 ||
        e2e_fail "could not add $KEY"
    timeout 30 wine reg add "$KEY" /v UninstallString /t REG_SZ /d "\"$UNINSTALL_WIN\"" /f >/dev/null 2>&1 ||
        e2e_fail "could not add $KEY"
}

key_exists() { timeout 30 wine reg query "$KEY" >/dev/null 2>&1; }

# Everything named in the list is still there.
expect_all_there() {
    local f
    for f in "$INSTALL/Uninstall.Exe" "$INSTALL/Torvane.Exe" "$INSTALL/QVInst.Dat" "$INSTALL/UnInstall.dat" \
             "$DATA/Torvane.Dat" "$DATA/Nodes.DAT" "$DATA/readme.txt" "$GROUP/Torvane P2P.lnk" \
             "$DESKTOP/Torvane P2P.Lnk"; do
        [[ -f $f ]] || e2e_fail "$1: $f was removed"
    done
    key_exists || e2e_fail "$1: the registry key was removed"
    e2e_log "$1: everything is still there"
}

# What the list does not name stays, always.
expect_users_things_there() {
    local f
    for f in "$DOWNLOADS/film.avi" "$DESKTOP/Other Program.lnk" "$OTHER_APP/settings.DAT"; do
        [[ -f $f ]] || e2e_fail "$1: $f, which the list does not name, was removed"
    done
    e2e_log "$1: the user's own files are untouched"
}

# --- 1. a damaged list: nothing is removed ---------------------------------------------
lay_out "<X$DATA_WIN\\*.LOG>"
e2e_start_exe "$UNINSTALL_WIN" /s
e2e_expect_exit 1 20
sleep 1 # no copy may be at work either
expect_all_there "damaged list, /s"

e2e_start_exe "$UNINSTALL_WIN"
e2e_find_window "$BOX_RE"
e2e_wait_text "$(line_re "The uninstall list ${INSTALL_WIN//\\/\\\\}\\\\UnInstall\\.dat is missing or damaged: line 5 has an unknown kind letter 'X'\\.\\\\n\\\\nNothing has been removed\\.")" 10
e2e_shot damaged-list
e2e_key Return
e2e_expect_exit 1 10
expect_all_there "damaged list, message box"

rm "$INSTALL/UnInstall.dat"
e2e_start_exe "$UNINSTALL_WIN"
e2e_find_window "$BOX_RE"
e2e_wait_text "$(line_re "The uninstall list .* is missing or damaged: it does not exist\\..*")" 10
e2e_key Return
e2e_expect_exit 1 10

# --- 2. asked, answered No ------------------------------------------------------------------
write_list
e2e_start_exe "$UNINSTALL_WIN"
e2e_find_window "$BOX_RE"
e2e_wait_text "$(line_re 'Remove Torvane P2P and all of its components\?')" 10
e2e_shot confirm
e2e_key n
e2e_expect_exit 1 10
expect_all_there "answered No"

# --- 3. answered Yes; a folder of the user's keeps the data folder ------------------------------
mkdir -p "$DATA/My Backups"
e2e_start_exe "$UNINSTALL_WIN"
e2e_find_window "$BOX_RE"
e2e_wait_text "$(line_re 'Remove Torvane P2P and all of its components\?')" 10
e2e_key y
e2e_wait_text "$(line_re "Torvane P2P has been removed, except for these items, which could not be:\\\\n\\\\nfolder ${DATA_WIN//\\/\\\\}: it is not empty\\\\n\\\\nYou may delete them yourself\\.")" 20
e2e_shot report
e2e_find_window "$BOX_RE"
e2e_key Return
e2e_expect_exit 1 10
e2e_wait_gone "$INSTALL" 30
[[ -d "$DATA/My Backups" ]] || e2e_fail "the user's folder in the data folder was removed"
[[ -z $(find "$DATA" -type f) ]] || e2e_fail "files left in the data folder: $(find "$DATA" -type f)"
[[ ! -e $GROUP && ! -e "$DESKTOP/Torvane P2P.Lnk" ]] || e2e_fail "shortcuts left after answering Yes"
key_exists && e2e_fail "the registry key is still there after answering Yes"
expect_users_things_there "answered Yes"
rm -rf "$DATA"

# --- 4. /s: everything named goes, the program itself last -----------------------------------
lay_out
start=$SECONDS
e2e_start_exe "$UNINSTALL_WIN" /s
e2e_expect_exit 0 30
e2e_wait_gone "$INSTALL/Uninstall.Exe" 30
e2e_wait_gone "$INSTALL" 10
e2e_log "the program and the install folder were gone $((SECONDS - start)) s after the start"
for gone in "$DATA" "$GROUP" "$DESKTOP/Torvane P2P.Lnk"; do
    [[ ! -e $gone ]] || e2e_fail "/s left $gone"
done
key_exists && e2e_fail "/s left the registry key"
expect_users_things_there "/s"
[[ -d $DOWNLOADS ]] || e2e_fail "the download folder was removed"

# The copies in the temporary folder (this run's and the one of step 3) stay
# until the next restart (a running program cannot delete itself); they
# registered themselves for that.
mapfile -t copies < <(find "$USER_HOME" -name 'Torvane-Uninstall-*.exe')
((${#copies[@]} == 2)) || e2e_fail "want 2 copies of the uninstaller in the temporary folder, found: ${copies[*]}"
e2e_log "copies left for the restart: ${copies[*]}"
wineserver -w
grep -q 'PendingFileRenameOperations.*Torvane-Uninstall-' "$WINEPREFIX/system.reg" ||
    e2e_fail "the copies did not register themselves for removal at restart"
# A cold start of the prefix carries out the pending removals.
timeout 60 wine cmd /c exit >/dev/null 2>&1 || true
wineserver -w
for c in "${copies[@]}"; do
    [[ ! -e $c ]] || e2e_fail "$c is still there after the simulated restart"
done
e2e_log "the simulated restart removed the copies"

# --- 5. a tampered list: nothing is removed -------------------------------------------------
LETTER=$(e2e_unix_path "$U\\Documents")/letter.txt
mkdir -p "$(dirname "$LETTER")"
echo letter >"$LETTER"
lay_out "<P$U\\Documents\\*.txt>"
e2e_start_exe "$UNINSTALL_WIN" /s
e2e_expect_exit 1 20
sleep 1
expect_all_there "tampered list, /s"
[[ -f $LETTER ]] || e2e_fail "the tampered list deleted $LETTER"
e2e_start_exe "$UNINSTALL_WIN"
e2e_find_window "$BOX_RE"
e2e_wait_text "$(line_re "The uninstall list .* is missing or damaged: line 5 \\(files ${U//\\/\\\\}\\\\Documents\\\\\\*\\.txt\\) is not directly in the uninstaller's folder or in a user's data folder of Torvane P2P\\.\\\\n\\\\nNothing has been removed\\.")" 10
e2e_shot tampered-list
e2e_key Return
e2e_expect_exit 1 10
expect_all_there "tampered list, message box"
[[ -f $LETTER ]] || e2e_fail "the tampered list deleted $LETTER"
e2e_log "a tampered list removed nothing and said so"

# --- 6. files older than the list are kept ----------------------------------------------------
# The list dated in the future: every file in the data folder was there
# before it. The patterns keep them; the lines naming a file still go.
lay_out
touch -d '1 hour' "$INSTALL/UnInstall.dat"
e2e_start_exe "$UNINSTALL_WIN" /s
e2e_expect_exit 0 30
e2e_wait_gone "$INSTALL" 30
for kept in Nodes.DAT session.TMP old.bak debug.log readme.txt; do
    [[ -f $DATA/$kept ]] || e2e_fail "$DATA/$kept, older than the list, was deleted"
done
[[ ! -e $DATA/Torvane.Dat ]] || e2e_fail "the data file the list names was kept"
e2e_log "files older than the list were kept: $(cd "$DATA" && ls | paste -sd ' ')"

# --- 7. a junction in place of the data folder: nothing is removed -----------------------------
# (Wine reports a host symbolic link as a reparse point, as Windows does a
# junction.) The folder it leads to holds files a pattern would match.
VICTIM=$(e2e_unix_path 'C:\Victim')
mkdir -p "$VICTIM"
echo precious >"$VICTIM/precious.DAT"
rm -rf "$DATA"
lay_out
rm -rf "$DATA"
ln -s "$VICTIM" "$DATA"
touch "$VICTIM/precious.DAT"
e2e_start_exe "$UNINSTALL_WIN" /s
e2e_expect_exit 1 20
[[ -f $VICTIM/precious.DAT ]] || e2e_fail "the uninstaller followed the junction and deleted precious.DAT"
[[ -f $INSTALL/Torvane.Exe ]] || e2e_fail "a list leading through a junction still removed Torvane.Exe"
e2e_start_exe "$UNINSTALL_WIN"
e2e_find_window "$BOX_RE"
e2e_wait_text "$(line_re "The uninstall list .* is missing or damaged: line 2 \\(files .*\\) leads through ${DATA_WIN//\\/\\\\}, which is a junction or a link\\.\\\\n\\\\nNothing has been removed\\.")" 10
e2e_shot junction
e2e_key Return
e2e_expect_exit 1 10
[[ -f $VICTIM/precious.DAT ]] || e2e_fail "the uninstaller followed the junction and deleted precious.DAT"
e2e_log "a junction in place of the data folder was not followed"

# --- 8. a changed list under a recorded digest: nothing is removed ----------------------------
rm -f "$DATA"
rm -rf "$VICTIM"
lay_out
timeout 30 wine reg add "$KEY" /v UninstallListSHA256 /t REG_SZ \
    /d "$(sha256sum "$INSTALL/UnInstall.dat" | cut -d' ' -f1)" /f >/dev/null 2>&1 ||
    e2e_fail "could not add the digest to $KEY"
echo 'mine' >"$INSTALL/notes.txt"
printf '%s\r\n' "<F$INSTALL_WIN\\notes.txt>" >>"$INSTALL/UnInstall.dat"
e2e_start_exe "$UNINSTALL_WIN" /s
e2e_expect_exit 1 20
sleep 1
expect_all_there "changed list, /s"
[[ -f $INSTALL/notes.txt ]] || e2e_fail "the changed list deleted notes.txt"
e2e_start_exe "$UNINSTALL_WIN"
e2e_find_window "$BOX_RE"
e2e_wait_text "$(line_re "The uninstall list .* is missing or damaged: it is not the list the setup wrote .*\\.\\\\n\\\\nNothing has been removed\\.")" 10
e2e_shot changed-list
e2e_key Return
e2e_expect_exit 1 10
expect_all_there "changed list, message box"
[[ -f $INSTALL/notes.txt ]] || e2e_fail "the changed list deleted notes.txt"
e2e_log "a list changed after the digest was recorded removed nothing and said so"
