#!/usr/bin/env bash
# Makes the voice pack GAME_DIR/zvuky/*.wav: every line printed by the list program
# becomes one WAV file. Speech is made by Festival's Czech voices, built from recordings
# of real speakers (czech_machac, a man, speaks "m"; czech_dita, a woman, speaks "z");
# where Festival or one of those voices is missing, by espeak-ng's Czech voice. Sound
# effects are synthesized by sox. All files are 22.05 kHz, 16-bit mono, trimmed of
# silence and brought to one loudness: a common RMS level, peaks kept below full scale.
#
# Beside each WAV file lie the same recording as Ogg Opus (.opus) and as MP3 (.mp3), the
# two forms browsers play: Opus is small and plays in nearly every browser, MP3 where
# Opus does not. opus-tools' opusenc and lame make them (Debian packages opus-tools and
# lame: each is the reference encoder of its format, small, and reads WAV directly).
#
# Usage: make_voice_pack.sh [--engine festival|espeak-ng] LIST_PROGRAM GAME_DIR
#
# Nothing is done when neither the list, nor these scripts, nor the engine and voices
# with their versions changed since the last run (a stamp file holds their hash). The
# pack is built beside the old one as zvuky.new and swapped in by renames, so a
# complete pack is always on disk, also when a run is cut short; the next run sets
# right what such a run left.
set -euo pipefail

readonly rate=22050
readonly format=(-r "$rate" -c 1 -b 16 -e signed-integer)
# Work files are floating point, so that nothing clips before the level is set.
readonly work_format=(-r "$rate" -c 1 -b 32 -e floating-point)
# The loudness every recording is brought to, and the highest peak allowed.
readonly target_rms_db=-20
readonly peak_ceiling_db=-1
# Recordings per Festival run: each run loads its voice once.
readonly batch=20

# A file being made, by the name it will have in the pack.
shown() { echo "zvuky/${1#zvuky.new/}"; }

# Trims the synthesizer's leading and trailing silence (a short tail is kept) and
# converts to the pack's format.
trim() {
  # The 6 dB of headroom keep the change of rate from clipping; the level is set after.
  sox -q "$1" "${work_format[@]}" "$2" silence 1 0.01 0.5% reverse silence 1 0.01 0.5% reverse pad 0.01 0.06 gain -6
}

# Brings a recording to the common RMS level, or lower where its peak would pass the
# ceiling, so that the two voices and the effects sound equally loud.
level() {
  local in=$1 out=$2 peak rms gain
  read -r peak rms < <(sox "$in" -n stats 2>&1 | awk '/^Pk lev dB/ {p = $4} /^RMS lev dB/ {r = $4} END {print p, r}')
  case "$rms" in
    '' | *inf*) echo "$(shown "$out"): the recording is silent" >&2; return 1 ;;
  esac
  gain=$(awk -v p="$peak" -v r="$rms" -v t="$target_rms_db" -v c="$peak_ceiling_db" \
    'BEGIN { g = t - r; if (p + g > c) g = c - p; printf "%.2f", g }')
  sox -q "$in" "${format[@]}" "$out" gain "$gain"
}

# The browsers' copies of recordings made: speech-grade Opus at 32 kbit/s and MP3 at
# lame's variable rate -V 5, both plenty for 22.05 kHz mono speech.
web_copies() {
  local wav
  for wav in "$@"; do
    opusenc --quiet --bitrate 32 "$wav" "${wav%.wav}.opus" ||
      { echo "$(shown "$wav"): opusenc could not make its Opus copy" >&2; return 1; }
    lame --quiet -V 5 "$wav" "${wav%.wav}.mp3" ||
      { echo "$(shown "$wav"): lame could not make its MP3 copy" >&2; return 1; }
  done
}

# espeak-ng variants and pitch (0..99) of the two voices; takes of one phrase differ a
# little in pitch and speed so that repeated refusals do not sound mechanical.
espeak_one() {
  local voice=$1 take=$2 words=$3 out=$4 variant pitch speed
  case "$voice" in
    m) variant=cs+m3 pitch=38 ;;
    z) variant=cs+f3 pitch=62 ;;
    *) echo "unknown voice '$voice' for $(shown "$out")" >&2; return 1 ;;
  esac
  pitch=$((pitch + (take - 1) * 6))
  speed=$((165 + (take - 1) * 12))
  espeak-ng -v "$variant" -p "$pitch" -s "$speed" --stdout -- "$words" >"$out.raw.wav"
  trim "$out.raw.wav" "$out.trim.wav"
  level "$out.trim.wav" "$out"
  rm -f "$out.raw.wav" "$out.trim.wav"
}

# Each effect is short and soft; they differ in pitch and colour so that a throw, a
# draw and an edge are told apart at once.
effect_one() {
  local name=$1 take=$2 out=$3
  # Made at 48 kHz, the rate sox plucks at, each tone 6 dB down so that chords and sums
  # do not clip; the level is set and the rate changed after.
  local sox=(sox -q -n -r 48000 -c 1 -b 32 -e floating-point "$out.raw.wav")
  case "$name" in
    vyhozeni) # a card slapped on the pile: a short noise burst, each take a little different
      local length centre
      length=$(printf '0.%02d' $((8 + take * 2)))
      centre=$((1400 + take * 350))
      "${sox[@]}" synth "$length" pinknoise gain -6 band "$centre" 1200 fade q 0.004 "$length" 0.07 ;;
    lizani) # a card slid off the stock: a longer, rising swish
      "${sox[@]}" synth 0.28 brownnoise gain -6 highpass 600 fade t 0.12 0.28 0.12 tremolo 18 30 ;;
    okraj) # the edge: a low, dull knock
      "${sox[@]}" synth 0.09 sine 180 gain -6 fade q 0.002 0.09 0.08 ;;
    off) # falling two notes
      "${sox[@]}" synth 0.09 sine 660 gain -6 fade q 0.005 0.09 0.03 : \
        synth 0.12 sine 440 gain -6 fade q 0.005 0.12 0.06 ;;
    on) # rising two notes
      "${sox[@]}" synth 0.09 sine 440 gain -6 fade q 0.005 0.09 0.03 : \
        synth 0.12 sine 660 gain -6 fade q 0.005 0.12 0.06 ;;
    tab) # a gentle chime: a major third plucked together
      "${sox[@]}" synth 0.5 pluck C5 pluck E5 gain -6 remix - fade 0 0.5 0.35 ;;
    champion) # a short fanfare: a rising major arpeggio with a held top note
      "${sox[@]}" synth 0.11 pluck C5 gain -6 : synth 0.11 pluck E5 gain -6 : synth 0.11 pluck G5 gain -6 : \
        synth 0.5 pluck C6 pluck G5 gain -6 remix - fade 0 0.5 0.35 ;;
    *) echo "no recipe for the sound effect '$name' ($(shown "$out"))" >&2; return 1 ;;
  esac
  level "$out.raw.wav" "$out"
  rm -f "$out.raw.wav"
}

# Festival reads its Czech text in ISO-8859-2, the coding the Czech voices declare;
# text in UTF-8 would reach it as unknown letters. Each utterance prints the words
# Festival made of it, and they must be the words given: so every letter with its
# accent was read as such and no numeral was left for the engine to expand. Takes
# differ a little in pitch and speed, as with espeak-ng.
readonly festival_prelude='
(define (tarvel-take take)
  (let ((params czech-int-simple-params*))
    (set! int_general_params
          (list (list (quote targ_func) czech-int-targets)
                (list (quote f0_mean) (* (cadr (assoc (quote f0_mean) params)) (+ 1 (* 0.05 (- take 1)))))
                (list (quote f0_std) (cadr (assoc (quote f0_std) params)))))
    (Parameter.set (quote Duration_Stretch) (- 1 (* 0.05 (- take 1))))))
(defvar tarvel-voice nil)
(define (tarvel-say voice take text file)
  (if (not (equal? voice tarvel-voice))
      (begin (eval (list voice)) (set! tarvel-voice voice)))
  (tarvel-take take)
  (let ((utt (utt.synth (eval (list (quote Utterance) (quote Text) text)))))
    (utt.save.wave utt file (quote riff))
    (format t "tarvel-words %s|" file)
    (mapcar (lambda (word) (format t " %s" (item.name word))) (utt.relation.items utt (quote Word)))
    (format t "\n")))
'

festival_voice() {
  case "$1" in
    m) echo voice_czech_machac ;;
    z) echo voice_czech_dita ;;
    *) return 1 ;;
  esac
}

# Speaks records (file, voice, take, words) in one Festival run.
festival_batch() {
  local work files=() expected=() heard=() file voice take words i=0 index read_words bad=0
  work=$(mktemp -d)
  {
    printf '%s\n' "$festival_prelude"
    while [ $# -gt 0 ]; do
      file=$1 take=$3 words=$4
      voice=$(festival_voice "$2") || { echo "unknown voice '$2' for $(shown "$file")" >&2; return 1; }
      shift 4
      files+=("$file")
      expected+=("$(printf '%s' "$words" | tr -s ' ')")
      words=${words//\\/\\\\}
      printf '(tarvel-say (quote %s) %d "%s" "%s")\n' "$voice" "$take" "${words//\"/\\\"}" "$i"
      i=$((i + 1))
    done
  } >"$work/say.utf8"
  iconv -f UTF-8 -t ISO-8859-2 "$work/say.utf8" >"$work/say.scm" ||
    { echo "a text for ${files[0]} … has letters that ISO-8859-2 lacks" >&2; return 1; }
  (cd "$work" && festival -b say.scm) | iconv -f ISO-8859-2 -t UTF-8 >"$work/words"
  while IFS='|' read -r index read_words; do
    heard[index]=${read_words# }
  done < <(sed -n 's/^tarvel-words //p' "$work/words")
  for i in "${!files[@]}"; do
    if [ "${heard[i]:-}" != "${expected[i]}" ]; then
      echo "$(shown "${files[i]}"): Festival read \"${expected[i]}\" as \"${heard[i]:-nothing}\"" >&2
      bad=1
      continue
    fi
    trim "$work/$i" "$work/$i.trim.wav"
    level "$work/$i.trim.wav" "${files[i]}"
  done
  rm -rf "$work"
  return "$bad"
}

# A batch of list lines (file, kind, take, what): Festival's speech in one run, the
# rest one by one.
make_batch() {
  local engine=$1 speech=()
  shift
  while [ $# -gt 0 ]; do
    local file=$1 kind=$2 take=$3 what=$4
    shift 4
    if [ "$kind" = effect ]; then
      effect_one "$what" "$take" "$file"
    elif [ "$engine" = festival ]; then
      speech+=("$file" "$kind" "$take" "$what")
    else
      espeak_one "$kind" "$take" "$what" "$file"
    fi
  done
  [ ${#speech[@]} -eq 0 ] || festival_batch "${speech[@]}"
}

festival_ready() {
  command -v festival >/dev/null && command -v iconv >/dev/null &&
    festival -b '(begin (voice_czech_machac) (voice_czech_dita))' >/dev/null 2>&1
}

# What the pack depends on besides the list and the scripts.
engine_identity() {
  echo "engine $1"
  sox --version
  opusenc --version | head -n 1
  lame --version | head -n 1
  if [ "$1" = festival ]; then
    festival --version
    dpkg-query -W -f '${Package} ${Version}\n' festival festival-czech festvox-czech-machac festvox-czech-dita \
      2>/dev/null || true
  else
    espeak-ng --version
  fi
}

if [ "${1:-}" = --make-batch ]; then
  shift
  make_batch "$@"
  exit
fi
if [ "${1:-}" = --web-copies ]; then
  shift
  web_copies "$@"
  exit
fi

engine=
if [ "${1:-}" = --engine ]; then
  engine=${2:-}
  shift 2 || true
  case "$engine" in
    festival | espeak-ng) ;;
    *) echo "$0: --engine takes festival or espeak-ng" >&2; exit 2 ;;
  esac
fi
if [ $# -ne 2 ]; then
  echo "usage: $0 [--engine festival|espeak-ng] LIST_PROGRAM GAME_DIR" >&2
  exit 2
fi
list_program=$1
game_dir=$2
here=$(cd "$(dirname "$0")" && pwd)
self=$here/$(basename "$0")
# shellcheck source=tools/folder_swap.sh
source "$here/folder_swap.sh"
for tool in sox opusenc lame sha256sum xargs awk; do
  command -v "$tool" >/dev/null || { echo "$0: $tool is not installed" >&2; exit 1; }
done
if [ -z "$engine" ]; then
  if festival_ready; then
    engine=festival
  else
    engine=espeak-ng
    echo "Festival with the Czech voices czech_machac and czech_dita is not installed; the voice pack" \
      "is spoken by espeak-ng." >&2
  fi
elif [ "$engine" = festival ] && ! festival_ready; then
  echo "$0: Festival with the Czech voices czech_machac and czech_dita is not installed" >&2
  exit 1
fi
[ "$engine" = festival ] || command -v espeak-ng >/dev/null || { echo "$0: espeak-ng is not installed" >&2; exit 1; }

list=$("$list_program")
# Both engines are given words: a numeral left in the list would be read by each its own way.
if numerals=$(printf '%s\n' "$list" | awk -F'\t' '$2 != "effect" && $4 ~ /[0-9]/'); [ -n "$numerals" ]; then
  echo "$0: these recordings would speak digits, not words:" >&2
  printf '%s\n' "$numerals" >&2
  exit 1
fi
stamp=$({ printf '%s\n' "$list"; cat "$self" "$here/folder_swap.sh"; engine_identity "$engine"; } |
  sha256sum | cut -d' ' -f1)
mkdir -p "$game_dir"
cd "$game_dir"
lock_folder .
recover_folder zvuky
if [ -f zvuky/.stamp ] && [ "$(cat zvuky/.stamp)" = "$stamp" ]; then
  exit 0
fi

echo "Making the voice pack in $game_dir/zvuky ($(printf '%s\n' "$list" | wc -l) recordings, $engine)"
start_folder zvuky
# The list names files "zvuky/…"; they are made in zvuky.new and the folder swapped in.
# Speech and effects are made on every core.
if ! printf '%s\n' "$list" | sed 's|^zvuky/|zvuky.new/|' | tr '\t\n' '\0\0' |
  xargs -0 -n $((4 * batch)) -P "$(nproc)" "$self" --make-batch "$engine" ||
  ! find zvuky.new -name '*.wav' -print0 | xargs -0 -n "$batch" -P "$(nproc)" "$self" --web-copies; then
  if [ -f zvuky/.stamp ]; then
    echo "$0: the voice pack was not made again; the one in $game_dir/zvuky stays" >&2
  else
    echo "$0: the voice pack was not made" >&2
  fi
  exit 1
fi
printf '%s\n' "$engine" >zvuky.new/.engine
printf '%s\n' "$stamp" >zvuky.new/.stamp
swap_in_folder zvuky
