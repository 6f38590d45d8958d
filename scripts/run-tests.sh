#!/usr/bin/env bash
# README command 2: install what is missing, build both trees (native with
# AddressSanitizer + UBSan), then one ctest run over everything: unit tests,
# layering and PE checks, and the end-to-end scenarios under Wine (which start
# their own Xvfb, so no display is needed). Exits non-zero if any test fails.
# Arguments are passed to ctest (e.g. -L e2e, -R e2e.start).
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
bash "$repo/scripts/setup-deps.sh"
TORVANE_SANITIZE=${TORVANE_SANITIZE:-ON} bash "$repo/scripts/build.sh"

cd "$repo/build/native"
exec ctest --output-on-failure -j "$(nproc)" "$@"
