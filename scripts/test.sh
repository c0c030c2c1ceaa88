#!/usr/bin/env bash
# Installs what is missing, builds Quoria with warnings as errors and runs
# the whole test suite.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${QUORIA_BUILD_DIR:-$root/build}"

"$root/scripts/setup.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORIA_WARNINGS_AS_ERRORS=ON
cmake --build "$build" --parallel 2
ctest --test-dir "$build" --output-on-failure --parallel 2
