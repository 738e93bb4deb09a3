#!/usr/bin/env bash
# Builds fuzz_kostra with clang and runs it for a fixed number of inputs, starting from the seed
# corpus in fuzz/corpus (which it never writes to). Exits non-zero when the build fails or the
# fuzzer finds a crash, a leak, a broken invariant or a run slower than the time limit; the input
# that did it is left under build/fuzz/artifacts/.
#
# usage (from the repository root): bash fuzz/ci.sh [RUNS]      (default 20000)
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${1:-20000}
build=build/fuzz

cmake --preset fuzz
cmake --build --preset fuzz

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$build/artifacts"
status=0
"$build/fuzz/fuzz_kostra" -runs="$runs" -seed=1 -max_len=4096 -timeout=10 -rss_limit_mb=2048 \
    -dict=fuzz/kostra.dict -artifact_prefix="$build/artifacts/" -print_final_stats=1 \
    "$work" fuzz/corpus || status=$?
if [ "$status" -ne 0 ]; then
    echo "fuzz_kostra failed (status $status); the input is in $build/artifacts/" >&2
    exit "$status"
fi
echo "fuzz_kostra: $runs runs, no crash"
