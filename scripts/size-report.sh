#!/usr/bin/env bash
# What the setup is made of, from one built cross tree:
#   - the size of Install_Torvane.exe and of each carried program;
#   - the sections of the setup (objdump -h);
#   - each payload the setup carries (inflated, compressed, chunks);
#   - each embedded picture, as stored;
#   - the overhead: the setup minus its compressed payloads.
#
# With --check it also holds the built files to their ceilings and fails
# (exit 1) when one is over it; with --goal it holds them to the download
# budget we aim for instead:
#                                 ceiling    goal
#   overhead of the setup         616 KiB    640 KiB
#   Torvane_toolbar.exe            24 KiB     32 KiB
#   Torvane.Exe                   152 KiB    160 KiB
#   Uninstall.Exe                 162 KiB    160 KiB  (over the goal: the list's digest,
#                                                    profile folders, owner-only rights)
# The ceilings are what the build reaches today with a few KiB to spare, so
# nothing grows unnoticed; the goal is the budget a change may not break
# (docs/releasing.md has the figures). A limit may be lowered for
# a self-test: --budget NAME=BYTES (NAME is overhead, toolbar, client or
# uninstaller).
#
# usage: size-report.sh [--check | --goal] [--budget NAME=BYTES ...] [CROSS_DIR]
#        (default CROSS_DIR: build/cross of this repository)
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
check=0
declare -A budget=([overhead]=$((616 * 1024)) [toolbar]=$((24 * 1024))
                   [client]=$((152 * 1024)) [uninstaller]=$((162 * 1024)))
declare -A goal=([overhead]=$((640 * 1024)) [toolbar]=$((32 * 1024))
                 [client]=$((160 * 1024)) [uninstaller]=$((160 * 1024)))
while [[ ${1:-} == --* ]]; do
    case $1 in
        --check) check=1; shift ;;
        --goal)
            check=1
            for name in "${!goal[@]}"; do budget[$name]=${goal[$name]}; done
            shift ;;
        --budget)
            name=${2%%=*}
            [[ -n ${budget[$name]+x} ]] || { echo "size-report.sh: no budget named $name" >&2; exit 2; }
            budget[$name]=${2#*=}
            shift 2 ;;
        *) echo "size-report.sh: unknown option $1" >&2; exit 2 ;;
    esac
done
cross=${1:-$repo/build/cross}
exe=$cross/Install_Torvane.exe
generated=$cross/generated/generated
objdump=${OBJDUMP:-i686-w64-mingw32-objdump}

for f in "$exe" "$generated/EmbeddedAssets.cpp"; do
    [[ -f $f ]] || { echo "FAIL: $f does not exist (cross tree not built?)"; exit 1; }
done

size_of() { stat -c %s "$1"; }
# A constant of a header written by tools/packer.
packed_value() { # header, name
    sed -n "s/.*$2 = \([0-9]*\)u\{0,1\};.*/\1/p" "$1"
}

total=$(size_of "$exe")
printf '%s: %d bytes\n\n' "$exe" "$total"

echo "sections of the setup (bytes):"
while read -r _ name size _; do
    printf '  %-10s %9d\n' "$name" $((16#$size))
done < <("$objdump" -h "$exe" | awk '$1 ~ /^[0-9]+$/ { print $1, $2, $3 }')

echo
echo "payloads (bytes):"
printf '  %-26s %9s %11s %7s\n' unit inflated compressed chunks
payloads=0
for unit in GB_TorvaneP2P_exe GB_Uninstall_exe GB_torvane_toolbar_exe; do
    header=$generated/${unit}_Sizes.h
    [[ -f $header ]] || { echo "FAIL: $header does not exist"; exit 1; }
    inflated=$(packed_value "$header" kInflatedSize)
    compressed=$(packed_value "$header" kCompressedSize)
    chunks=$(packed_value "$header" kChunkCount)
    printf '  %-26s %9d %11d %7d\n' "$unit" "$inflated" "$compressed" "$chunks"
    payloads=$((payloads + compressed))
done
printf '  %-26s %9s %11d\n' "all payloads" "" "$payloads"

echo
echo "embedded pictures (bytes as stored; the bitmaps zlib-compressed):"
# tools/embed writes "// <name>" above each array, one "0x.." per byte.
awk '/^\/\/ / && NF == 2 { name = $2; next }
     name != "" && /^};/ { printf "  %-22s %7d\n", name, bytes; total += bytes; name = ""; bytes = 0; next }
     name != "" { bytes += gsub(/0x/, "") }
     END { printf "  %-22s %7d\n", "all pictures", total }' "$generated/EmbeddedAssets.cpp"

overhead=$((total - payloads))
echo
printf 'setup overhead (setup minus compressed payloads): %d bytes (%d KiB)\n' "$overhead" $((overhead / 1024))

echo
echo "carried programs as built (bytes):"
declare -A carried_size=()
for pair in client:Torvane.Exe uninstaller:Uninstall.Exe toolbar:Torvane_toolbar.exe; do
    name=${pair%%:*}
    file=$cross/carried/${pair#*:}
    if [[ -f $file ]]; then
        carried_size[$name]=$(size_of "$file")
        printf '  %-22s %9d (%d KiB)\n' "${pair#*:}" "${carried_size[$name]}" $((carried_size[$name] / 1024))
    else
        printf '  %-22s %9s\n' "${pair#*:}" "not built"
    fi
done

[[ $check == 1 ]] || exit 0

echo
failures=0
hold() { # what, bytes, budget name
    if [[ -z $2 ]]; then
        echo "FAIL: $1 was not built"
        failures=$((failures + 1))
    elif (($2 > budget[$3])); then
        echo "FAIL: $1 is $2 bytes, over its budget of ${budget[$3]}"
        failures=$((failures + 1))
    else
        echo "ok: $1 is $2 bytes, within ${budget[$3]} (goal ${goal[$3]})"
    fi
}
hold "the setup overhead" "$overhead" overhead
hold Torvane_toolbar.exe "${carried_size[toolbar]:-}" toolbar
hold Torvane.Exe "${carried_size[client]:-}" client
hold Uninstall.Exe "${carried_size[uninstaller]:-}" uninstaller
((failures == 0)) || exit 1
echo "within the size budget"
