#!/usr/bin/env python3
"""Checks the CheckSum field of PE images against the checksum computed the
way the Windows image loader's CheckSumMappedFile does: the file summed as
16-bit little-endian words with the carry folded back in (the field itself
counted as zero), plus the file's length.

usage: pe-checksum.py FILE...        exit 1 if a field is wrong or zero
       pe-checksum.py --print FILE   print the field and the computed sum
"""
import struct
import sys


def checksum_offset(data):
    if data[:2] != b"MZ":
        raise ValueError("no MZ header")
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    if data[pe:pe + 4] != b"PE\0\0":
        raise ValueError("no PE signature")
    # COFF header (20 bytes) after the signature; CheckSum is at offset 64 of
    # the optional header in PE32 and PE32+ alike.
    return pe + 4 + 20 + 64


def computed_checksum(data, field_at):
    total = 0
    padded = data + (b"\0" if len(data) % 2 else b"")
    for (word,) in struct.iter_unpack("<H", padded):
        total += word
    # The field's own two words count as zero.
    total -= struct.unpack_from("<H", data, field_at)[0]
    total -= struct.unpack_from("<H", data, field_at + 2)[0]
    while total >> 16:
        total = (total & 0xFFFF) + (total >> 16)
    return (total + len(data)) & 0xFFFFFFFF


def main(argv):
    show = argv[:1] == ["--print"]
    files = argv[1:] if show else argv
    if not files:
        print(__doc__, file=sys.stderr)
        return 2
    failures = 0
    for name in files:
        with open(name, "rb") as f:
            data = f.read()
        at = checksum_offset(data)
        field = struct.unpack_from("<I", data, at)[0]
        want = computed_checksum(data, at)
        if show:
            print(f"{name}: field 0x{field:08x}, computed 0x{want:08x}")
        elif field != want:
            print(f"FAIL: {name}: PE checksum field 0x{field:08x}, computed 0x{want:08x}")
            failures += 1
        else:
            print(f"ok: {name}: PE checksum 0x{field:08x}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
