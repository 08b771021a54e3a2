#!/usr/bin/env bash
# Prints the server's figures, measured on this machine over loopback, with two servers
# side by side: one as installed (every move checked) and one with checkmoves=0. The relay
# latency of a move on both beside a plain TCP forwarder (socat) in the same run; the
# server's CPU while idle with two clients connected; its resident memory idle, after
# 1,000 games and after a 100 MiB chat flood (twice, to show it stays put); then a peer
# that never reads is shown dropped.
# Usage: bench/server_figures.sh [BUILD_DIR]   (default: build, made by scripts/build.sh)
#   RELAYS (20000), BLOCK (250), FLOOD_MIB (100), GAMES (1000), DEAF_MIB (200), HOLD_SECONDS (10) and
#   PLACEMENTS (where the relays are measured, "together apart": see bench/server_runs.sh)
#   change the run; the test command runs it with tiny ones.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
figures="$build/bench/server/server_figures"
. "$root/bench/server_runs.sh"
place "${placements%% *}"

cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
rss_kib() { awk '/^VmRSS/ {print $2}' "/proc/$1/status"; }
peak_kib() { awk '/^VmHWM/ {print $2}' "/proc/$1/status"; }

start_server checked ""
checked=$server checkedPort=$port
start_server unchecked "checkmoves=0
"
unchecked=$server uncheckedPort=$port
sleep 0.5

# Memory first, on servers that have done nothing else: idle, then after each load.
echo "Resident memory:"
echo "  idle, just started: $(rss_kib "$checked") KiB"
games=${GAMES:-1000}
on_clients "$figures" games "$uncheckedPort" "$games" | sed 's/^/  /'
sleep 0.5
echo "  after $games games (checkmoves=0): $(rss_kib "$unchecked") KiB"
on_clients "$figures" flood "$checkedPort" "${FLOOD_MIB:-100}" | sed 's/^/  /'
sleep 0.5
echo "  after the chat flood: $(rss_kib "$checked") KiB"
on_clients "$figures" flood "$checkedPort" "${FLOOD_MIB:-100}" | sed 's/^/  /'
sleep 0.5
echo "  after a second chat flood: $(rss_kib "$checked") KiB"
on_clients "$figures" deaf "$uncheckedPort" "${DEAF_MIB:-200}" | sed 's/^/  /'
sleep 0.5
echo "  after the peer that never reads (checkmoves=0): $(rss_kib "$unchecked") KiB"
echo "  peak so far: $(peak_kib "$checked") KiB checked, $(peak_kib "$unchecked") KiB checkmoves=0"

# The relays on servers of their own: after the peer that never reads, the server still
# works through the tens of MiB of moves its opponent flooded it with (each one logged, as
# every move is), and that opponent keeps its seat until then, where the relay's newcomer
# would meet it.
start_server relay-checked ""
relayCheckedPort=$port
start_server relay-unchecked "checkmoves=0
"
relayUncheckedPort=$port
sleep 0.5
# relays WHERE: the three in the same run, taking turns in blocks of BLOCK (250) relays,
# and each against the forwarder (the last line).
relays() {
  echo "Relay latency of a move, loopback, the three in turns in the same run, $1:"
  load_average before
  local forward=$((20000 + RANDOM % 20000))
  # The forwarder stands in for the server, so it runs on the server's core.
  ${on_server_core[@]+"${on_server_core[@]}"} socat TCP-LISTEN:"$forward",reuseaddr TCP:127.0.0.1:$((forward + 1)) &
  pids+=("$!")
  sleep 0.3
  on_clients "$figures" side-by-side "$relayCheckedPort" "$relayUncheckedPort" "$forward" "${RELAYS:-20000}" \
    "${BLOCK:-250}" | tee "$work/relays"
  load_average after
  awk '{ for (i = 1; i < NF; ++i) { if ($i == "p50") p50[NR] = $(i + 1); if ($i == "p99") p99[NR] = $(i + 1) } }
       END { if (NR == 3 && p50[3] > 0 && p99[3] > 0)
               printf "  against the forwarder: p50 %.2f and %.2f times, p99 %.2f and %.2f times (checked, checkmoves=0)\n",
                      p50[1] / p50[3], p50[2] / p50[3], p99[1] / p99[3], p99[2] / p99[3] }' "$work/relays"
}
# The servers stay where they were started, on the first core in every placement but
# unpinned; the clients and the forwarder go where each placement puts them.
for placement in $placements; do
  where=$(place "$placement")
  place "$placement" >/dev/null
  relays "${where#-- }"
done
echo "CPU while idle with two clients connected:"
idle=${HOLD_SECONDS:-10}
on_clients "$figures" hold "$checkedPort" $((idle + 2)) &
hold=$!
sleep 1
before=$(cpu_ticks "$checked")
sleep "$idle"
after=$(cpu_ticks "$checked")
wait "$hold"
ticks=$(getconf CLK_TCK)
awk -v t=$((after - before)) -v hz="$ticks" -v s="$idle" \
  'BEGIN { printf "  %.2f %% of one core over %d s (%d ticks)\n", 100 * t / hz / s, s, t }'

echo "At the end: $(rss_kib "$checked") KiB resident, $(wc -l <"$work/checked/log") log lines written"
