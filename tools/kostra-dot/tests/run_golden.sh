#!/usr/bin/env bash
# One drawing end to end, as a user makes it: kostra runs the graph with the answers in <case>.in,
# its output goes through a pipe into kostra-dot, and the drawing must equal <case>.dot byte for
# byte, both programs must end with status 0 and kostra-dot must say nothing on standard error.
# The drawing does not depend on the language kostra spoke: the same run with kostra in English
# (the answers in <case>.en.in when they differ, as the yes/no answer does) must give the same
# drawing. A case whose name ends in -en is drawn by kostra-dot --lang en. The graph is
# <prefix>.graph beside the case (prefix: the case's name up to its first '-'), or DEFAULT_GRAPH
# when there is none. With KOSTRA_UPDATE_GOLDEN=1 in the environment a drawing made without a
# failure replaces <case>.dot instead (tests/update-golden.sh).
# usage: run_golden.sh KOSTRA KOSTRA_DOT DIR CASE DEFAULT_GRAPH
set -u
kostra=$1
kostra_dot=$2
dir=$3
name=$4
graph=$dir/${name%%-*}.graph
[ -f "$graph" ] || graph=$5
drawn_in=cs
[ "${name%-en}" != "$name" ] && drawn_in=en

actual=$(mktemp)
errors=$(mktemp)
trap 'rm -f "$actual" "$errors"' EXIT
ok=1
for spoken in cs en; do
    answers=$dir/$name.in
    [ $spoken = en ] && [ -f "$dir/$name.en.in" ] && answers=$dir/$name.en.in
    timeout 30 env -u KOSTRA_LANG "$kostra" --lang $spoken "$graph" < "$answers" |
        timeout 30 env -u KOSTRA_LANG "$kostra_dot" --lang $drawn_in "$graph" > "$actual" 2> "$errors"
    statuses=("${PIPESTATUS[@]}")

    if [ "${KOSTRA_UPDATE_GOLDEN:-}" = 1 ] && [ $spoken = cs ] && [ "${statuses[*]}" = "0 0" ] &&
        [ ! -s "$errors" ]; then
        cp "$actual" "$dir/$name.dot"
    fi
    if [ "${statuses[0]}" != 0 ] || [ "${statuses[1]}" != 0 ]; then
        echo "kostra in $spoken: exit statuses kostra ${statuses[0]}, kostra-dot ${statuses[1]}," \
            "expected 0 and 0"
        ok=0
    fi
    if [ -s "$errors" ]; then
        echo "kostra in $spoken: kostra-dot wrote to standard error:"
        cat "$errors"
        ok=0
    fi
    if ! cmp -s "$actual" "$dir/$name.dot"; then
        echo "kostra in $spoken: the drawing differs from $name.dot:"
        diff "$dir/$name.dot" "$actual" | head -n 40
        ok=0
    fi
done
[ $ok = 1 ]
