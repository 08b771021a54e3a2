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

# Where the server (and anything standing in for it, as socat does) and the measuring
# clients run, with two cores or more (taskset; the cores are those this script may use):
#   apart     the server on one core, the clients on another: clients playing thousands
#             of tables never take the server's processor, but every message wakes the
#             other core and hands it the socket's lock, which on a virtual machine costs
#             tens of microseconds a relay and, when the host holds up the other core, the
#             tail: measured on a 2-core virtual machine, the server's processor time a
#             relay was 2.5 times that of one core, most of the difference spent on the
#             socket lock and on waking the other core;
#   together  both on one core: a relay is two switches on it, and the server and the
#             clients take turns on it; when the core is taken from them both, the draws
#             due meanwhile go out late instead of arriving late, so such a stall hardly
#             shows in the relays;
#   unpinned  where the scheduler puts them (the only choice on a single core).
# PLACEMENTS lists those to run, each part of a bench once in each; the slowest relays of
# each run are taken apart so that a tail figure says whose it is.
placements_allowed() {
  local list part
  list=$(awk '/^Cpus_allowed_list/ {print $2}' /proc/self/status)
  for part in ${list//,/ }; do
    if [[ $part == *-* ]]; then seq "${part%-*}" "${part#*-}"; else echo "$part"; fi
  done
}
cores=()
command -v taskset >/dev/null && mapfile -t cores < <(placements_allowed)
if [ "${#cores[@]}" -ge 2 ]; then
  placements=${PLACEMENTS:-together apart}
else
  placements=unpinned
fi
on_server_core=() on_client_core=()

# place PLACEMENT: what the next servers and clients run on; prints it.
place() {
  case $1 in
    apart) on_server_core=(taskset -c "${cores[0]}") on_client_core=(taskset -c "${cores[1]}")
      echo "-- server on core ${cores[0]}, measuring clients on core ${cores[1]}" ;;
    together) on_server_core=(taskset -c "${cores[0]}") on_client_core=(taskset -c "${cores[0]}")
      echo "-- server and measuring clients on core ${cores[0]}" ;;
    *) on_server_core=() on_client_core=()
      echo "-- server and measuring clients unpinned" ;;
  esac
}

# on_clients COMMAND...: runs a measuring client where the placement puts the clients.
on_clients() { ${on_client_core[@]+"${on_client_core[@]}"} "$@"; }

# load_average WHEN: the machine's load, printed beside each figure, which others' work
# on the same cores moves.
load_average() {
  echo "  load average $1: $(cut -d' ' -f1-3 /proc/loadavg)"
}

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
