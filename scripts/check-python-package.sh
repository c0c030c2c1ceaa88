#!/usr/bin/env bash
# Checks that the Python package installs with pip as the README says, on
# Debian's interpreter and without fetching anything: builds the wheel once,
# installs it into a throwaway virtual environment and, with --target, into
# a bare folder, then runs the package's tests against the installed copy,
# away from the source and build trees.
#
#   scripts/check-python-package.sh [BUILD_DIR]
#
# BUILD_DIR, a build tree with the tests (the suite's), lends its reference
# program for the comparison with the C++ results; without it those tests
# are skipped. The wheel's CMake build stays in build-python/ for next time.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
python=/usr/bin/python3

fail() { printf 'check-python-package: FAILED: %s\n' "$*" >&2; exit 1; }

"$root/scripts/setup.sh"

echo "== check-python-package: build the wheel"
(cd "$root" && "$python" -m pip wheel --no-build-isolation --no-index --no-deps --wheel-dir "$work/wheels" .)
wheel="$(ls "$work"/wheels/quoria-*.whl)"

echo "== check-python-package: install into a virtual environment"
"$python" -m venv --system-site-packages "$work/venv"
"$work/venv/bin/python" -m pip install --no-index "$wheel"
package="$(cd "$work" && "$work/venv/bin/python" -c 'import os, quoria; print(os.path.dirname(quoria.__file__))')"
[[ "$package" == "$work/venv/"* ]] || fail "quoria was imported from $package, not from the environment"
# The module finds the library beside it, not the one of a build tree.
ldd "$package"/_quoria*.so | grep -q "libQuoria.so.* => $package/" || fail "the module does not load its own libQuoria"

echo "== check-python-package: the tests against the installed package"
reference=""
if [ $# -ge 1 ] && [ -x "$1/python/tests/quoria-python-reference" ]; then
    reference="$(cd "$1" && pwd)/python/tests/quoria-python-reference"
fi
(cd "$work" && PYTHONDONTWRITEBYTECODE=1 QUORIA_REFERENCE_TRACE="$reference" \
    "$work/venv/bin/python" -m pytest -q -p no:cacheprovider "$root/python/tests")

echo "== check-python-package: install with --target into a bare folder"
"$python" -m pip install --no-index --no-deps --target "$work/target" "$wheel"
(cd "$work" && PYTHONPATH="$work/target" "$python" -c '
import quoria
plate = quoria.create_axis_aligned_plate(centre=(0, 0, 10), size_x=100, size_y=100, size_z=20)
legs = quoria.RayTracer(plate).trace((0, 0, 0), legs=2)
assert quoria.__file__.startswith("'"$work/target"'") and legs.shape == (2, 2, 3), legs
path = quoria.AcousticTracer(plate, "steel").trace((0, 0, 0), legs=2, modes="T")
assert path.modes == ["T", "T"] and abs(path.time - 2 * 1000 * 20 / 3230) < 1e-9, path
') || fail "the package installed with --target does not trace"

echo "check-python-package: passed"
