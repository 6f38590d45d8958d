#!/usr/bin/env bash
# Configures and builds both trees with Ninja:
#   build/native  portable core, unit tests, build tools (TORVANE_SANITIZE=ON
#                 unless the environment says TORVANE_SANITIZE=OFF)
#   build/cross   Install_Torvane.exe, the carried programs, the Wine helpers
# The native tree comes first: the cross tree runs its build tools.
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$repo/build
jobs=${TORVANE_JOBS:-$(nproc)}
sanitize=${TORVANE_SANITIZE:-ON}
build_type=${TORVANE_BUILD_TYPE:-RelWithDebInfo}

bash "$repo/scripts/build-libjpeg-mingw.sh"

# Build options for both trees (server addresses, a maker's programs to
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
    -DTORVANE_E2E_DIR="$build/e2e"
cmake --build "$build/native" -j "$jobs"

echo "== cross tree: $build/cross"
configure "$build/cross" \
    -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-i686.cmake" \
    -DTORVANE_JPEG_MINGW_DIR="$build/deps/libjpeg-mingw" \
    -DTORVANE_NATIVE_DIR="$build/native"
cmake --build "$build/cross" -j "$jobs"

if [[ -f $build/cross/Install_Torvane.exe ]]; then
    echo "built $build/cross/Install_Torvane.exe"
else
    echo "note: $build/cross/Install_Torvane.exe was not built (no src/app/win32/WinMain.cpp yet)"
fi
