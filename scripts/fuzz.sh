#!/usr/bin/env bash
# Fuzzes the server's handling of client messages, the client's of server messages and
# tarvelweb's of what browsers send, built by build_sanitized.sh (clang, the address and
# undefined-behaviour sanitizers), each for a bounded time (seconds, default 60) starting
# from its seeds and its checked-in corpus, then replays that corpus.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
dir="$root/build-sanitize"
"$root/scripts/build_sanitized.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# fuzz NAME CORPUS: one target for the time given.
fuzz() {
  local name=$1 corpus=$2
  "$dir/tests/fuzz/${name}_replay" --write-seeds "$work/$name-seeds" >/dev/null
  if ! "$dir/tests/fuzz/$name" -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 \
    -artifact_prefix="$work/" "$work/$name-seeds" "$corpus" >"$work/$name.log" 2>&1; then
    tail -n 60 "$work/$name.log"
    echo "The fuzz target $name failed; the input is in the log above." >&2
    exit 1
  fi
  echo "$name:"
  grep -E '^(Done|stat::number_of_executed_units|stat::average_exec_per_sec)' "$work/$name.log"
  "$dir/tests/fuzz/${name}_replay" "$corpus" "$work/$name-seeds"
}

fuzz server_fuzz "$root/tests/fuzz/corpus"
fuzz client_fuzz "$root/tests/fuzz/client-corpus"
fuzz web_fuzz "$root/tests/fuzz/web-corpus"
