#!/usr/bin/env bash
# Builds the fuzz targets with clang (the fuzz preset) and runs each for a fixed number of inputs
# from a fixed seed, starting from its committed corpus fuzz/corpus/<program>/ (which it never
# writes to: new inputs go to a scratch directory). Exits non-zero when the build fails or a
# target finds a crash, a leak, a broken invariant or a run slower than the time limit; the input
# that did it is left under build/fuzz/artifacts/<program>/.
#
# usage (from the repository root): bash fuzz/ci.sh [RUNS]   (RUNS: inputs for every target;
# by default each target's own count in fuzz/targets.sh, about a minute and a half in all)
set -euo pipefail
cd "$(dirname "$0")/.."
source fuzz/targets.sh

build=build/fuzz
cmake --preset fuzz
cmake --build --preset fuzz

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
for program in "${fuzz_programs[@]}"; do
    target=${fuzz_target[$program]}
    runs=${1:-${fuzz_ci_runs[$program]}}
    artifacts=$build/artifacts/$program
    mkdir -p "$work/$program" "$artifacts"
    echo "== $target: $runs inputs over fuzz/corpus/$program"
    status=0
    # shellcheck disable=SC2046 # the options are words
    "$build/fuzz/$target" -runs="$runs" -seed=1 $(fuzz_options "$program") \
        -artifact_prefix="$artifacts/" -print_final_stats=1 \
        "$work/$program" "fuzz/corpus/$program" > "$work/$program.log" 2>&1 || status=$?
    grep -E '^#[0-9]+ +(INITED|DONE)|^stat::(number_of_executed_units|average_exec_per_sec)' \
        "$work/$program.log" || true
    if [ "$status" -ne 0 ]; then
        tail -n 80 "$work/$program.log" >&2
        echo "$target failed (status $status); the input is in $artifacts/" >&2
        failed=1
    fi
done
[ "$failed" -eq 0 ] && echo "fuzzing: no crash"
exit "$failed"
