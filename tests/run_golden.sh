#!/usr/bin/env bash
# Runs one golden transcript: kostra as a user runs it, its standard output and exit status
# compared byte for byte with the expected ones, and its standard error too when the case has a
# <case>.err. The environment is the test's without KOSTRA_LANG, and with the settings in
# <case>.env (NAME=VALUE words) when the case has one. With KOSTRA_UPDATE_GOLDEN=1 in the environment the run's output, status (and
# standard error, for a case with .err) replace the expected ones instead
# (tests/update-golden.sh).
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
settings=()
[ -f "$name.env" ] && read -r -a settings < "$name.env"

actual=$(mktemp)
errors=$(mktemp)
trap 'rm -f "$actual" "$errors"' EXIT
timeout 30 env -u KOSTRA_LANG "${settings[@]}" "$kostra" "${args[@]}" < "$input" > "$actual" \
    2> "$errors"
status=$?
if [ "${KOSTRA_UPDATE_GOLDEN:-}" = 1 ]; then
    cp "$actual" "$name.out"
    echo "$status" > "$name.status"
    [ -f "$name.err" ] && cp "$errors" "$name.err"
fi
expected=$(cat "$name.status")

ok=1
if ! cmp -s "$actual" "$name.out"; then
    echo "standard output differs from $name.out:"
    diff <(cat -A "$name.out") <(cat -A "$actual") | head -n 40
    ok=0
fi
if [ -f "$name.err" ] && ! cmp -s "$errors" "$name.err"; then
    echo "standard error differs from $name.err:"
    diff <(cat -A "$name.err") <(cat -A "$errors") | head -n 40
    ok=0
fi
if [ "$status" != "$expected" ]; then
    echo "exit status $status, expected $expected"
    ok=0
fi
[ $ok = 1 ]
