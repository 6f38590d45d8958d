#!/usr/bin/env bash
# The portable folders must build and run natively, so none of their files may
# include a Windows header; only the win32/ subfolders (the Win32 peers) may.
#
# usage: check-layering.sh [SRC_DIR]        (default: src/ of this repository)
#        check-layering.sh --self-test      shows the check catches a bad include
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# Windows SDK headers a portable file has no business including.
win_headers='windows|windef|winbase|winuser|wingdi|winnt|winreg|winerror|winver|winnls|wincon'
win_headers+='|wininet|winhttp|winsock2?|ws2tcpip|wincrypt|winioctl|winsvc|winternl'
win_headers+='|shlobj|shlobj_core|shellapi|shlwapi|shobjidl|knownfolders|objbase|objidl|ole2'
win_headers+='|oleauto|olectl|unknwn|combaseapi|commctrl|commdlg|richedit|uxtheme|dwmapi'
win_headers+='|mmsystem|psapi|tlhelp32|restartmanager|processthreadsapi|synchapi|fileapi'
win_headers+='|handleapi|errhandlingapi|sysinfoapi|libloaderapi|memoryapi|guiddef|rpc|tchar'
win_headers+='|io|direct|process|windowsx|winspool|urlmon|exdisp|mshtml|intshcut|sddl|aclapi'
pattern="^[[:space:]]*#[[:space:]]*include[[:space:]]*[<\"]($win_headers)\\.h[>\"]"

portable_dirs=(app panels payload lib ui platform)

check() {
    local src=$1 found=0 dir
    for dir in "${portable_dirs[@]}"; do
        [[ -d $src/$dir ]] || continue
        # Every file below the portable folder, except inside win32/ folders.
        while IFS= read -r hit; do
            echo "layering: Windows header in portable code: $hit"
            found=1
        done < <(find "$src/$dir" -type d -name win32 -prune -o -type f \
                      \( -name '*.h' -o -name '*.hpp' -o -name '*.cpp' -o -name '*.c' -o -name '*.inc' \) \
                      -print0 | xargs -0 -r grep -HniE "$pattern" || true)
    done
    return $found
}

if [[ ${1:-} == --self-test ]]; then
    tmp=$(mktemp -d)
    trap 'rm -rf "$tmp"' EXIT
    mkdir -p "$tmp/src/lib" "$tmp/src/ui/win32" "$tmp/src/app"
    printf '#include <string>\n#include "lib/Thing.h"\n' >"$tmp/src/lib/Ok.cpp"
    printf '#include <windows.h>\n' >"$tmp/src/ui/win32/Peer.cpp"
    check "$tmp/src" >/dev/null || { echo "self-test: clean tree rejected"; exit 1; }
    for bad in '#include <windows.h>' '#  include <ShlObj.h>' '#include "wininet.h"' \
               '#include <commctrl.h>' '  #include <objbase.h>'; do
        printf '%s\n' "$bad" >"$tmp/src/app/Bad.h"
        if check "$tmp/src" >/dev/null; then
            echo "self-test: missed '$bad'"
            exit 1
        fi
    done
    rm "$tmp/src/app/Bad.h"
    mkdir -p "$tmp/src/panels/sub"
    printf '#include <winuser.h>\n' >"$tmp/src/panels/sub/Deep.cpp"
    if check "$tmp/src" >/dev/null; then echo "self-test: missed a nested folder"; exit 1; fi
    echo "self-test passed"
    exit 0
fi

src=${1:-$here/../src}
if check "$src"; then
    echo "layering OK: no Windows headers outside win32/ folders"
else
    exit 1
fi
