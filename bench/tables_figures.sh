#!/usr/bin/env bash
# Prints the figures of a server of many tables, measured on this machine over loopback:
# 1 table (a server with the default setting) and 1,000 tables (a server set to 1,000)
# playing at once, each run laying cards at the same rate in all, so the two differ only
# in the number of tables: the relay's median and 99th percentile, the server's
# processor share while they play and its resident memory per table.
# Usage: bench/tables_figures.sh [BUILD_DIR]   (default: build)
#   TABLES (1000), SECONDS_PER_RUN (10) and RATE (moves a second in all, 1000) change the run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
figures="$build/bench/server/tables_figures"
tables=${TABLES:-1000}
work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

# One server in a folder of its own with its tarvelsvr.ini; sets $server and $port.
start_server() {
  local folder="$work/$1" setting=$2
  mkdir -p "$folder"
  cp "$build/server/tarvelsvr" "$folder/"
  port=$((20000 + RANDOM % 20000))
  # The same card is laid again and again, which a server that checks moves refuses.
  printf '[server]\nport=%s\ncheckmoves=0\n%s' "$port" "$setting" >"$folder/tarvelsvr.ini"
  QT_QPA_PLATFORM=offscreen "$folder/tarvelsvr" >"$folder/log" 2>/dev/null &
  server=$!
  pids+=("$server")
  for _ in $(seq 100); do grep -q '^Port serveru' "$folder/log" && break; sleep 0.1; done
  sleep 0.5
}

start_server one ""
"$figures" "$port" 1 "${SECONDS_PER_RUN:-10}" "${RATE:-1000}" "$server"
kill "$server"

start_server many "tables=$tables
"
"$figures" "$port" "$tables" "${SECONDS_PER_RUN:-10}" "${RATE:-1000}" "$server"
echo "  open files the server may have: $(awk '/Max open files/ {print $4}' "/proc/$server/limits")"
echo "  log lines written: $(wc -l <"$work/many/log")"
