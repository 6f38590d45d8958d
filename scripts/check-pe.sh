#!/usr/bin/env bash
# Checks the header of a Windows executable we ship:
#   - 32-bit image (pei-i386), GUI subsystem (2);
#   - DllCharacteristics has DYNAMIC_BASE (ASLR) and NX_COMPAT (DEP), and the
#     image keeps its .reloc section (without it ASLR cannot move it);
#   - it imports only DLLs Windows always takes from System32. wininet,
#     version, comctl32 and any compiler run-time DLL are refused: a copy
#     planted beside a downloaded setup would be loaded instead. comdlg32 is
#     refused as well: Wine's comdlg32 imports comctl32, so importing it would
#     pull in a planted comctl32 under the DLL planting test.
#
# With --pe32plus it checks the x86_64 test build instead (PE32+):
#   - x86-64 image (pei-x86-64), GUI subsystem;
#   - DYNAMIC_BASE, NX_COMPAT and HIGH_ENTROPY_VA (ASLR over the whole 64-bit
#     address space), .reloc kept; the same imports.
#
# usage: check-pe.sh [--pe32plus] EXE
#        check-pe.sh [--pe32plus] --expect-reject PATTERN EXE
#            succeeds only if EXE is rejected with a reason matching PATTERN
#            (proves the check can fail).
set -euo pipefail

expect=""
format=pei-i386
while [[ ${1:-} == --* ]]; do
    case $1 in
        --pe32plus) format=pei-x86-64; shift ;;
        --expect-reject) expect=$2; shift 2 ;;
        *) echo "check-pe.sh: unknown option $1" >&2; exit 2 ;;
    esac
done
exe=${1:?usage: check-pe.sh [--pe32plus] [--expect-reject PATTERN] EXE}
# The x86_64 objdump reads both image formats; the i686 one only pei-i386.
if [[ -z ${OBJDUMP:-} ]]; then
    if command -v x86_64-w64-mingw32-objdump >/dev/null; then OBJDUMP=x86_64-w64-mingw32-objdump
    else OBJDUMP=i686-w64-mingw32-objdump; fi
fi
objdump=$OBJDUMP

if [[ ! -f $exe ]]; then
    echo "FAIL: $exe does not exist (cross tree not built?)"
    exit 1
fi

allowed=(kernel32.dll user32.dll gdi32.dll shell32.dll advapi32.dll ole32.dll
         oleaut32.dll msvcrt.dll)

dump=$("$objdump" -p "$exe")
headers=$("$objdump" -h "$exe")
failures=()

grep -q "file format $format\$" <<<"$dump" || failures+=("not a $format image")
subsystem=$(awk '$1 == "Subsystem" {print $2}' <<<"$dump")
[[ $subsystem == 00000002 ]] || failures+=("Subsystem is ${subsystem:-missing}, want 00000002 (GUI)")
characteristics=$(sed -n '/^DllCharacteristics/,/^SizeOfStackReserve/p' <<<"$dump")
grep -qw DYNAMIC_BASE <<<"$characteristics" || failures+=("DllCharacteristics lacks DYNAMIC_BASE")
grep -qw NX_COMPAT <<<"$characteristics" || failures+=("DllCharacteristics lacks NX_COMPAT")
if [[ $format == pei-x86-64 ]]; then
    grep -qw HIGH_ENTROPY_VA <<<"$characteristics" || failures+=("DllCharacteristics lacks HIGH_ENTROPY_VA")
fi
grep -qw '\.reloc' <<<"$headers" || failures+=("no .reloc section: the image cannot be relocated")

mapfile -t imports < <(awk '/DLL Name:/ {print $3}' <<<"$dump")
[[ ${#imports[@]} -gt 0 ]] || failures+=("no import table found")
for dll in "${imports[@]}"; do
    lower=${dll,,}
    ok=0
    for a in "${allowed[@]}"; do [[ $lower == "$a" ]] && ok=1; done
    [[ $ok == 1 ]] || failures+=("imports $dll, which is not a System32-only DLL")
done

echo "$exe"
echo "  subsystem $subsystem, imports: ${imports[*]:-none}"
for f in "${failures[@]}"; do echo "FAIL: $f"; done

if [[ -n $expect ]]; then
    if printf '%s\n' "${failures[@]}" | grep -qi -- "$expect"; then
        echo "rejected as expected (matched '$expect')"
        exit 0
    fi
    echo "FAIL: expected a rejection matching '$expect'"
    exit 1
fi
if [[ ${#failures[@]} -gt 0 ]]; then exit 1; fi
echo "PE header OK"
