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

# fuzz NAME CORPUS: one target for the time given; what it found in its log.
fuzz() {
  local name=$1 corpus=$2
  "$dir/tests/fuzz/${name}_replay" --write-seeds "$work/$name-seeds" >/dev/null
  if ! "$dir/tests/fuzz/$name" -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 \
    -artifact_prefix="$work/$name-" "$work/$name-seeds" "$corpus" >"$work/$name.log" 2>&1; then
    tail -n 60 "$work/$name.log"
    echo "The fuzz target $name failed; the input is in the log above." >&2
    return 1
  fi
  echo "$name:"
  grep -E '^(Done|stat::number_of_executed_units|stat::average_exec_per_sec)' "$work/$name.log"
  "$dir/tests/fuzz/${name}_replay" "$corpus" "$work/$name-seeds"
}

# Each fuzzer keeps one core busy for its whole time: as many run at once as there are
# cores, and their reports are printed in order.
targets=(server_fuzz:corpus client_fuzz:client-corpus web_fuzz:web-corpus)
pids=()
failed=0
for target in "${targets[@]}"; do
  name=${target%%:*}
  fuzz "$name" "$root/tests/fuzz/${target#*:}" >"$work/$name.out" 2>&1 &
  pids+=("$!")
  if [ "${#pids[@]}" -ge "$(nproc)" ]; then
    wait "${pids[0]}" || failed=1
    pids=("${pids[@]:1}")
  fi
done
for pid in "${pids[@]}"; do wait "$pid" || failed=1; done
for target in "${targets[@]}"; do cat "$work/${target%%:*}.out"; done
exit "$failed"
