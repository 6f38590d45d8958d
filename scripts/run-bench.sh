#!/usr/bin/env bash
# Builds the native tree without sanitizers in build/bench (Release) and runs
# the benchmarks. Arguments go to the benchmark program (e.g.
# --benchmark_filter=Extract --benchmark_repetitions=5).
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
bash "$repo/scripts/setup-deps.sh" >/dev/null
cmake -S "$repo" -B "$repo/build/bench" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTORVANE_SANITIZE=OFF >/dev/null
cmake --build "$repo/build/bench" --target benchmarks >/dev/null
exec "$repo/build/bench/benchmarks" "$@"
