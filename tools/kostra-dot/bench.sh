#!/usr/bin/env bash
# Time and peak memory of kostra-dot on a big graph, for tasks 1, 4 and 5, beside kostra's own run
# that made each transcript. The graph: a path through all nodes (weight 0, so the minimum forest
# of method 2 is the path: edge 0 is a tree edge, the last edge a non-tree edge) and chords of
# random weight 1..1000 between random nodes, one node for every four edges.
# usage: tools/kostra-dot/bench.sh [EDGES] [BUILD_DIR]    (defaults: 1000000 build/release)
#
# Measured on the project machine (2 shared cores, Release build; CPU time is user + system,
# the steadier figure on a busy machine), peak resident memory:
#
#   edges        task   kostra               kostra-dot
#   1 000 000    1      0.41 s cpu   50 MiB  0.32 s cpu   52 MiB
#   1 000 000    4      0.25 s cpu   51 MiB  0.41 s cpu   54 MiB
#   1 000 000    5      0.21 s cpu   51 MiB  0.37 s cpu   54 MiB
#   10 000 000   1      8.39 s cpu  516 MiB  5.55 s cpu  517 MiB
#   10 000 000   4      2.35 s cpu  479 MiB  6.39 s cpu  526 MiB
#   10 000 000   5      2.28 s cpu  479 MiB  7.85 s cpu  526 MiB
#
# Memory grows tenfold with the edges; the transcript is read in pieces, never held whole, so
# kostra-dot needs about what kostra needs. Time grows 15 to 21 times, in kostra as much as in
# kostra-dot: the chords join random nodes, and at ten million edges the node and route arrays no
# longer fit in the caches. With chords between nodes at most 50 apart instead, task 1 of
# kostra-dot takes 0.31 s and 3.36 s: 10.8 times for ten times the edges. Beyond reading, it redoes
# kostra's forest (task 5 above tries methods 1 and 2) and its loop or cut to check the
# transcript, and writes a drawing of about 45 bytes an edge.
set -euo pipefail
cd "$(dirname "$0")/../.."
edges=${1:-1000000}
build=${2:-build/release}
nodes=$((edges / 4))
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

awk -v m="$edges" -v n="$nodes" 'BEGIN {
    srand(7); print m; print n
    for (i = 0; i < n - 1; ++i) print i "\n" i + 1 "\n" 0
    for (k = n - 1; k < m; ++k) print int(rand() * n) "\n" int(rand() * n) "\n" 1 + int(rand() * 1000)
}' > "$work/graph"

measure() {  # measure LABEL INPUT OUTPUT COMMAND...: wall time and peak memory of the command
    local label=$1 input=$2 output=$3
    shift 3
    /usr/bin/time -f "%e %U %S %M" -o "$work/time" "$@" < "$input" > "$output" 2> "$work/stderr"
    read -r wall user system kib < "$work/time"
    awk -v l="$label" -v u="$user" -v s="$system" -v w="$wall" -v k="$kib" \
        'BEGIN { printf "%-10s %6.2f s cpu %6.2f s wall %5d MiB", l, u + s, w, k / 1024 }'
}

printf 'edges %d, nodes %d\n' "$edges" "$nodes"
for answers in '1' "4\n2\n$((edges - 1))" '5\n2\n0'; do
    printf "$answers\n" > "$work/answers"
    printf 'task %s: ' "${answers%%\\*}"
    measure kostra "$work/answers" "$work/transcript" "$build/kostra" "$work/graph"
    printf '   '
    measure kostra-dot "$work/transcript" /dev/null "$build/kostra-dot" "$work/graph"
    printf '\n'
done
