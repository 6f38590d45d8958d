#!/usr/bin/env bash
# The one answer to "which Wine route does this host take?", shared by the
# README commands, the build and the test registry.
#
# Some hosts run the kernel without 32-bit user mode: every 32-bit Linux
# program, wine32 among them, fails there with "Exec format error". On those
# the end-to-end tests run the x86_64 build of the same sources under wine64;
# everywhere else they run the shipped 32-bit setup under wine32.
#
# The probe needs no package: it writes a 96-byte static i386 ELF program
# that only makes the exit system call with the code 42, and runs it. Only a
# host that executes 32-bit code gets 42 back.
#
# Running 32-bit code is not enough: wine32 must be installed too, and a
# half-synced package archive can make it impossible to install
# (setup-deps.sh says so). So the answer to "can this host run the shipped
# 32-bit setup?" is: it executes 32-bit code AND wine32:i386 is installed.
# A later setup-deps.sh run that installs wine32 takes the host back to the
# 32-bit route.
#
# TORVANE_WINE_ROUTE=x64 forces the x86_64 route on any host (to exercise it
# on a host that could run both); "win32" or empty means: ask the host.
#
# Sourced: defines torvane_host_runs_32bit, torvane_wine32_installed,
# torvane_route (prints win32 or x64) and torvane_route_banner (the sentence
# that names the route).
# Run: `bash scripts/host-route.sh` prints the route, `--banner` the sentence.

torvane_host_runs_32bit() {
    local dir rc
    dir=$(mktemp -d "${TMPDIR:-/tmp}/torvane-probe.XXXXXX") || return 1
    # ELF header, one PT_LOAD program header, then:
    #   mov eax, 1 (exit); mov ebx, 42; int 0x80
    printf '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00'`
          `'\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00'`
          `'\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00'`
          `'\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08'`
          `'\x00\x80\x04\x08\x60\x00\x00\x00\x60\x00\x00\x00\x05\x00\x00\x00'`
          `'\x00\x10\x00\x00\xb8\x01\x00\x00\x00\xbb\x2a\x00\x00\x00\xcd\x80' >"$dir/probe32"
    chmod +x "$dir/probe32"
    "$dir/probe32" 2>/dev/null
    rc=$?
    rm -rf "$dir"
    [[ $rc == 42 ]]
}

torvane_wine32_installed() {
    [[ $(dpkg-query -W -f='${db:Status-Status}' wine32:i386 2>/dev/null) == installed ]]
}

torvane_route() {
    case ${TORVANE_WINE_ROUTE:-} in
        x64) echo x64 ;;
        "" | win32 | auto)
            if torvane_host_runs_32bit && torvane_wine32_installed; then echo win32; else echo x64; fi ;;
        *)
            echo "TORVANE_WINE_ROUTE must be x64, win32 or empty, not '$TORVANE_WINE_ROUTE'" >&2
            return 2 ;;
    esac
}

# torvane_route_banner ROUTE: the sentence each command starts with.
torvane_route_banner() {
    if [[ $1 == win32 ]]; then
        echo "32-bit setup under wine32"
    elif [[ ${TORVANE_WINE_ROUTE:-} == x64 ]] && torvane_host_runs_32bit; then
        echo "x86_64 build of the same sources under wine64: forced by TORVANE_WINE_ROUTE=x64"
    elif torvane_host_runs_32bit; then
        echo "x86_64 build of the same sources under wine64: wine32 is not installed (the package archive here could not provide it)"
    else
        echo "x86_64 build of the same sources under wine64: this host cannot run 32-bit programs"
    fi
}

if [[ ${BASH_SOURCE[0]} == "$0" ]]; then
    set -euo pipefail
    route=$(torvane_route)
    if [[ ${1:-} == --banner ]]; then torvane_route_banner "$route"; else echo "$route"; fi
fi
