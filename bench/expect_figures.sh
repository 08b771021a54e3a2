#!/usr/bin/env bash
# Runs a benchmark as the test command does, with a tiny count, so that none rots
# unnoticed: it fails when the benchmark fails or prints no line the pattern matches.
# The figures of so short a run are printed, not judged.
# Usage: expect_figures.sh PATTERN COMMAND [ARGUMENTS...]   (PATTERN: grep -E)
set -uo pipefail
pattern=$1
shift
out=$(mktemp)
trap 'rm -f "$out"' EXIT
"$@" 2>&1 | tee "$out"
status=${PIPESTATUS[0]}
if [ "$status" -ne 0 ]; then
  echo "benchmark: $(basename "$1") ended with status $status" >&2
  exit 1
fi
if ! grep -Eq -- "$pattern" "$out"; then
  echo "benchmark: $(basename "$1") printed no figure (nothing matched \"$pattern\")" >&2
  exit 1
fi
