# Sourced by the server benches: servers started in a folder of their own, all stopped
# on the way out. Expects $build; sets $work and $pids.
work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

# start_server NAME SETTINGS: one server in $work/NAME with its tarvelsvr.ini ([server]
# port= and then SETTINGS), on the sockets $sockets names (epoll unless set); sets
# $server and $port. Its standard output, the log, is $work/NAME/log.
start_server() {
  local folder="$work/$1" setting=$2
  mkdir -p "$folder"
  # A port below the system's range for outgoing connections, another one if it is taken.
  for _ in 1 2 3 4 5; do
    port=$((20000 + RANDOM % 12000))
    printf '[server]\nport=%s\n%s' "$port" "$setting" >"$folder/tarvelsvr.ini"
    : >"$folder/log"  # there before the server writes it: the wait below reads it
    TARVELSVR_SOCKETS=${sockets:-${TARVELSVR_SOCKETS:-epoll}} QT_QPA_PLATFORM=offscreen \
      "$build/server/tarvelsvr" --settings "$folder/tarvelsvr.ini" >"$folder/log" 2>/dev/null &
    server=$!
    pids+=("$server")
    for _ in $(seq 100); do grep -q '^Port serveru' "$folder/log" && break; sleep 0.1; done
    sleep 0.3
    grep -q '^Nelze naslouchat' "$folder/log" || return 0
    kill "$server"
    wait "$server" 2>/dev/null || true
  done
  echo "$(basename "$0"): no free port for the server" >&2
  exit 1
}
