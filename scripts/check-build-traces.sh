#!/usr/bin/env bash
# What can be told of a reproducible build from one build alone: the shipped
# files carry nothing of the machine or the moment they were built on.
# For Install_Torvane.exe and each carried program of a cross tree:
#   - the PE header's time stamp is 0, or SOURCE_DATE_EPOCH when that is set;
#   - neither the build folder, nor the source folder, nor the home folder,
#     nor the user's name appears anywhere in the file.
# Two whole builds compared byte for byte: scripts/check-reproducible.sh.
#
# usage: check-build-traces.sh CROSS_DIR [SOURCE_DIR]
#        check-build-traces.sh --self-test CROSS_DIR
#            plants a time stamp and the build folder in a copy of a carried
#            program and succeeds only if both are caught.
set -euo pipefail

self_test=0
if [[ ${1:-} == --self-test ]]; then
    self_test=1
    shift
fi
cross=${1:?usage: check-build-traces.sh [--self-test] CROSS_DIR [SOURCE_DIR]}
cross=$(cd "$cross" && pwd)
source_dir=${2:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
user=$(id -un)

# The COFF header's TimeDateStamp: 8 bytes after the "PE\0\0" that e_lfanew
# (offset 0x3c) points at.
pe_time_stamp() {
    local pe
    pe=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ')
    od -An -tu4 -j$((pe + 8)) -N4 "$1" | tr -d ' '
}

# Prints one line per trace found in a file.
traces_in() { # file
    local file=$1 stamp want=0
    [[ -n ${SOURCE_DATE_EPOCH:-} ]] && want=$SOURCE_DATE_EPOCH
    stamp=$(pe_time_stamp "$file")
    [[ $stamp == 0 || $stamp == "$want" ]] ||
        echo "PE time stamp is $stamp ($(date -u -d "@$stamp" 2>/dev/null)), want 0 or $want"
    local what needle
    for what in "build folder:$cross" "source folder:$source_dir" "home folder:${HOME:-}"; do
        needle=${what#*:}
        [[ ${#needle} -gt 1 ]] || continue
        # Backslashes too: a path may have been turned into a Windows one.
        if grep -qaF -e "$needle" -e "${needle//\//\\}" "$file"; then
            echo "holds the ${what%%:*} $needle"
        fi
    done
    # The user's name as a path part (/home/name/, \Users\name\ ...) or as a
    # field of its own; a user named like a common word would otherwise be
    # found in every text of the program.
    if grep -qaE "[/\\\\]$user([/\\\\]|$)|@$user\b|\b$user@" "$file"; then
        echo "holds the user name $user"
    fi
}

shipped_files() {
    echo "$cross/Install_Torvane.exe"
    local name
    for name in Torvane.Exe Uninstall.Exe Torvane_toolbar.exe; do echo "$cross/carried/$name"; done
}

if [[ $self_test == 1 ]]; then
    scratch=$(mktemp -d)
    trap 'rm -rf "$scratch"' EXIT
    planted=$scratch/planted.exe
    cp "$cross/carried/Torvane_toolbar.exe" "$planted"
    pe=$(od -An -tu4 -j60 -N4 "$planted" | tr -d ' ')
    # 0x5f5e1000 = 1600000000, a moment in 2020.
    printf '\x00\x10\x5e\x5f' | dd of="$planted" bs=1 seek=$((pe + 8)) conv=notrunc status=none
    printf 'built in %s/carried\0' "$cross" >>"$planted"
    found=$(SOURCE_DATE_EPOCH='' traces_in "$planted")
    echo "$found"
    grep -q "PE time stamp is 1600000000" <<<"$found" || { echo "FAIL: the time stamp was not caught"; exit 1; }
    grep -q "holds the build folder" <<<"$found" || { echo "FAIL: the build folder was not caught"; exit 1; }
    echo "both planted traces caught"
    exit 0
fi

failures=0
while IFS= read -r file; do
    if [[ ! -f $file ]]; then
        echo "FAIL: $file does not exist (cross tree not built?)"
        failures=$((failures + 1))
        continue
    fi
    found=$(traces_in "$file")
    if [[ -n $found ]]; then
        while IFS= read -r line; do echo "FAIL: $(basename "$file"): $line"; done <<<"$found"
        failures=$((failures + 1))
    else
        echo "ok: $(basename "$file") (time stamp $(pe_time_stamp "$file"))"
    fi
done < <(shipped_files)
((failures == 0)) || exit 1
echo "no build traces in the shipped files"
