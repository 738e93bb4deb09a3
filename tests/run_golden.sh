#!/usr/bin/env bash
# Runs one golden transcript: kostra as a user runs it, its standard output and exit status
# compared byte for byte with the expected ones. With KOSTRA_UPDATE_GOLDEN=1 in the environment the
# run's output and status replace the expected ones instead (tests/update-golden.sh).
# usage: run_golden.sh KOSTRA DIR CASE
set -u
kostra=$1
cd "$2" || exit 2
name=$3

args=()
if [ -f "$name.args" ]; then
    read -r -a args < "$name.args"
elif [ -f "$name.graph" ]; then
    args=("$name.graph")
fi
input=/dev/null
[ -f "$name.in" ] && input=$name.in

actual=$(mktemp)
trap 'rm -f "$actual"' EXIT
timeout 30 "$kostra" "${args[@]}" < "$input" > "$actual"
status=$?
if [ "${KOSTRA_UPDATE_GOLDEN:-}" = 1 ]; then
    cp "$actual" "$name.out"
    echo "$status" > "$name.status"
fi
expected=$(cat "$name.status")

ok=1
if ! cmp -s "$actual" "$name.out"; then
    echo "standard output differs from $name.out:"
    diff <(cat -A "$name.out") <(cat -A "$actual") | head -n 40
    ok=0
fi
if [ "$status" != "$expected" ]; then
    echo "exit status $status, expected $expected"
    ok=0
fi
[ $ok = 1 ]
