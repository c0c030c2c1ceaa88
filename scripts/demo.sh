#!/usr/bin/env bash
# Installs what is missing, builds the quoria-trace tool and runs it on its
# built-in scenario, a probe's wedge on a plate: it prints the legs of the
# beam and writes the picture into the build directory. Arguments are passed
# to the tool (for example examples/x-pipe.json --svg x-pipe.svg).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${QUORIA_BUILD_DIR:-$root/build}"

"$root/scripts/setup.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build "$build" --parallel 2 --target quoria-trace
tool="$build/tools/quoria-trace"
if [ "$#" -eq 0 ]; then
    cd "$build"
fi
"$tool" "$@"
