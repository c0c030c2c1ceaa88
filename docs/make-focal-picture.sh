#!/usr/bin/env bash
# Redraws docs/pictures/focal-law.svg: a small program computes the law with
# the library and draws it with quoria-trace's renderer, until the tool
# draws focal laws itself.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${QUORIA_BUILD_DIR:-$root/build}"
cmake --build "$build" --target QuoriaTraceCore > /dev/null
"${CXX:-c++}" -std=c++17 -O1 -I"$root/api" -I"$root/geometry" -I"$root/tools/quoria-trace" \
    "$root/docs/focal-law-picture.cpp" "$build/tools/libQuoriaTraceCore.a" -L"$build" -lQuoria \
    -Wl,-rpath,"$build" -o "$build/focal-law-picture"
cd "$root"
"$build/focal-law-picture" docs/pictures/focal-law.svg
