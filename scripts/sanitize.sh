#!/usr/bin/env bash
# Builds the project twice more with sanitizers and fails on any report:
#  - build-asan/: AddressSanitizer, UndefinedBehaviorSanitizer and
#    LeakSanitizer, running the whole test suite;
#  - build-tsan/: ThreadSanitizer, running the concurrency tests.
# Assertions stay enabled (Debug), so a failed assert is a failure too. The
# Python package is left out: its module would run in an interpreter built
# without the sanitizers.
# Usage: scripts/sanitize.sh [asan|tsan]   (both when no argument is given)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
which="${1:-all}"

"$root/scripts/setup.sh"

# -O1 keeps the suite quick while the reports keep usable stack traces.
common_flags="-O1 -g -fno-omit-frame-pointer"

run_asan()
{
    local build="$root/build-asan"
    local flags="$common_flags -fsanitize=address,undefined -fno-sanitize-recover=all"
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUORIA_WARNINGS_AS_ERRORS=ON \
        -DQUORIA_BUILD_PYTHON=OFF \
        -DCMAKE_CXX_FLAGS="$flags" \
        -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
        -DCMAKE_SHARED_LINKER_FLAGS="-fsanitize=address,undefined"
    cmake --build "$build" --parallel 2
    ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1" \
        UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
        ctest --test-dir "$build" --output-on-failure --parallel 2
}

run_tsan()
{
    local build="$root/build-tsan"
    local flags="$common_flags -fsanitize=thread"
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUORIA_WARNINGS_AS_ERRORS=ON \
        -DQUORIA_BUILD_TOOLS=OFF -DQUORIA_BUILD_PYTHON=OFF \
        -DCMAKE_CXX_FLAGS="$flags" \
        -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=thread" \
        -DCMAKE_SHARED_LINKER_FLAGS="-fsanitize=thread"
    cmake --build "$build" --parallel 2 --target QuoriaTests
    # Run the binary directly: ctest would count discovered tests that the
    # filter leaves out.
    TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1" \
        "$build/tests/QuoriaTests" --gtest_filter='Concurrency*'
}

case "$which" in
asan) run_asan ;;
tsan) run_tsan ;;
all)
    run_asan
    run_tsan
    ;;
*)
    echo "usage: $0 [asan|tsan]" >&2
    exit 2
    ;;
esac
