#!/usr/bin/env bash
# Builds the server's fuzz target with clang under the address and undefined-behaviour
# sanitizers, fuzzes it for a bounded time (seconds, default 60) starting from seeds
# made of the scripted matches and the checked-in corpus, then replays that corpus.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
dir="$root/build-fuzz"
cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DTARVEL_FUZZ=ON -DTARVEL_SANITIZE=ON -DTARVEL_BUILD_BENCH=OFF >/dev/null
cmake --build "$dir" --target server_fuzz server_fuzz_replay -j "$(nproc)"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$dir/tests/fuzz/server_fuzz_replay" --write-seeds "$work/seeds" >/dev/null
if ! "$dir/tests/fuzz/server_fuzz" -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 \
  -artifact_prefix="$work/" "$work/seeds" "$root/tests/fuzz/corpus" >"$work/fuzz.log" 2>&1; then
  tail -n 60 "$work/fuzz.log"
  echo "The fuzz target failed; the input is in the log above." >&2
  exit 1
fi
grep -E '^(Done|stat::number_of_executed_units|stat::average_exec_per_sec)' "$work/fuzz.log"
"$dir/tests/fuzz/server_fuzz_replay" "$root/tests/fuzz/corpus" "$work/seeds"
