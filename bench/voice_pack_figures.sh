#!/usr/bin/env bash
# Prints the voice pack's generation time from clean and its size on disk.
# Usage: voice_pack_figures.sh [BUILD_DIR]   (default: build)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build}
game=$(mktemp -d)
trap 'rm -rf "$game"' EXIT
start=$(date +%s%N)
"$root/tools/make_voice_pack.sh" "$root/$build/tools/tarvel_voice_pack_list" "$game" >/dev/null
end=$(date +%s%N)
files=$(find "$game/zvuky" -name '*.wav' | wc -l)
echo "voice pack from clean: $(((end - start) / 1000000)) ms on $(nproc) cores, $files recordings"
echo "size on disk: $(du -sh "$game/zvuky" | cut -f1) ($(du -s --apparent-size -B1 "$game/zvuky" | cut -f1) bytes)"
