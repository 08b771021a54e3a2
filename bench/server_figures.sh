#!/usr/bin/env bash
# Prints the server's figures, measured on this machine over loopback: the relay latency
# of "sendcard" beside a plain TCP forwarder (socat) in the same run, the server's CPU
# while idle with two clients connected, and its resident memory idle, after 1,000
# games and after a 100 MiB chat flood (and a second one, to show it stays put); then a
# peer that never reads is shown dropped.
# Usage: bench/server_figures.sh [BUILD_DIR]   (default: build, made by scripts/build.sh)
#   GAMES (1000), FLOOD_MIB (100), DEAF_MIB (200), RELAYS (20000) and HOLD_SECONDS (10)
#   change the run; the test command runs it with tiny ones.
# The clients relay the same card again and again, which a server that checks the moves
# refuses: the server runs with checkmoves=0, as a server before the checks did.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
figures="$build/bench/server/server_figures"
work=$(mktemp -d)
port=$((20000 + RANDOM % 20000))
forward=$((port + 2))
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

# The server reads tarvelsvr.ini beside itself: run a copy in a folder of its own.
cp "$build/server/tarvelsvr" "$work/"
printf '[server]\nport=%s\ncheckmoves=0\n' "$port" >"$work/tarvelsvr.ini"
QT_QPA_PLATFORM=offscreen "$work/tarvelsvr" >"$work/log" 2>/dev/null &
server=$!
pids+=("$server")
for _ in $(seq 100); do grep -q '^Port serveru' "$work/log" && break; sleep 0.1; done

cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
rss_kib() { awk '/^VmRSS/ {print $2}' "/proc/$1/status"; }
peak_kib() { awk '/^VmHWM/ {print $2}' "/proc/$1/status"; }

# Memory first, on a server that has done nothing else: idle, then after each load.
sleep 0.5
echo "Resident memory:"
echo "  idle, just started: $(rss_kib "$server") KiB"
games=${GAMES:-1000}
"$figures" games "$port" "$games" | sed 's/^/  /'
sleep 0.5
echo "  after $games games: $(rss_kib "$server") KiB"
"$figures" flood "$port" "${FLOOD_MIB:-100}" | sed 's/^/  /'
sleep 0.5
echo "  after the chat flood: $(rss_kib "$server") KiB"
"$figures" flood "$port" "${FLOOD_MIB:-100}" | sed 's/^/  /'
sleep 0.5
echo "  after a second chat flood: $(rss_kib "$server") KiB"
"$figures" deaf "$port" "${DEAF_MIB:-200}" | sed 's/^/  /'
sleep 0.5
echo "  after the peer that never reads: $(rss_kib "$server") KiB"
echo "  peak so far: $(peak_kib "$server") KiB"

echo "Relay latency of sendcard, loopback:"
"$figures" latency "$port" "${RELAYS:-20000}"
socat TCP-LISTEN:"$forward",reuseaddr TCP:127.0.0.1:$((forward + 1)) &
pids+=("$!")
sleep 0.3
"$figures" forwarder "$forward" "${RELAYS:-20000}"

echo "CPU while idle with two clients connected:"
idle=${HOLD_SECONDS:-10}
"$figures" hold "$port" $((idle + 2)) &
hold=$!
sleep 1
before=$(cpu_ticks "$server")
sleep "$idle"
after=$(cpu_ticks "$server")
wait "$hold"
ticks=$(getconf CLK_TCK)
awk -v t=$((after - before)) -v hz="$ticks" -v s="$idle" \
  'BEGIN { printf "  %.2f %% of one core over %d s (%d ticks)\n", 100 * t / hz / s, s, t }'

echo "At the end: $(rss_kib "$server") KiB resident, $(wc -l <"$work/log") log lines written"
