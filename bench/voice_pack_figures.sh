#!/usr/bin/env bash
# Prints the voice pack's generation time from clean and its size on disk, for each
# engine the set-up may use (with the browsers' Opus and MP3 copies made beside the WAV files): Festival's Czech voices (when installed) and espeak-ng.
# Usage: voice_pack_figures.sh [BUILD_DIR]   (default: build)
#   RECORDINGS=N makes only the first N recordings of the list (the test command's tiny run).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$root" && cd "${1:-build}" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
list=$build/tools/tarvel_voice_pack_list
if [ -n "${RECORDINGS:-}" ]; then
  printf '#!/bin/sh\n"%s" | head -n %d\n' "$list" "$RECORDINGS" >"$work/list"
  chmod +x "$work/list"
  list=$work/list
fi
engines=(espeak-ng)
if festival -b '(begin (voice_czech_machac) (voice_czech_dita))' >/dev/null 2>&1; then
  engines=(festival espeak-ng)
else
  echo "Festival's Czech voices are not installed: espeak-ng only"
fi
for engine in "${engines[@]}"; do
  game=$work/$engine
  start=$(date +%s%N)
  times=$( { TIMEFORMAT='%U %S'; time "$root/tools/make_voice_pack.sh" --engine "$engine" \
    "$list" "$game" >/dev/null; } 2>&1 | tail -n 1)
  end=$(date +%s%N)
  files=$(find "$game/zvuky" -name '*.wav' | wc -l)
  cpu=$(awk -v t="$times" 'BEGIN {split(t, a, " "); printf "%.1f", a[1] + a[2]}')
  echo "$engine: from clean $(((end - start) / 1000000)) ms wall, $cpu s CPU on $(nproc) cores," \
    "$files recordings, $(du -sh "$game/zvuky" | cut -f1) on disk" \
    "($(du -s --apparent-size -B1 "$game/zvuky" | cut -f1) bytes)," \
    "$(find "$game/zvuky" -name '*.wav' -exec soxi -D {} + | awk '{s += $1} END {printf "%.1f", s}') s of sound"
  for kind in wav opus mp3; do
    echo "  .$kind: $(find "$game/zvuky" -name "*.$kind" -printf '%s\n' | awk '{s += $1} END {printf "%d", s}') bytes"
  done
done
