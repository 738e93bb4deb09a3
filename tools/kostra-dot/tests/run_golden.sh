#!/usr/bin/env bash
# One drawing end to end, as a user makes it: kostra runs the graph with the answers in <case>.in,
# its output goes through a pipe into kostra-dot, and the drawing must equal <case>.dot byte for
# byte, both programs must end with status 0 and kostra-dot must say nothing on standard error.
# The graph is <prefix>.graph beside the case (prefix: the case's name up to its first '-'), or
# DEFAULT_GRAPH when there is none. With KOSTRA_UPDATE_GOLDEN=1 in the environment a drawing made
# without a failure replaces <case>.dot instead (tests/update-golden.sh).
# usage: run_golden.sh KOSTRA KOSTRA_DOT DIR CASE DEFAULT_GRAPH
set -u
kostra=$1
kostra_dot=$2
dir=$3
name=$4
graph=$dir/${name%%-*}.graph
[ -f "$graph" ] || graph=$5

actual=$(mktemp)
errors=$(mktemp)
trap 'rm -f "$actual" "$errors"' EXIT
timeout 30 "$kostra" "$graph" < "$dir/$name.in" |
    timeout 30 "$kostra_dot" "$graph" > "$actual" 2> "$errors"
statuses=("${PIPESTATUS[@]}")

if [ "${KOSTRA_UPDATE_GOLDEN:-}" = 1 ] && [ "${statuses[*]}" = "0 0" ] && [ ! -s "$errors" ]; then
    cp "$actual" "$dir/$name.dot"
fi
ok=1
if [ "${statuses[0]}" != 0 ] || [ "${statuses[1]}" != 0 ]; then
    echo "exit statuses kostra ${statuses[0]}, kostra-dot ${statuses[1]}, expected 0 and 0"
    ok=0
fi
if [ -s "$errors" ]; then
    echo "kostra-dot wrote to standard error:"
    cat "$errors"
    ok=0
fi
if ! cmp -s "$actual" "$dir/$name.dot"; then
    echo "the drawing differs from $name.dot:"
    diff "$dir/$name.dot" "$actual" | head -n 40
    ok=0
fi
[ $ok = 1 ]
