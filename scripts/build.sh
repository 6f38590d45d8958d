#!/usr/bin/env bash
# Configures and builds the trees with Ninja:
#   build/native   portable core, unit tests, build tools (TORVANE_SANITIZE=ON
#                  unless the environment says TORVANE_SANITIZE=OFF)
#   build/cross    Install_Torvane.exe, the carried programs, the Wine helpers:
#                  32-bit, what ships
#   build/cross64  the same for x86_64, only on the x64 Wine route (a host that
#                  cannot run 32-bit code, or TORVANE_WINE_ROUTE=x64): the test
#                  vehicle the Wine scenarios run there; it ships nowhere
# The native tree comes first: the cross trees run its build tools.
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$repo/build
jobs=${TORVANE_JOBS:-$(nproc)}
sanitize=${TORVANE_SANITIZE:-ON}
build_type=${TORVANE_BUILD_TYPE:-RelWithDebInfo}

source "$repo/scripts/host-route.sh"
route=$(torvane_route)
echo "== route: $(torvane_route_banner "$route")"

bash "$repo/scripts/build-libjpeg-mingw.sh" i686
[[ $route == win32 ]] || bash "$repo/scripts/build-libjpeg-mingw.sh" x86_64

# Build options for all trees (server addresses, a maker's programs to
# carry), e.g. TORVANE_CMAKE_ARGS='-DTORVANE_WEB_SERVER=http://www.maker.com'.
read -r -a extra_args <<<"${TORVANE_CMAKE_ARGS:-}"

configure() { # dir, extra args...
    local dir=$1
    shift
    cmake -S "$repo" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="$build_type" "${extra_args[@]}" "$@" >/dev/null
}

echo "== native tree: $build/native"
configure "$build/native" \
    -DTORVANE_SANITIZE="$sanitize" \
    -DTORVANE_CROSS_DIR="$build/cross" \
    -DTORVANE_CROSS64_DIR="$build/cross64" \
    -DTORVANE_E2E_DIR="$build/e2e"
cmake --build "$build/native" -j "$jobs"

cross_tree() { # dir, arch, libjpeg prefix
    echo "== cross tree ($2): $1"
    configure "$1" \
        -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-$2.cmake" \
        -DTORVANE_JPEG_MINGW_DIR="$3" \
        -DTORVANE_NATIVE_DIR="$build/native"
    cmake --build "$1" -j "$jobs"
    [[ -f $1/Install_Torvane.exe ]] || { echo "$1/Install_Torvane.exe was not built" >&2; exit 1; }
    echo "built $1/Install_Torvane.exe"
}
cross_tree "$build/cross" i686 "${TORVANE_JPEG_MINGW_DIR:-$build/deps/libjpeg-mingw}"
if [[ $route == x64 ]]; then
    cross_tree "$build/cross64" x86_64 "${TORVANE_JPEG_MINGW64_DIR:-$build/deps/libjpeg-mingw64}"
fi
