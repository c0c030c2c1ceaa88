#!/usr/bin/env bash
# Checks that Quoria can be used from another project in the three supported
# ways: the installed CMake package, pkg-config, and the source tree added as
# a subproject. Each way builds examples/consumer, runs it and checks the
# legs it prints.
#
#   scripts/check-package.sh [BUILD_DIR]
#
# BUILD_DIR is a configured Quoria build tree to install from (the test
# suite's); without it the library is built afresh.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
prefix="$work/prefix"
cxx="${CXX:-g++}"

passed=0

step() { printf '\n== check-package: %s\n' "$*"; }
fail() { printf 'check-package: FAILED: %s\n' "$*" >&2; exit 1; }

# The plate is 100 x 100 x 20 around the origin and the beam enters the top
# face z = -10 at 30 degrees from the vertical, towards +X. Each leg crosses
# the 20 thick plate: it runs 20 tan 30 = 11.547005 along X and is
# 20 / cos 30 = 23.094011 long. Columns: start x y z, end x y z, length.
expected_legs='0 0 -10 11.547005 0 10 23.094011
11.547005 0 10 23.094011 0 -10 23.094011
23.094011 0 -10 34.641016 0 10 23.094011'

check_output() {
    local label="$1" program="$2" output
    output="$("$program")" || fail "$label: the consumer exited with $?"
    printf '%s\n' "$output"
    awk -v expected="$expected_legs" -v label="$label" '
        BEGIN { rows = split(expected, lines, "\n") }
        /^leg / {
            ++count
            gsub(/[(),:]/, " ")
            # leg N x y z -> x y z length L
            split(lines[count], want, " ")
            got[1] = $3; got[2] = $4; got[3] = $5; got[4] = $7; got[5] = $8; got[6] = $9; got[7] = $11
            for (i = 1; i <= 7; ++i) {
                difference = got[i] - want[i]
                if (difference < -1e-5 || difference > 1e-5) {
                    printf "%s: leg %d, value %d is %s, expected %s\n", label, count, i, got[i], want[i] > "/dev/stderr"
                    bad = 1
                }
            }
        }
        END {
            if (count != rows) {
                printf "%s: %d legs printed, expected %d\n", label, count, rows > "/dev/stderr"
                bad = 1
            }
            exit bad
        }' <<<"$output" || fail "$label: unexpected legs"
    echo "check-package: $label: legs as expected"
    passed=$((passed + 1))
}

step "install into a temporary prefix"
if [ $# -ge 1 ]; then
    library_build="$1"
    cmake --build "$library_build" --parallel 2
else
    library_build="$work/library"
    cmake -S "$root" -B "$library_build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DQUORIA_BUILD_TESTS=OFF -DQUORIA_BUILD_TOOLS=OFF -DQUORIA_BUILD_PYTHON=OFF
    cmake --build "$library_build" --parallel 2
fi
cmake --install "$library_build" --prefix "$prefix"
[ -f "$prefix/include/Quoria/Quoria.h" ] || fail "Quoria.h is not installed in include/Quoria"
[ -f "$prefix/lib/pkgconfig/quoria.pc" ] || fail "quoria.pc is not installed"
# The Python package installs only through pip (its own install component).
[ ! -e "$prefix/quoria" ] || fail "the Python module was installed with the C++ library"

step "find_package against the installed package"
cmake -S "$root/examples/consumer" -B "$work/find-package" -G Ninja -DCMAKE_PREFIX_PATH="$prefix"
cmake --build "$work/find-package"
check_output "find_package" "$work/find-package/quoria-consumer"

step "the package version file"
# Same major version only: the installed major is found, the next is not.
major="$(sed -n 's/^set(PACKAGE_VERSION "\([0-9]*\)\..*/\1/p' "$prefix/lib/cmake/Quoria/QuoriaConfigVersion.cmake")"
[ -n "$major" ] || fail "no version in QuoriaConfigVersion.cmake"
mkdir -p "$work/version"
cat >"$work/version/CMakeLists.txt" <<CMAKE
cmake_minimum_required(VERSION 3.20)
project(QuoriaVersionProbe LANGUAGES NONE)
find_package(Quoria $major CONFIG REQUIRED)
find_package(Quoria $((major + 1)) CONFIG QUIET)
if(Quoria_FOUND)
    message(FATAL_ERROR "Quoria \${Quoria_VERSION} was accepted for major version $((major + 1))")
endif()
CMAKE
cmake -S "$work/version" -B "$work/version/build" -DCMAKE_PREFIX_PATH="$prefix" >/dev/null \
    || fail "the version file does not accept exactly major version $major"
echo "check-package: major version $major accepted, $((major + 1)) refused"
passed=$((passed + 1))

step "pkg-config"
export PKG_CONFIG_PATH="$prefix/lib/pkgconfig${PKG_CONFIG_PATH:+:$PKG_CONFIG_PATH}"
libdir="$(pkg-config --variable=libdir quoria)" || fail "pkg-config does not find quoria"
# shellcheck disable=SC2046 # the flags are meant to be split
# The public headers must also compile cleanly in an application's own build.
"$cxx" -std=c++17 -Wall -Wextra -Wpedantic -Werror -o "$work/pkg-config-consumer" "$root/examples/consumer/main.cpp" \
    $(pkg-config --cflags --libs quoria) -Wl,-rpath,"$libdir"
check_output "pkg-config (rpath)" "$work/pkg-config-consumer"
"$cxx" -std=c++17 -o "$work/pkg-config-consumer-plain" "$root/examples/consumer/main.cpp" \
    $(pkg-config --cflags --libs quoria)
LD_LIBRARY_PATH="$libdir${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}" \
    check_output "pkg-config (LD_LIBRARY_PATH)" "$work/pkg-config-consumer-plain"

step "the source tree as a subproject"
mkdir -p "$work/wrapper"
cat >"$work/wrapper/CMakeLists.txt" <<CMAKE
cmake_minimum_required(VERSION 3.20)
project(QuoriaWrapper LANGUAGES CXX)
add_subdirectory("$root" quoria)
add_subdirectory("$root/examples/consumer" consumer)
CMAKE
cmake -S "$work/wrapper" -B "$work/wrapper/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
for part in tests tools python; do
    [ ! -e "$work/wrapper/build/quoria/$part" ] || fail "the subproject configured its $part"
done
cmake --build "$work/wrapper/build" --parallel 2
check_output "subproject" "$work/wrapper/build/consumer/quoria-consumer"

echo
echo "check-package: $passed passed, 0 failed"
