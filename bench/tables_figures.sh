#!/usr/bin/env bash
# Prints the figures of a server of many tables, measured on this machine over loopback,
# every client from a loopback address of its own (127.1.x.y):
#   scale    1 table and TABLES tables (5,000 unless set) playing at once at the same rate
#            of draws in all: pairs dealt, the relay's median and 99th percentile, the
#            server's processor time per relay, resident memory per table;
#   wake-up  one table drawing beside TABLES-1 quiet ones, on the server's epoll sockets
#            and on Qt's (TARVELSVR_SOCKETS=qt): what one wake-up of the event loop costs
#            as the quiet connections grow;
#   attack   ATTACK_TABLES tables (100) playing, quietly and then beside a chat flood and
#            an address holding all the connections it may: the ratio of the two relays.
# Usage: bench/tables_figures.sh [BUILD_DIR]   (default: build)
#   TABLES (5000), ATTACK_TABLES (100), SECONDS_PER_RUN (10), RATE (draws a second in all,
#   1000), PARTS ("scale wakeup attack") and PLACEMENTS ("together apart", see
#   bench/server_runs.sh) change the run; the test command runs a tiny one.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
figures="$build/bench/server/tables_figures"
tables=${TABLES:-5000}
seconds=${SECONDS_PER_RUN:-10}
rate=${RATE:-1000}
parts=${PARTS:-scale wakeup attack}
. "$root/bench/server_runs.sh"

# Thousands of connections need thousands of files, on both sides.
ulimit -n "$(ulimit -Hn)"
if [ "$(ulimit -n)" != unlimited ] && [ "$(ulimit -n)" -lt $((2 * tables + 200)) ]; then
  echo "tables_figures.sh: the open-files limit ($(ulimit -n)) is too low for $tables tables" >&2
  exit 1
fi

stop_server() { kill "$server"; wait "$server" 2>/dev/null || true; }

# run TABLES MOVING: the measuring clients play at the server just started.
run() {
  load_average before
  on_clients "$figures" play "$port" "$server" "$1" "$2" "$seconds" "$rate"
  load_average after
}

for part in $parts; do
  case $part in
    scale) echo "== Scale" ;;
    wakeup) echo "== One wake-up of the event loop as quiet connections grow (one table drawing)" ;;
    attack) echo "== Under attack" ;;
  esac
  for placement in $placements; do
    place "$placement"
    case $part in
      scale)
        start_server one ""
        run 1 1
        stop_server
        start_server many "tables=$tables
"
        run "$tables" "$tables"
        echo "  log lines written: $(wc -l <"$work/many/log")"
        stop_server
        ;;
      wakeup)
        for sockets in epoll qt; do
          for count in 1 "$tables"; do
            echo "-- $sockets sockets"
            start_server "wake-$sockets-$count" "tables=$tables
"
            run "$count" 1
            stop_server
          done
        done
        sockets=epoll
        ;;
      attack)
        start_server attack "tables=$((${ATTACK_TABLES:-100} + 20))
"
        load_average before
        on_clients "$figures" attack "$port" "$server" "${ATTACK_TABLES:-100}" "$seconds" "$rate"
        load_average after
        echo "  log lines written: $(wc -l <"$work/attack/log")"
        stop_server
        ;;
    esac
  done
done
