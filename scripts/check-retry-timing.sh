#!/usr/bin/env bash
# Reads the upgrade's retry timing out of a built setup and compares it with
# what is expected: the pauses after a failed attempt and the length of each.
# The values stand in the program's data right after the 16-byte tag
# "torvane-retries\0" (src/panels/RetryTiming.h), as two little-endian 32-bit
# numbers. The tag must occur exactly once.
#
# usage: check-retry-timing.sh EXE PAUSES MILLISECONDS
#   e.g. check-retry-timing.sh build/cross/Install_Torvane.exe 15 1000
set -euo pipefail

[[ $# == 3 ]] || { echo "usage: check-retry-timing.sh EXE PAUSES MILLISECONDS" >&2; exit 2; }
exe=$1
[[ -f $exe ]] || { echo "check-retry-timing: no such file: $exe" >&2; exit 1; }

python3 - "$exe" "$2" "$3" <<'PY'
import struct, sys
exe, pauses, ms = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
data = open(exe, "rb").read()
tag = b"torvane-retries\0"
at = data.find(tag)
if at < 0:
    sys.exit(f"check-retry-timing: {exe} carries no retry timing")
if data.find(tag, at + 1) >= 0:
    sys.exit(f"check-retry-timing: {exe} carries the retry timing more than once")
found = struct.unpack_from("<II", data, at + len(tag))
if found != (pauses, ms):
    sys.exit(f"check-retry-timing: {exe} waits {found[0]} x {found[1]} ms after a failed "
             f"attempt, expected {pauses} x {ms} ms")
print(f"{exe}: {found[0]} pauses of {found[1]} ms after a failed attempt")
PY
