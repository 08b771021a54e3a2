#!/usr/bin/env bash
# Installs what is needed, builds everything once with warnings as errors and runs every
# test and every benchmark (with a tiny count); then builds again, under the address and
# undefined-behaviour sanitizers and with clang's fuzzing instrumentation, only the code
# that reads what others wrote (the wire, the files a player or an operator edits) with
# the tests that exercise it, runs those and fuzzes; last, the Debian packages.
# Every step runs even when an earlier one failed, unless it needs what that one made;
# the end lists how long each step took and which failed.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

names=()
seconds=()
processor=()
results=()
failed=0
began=$(date +%s)
clock=$(mktemp)

# Sets cpu to the processor seconds (user and system) of every process this script has
# waited for: beside the wall time it shows a step's own work on a machine others share.
# (Not in a $(...): a subshell would count only its own children.)
children_cpu() {
  times >"$clock"
  cpu=$(awk 'NR == 2 { split($1, u, /[ms]/); split($2, s, /[ms]/); printf "%d", u[1] * 60 + u[2] + s[1] * 60 + s[2] }' "$clock")
}

# step NAME COMMAND...: runs one step and keeps its times and result.
step() {
  local name=$1 start cpu before result
  shift
  echo "=== $name"
  start=$(date +%s)
  children_cpu
  before=$cpu
  if "$@"; then result=ok; else result=FAILED; failed=1; fi
  names+=("$name")
  seconds+=($(($(date +%s) - start)))
  children_cpu
  processor+=($((cpu - before)))
  results+=("$result")
  [ "$result" = ok ]
}

# skip NAME WHY: a step that cannot run.
skip() {
  names+=("$1")
  seconds+=(0)
  processor+=(0)
  results+=("skipped: $2")
  failed=1
}

summary() {
  echo
  echo "Steps of the test command (wall time; processor time of all its processes):"
  local i cpu
  children_cpu
  for i in "${!names[@]}"; do
    printf '  %-16s %5d s %6d s CPU  %s\n' "${names[$i]}" "${seconds[$i]}" "${processor[$i]}" "${results[$i]}"
  done
  printf '  %-16s %5d s %6d s CPU\n' "all" $(($(date +%s) - began)) "$cpu"
  if [ "$failed" -ne 0 ]; then echo "The test command FAILED."; else echo "Every step passed."; fi
  rm -f "$clock"
}
trap summary EXIT
trap 'names+=("(interrupted)"); seconds+=(0); processor+=(0); results+=("interrupted"); failed=1; exit 130' INT TERM

step setup "$root/scripts/setup.sh" || exit 1

# No debug information in the first build and only line tables under the sanitizers
# (enough for their reports to name file and line): compiling is most of the time this
# command takes, and full debug information nearly doubles it.
if step build "$root/scripts/build.sh" build -DTARVEL_WERROR=ON -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -DNDEBUG"; then
  step tests ctest --test-dir "$root/build" --output-on-failure -j "$jobs" -LE bench
  # One at a time, so that each prints figures of its own.
  step benchmarks ctest --test-dir "$root/build" --verbose -L bench
else
  skip tests "the build failed"
  skip benchmarks "the build failed"
fi

if step sanitizer-build "$root/scripts/build_sanitized.sh"; then
  step sanitized-tests ctest --test-dir "$root/build-sanitize" --output-on-failure -j "$jobs" -L untrusted_input
  step fuzz "$root/scripts/fuzz.sh" 30
else
  skip sanitized-tests "the sanitizer build failed"
  skip fuzz "the sanitizer build failed"
fi

# The Debian packages: built (no tests inside), checked, installed, played and purged.
step packages "$root/scripts/package_test.sh"

exit "$failed"
