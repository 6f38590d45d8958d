#!/usr/bin/env bash
# Builds one commit twice, from two clean clones in two different folders,
# and compares the shipped files byte for byte: Install_Torvane.exe and the
# three carried programs. Unsigned builds only: a signature holds the time of
# signing (or of the time-stamp server's answer), so signed files differ.
#
# Each clone builds what the setup needs and nothing more: libjpeg for mingw,
# the native build tools (packer, seedgen, embed, urlgen; no sanitizers, no
# unit tests) and the 32-bit cross tree. libjpeg's Debian source files are
# copied from this checkout's build/deps when they are there (their hashes
# are checked again), so that no second download is needed.
#
# usage: check-reproducible.sh [COMMIT]      (default: HEAD; uncommitted
#                                             changes are not part of it)
# TORVANE_REPRO_DIR names the scratch folder (default: a new one in /tmp); it
# is removed at the end unless TORVANE_REPRO_KEEP=1.
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
commit=$(git -C "$repo" rev-parse "${1:-HEAD}")
scratch=${TORVANE_REPRO_DIR:-$(mktemp -d /tmp/torvane-repro.XXXXXX)}
jobs=${TORVANE_JOBS:-$(nproc)}
build_type=${TORVANE_BUILD_TYPE:-RelWithDebInfo}
mkdir -p "$scratch"
[[ ${TORVANE_REPRO_KEEP:-0} == 1 ]] || trap 'rm -rf "$scratch"' EXIT

# Where a date must stand, it is the commit's.
SOURCE_DATE_EPOCH=$(git -C "$repo" log -1 --format=%ct "$commit")
export SOURCE_DATE_EPOCH

shipped=(Install_Torvane.exe carried/Torvane.Exe carried/Uninstall.Exe carried/Torvane_toolbar.exe)

build_clone() { # folder
    local dir=$1 start
    start=$(date +%s)
    echo "== clone of ${commit:0:12} in $dir"
    git clone --quiet --no-hardlinks "$repo" "$dir"
    git -C "$dir" -c advice.detachedHead=false checkout --quiet "$commit"
    local cached=$repo/build/deps/libjpeg-src-i686
    if compgen -G "$cached/libjpeg-turbo_*" >/dev/null; then
        mkdir -p "$dir/build/deps/libjpeg-src-i686"
        cp "$cached"/libjpeg-turbo_* "$dir/build/deps/libjpeg-src-i686/"
    fi
    env -u TORVANE_JPEG_MINGW_DIR bash "$dir/scripts/build-libjpeg-mingw.sh" i686 >"$dir.log" 2>&1 ||
        { tail -20 "$dir.log"; return 1; }
    {
        cmake -S "$dir" -B "$dir/build/native" -G Ninja -DCMAKE_BUILD_TYPE="$build_type" \
            -DTORVANE_SANITIZE=OFF
        cmake --build "$dir/build/native" -j "$jobs" --target packer seedgen embed urlgen
        cmake -S "$dir" -B "$dir/build/cross" -G Ninja -DCMAKE_BUILD_TYPE="$build_type" \
            -DCMAKE_TOOLCHAIN_FILE="$dir/cmake/mingw-i686.cmake" \
            -DTORVANE_JPEG_MINGW_DIR="$dir/build/deps/libjpeg-mingw" \
            -DTORVANE_NATIVE_DIR="$dir/build/native"
        cmake --build "$dir/build/cross" -j "$jobs" --target Install_Torvane
    } >>"$dir.log" 2>&1 || { tail -30 "$dir.log"; return 1; }
    echo "   built in $(($(date +%s) - start)) s (log: $dir.log)"
}

# Different names and depths, so that a path that leaks shows as a difference.
first=$scratch/one/torvane
second=$scratch/second-build/elsewhere/Torvane-checkout
mkdir -p "$(dirname "$first")" "$(dirname "$second")"
build_clone "$first"
build_clone "$second"

echo "== comparing"
differ=0
for file in "${shipped[@]}"; do
    a=$first/build/cross/$file
    b=$second/build/cross/$file
    if cmp -s "$a" "$b"; then
        printf '  same      %s  %s\n' "$(sha256sum "$a" | cut -d' ' -f1)" "$file"
    else
        printf '  DIFFERENT %s\n' "$file"
        cmp -l "$a" "$b" | head -5 | sed 's/^/            byte, octal values: /'
        differ=1
    fi
done
if ((differ)); then
    echo "FAIL: the two builds of ${commit:0:12} differ"
    exit 1
fi
echo "the two builds of ${commit:0:12} are byte-identical"
