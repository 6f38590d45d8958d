#!/usr/bin/env bash
# A new installation with every default, by keys only: welcome, licence
# (Next without the tick is refused with a message box), install, both
# folders, connection, toolbar, ready, installing, finished; Exit ends the
# setup with 0. Then what it left: the programs (the client and the
# uninstaller byte for byte as built), both data files (decoded by the native
# dump tool), the toolbar stand-in's marker, the uninstall entry, five
# shortcuts and the 19-line uninstall list (naming the toolbar installer); the
# existing download folder C:\Downloads is proposed, named in the data files
# and left alone. Last the installed uninstaller runs with /s, removes
# everything the installation made, the installation folder with it, and ends
# with exit code 0.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_begin install_defaults
source "$(dirname "${BASH_SOURCE[0]}")/carried-lib.sh"

U=C:\\users\\$E2E_USER
INSTALL_WIN='C:\Program Files\Torvane P2P'
DATA_WIN="$U\\AppData\\Local\\Torvane P2P"
GROUP_WIN="$U\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Torvane P2P"
KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Torvane P2P'
INSTALL=$(e2e_unix_path "$INSTALL_WIN")
DATA=$(e2e_unix_path "$DATA_WIN")
GROUP=$(e2e_unix_path "$GROUP_WIN")
DESKTOP=$(e2e_unix_path "$U\\Desktop")
MARKER=$(e2e_unix_path "$U\\AppData\\Local\\Torvane Toolbar stand-in\\ran.txt")
DOWNLOADS=$(e2e_unix_path 'C:\Downloads')
DUMP=$CARRIED_NATIVE_DIR/tools/dump
[[ -x $DUMP ]] || e2e_fail "no dump tool at $DUMP (build the native tree)"

# An existing download folder with something of the user's in it: the
# download panel proposes it, and nothing may touch it.
mkdir -p "$DOWNLOADS"
echo film >"$DOWNLOADS/film.avi"

start=$SECONDS
e2e_start
e2e_find_window
header 'Welcome'
e2e_shot welcome
# Heard as seen: the bar's buttons are push buttons pressed by "Press", the
# texts static text, the artwork left out, the program icon a named graphic.
e2e_heard welcome \
    $'a11y\tTorvaneSpeedButton\tpushbutton\tExit\t\tPress\tshown' \
    $'a11y\tTorvaneSpeedButton\tpushbutton\tNext\t\tPress\tshown' \
    $'a11y\tTorvanePanel\tstatictext\tWelcome\t\t\tshown' \
    $'a11y\tTorvaneLabel\tstatictext\tThanks for installing Torvane P2P\t\t\tshown' \
    $'a11y\tTorvaneLabel\tstatictext\tWith this installation you install Torvane P2P .* no spyware\.\t\t\tshown' \
    $'a11y\tTorvaneImage\tgraphic\t\t\t\thidden' \
    $'a11y\tTorvaneImage\tgraphic\tTorvane P2P\t\t\tshown'
# A screen reader's click on "Next" moves on as the key does.
e2e_press_heard Next
header 'License agreement and disclaimer'
e2e_shot licence
# Next before agreeing: refused with a message box, the panel stays.
e2e_key alt+n
e2e_wait_text "$(line_re 'You can only install Torvane P2P in case you agree to this statement\..*')" 10
e2e_shot licence-refused
close_box 'You can only install Torvane P2P'
header 'License agreement and disclaimer' 5
e2e_key alt+i
next alt+n 'Install or upgrade\?' install-or-upgrade
next alt+n 'Choose installation folder' install-folder
e2e_wait_text "$(line_re 'C:\\Program Files\\Torvane P2P')" 5
e2e_heard install-folder \
    $'a11y\tTorvaneSpeedButton\tpushbutton\tPrevious\t\tPress\tshown' \
    $'a11y\tTorvaneLabel\tstatictext\tThe installation folder is the folder .*choose a folder\.\t\t\tshown' \
    $'a11y\tTorvaneImage\tgraphic\t\t\t\thidden' \
    $'a11y\tTorvaneFolderTree\toutline\tChoose installation folder\tC:\\\\Program Files\t\tshown'
wizard_folders_to_ready
e2e_wait_text "$(line_re 'Installation folder = C:\\Program Files\\Torvane P2P\\')" 5
e2e_wait_text "$(line_re 'Download folder = C:\\Downloads\\?')" 5
e2e_wait_text "$(line_re 'Create shortcut on desktop = Yes')" 5
# The installing panel may be over before one look sees it: a watch
# started before the key sees every panel.
e2e_watch_start
e2e_key alt+i
e2e_watch_wait "$(header_re 'Installing Torvane P2P')" 30
e2e_shot installing
header 'Installation of Torvane P2P ready' 90
e2e_watch_stop
e2e_shot finished
e2e_wait_text "$(line_re 'The installation of Torvane P2P is completed successfully\.')" 5
e2e_heard finished \
    $'a11y\tTorvaneSpeedButton\tpushbutton\tStart Torvane P2P\t\tPress\tshown' \
    $'a11y\tTorvaneLabel\tstatictext\tThe installation of Torvane P2P is completed successfully\.\t\t\tshown' \
    $'a11y\tTorvaneImage\tgraphic\tInstallation completed\t\t\tshown'
e2e_log "installed $((SECONDS - start)) s after the start"
# The finished panel offers Exit (and Start, not pressed: it would run the client).
e2e_key alt+e
e2e_expect_exit 0 15

# --- what the installation left -------------------------------------------------------------
for f in Torvane.Exe Uninstall.Exe Torvane_toolbar.exe QVInst.Dat UnInstall.dat; do
    [[ -f $INSTALL/$f && -s $INSTALL/$f ]] || e2e_fail "no (or empty) $INSTALL_WIN\\$f: $(ls -la "$INSTALL" 2>&1)"
done
cmp "$INSTALL/Torvane.Exe" "$CARRIED_DIR/Torvane.Exe" || e2e_fail "Torvane.Exe differs from the built client"
cmp "$INSTALL/Uninstall.Exe" "$CARRIED_DIR/Uninstall.Exe" || e2e_fail "Uninstall.Exe differs from the built uninstaller"
cmp "$INSTALL/Torvane_toolbar.exe" "$CARRIED_DIR/Torvane_toolbar.exe" ||
    e2e_fail "Torvane_toolbar.exe differs from the built stand-in"
[[ -f $DATA/Torvane.Dat ]] || e2e_fail "no $DATA_WIN\\Torvane.Dat: $(ls -la "$DATA" 2>&1)"

for f in "$DATA/Torvane.Dat" "$INSTALL/QVInst.Dat"; do
    out=$("$DUMP" "$f" 2>&1) || e2e_fail "$f does not decode: $out"
    echo "$out" >"$E2E_ART/dump-$(basename "$f").txt"
    for want in 'connection figure: 77' 'nodes A: 500' "work folder: ${DATA_WIN//\\/\\\\}\\\\?" \
                'download folder: C:\\Downloads'; do
        grep -qxE -- "$want" <<<"$out" || e2e_fail "$f: no line /$want/ in the decoded file: $out"
    done
    e2e_log "$(basename "$f") decodes: $(paste -sd '|' <<<"$out")"
done

# The toolbar stand-in ran silently (started without waiting: poll).
e2e_wait_file "$MARKER" 20
deadline=$((SECONDS + 10))
until grep -q $'^Command line: .*Torvane_toolbar\\.exe"\\? /s -silent\r$' "$MARKER"; do
    ((SECONDS < deadline)) || e2e_fail "the marker does not hold the silent command line: $(cat "$MARKER")"
    sleep 0.3
done
e2e_log "toolbar marker: $(tr -d '\r' <"$MARKER" | paste -sd '|')"

name=$(e2e_reg_query "$KEY" DisplayName)
[[ $name == 'Torvane P2P' ]] || e2e_fail "DisplayName is '$name'"
uninstall=$(e2e_reg_query "$KEY" UninstallString)
[[ $uninstall == "\"$INSTALL_WIN\\Uninstall.Exe\"" ]] || e2e_fail "UninstallString is '$uninstall'"

for f in 'Torvane P2P.Lnk' 'Torvane P2P On the Web.Lnk' 'Torvane P2P Help.Lnk' 'Torvane P2P Uninstall.Lnk'; do
    [[ -s $GROUP/$f ]] || e2e_fail "no shortcut $GROUP_WIN\\$f: $(ls -la "$GROUP" 2>&1)"
done
(($(find "$GROUP" -type f | wc -l) == 4)) || e2e_fail "want 4 shortcuts in the group: $(ls -la "$GROUP")"
[[ -s "$DESKTOP/Torvane P2P.Lnk" ]] || e2e_fail "no desktop shortcut: $(ls -la "$DESKTOP")"

# Every shortcut read back through IShellLinkA: the program links name their
# file, the web links hold the page's address (not a file of that name).
cp "$E2E_CROSS_DIR/link_probe.exe" "$WINEPREFIX/drive_c/e2e/"
links=$(cd "$WINEPREFIX/drive_c/e2e" && timeout 20 wine 'C:\e2e\link_probe.exe' \
    "$GROUP_WIN\Torvane P2P.Lnk" "$GROUP_WIN\Torvane P2P On the Web.Lnk" "$GROUP_WIN\Torvane P2P Help.Lnk" \
    "$GROUP_WIN\Torvane P2P Uninstall.Lnk" "$U\Desktop\Torvane P2P.Lnk" 2>>"$E2E_ART/wine.log" | tr -d '\r') ||
    e2e_fail "a shortcut does not load: $links"
echo "$links" >"$E2E_ART/links.txt"
want_links=(
    "$GROUP_WIN\Torvane P2P.Lnk"$'\t'"path:$INSTALL_WIN\Torvane.Exe"$'\tTorvane P2P\t\t'"$INSTALL_WIN\Torvane.Exe,0"
    "$GROUP_WIN\Torvane P2P On the Web.Lnk"$'\turl:http://www.torvane.example/p2p/\tTorvane P2P On the web\t\t,0'
    "$GROUP_WIN\Torvane P2P Help.Lnk"$'\turl:http://www.torvane.example/p2p/help\tTorvane P2P Help\t\t,0'
    "$GROUP_WIN\Torvane P2P Uninstall.Lnk"$'\t'"path:$INSTALL_WIN\Uninstall.Exe"$'\tTorvane P2P Uninstall\t\t'"$INSTALL_WIN\Uninstall.Exe,0"
    "$U\Desktop\Torvane P2P.Lnk"$'\t'"path:$INSTALL_WIN\Torvane.Exe"$'\tTorvane P2P\t\t'"$INSTALL_WIN\Torvane.Exe,0"
)
[[ $links == "$(printf '%s\n' "${want_links[@]}")" ]] ||
    e2e_fail "the shortcuts read back as:"$'\n'"$links"$'\n'"wanted:"$'\n'"$(printf '%s\n' "${want_links[@]}")"
e2e_log "shortcuts: $(paste -sd '|' <<<"$links")"

wizard_expect_uninstall_list "$INSTALL" "$INSTALL_WIN" "$DATA_WIN" yes yes
[[ -f $DOWNLOADS/film.avi && $(cat "$DOWNLOADS/film.avi") == film ]] ||
    e2e_fail "the download folder C:\\Downloads was touched: $(ls -la "$DOWNLOADS" 2>&1)"

# --- the installed uninstaller, unattended ---------------------------------------------------
# It removes everything the installation made, itself last (through a copy
# that waits for it to end), and nothing else: the download folder stays.
# Only the toolbar stand-in's marker outside the installation remains (the
# toolbar belongs to its maker).
e2e_start_exe "$INSTALL_WIN\\Uninstall.Exe" /s
e2e_expect_exit 0 30
e2e_wait_gone "$INSTALL/Uninstall.Exe" 40
e2e_wait_gone "$INSTALL" 40
for gone in "$DATA" "$GROUP" "$DESKTOP/Torvane P2P.Lnk"; do
    [[ ! -e $gone ]] || e2e_fail "the uninstaller left $gone"
done
timeout 30 wine reg query "$KEY" >/dev/null 2>&1 && e2e_fail "the uninstaller left the registry key $KEY"
[[ -f $DOWNLOADS/film.avi && $(cat "$DOWNLOADS/film.avi") == film ]] ||
    e2e_fail "the uninstaller touched the download folder: $(ls -la "$DOWNLOADS" 2>&1)"
e2e_log "the uninstaller removed the whole installation, its folder with it, and left the download folder alone"
