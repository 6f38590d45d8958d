#!/usr/bin/env bash
# Installs the Debian 12 packages the build and the tests need. Does nothing
# (and touches no network) when they are all there already.
set -euo pipefail

packages=(
    # native build and unit tests
    g++ cmake ninja-build pkg-config zlib1g-dev libjpeg-dev
    googletest libgtest-dev libgmock-dev libbenchmark-dev
    # fuzz targets: clang with libFuzzer and its sanitizer run-times
    clang libfuzzer-14-dev libclang-rt-14-dev
    # cross build: 32-bit Windows, posix threads, static zlib
    g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686
    libz-mingw-w64-dev
    # libjpeg-turbo from its source package
    dpkg-dev
    # end-to-end tests: Wine, a virtual X server, a window manager, keys, images
    wine wine32:i386 fonts-wine xvfb openbox xdotool x11-utils imagemagick
    python3 procps util-linux
)

as_root() { if [[ $(id -u) == 0 ]]; then "$@"; else sudo "$@"; fi; }

missing=()
need_i386=0
dpkg --print-foreign-architectures | grep -qx i386 || need_i386=1
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
    as_root dpkg --add-architecture i386
fi
echo "setup-deps: installing ${missing[*]}"
as_root apt-get update -q
as_root apt-get install -y -q --no-install-recommends "${missing[@]}"
# wine32:i386 is what actually runs a 32-bit program; make sure it came.
dpkg-query -W -f='${db:Status-Status}' wine32:i386 | grep -qx installed
echo "setup-deps: done"
