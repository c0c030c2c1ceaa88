#!/usr/bin/env bash
# Builds the libFuzzer harnesses of fuzz/ with clang, AddressSanitizer,
# UndefinedBehaviorSanitizer and LeakSanitizer (library included), then runs
# each for the given number of seconds on a temporary copy of its seed corpus
# in fuzz/corpus/<name>/, so that the repository does not grow.
#
# Usage: scripts/fuzz.sh [seconds] [harness...]
#   scripts/fuzz.sh              60 s each: the smoke run of CI
#   scripts/fuzz.sh 3600 beam    one hour of the beam harness
# Harnesses: factory, beam, boolean. An input that fails is kept in
# build-fuzz/artifacts/; replay it with build-fuzz/fuzz/fuzz-<name> <file>.
#
# QUORIA_FUZZ_JOBS=2 runs each harness as that many parallel jobs, one per
# core (-jobs=N -workers=N), each for the given time; the executions of all
# jobs are summed:
#   QUORIA_FUZZ_JOBS=2 scripts/fuzz.sh 2400 beam
#
# QUORIA_FUZZ_RUNS stops each harness after that many executions in all
# (shared out between the jobs); the given seconds still cap the run, 0 for
# no cap:
#   QUORIA_FUZZ_JOBS=2 QUORIA_FUZZ_RUNS=10000000 scripts/fuzz.sh 0 beam
#
# QUORIA_FUZZ_TIMEOUT (seconds, default 10) is the longest a single input may
# take before it counts as a hang; a long run beside other work (nice, busy
# cores) raises it, since the limit is wall-clock time.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${1:-60}"
jobs="${QUORIA_FUZZ_JOBS:-1}"
timeout="${QUORIA_FUZZ_TIMEOUT:-10}"
runs_wanted="${QUORIA_FUZZ_RUNS:-}"
shift || true
harnesses=("$@")
if [ "${#harnesses[@]}" -eq 0 ]; then
    harnesses=(factory beam boolean)
fi

"$root/scripts/setup.sh" clang libclang-rt-14-dev

build="$root/build-fuzz"
flags="-O1 -g -fno-omit-frame-pointer -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DQUORIA_BUILD_TESTS=OFF -DQUORIA_BUILD_TOOLS=OFF -DQUORIA_BUILD_PYTHON=OFF -DQUORIA_BUILD_FUZZERS=ON \
    -DQUORIA_WARNINGS_AS_ERRORS=ON \
    -DCMAKE_CXX_FLAGS="$flags" \
    -DCMAKE_SHARED_LINKER_FLAGS="-fsanitize=address,undefined" \
    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined"
cmake --build "$build" --parallel 2

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
artifacts="$build/artifacts"
mkdir -p "$artifacts"

export ASAN_OPTIONS="detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

summary=()
status=0
for name in "${harnesses[@]}"; do
    corpus="$work/$name"
    mkdir -p "$corpus"
    if [ -d "$root/fuzz/corpus/$name" ]; then
        cp "$root/fuzz/corpus/$name"/* "$corpus"/ 2>/dev/null || true
    fi
    log="$work/$name.log"
    echo "fuzz: running $name for $seconds s${runs_wanted:+ or $runs_wanted executions} on $jobs job(s)"
    # -timeout catches hangs.
    options=(-max_total_time="$seconds" -timeout="$timeout" -rss_limit_mb=2048 -max_len=1024
        -print_final_stats=1 -artifact_prefix="$artifacts/$name-")
    if [ -n "$runs_wanted" ]; then
        # Rounded up, so that the jobs together reach the number asked for.
        options+=(-runs="$(( (runs_wanted + jobs - 1) / jobs ))")
    fi
    if [ "$jobs" -gt 1 ]; then
        # Each job writes its own fuzz-<n>.log in the current directory.
        options+=(-jobs="$jobs" -workers="$jobs")
    fi
    jobdir="$work/$name-jobs"
    mkdir -p "$jobdir"
    result=0
    started=$SECONDS
    (cd "$jobdir" && "$build/fuzz/fuzz-$name" "${options[@]}" "$corpus" >"$log" 2>&1) || result=$?
    logs=("$log")
    for job in "$jobdir"/fuzz-*.log; do
        [ -e "$job" ] && logs+=("$job")
    done
    # The parent's log repeats each job's log when the job ends: count the
    # executions from the jobs' own logs only.
    counted=("$log")
    if [ "${#logs[@]}" -gt 1 ]; then
        counted=("${logs[@]:1}")
    fi
    # A job that fails writes its input out; the parent may still exit 0.
    # Slow units are written out too, but are no failure: on busy cores the
    # wall clock says little about the input.
    if [ "$result" -eq 0 ] && ! grep -qE 'Test unit written to .*(crash|leak|timeout|oom)-' "${logs[@]}"; then
        runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "${counted[@]}" | awk '{ total += $1 } END { print total }')"
        summary+=("fuzz-$name: ${runs:-?} executions in $((SECONDS - started)) s on $jobs job(s), clean")
    else
        tail -n 60 "${logs[@]}" >&2
        summary+=("fuzz-$name: FAILED (inputs in $artifacts)")
        status=1
    fi
done

printf '%s\n' "${summary[@]}"
exit "$status"
