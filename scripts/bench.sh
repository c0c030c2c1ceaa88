#!/usr/bin/env bash
# Installs what is missing, builds Quoria optimised (-O2) with its benchmarks
# in build-bench/ and runs them; the summary table comes last. Arguments are
# passed to the benchmark (e.g. --benchmark_filter=trace/).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${QUORIA_BENCH_DIR:-$root/build-bench}"

"$root/scripts/setup.sh" libbenchmark-dev libembree-dev
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" \
    -DQUORIA_BUILD_BENCHMARKS=ON -DQUORIA_BUILD_TESTS=OFF -DQUORIA_BUILD_TOOLS=OFF -DQUORIA_BUILD_PYTHON=OFF
cmake --build "$build" --parallel 2 --target QuoriaBench
"$build/bench/QuoriaBench" --benchmark_min_time=0.2 "$@"
