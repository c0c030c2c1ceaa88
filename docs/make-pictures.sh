#!/usr/bin/env bash
# Redraws the guide's pictures with the tool: one per scenario in
# docs/scenarios, and the built-in wedge on a plate.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${QUORIA_BUILD_DIR:-$root/build}"
cmake --build "$build" --target quoria-trace > /dev/null
cd "$root"
for scenario in docs/scenarios/*.json; do
    name="$(basename "$scenario" .json)"
    "$build/tools/quoria-trace" "$scenario" --svg "docs/pictures/$name.svg" > /dev/null
done
"$build/tools/quoria-trace" --svg docs/pictures/wedge-on-plate.svg > /dev/null
