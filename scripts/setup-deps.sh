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
# wine32 is installed on its own, after everything else: a half-synced
# archive can make it impossible to install (its i386 libraries must match
# the versions of their amd64 twins, which only a missing index may offer),
# and then the host takes the x86_64 route instead of failing. Until it is
# installed, every run asks the archive again, so a healed archive brings
# the host back to the 32-bit route.
want_wine32=0
need_i386=0
if torvane_host_runs_32bit; then
    want_wine32=1
    dpkg --print-foreign-architectures | grep -qx i386 || need_i386=1
fi

installed() { [[ $(dpkg-query -W -f='${db:Status-Status}' "$1" 2>/dev/null) == installed ]]; }

missing=()
for p in "${packages[@]}"; do
    installed "$p" || missing+=("$p")
done
missing_wine32=0
[[ $want_wine32 == 0 ]] || installed wine32:i386 || missing_wine32=1

say_route() { echo "setup-deps: route: $(torvane_route_banner "$(torvane_route)")"; }

if [[ $need_i386 == 0 && ${#missing[@]} == 0 && $missing_wine32 == 0 ]]; then
    echo "setup-deps: all $((${#packages[@]} + want_wine32)) packages present"
    say_route
    exit 0
fi

export DEBIAN_FRONTEND=noninteractive
if [[ $need_i386 == 1 ]]; then
    echo "setup-deps: adding the i386 architecture (Wine runs 32-bit programs)"
    dpkg --add-architecture i386
fi
source "$(dirname "${BASH_SOURCE[0]}")/apt-lib.sh"
torvane_apt_update setup-deps
if [[ ${#missing[@]} != 0 ]]; then
    echo "setup-deps: installing ${missing[*]}"
    apt-get install -y -q --no-install-recommends "${missing[@]}"
    for p in "${packages[@]}"; do
        installed "$p" || { echo "setup-deps: $p did not install" >&2; exit 1; }
    done
fi
if [[ $missing_wine32 == 1 ]]; then
    echo "setup-deps: installing wine32:i386"
    log=$(mktemp "${TMPDIR:-/tmp}/torvane-wine32.XXXXXX")
    apt-get install -y -q --no-install-recommends wine32:i386 2>&1 | tee "$log" || true
    if ! installed wine32:i386; then
        # apt's own first error says why, e.g. "Error, pkgProblemResolver::Resolve
        # generated breaks, this may be caused by held packages."
        reason=$(sed -n 's/^E: //p' "$log" | head -n 1)
        reason=${reason:-apt-get did not install it}
        [[ -z $TORVANE_APT_FAILED_INDEXES ]] || reason+="; not fetched: $TORVANE_APT_FAILED_INDEXES"
        echo "wine32 cannot be installed from the package archive here ($reason): taking the x86_64 route"
    fi
    rm -f "$log"
fi
echo "setup-deps: done"
say_route
