#!/usr/bin/env bash
# README command 2: install what is missing, build both trees (native with
# AddressSanitizer + UBSan), then one ctest run over everything: unit tests,
# layering and PE checks, and the end-to-end scenarios under Wine (which start
# their own Xvfb, so no display is needed). Exits non-zero if any test fails.
# Arguments are passed to ctest (e.g. -L e2e, -R e2e.start). Run as root.
# The Wine tests run the shipped 32-bit build under wine32, or on a host that
# cannot execute 32-bit programs, where wine32 could not be installed, or with
# TORVANE_WINE_ROUTE=x64, the x86_64 build of the same sources under wine64;
# scripts/host-route.sh decides.
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$repo/scripts/host-route.sh"
# The route is named once the packages are in: whether wine32 could be
# installed is part of the answer.
bash "$repo/scripts/setup-deps.sh"
echo "run-tests: $(torvane_route_banner "$(torvane_route)")"
TORVANE_SANITIZE=${TORVANE_SANITIZE:-ON} bash "$repo/scripts/build.sh"

cd "$repo/build/native"
exec ctest --output-on-failure -j "$(nproc)" "$@"
