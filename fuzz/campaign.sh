#!/usr/bin/env bash
# A fuzzing campaign: every fuzz target (or the programs named) run for a number of inputs or a
# time, in JOBS processes each, from its committed corpus fuzz/corpus/<program>/. Afterwards the
# committed corpus and everything the run found are merged into one minimal corpus (libFuzzer's
# -merge=1: the fewest inputs that keep every feature), which replaces fuzz/corpus/<program>/.
# Prints for every target the inputs run, their rate, libFuzzer's coverage (cov: code edges, ft:
# features) over the new corpus, the corpus sizes before and after, and the findings: every crash,
# leak, broken invariant, slow input or memory blow-up is kept in
# build/fuzz/campaign/<program>/artifacts/, and the run of that target goes on in its other jobs.
# Exits non-zero when anything was found.
#
# usage (from the repository root):
#   bash fuzz/campaign.sh [-j JOBS] [-n RUNS | -t SECONDS] [PROGRAM[=RUNS]...]
#     -j JOBS      processes per target, at the same time (default 2)
#     -n RUNS      inputs per target, over all its jobs (default 1000000)
#     -t SECONDS   run every target for this long instead
#     PROGRAM      kostra, kostra-dot or kostra-matice (default all three); =RUNS its own count
# for example the campaign of ten million inputs on two cores (about an hour here):
#   bash fuzz/campaign.sh -j 2 kostra=4000000 kostra-dot=4000000 kostra-matice=2000000
set -euo pipefail
cd "$(dirname "$0")/.."
source fuzz/targets.sh

jobs=2
runs=1000000
seconds=
while getopts "j:n:t:" opt; do
    case $opt in
        j) jobs=$OPTARG ;;
        n) runs=$OPTARG ;;
        t) seconds=$OPTARG ;;
        *) sed -n '/^# usage/,/^set /p' "$0" | sed '$d' >&2; exit 2 ;;
    esac
done
shift $((OPTIND - 1))
[ $# -gt 0 ] || set -- "${fuzz_programs[@]}"
for arg in "$@"; do
    if [ -z "${fuzz_target[${arg%%=*}]:-}" ]; then
        echo "campaign: no fuzz target for ${arg%%=*}" >&2
        exit 2
    fi
done

build=build/fuzz
cmake --preset fuzz > /dev/null
cmake --build --preset fuzz

summary=()
found=0
for arg in "$@"; do
    program=${arg%%=*}
    count=$runs
    [ "$arg" = "$program" ] || count=${arg#*=}
    target=$build/fuzz/${fuzz_target[$program]}
    corpus=fuzz/corpus/$program
    work=$build/campaign/$program
    rm -rf "$work"
    mkdir -p "$work/new" "$work/artifacts" "$work/merged"
    before=$(find "$corpus" -type f | wc -l)
    if [ -n "$seconds" ]; then
        limit="-max_total_time=$seconds"
        echo "== ${fuzz_target[$program]}: $jobs jobs for $seconds seconds"
    else
        limit="-runs=$((count / jobs))"
        echo "== ${fuzz_target[$program]}: $jobs jobs, $count inputs"
    fi

    start=$(date +%s)
    pids=()
    for ((j = 1; j <= jobs; ++j)); do
        # shellcheck disable=SC2046 # the options are words
        "$target" $limit -seed=$((1000 * j + 7)) $(fuzz_options "$program") \
            -artifact_prefix="$work/artifacts/" -print_final_stats=1 -print_pcs=0 \
            "$work/new" "$corpus" > "$work/job$j.log" 2>&1 &
        pids+=($!)
    done
    failed_jobs=0
    for pid in "${pids[@]}"; do wait "$pid" || failed_jobs=$((failed_jobs + 1)); done
    elapsed=$(($(date +%s) - start))
    executions=$(cat "$work"/job*.log |
        awk '/^stat::number_of_executed_units:/ { n += $2 } END { print n + 0 }')

    # One minimal corpus of the committed inputs and the new ones.
    # shellcheck disable=SC2046
    "$target" -merge=1 $(fuzz_options "$program") "$work/merged" "$corpus" "$work/new" \
        > "$work/merge.log" 2>&1
    find "$corpus" -type f -delete
    find "$work/merged" -type f -exec mv -t "$corpus" {} +
    after=$(find "$corpus" -type f | wc -l)
    # shellcheck disable=SC2046
    coverage=$("$target" -runs=0 $(fuzz_options "$program") "$corpus" 2>&1 |
        sed -n 's/.*INITED cov: \([0-9]*\) ft: \([0-9]*\).*/cov \1, ft \2/p')

    findings=$(find "$work/artifacts" -type f | wc -l)
    [ "$findings" -eq 0 ] || found=1
    line=$(printf '%-14s %10d inputs in %5d s (%6d/s), %s, corpus %d -> %d files, %d findings' \
        "$program" "$executions" "$elapsed" "$((executions / (elapsed > 0 ? elapsed : 1)))" \
        "$coverage" "$before" "$after" "$findings")
    [ "$failed_jobs" -eq 0 ] || line+=" ($failed_jobs jobs stopped early: see $work/job*.log)"
    echo "$line"
    summary+=("$line")
    find "$work/artifacts" -type f -printf '    %p\n'
done

echo "== campaign"
printf '%s\n' "${summary[@]}"
exit "$found"
