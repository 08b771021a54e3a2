#!/usr/bin/env bash
# Makes the voice pack GAME_DIR/zvuky/*.wav: every line printed by the list program
# becomes one WAV file, spoken by espeak-ng's Czech voice (male "m", female "z") or,
# for a sound effect, synthesized by sox. All files are 22.05 kHz, 16-bit mono.
#
# Usage: make_voice_pack.sh LIST_PROGRAM GAME_DIR
#
# Nothing is done when neither the list nor this script changed since the last run
# (a stamp file holds their hash). The pack is built beside the old one as zvuky.new and
# swapped in by renames, so a complete pack is always on disk, also when a run is cut
# short; the next run sets right what such a run left.
set -euo pipefail

readonly rate=22050
readonly format=(-r "$rate" -c 1 -b 16)

# espeak-ng variants and pitch (0..99) of the two voices; takes of one phrase differ a
# little in pitch and speed so that repeated refusals do not sound mechanical.
speak() {
  local voice=$1 take=$2 words=$3 out=$4 variant pitch speed
  case "$voice" in
    m) variant=cs+m3 pitch=38 ;;
    z) variant=cs+f3 pitch=62 ;;
    *) echo "unknown voice '$voice' for $out" >&2; return 1 ;;
  esac
  pitch=$((pitch + (take - 1) * 6))
  speed=$((165 + (take - 1) * 12))
  # The recording is trimmed of espeak's leading and trailing silence, with a short
  # tail kept, and brought to a common loudness.
  espeak-ng -v "$variant" -p "$pitch" -s "$speed" --stdout -- "$words" |
    sox -q -t wav - "${format[@]}" "$out" \
      silence 1 0.01 0.5% reverse silence 1 0.01 0.5% reverse pad 0.01 0.06 gain -n -3
}

# Each effect is short and soft; they differ in pitch and colour so that a throw, a
# draw and an edge are told apart at once.
effect() {
  local name=$1 take=$2 out=$3
  local sox=(sox -q -n "${format[@]}" "$out")
  case "$name" in
    vyhozeni) # a card slapped on the pile: a short noise burst, each take a little different
      local length centre
      length=$(printf '0.%02d' $((8 + take * 2)))
      centre=$((1400 + take * 350))
      "${sox[@]}" synth "$length" pinknoise band "$centre" 1200 fade q 0.004 "$length" 0.07 gain -n -6 ;;
    lizani) # a card slid off the stock: a longer, rising swish
      "${sox[@]}" synth 0.28 brownnoise highpass 600 fade t 0.12 0.28 0.12 tremolo 18 30 gain -n -8 ;;
    okraj) # the edge: a low, dull knock
      "${sox[@]}" synth 0.09 sine 180 fade q 0.002 0.09 0.08 gain -n -4 ;;
    off) # falling two notes
      "${sox[@]}" synth 0.09 sine 660 fade q 0.005 0.09 0.03 : synth 0.12 sine 440 fade q 0.005 0.12 0.06 \
        gain -n -6 ;;
    on) # rising two notes
      "${sox[@]}" synth 0.09 sine 440 fade q 0.005 0.09 0.03 : synth 0.12 sine 660 fade q 0.005 0.12 0.06 \
        gain -n -6 ;;
    tab) # a gentle chime: a major third plucked together
      "${sox[@]}" synth 0.5 pluck C5 pluck E5 remix - fade 0 0.5 0.35 gain -n -6 ;;
    champion) # a short fanfare: a rising major arpeggio with a held top note
      "${sox[@]}" synth 0.11 pluck C5 : synth 0.11 pluck E5 : synth 0.11 pluck G5 : \
        synth 0.5 pluck C6 pluck G5 remix - fade 0 0.5 0.35 gain -n -5 ;;
    *) echo "no recipe for the sound effect '$name' ($out)" >&2; return 1 ;;
  esac
}

# One line of the list, split into its four fields by xargs.
make_one() {
  local file=$1 kind=$2 take=$3 what=$4
  if [ "$kind" = effect ]; then
    effect "$what" "$take" "$file"
  else
    speak "$kind" "$take" "$what" "$file"
  fi
}

if [ "${1:-}" = --make-one ]; then
  shift
  make_one "$@"
  exit
fi

if [ $# -ne 2 ]; then
  echo "usage: $0 LIST_PROGRAM GAME_DIR" >&2
  exit 2
fi
list_program=$1
game_dir=$2
here=$(cd "$(dirname "$0")" && pwd)
self=$here/$(basename "$0")
# shellcheck source=tools/folder_swap.sh
source "$here/folder_swap.sh"
for tool in espeak-ng sox sha256sum xargs; do
  command -v "$tool" >/dev/null || { echo "$0: $tool is not installed" >&2; exit 1; }
done

list=$("$list_program")
stamp=$({ printf '%s\n' "$list"; cat "$self" "$here/folder_swap.sh"; espeak-ng --version; } | sha256sum | cut -d' ' -f1)
mkdir -p "$game_dir"
cd "$game_dir"
lock_folder .
recover_folder zvuky
if [ -f zvuky/.stamp ] && [ "$(cat zvuky/.stamp)" = "$stamp" ]; then
  exit 0
fi

echo "Making the voice pack in $game_dir/zvuky ($(printf '%s\n' "$list" | wc -l) recordings)"
start_folder zvuky
# The list names files "zvuky/…"; they are made in zvuky.new and the folder swapped in.
printf '%s\n' "$list" | sed 's|^zvuky/|zvuky.new/|' | tr '\t\n' '\0\0' |
  xargs -0 -n 4 -P "$(nproc)" "$self" --make-one
printf '%s\n' "$stamp" >zvuky.new/.stamp
swap_in_folder zvuky
