#!/usr/bin/env bash
# A downloaded setup runs from a folder anyone can drop files into. DLLs named
# like the ones the setup uses (wininet, version, comctl32) put beside it must
# never be loaded, even when Wine is told to prefer such native copies.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_begin dll_planting

planted=(wininet.dll version.dll comctl32.dll)
for dll in "${planted[@]}"; do
    cp "$E2E_CROSS_DIR/plant_marker.dll" "$E2E_DOWNLOADS/$dll"
done
cp "$E2E_CROSS_DIR/plant_probe.exe" "$E2E_DOWNLOADS/"
# Prefer native (planted) copies of wininet and comctl32, so a load by bare
# name would pick the planted file. Not for version.dll: Wine's own user32.dll
# imports version.dll (Windows' does not), so with that override every Wine
# GUI program loads a planted version.dll before its first instruction, and
# the test could not tell the setup's fault from Wine's. version.dll stays
# planted under Wine's default order; its static import is ruled out by
# scripts/check-pe.sh. For the same reason the setup must not import
# comdlg32: Wine's comdlg32 imports comctl32.
export WINEDLLOVERRIDES="$E2E_BASE_OVERRIDES;wininet,comctl32=n,b"

markers() { find "$WINEPREFIX/drive_c" -name 'planted-*.txt' -printf '%P\n'; }

# Wine's own account (+loaddll lines in app.log): prints each load of a
# native (not Wine's own) wininet, comctl32 or version. Every file of those
# names in System32 is Wine's builtin, so a native one is a planted one. (A
# "builtin" load may still be named after a file in the program's folder:
# Wine's user32 imports version.dll by name and Wine records the path it found
# before loading its builtin in its place; that is not planting.)
foreign_loads() {
    grep -aiE 'Loaded L"[^"]*\\(wininet|comctl32|version)\.dll" at [0-9A-F]+: native' \
        "$E2E_ART/app.log" || true
}

# Positive control: a program that imports wininet statically does load the
# planted copy, so the harness can see planting when it happens.
rm -f "$E2E_ART/app.log"
WINEDEBUG=-all,+loaddll e2e_start_exe "$E2E_DOWNLOADS_WIN\\plant_probe.exe"
e2e_expect_exit 0 30
compgen -G "$E2E_DOWNLOADS/planted-[wW][iI][nN][iI][nN][eE][tT].[dD][lL][lL].txt" >/dev/null ||
    e2e_fail "positive control: plant_probe.exe did not load the planted wininet.dll (markers: $(markers))"
[[ -n $(foreign_loads) ]] || e2e_fail "positive control: Wine's log shows no load of the planted wininet.dll"
e2e_log "positive control: planted wininet.dll was loaded by plant_probe.exe, as expected: $(foreign_loads)"
mv "$E2E_ART/app.log" "$E2E_ART/plant_probe.log"
rm -f "$E2E_DOWNLOADS"/planted-*.txt

# The setup itself: start it, let it reach its first panel, close it. Wine
# logs every DLL it loads and from where (+loaddll) into app.log.
rm -f "$E2E_ART/app.log"
WINEDEBUG=-all,+loaddll e2e_start
e2e_find_window
sleep 3 # past the fade-in, and any library it loads at start
e2e_shot started
e2e_key alt+e
e2e_expect_exit 0 10

found=$(markers)
[[ -z $found ]] || e2e_fail "planted DLLs were loaded by the setup: $found"
e2e_log "no planted DLL was loaded"

# Besides the markers, Wine's own account: no native copy of these DLLs.
bad=$(foreign_loads)
[[ -z $bad ]] || e2e_fail "the setup loaded a planted DLL: $bad"
e2e_log "$(grep -ac 'Loaded L"' "$E2E_ART/app.log") DLL loads logged, no planted one among them"
