#!/usr/bin/env bash
# Builds a static libjpeg for mingw from Debian's libjpeg-turbo source
# package, pinned and checked against the hashes below:
#   build-libjpeg-mingw.sh [i686]   -> build/deps/libjpeg-mingw    (what ships)
#   build-libjpeg-mingw.sh x86_64   -> build/deps/libjpeg-mingw64  (the x86_64
#                                      test build of hosts without 32-bit code)
# (lib/libjpeg.a + include/). Skips everything when that install and its
# version stamp are already there.
#
# Needs deb-src entries; when none are configured it adds
# /etc/apt/sources.list.d/torvane-deb-src.sources for the existing Debian
# archives (needs root) and leaves every other source file alone.
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
version=1:2.1.5-2
upstream=2.1.5
arch=${1:-i686}
case $arch in
    i686) default_prefix=$repo/build/deps/libjpeg-mingw ;;
    x86_64) default_prefix=$repo/build/deps/libjpeg-mingw64 ;;
    *) echo "usage: build-libjpeg-mingw.sh [i686|x86_64]" >&2; exit 2 ;;
esac
# TORVANE_JPEG_MINGW_DIR / TORVANE_JPEG_MINGW64_DIR put an install elsewhere.
if [[ $arch == i686 ]]; then prefix=${TORVANE_JPEG_MINGW_DIR:-$default_prefix}; else prefix=${TORVANE_JPEG_MINGW64_DIR:-$default_prefix}; fi
work=$repo/build/deps/libjpeg-src-$arch
stamp=$prefix/.torvane-stamp

# sha256 of the files of libjpeg-turbo $version as Debian 12 publishes them.
declare -A sha256=(
    [libjpeg-turbo_2.1.5-2.dsc]=d718ead0dfbcbc8523665c02a7f7152e31039ded641d022868722623bb3b486d
    [libjpeg-turbo_2.1.5.orig.tar.gz]=254f3642b04e309fee775123133c6464181addc150499561020312ec61c1bf7c
    [libjpeg-turbo_2.1.5-2.debian.tar.xz]=cdb2433c2f7101345c1ffa14efb943787c675b86354691a32490845fe4bc9237
)

# Built for size: each function in its own section (the setup's link drops
# what it does not call); no unwind tables (libjpeg is C, and the setup leaves
# it by longjmp, never by a C++ exception); NO_GETENV, so that the JPEGMEM
# variable is not read, which would bring sscanf and its floating-point
# parsers along. Without the build folder in the objects. A change here
# changes the stamp, so a cached build is made again.
#
# Only what decoding the setup's own pictures needs: baseline (or extended
# sequential) Huffman JPEGs in one interleaved scan, decoded with the
# accurate integer IDCT at full size into RGB. Progressive and multi-scan
# files, arithmetic coding, the other IDCTs, scaled output, merged
# upsampling, colour quantization and marker saving are compiled out; the
# embed tool refuses a picture that would need them when the setup is built.
build_kind="$version minsize gc-sections no-unwind no-getenv prefix-map baseline-decoder"
left_out=(DCT_IFAST_SUPPORTED DCT_FLOAT_SUPPORTED D_MULTISCAN_FILES_SUPPORTED
          D_PROGRESSIVE_SUPPORTED SAVE_MARKERS_SUPPORTED BLOCK_SMOOTHING_SUPPORTED
          IDCT_SCALING_SUPPORTED UPSAMPLE_MERGING_SUPPORTED QUANT_1PASS_SUPPORTED
          QUANT_2PASS_SUPPORTED)

if [[ -f $prefix/lib/libjpeg.a && -f $prefix/include/jpeglib.h && -f $stamp &&
      $(cat "$stamp") == "$build_kind" ]]; then
    echo "libjpeg-turbo $version for $arch mingw: cached in $prefix"
    exit 0
fi

# A half-synced archive (one index failing) must not stop the build: only the
# source package's own index matters, and apt-get source says if it is missing.
source "$repo/scripts/apt-lib.sh"

as_root() {
    if [[ $(id -u) != 0 ]]; then
        echo "build-libjpeg-mingw: adding deb-src entries needs root; run as root" >&2
        exit 1
    fi
    "$@"
}

# Source files already downloaded (an earlier run, or copied in by
# scripts/check-reproducible.sh) are used again when their hashes hold.
sources_ok() {
    local f
    for f in "${!sha256[@]}"; do
        [[ -f $work/$f && $(sha256sum "$work/$f" | cut -d' ' -f1) == "${sha256[$f]}" ]] || return 1
    done
}
have_deb_src() {
    grep -rqsE '^(Types:.*deb-src|deb-src )' /etc/apt/sources.list /etc/apt/sources.list.d/
}
if sources_ok; then
    echo "libjpeg-turbo $version sources: already in $work"
elif ! have_deb_src; then
    echo "adding deb-src entries for the Debian archives"
    as_root tee /etc/apt/sources.list.d/torvane-deb-src.sources >/dev/null <<'EOF'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb-src
URIs: http://deb.debian.org/debian-security
Suites: bookworm-security
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
    as_root torvane_apt_update build-libjpeg-mingw
elif ! apt-cache showsrc libjpeg-turbo >/dev/null 2>&1; then
    as_root torvane_apt_update build-libjpeg-mingw
fi

mkdir -p "$work"
cd "$work"
rm -rf src build
sources_ok || apt-get source --download-only "libjpeg-turbo=$version"

for f in "${!sha256[@]}"; do
    actual=$(sha256sum "$f" | cut -d' ' -f1)
    if [[ $actual != "${sha256[$f]}" ]]; then
        echo "checksum mismatch for $f: got $actual, want ${sha256[$f]}" >&2
        exit 1
    fi
done
echo "checksums of libjpeg-turbo $version OK"

# Unpack and apply Debian's patches (the tarballs are checked above; the .dsc
# signature is not, as the keyring for it is not installed).
dpkg-source --no-check -x "libjpeg-turbo_${upstream}-2.dsc" src >/dev/null
for feature in "${left_out[@]}"; do
    grep -q "^#define $feature " src/jmorecfg.h || { echo "jmorecfg.h: no '#define $feature'" >&2; exit 1; }
    sed -i "s/^#define $feature /#undef  $feature /" src/jmorecfg.h
done

# An explicit install prefix matters: the default (c:/...) breaks the
# pkg-config step when cross-compiling.
cmake -S src -B build -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-$arch.cmake" \
    -DCMAKE_BUILD_TYPE=MinSizeRel \
    -DCMAKE_C_FLAGS="-ffunction-sections -fdata-sections -fno-asynchronous-unwind-tables -fno-unwind-tables -DNO_GETENV -ffile-prefix-map=$work/=" \
    "-DCMAKE_C_ARCHIVE_CREATE=<CMAKE_AR> qcD <TARGET> <LINK_FLAGS> <OBJECTS>" \
    "-DCMAKE_C_ARCHIVE_FINISH=<CMAKE_RANLIB> -D <TARGET>" \
    -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DCMAKE_INSTALL_LIBDIR=lib \
    -DENABLE_SHARED=OFF -DENABLE_STATIC=ON \
    -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF -DWITH_JAVA=OFF \
    -DWITH_ARITH_DEC=OFF -DWITH_ARITH_ENC=OFF >/dev/null
cmake --build build --target jpeg-static
rm -rf "$prefix"
mkdir -p "$prefix/lib" "$prefix/include"
cp build/libjpeg.a "$prefix/lib/"
cp build/jconfig.h src/jerror.h src/jmorecfg.h src/jpeglib.h "$prefix/include/"
echo "$build_kind" >"$stamp"
echo "libjpeg-turbo $version for $arch mingw installed in $prefix"
