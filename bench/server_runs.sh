# Sourced by the server benches: servers started in a folder of their own, all stopped
# on the way out. Expects $build; sets $work and $pids, and $on_server_core and
# $on_client_core to put before a command.
work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

# With two cores or more the server (and anything standing in for it, as socat does) runs
# on one core and the measuring clients on another: sharing one, each relay would wait
# whenever the clients, playing thousands of tables, hold the core, and a tail figure
# would say more about the scheduler than about the server. On a single core both run
# unpinned, as before (and with PIN=0, to compare). The cores are taken from those this
# script may use.
on_server_core=() on_client_core=()
allowed_cores() {
  local list
  list=$(awk '/^Cpus_allowed_list/ {print $2}' /proc/self/status)
  local part
  for part in ${list//,/ }; do
    if [[ $part == *-* ]]; then seq "${part%-*}" "${part#*-}"; else echo "$part"; fi
  done
}
if [ "${PIN:-1}" != 0 ] && command -v taskset >/dev/null; then
  mapfile -t cores < <(allowed_cores)
  if [ "${#cores[@]}" -ge 2 ]; then
    on_server_core=(taskset -c "${cores[0]}")
    on_client_core=(taskset -c "${cores[1]}")
  fi
fi

# on_clients COMMAND...: runs a measuring client on the clients' core.
on_clients() { ${on_client_core[@]+"${on_client_core[@]}"} "$@"; }

# load_average WHEN: the machine's load, printed beside each figure, which others' work
# on the same cores moves.
load_average() {
  echo "  load average $1: $(cut -d' ' -f1-3 /proc/loadavg)"
}
if [ ${#on_server_core[@]} -gt 0 ]; then
  echo "Server on core ${on_server_core[2]}, measuring clients on core ${on_client_core[2]}"
else
  echo "Server and measuring clients on the same cores (unpinned)"
fi

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
      ${on_server_core[@]+"${on_server_core[@]}"} "$build/server/tarvelsvr" --settings "$folder/tarvelsvr.ini" >"$folder/log" 2>/dev/null &
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
