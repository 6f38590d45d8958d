#!/usr/bin/env bash
# Installs the Debian 12 packages the build and the tests need. Does nothing
# (and touches no network) when they are all there already. Needs root: a
# fresh Debian machine used as root has no sudo, so none is assumed.
set -euo pipefail

if [[ $(id -u) != 0 ]]; then
    echo "setup-deps: must run as root: it installs Debian packages with apt-get, and the" >&2
    echo "tests mount small tmpfs drives. Run the README commands as root (no sudo needed)." >&2
    exit 1
fi
source "$(dirname "${BASH_SOURCE[0]}")/host-route.sh"

packages=(
    # native build and unit tests
    g++ cmake ninja-build pkg-config zlib1g-dev libjpeg-dev
    googletest libgtest-dev libgmock-dev libbenchmark-dev
    # fuzz targets: clang with libFuzzer and its sanitizer run-times
    clang libfuzzer-14-dev libclang-rt-14-dev
    # the formatting check of every C and C++ file
    clang-format
    # cross build: 32-bit Windows (what ships) and x86_64 Windows (the test
    # vehicle of hosts without 32-bit support), win32 threads, static zlib
    g++-mingw-w64-i686-win32 gcc-mingw-w64-i686-win32 binutils-mingw-w64-i686
    g++-mingw-w64-x86-64-win32 gcc-mingw-w64-x86-64-win32 binutils-mingw-w64-x86-64
    libz-mingw-w64-dev
    # libjpeg-turbo from its source package
    dpkg-dev
    # Authenticode signing (a build option) and its test's throw-away certificate
    osslsigncode openssl
    # end-to-end tests: Wine, a virtual X server, a window manager, keys, images
    wine wine64 fonts-wine xvfb openbox xdotool x11-utils imagemagick
    python3 procps util-linux
)
# wine32 runs the shipped 32-bit setup; a host that cannot execute 32-bit
# code could not even start it, so it takes the x86_64 route without it.
need_i386=0
if torvane_host_runs_32bit; then
    packages+=(wine32:i386)
    dpkg --print-foreign-architectures | grep -qx i386 || need_i386=1
fi

missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
    [[ $status == installed ]] || missing+=("$p")
done

if [[ $need_i386 == 0 && ${#missing[@]} == 0 ]]; then
    echo "setup-deps: all ${#packages[@]} packages present"
    exit 0
fi

export DEBIAN_FRONTEND=noninteractive
if [[ $need_i386 == 1 ]]; then
    echo "setup-deps: adding the i386 architecture (Wine runs 32-bit programs)"
    dpkg --add-architecture i386
fi
echo "setup-deps: installing ${missing[*]}"
apt-get update -q
apt-get install -y -q --no-install-recommends "${missing[@]}"
for p in "${packages[@]}"; do
    dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null | grep -qx installed ||
        { echo "setup-deps: $p did not install" >&2; exit 1; }
done
echo "setup-deps: done"
