#!/usr/bin/env bash
# smoke.sh <program>: the program starts, stays up until it is terminated, and prints nothing.
set -u
out=$(mktemp)
trap 'rm -f "$out"' EXIT
"$1" >"$out" 2>&1 &
pid=$!
sleep 2
if ! kill -0 "$pid" 2>/dev/null; then
    wait "$pid"
    echo "FAIL: $1 ended by itself (status $?)"; cat "$out"; exit 1
fi
kill -TERM "$pid"
wait "$pid" 2>/dev/null
if [ -s "$out" ]; then
    echo "FAIL: $1 printed:"; cat "$out"; exit 1
fi
echo "$1 came up and stayed up, silent"
