#!/usr/bin/env bash
# Prints, in one run against one server on this machine: the server's relay of
# "sendcard" alone (two bare clients), then a key press at one real client to the
# card's name started at the other.
# Usage: bench/network_figures.sh [BUILD_DIR] [SAMPLES]   (default: build, 200)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
samples=${2:-200}
work=$(mktemp -d)
port=$((20000 + RANDOM % 12000))  # below the range for outgoing connections
server=""
cleanup() {
  [ -n "$server" ] && kill "$server" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

cp "$build/server/tarvelsvr" "$work/"
printf '[server]\nport=%s\n' "$port" >"$work/tarvelsvr.ini"
(cd "$work" && QT_QPA_PLATFORM=offscreen exec ./tarvelsvr >"$work/log" 2>/dev/null) &
server=$!
for _ in $(seq 100); do grep -q '^Port serveru' "$work/log" && break; sleep 0.1; done

echo "server relay alone:"
"$build/bench/server/server_figures" latency "$port" 2000
sleep 1
echo "client to client:"
(cd "$work" && "$build/bench/client/network_figures" "$port" "$samples")
