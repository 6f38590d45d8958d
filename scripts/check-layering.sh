#!/usr/bin/env bash
# Checks the include rules of the source tree (the table in src/README.md):
#
#  1. floors   a file includes only its own floor and the floors below it:
#              base < platform < lib < ui, payload < app < panels < entry
#              (ui and payload do not see each other). carried/ and tools/
#              stand beside app: base, platform, lib and payload only.
#  2. win32    only a win32/ folder includes a win32/ header; a win32/ folder
#              includes the win32/ folders of its own floor and the floors below.
#  3. windows  only win32/ folders and the program entries include Windows headers.
#  4. bases    a base class's files do not include a class derived from it.
#  5. programs a carried program or tool includes its own folder and common/,
#              never another program's.
#
# usage: check-layering.sh [REPO_DIR]      (default: this repository)
#        check-layering.sh --self-test     plants one breach of each rule
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
win_pattern="^[[:space:]]*#[[:space:]]*include[[:space:]]*[<\"]($win_headers)\\.h[>\"]"

# The floors of src/ and what each may include besides itself. `generated/`
# (build configuration and sizes made at build time) is open to every floor.
declare -A may=(
    [base]=''
    [platform]='base'
    [lib]='base platform'
    [ui]='base platform lib'
    [payload]='base platform lib'
    [app]='base platform lib ui payload'
    [panels]='base platform lib ui payload app'
    [entry]='base platform lib ui payload app panels'
    [carried]='base platform lib payload'
    [tools]='base platform lib payload'
)
src_floors=' base platform lib ui payload app panels '

# The program entries: they put the program together, so they see everything
# (and Windows). The setup's stands on its own top floor, src/entry/, above
# the panels it wires; each carried program has one *Main.cpp.
is_entry() {
    case $1 in
    src/entry/* | carried/*/*Main.cpp) return 0 ;;
    *) return 1 ;;
    esac
}

# The floor of a file of the tree, relative to the repository: "lib",
# "ui/win32", "carried", "entry", ...
floor_of_file() {
    local path=$1 top rest
    top=${path%%/*}
    rest=${path#*/}
    if is_entry "$path"; then
        echo entry
        return
    fi
    case $top in
    src) top=${rest%%/*} ;;
    esac
    case /$path/ in
    */win32/*) echo "$top/win32" ;;
    *) echo "$top" ;;
    esac
}

# The floor an include names ("lib/X.h" -> lib, "platform/win32/X.h" ->
# platform/win32); empty when it is none of src/'s floors.
floor_of_include() {
    local inc=$1 top=${1%%/*}
    [[ $inc == */* && $src_floors == *" $top "* ]] || return 0
    case /$inc in
    */win32/*) echo "$top/win32" ;;
    *) echo "$top" ;;
    esac
}

# Whether a file of floor $1 may include floor $2.
allowed() {
    local from=$1 to=$2 from_base=${1%/win32} to_base=${2%/win32}
    [[ $from == entry ]] && return 0
    # A win32/ header only from a win32/ folder.
    [[ $to == */win32 && $from != */win32 ]] && return 1
    [[ $from_base == "$to_base" ]] && return 0
    [[ " ${may[$from_base]} " == *" $to_base "* ]]
}

# Fills `derived` with "Base|header" for every header of src/ that declares a
# class derived from Base, directly or through other classes ("class X :
# public Y"; namespaces and templates dropped).
declare -A derived=()
find_derived() {
    local repo=$1 pair
    derived=()
    while IFS= read -r pair; do
        derived[$pair]=1
    done < <(find "$repo/src" -name '*.h' -print0 2>/dev/null | xargs -0 -r grep -HoE \
        'class[[:space:]]+[A-Za-z_0-9]+([[:space:]]+final)?[[:space:]]*:[^{;]*' 2>/dev/null |
        sed -E 's#^'"$repo"'/src/##' | awk -F: '
        {
            header = $1; decl = $0; sub(/^[^:]*:/, "", decl)
            name = decl; sub(/^class[ \t]+/, "", name); sub(/[ \t:].*/, "", name)
            list = decl; sub(/^[^:]*:/, "", list)
            gsub(/(public|protected|private|virtual)/, "", list)
            n = split(list, parts, ",")
            for (i = 1; i <= n; i++) {
                b = parts[i]; sub(/<.*/, "", b); sub(/.*::/, "", b); gsub(/[ \t]/, "", b)
                if (b != "") base[name] = base[name] " " b
            }
            home[name] = header
        }
        END {
            for (c in home) {
                # Walk up from c; every ancestor gets c'"'"'s header as derived.
                todo = base[c]; seen = ""
                while (todo ~ /[^ ]/) {
                    split(todo, q, " "); a = q[1]; sub(/^ *[^ ]+/, "", todo)
                    if (a == "" || index(seen, " " a " ")) continue
                    seen = seen " " a " "
                    print a "|" home[c]
                    todo = todo " " base[a]
                }
            }
        }')
}

check() {
    local repo=$1 found=0 file rel floor line inc target stem prog top
    local include_re='^[[:space:]]*#[[:space:]]*include[[:space:]]*"([^"]+)"'
    find_derived "$repo"
    while IFS= read -r -d '' file; do
        rel=${file#"$repo"/}
        floor=$(floor_of_file "$rel")
        top=${rel%%/*}
        stem=$(basename "${rel%.*}")
        # 3. Windows headers
        if [[ $floor != */win32 && $floor != entry ]] && grep -qiE "$win_pattern" "$file"; then
            echo "layering: Windows header outside a win32/ folder: $rel"
            found=1
        fi
        while IFS= read -r line; do
            [[ $line =~ $include_re ]] || continue
            inc=${BASH_REMATCH[1]}
            [[ $inc == generated/* ]] && continue
            target=$(floor_of_include "$inc")
            if [[ -n $target ]]; then
                # 1. and 2. floors
                if ! allowed "$floor" "$target"; then
                    echo "layering: $rel ($floor) includes $inc ($target)"
                    found=1
                fi
                # 4. base classes
                if [[ $(basename "${inc%.*}") != "$stem" && -n ${derived[$stem|$inc]:-} ]]; then
                    echo "layering: $rel includes $inc, a class derived from $stem"
                    found=1
                fi
            elif [[ $top == carried || $top == tools ]]; then
                # 5. programs: their own folder and common/
                prog=${rel#*/}
                prog=${prog%%/*}
                if [[ $inc == */* && ${inc%%/*} != common && ${inc%%/*} != "$prog" ]]; then
                    echo "layering: $rel includes $inc of another program"
                    found=1
                fi
            fi
        done < <(grep -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$file" || true)
    done < <(find "$repo/src" "$repo/carried" "$repo/tools" -type f \
        \( -name '*.h' -o -name '*.hpp' -o -name '*.cpp' -o -name '*.c' -o -name '*.inc' \) -print0 2>/dev/null)
    return $found
}

self_test() {
    tmp=$(mktemp -d)
    trap 'rm -rf "$tmp"' EXIT
    plant() { # path, text
        mkdir -p "$(dirname "$tmp/$1")"
        printf '%s\n' "$2" >"$tmp/$1"
    }
    # A small tree that keeps every rule.
    plant src/base/Text.h '#include <string>'
    plant src/base/win32/Handle.h '#include <windows.h>'
    plant src/platform/Clock.h '#include "base/Text.h"'
    plant src/platform/win32/Win32Clock.cpp '#include "platform/Clock.h"
#include "base/win32/Handle.h"
#include <windows.h>'
    plant src/lib/Helpers.h '#include "platform/Clock.h"
#include "generated/BuildConfig.h"'
    plant src/ui/Control.h 'class Control {};'
    plant src/ui/Container.h '#include "ui/Control.h"
class Container : public Control {};'
    plant src/ui/Form.h '#include "ui/Container.h"
class Form final : public ui::Container, private Other<int> {};'
    plant src/ui/Control.cpp '#include "ui/Control.h"'
    plant src/ui/win32/Peer.cpp '#include "ui/Form.h"
#include "platform/win32/Win32Clock.h"'
    plant src/payload/Extract.h '#include "lib/Helpers.h"'
    plant src/app/FramePanel.h '#include "ui/Form.h"
#include "payload/Extract.h"'
    plant src/panels/Welcome.h '#include "app/FramePanel.h"
class Welcome : public torvane::TFramePanel {};'
    plant src/entry/win32/WinMain.cpp '#include "panels/Welcome.h"
#include "ui/win32/Peer.h"
#include <windows.h>'
    plant carried/common/Version.h '#include "base/Text.h"'
    plant carried/client/Report.h '#include "common/Version.h"
#include "client/Other.h"
#include "payload/Extract.h"'
    plant carried/client/win32/Shell.cpp '#include <shlobj.h>
#include "base/win32/Handle.h"'
    plant carried/client/ClientMain.cpp '#include <windows.h>'
    plant tools/dump/main.cpp '#include "common/StdioFiles.h"
#include "payload/Extract.h"'
    if ! check "$tmp" >/dev/null; then
        echo "self-test: clean tree rejected:"
        check "$tmp" || true
        exit 1
    fi
    # One breach of each rule, each on its own.
    local breaches=(
        'src/platform/Bad.h|#include "lib/Helpers.h"'               # 1. platform -> lib
        'src/base/Bad.h|#include "platform/Clock.h"'                # 1. base -> platform
        'src/ui/Bad.cpp|#include "payload/Extract.h"'               # 1. sideways: ui -> payload
        'src/payload/Bad.cpp|#include "app/FramePanel.h"'           # 1. payload -> app
        'src/payload/Bad2.cpp|#include "ui/Form.h"'                 # 1. payload -> ui
        'src/app/Bad.cpp|#include "panels/Welcome.h"'               # 1. app -> panels
        'tools/dump/Bad.cpp|#include "app/FramePanel.h"'            # 1. tools -> app
        'carried/client/Bad.cpp|#include "ui/Form.h"'               # 1. carried -> ui
        'src/ui/Bad2.cpp|#include "platform/win32/Win32Clock.h"'    # 2. portable -> win32
        'src/lib/win32/Bad.cpp|#include "ui/win32/Peer.h"'          # 2. lib/win32 -> ui/win32
        'src/app/Bad2.h|#  include <ShlObj.h>'                      # 3. Windows header
        'src/panels/sub/Deep.cpp|  #include "wininet.h"'            # 3. nested, quoted
        'carried/client/Bad2.cpp|#include <windows.h>'              # 3. carried, not an entry
        'tools/dump/Bad2.cpp|#include <commctrl.h>'                 # 3. tools
        'src/ui/Control.cpp|#include "ui/Form.h"'                   # 4. base -> derived (via Container)
        'carried/client/Bad3.h|#include "uninstall/List.h"'         # 5. another program
        'tools/dump/Bad3.cpp|#include "mkdatafile/Args.h"'          # 5. another tool
    )
    local breach path text saved
    for breach in "${breaches[@]}"; do
        path=${breach%%|*}
        text=${breach#*|}
        saved=
        [[ -f $tmp/$path ]] && saved=$(cat "$tmp/$path")
        plant "$path" "$text"
        if check "$tmp" >/dev/null; then
            echo "self-test: missed '$text' in $path"
            exit 1
        fi
        if [[ -n $saved ]]; then plant "$path" "$saved"; else rm "$tmp/$path"; fi
    done
    check "$tmp" >/dev/null || { echo "self-test: tree not clean after the breaches"; exit 1; }
    echo "self-test passed (${#breaches[@]} breaches caught)"
}

if [[ ${1:-} == --self-test ]]; then
    self_test
    exit 0
fi

repo=${1:-$here/..}
repo=$(cd "$repo" && pwd)
if check "$repo"; then
    echo "layering OK: every include keeps to the floors of src/README.md"
else
    exit 1
fi
