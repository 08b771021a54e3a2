#!/usr/bin/env bash
# The recordings checked against their texts, for each engine the set-up may use:
# Festival's recorded Czech voices when they are installed, and always espeak-ng, the
# fallback. Then the checker itself: a spoiled copy of a pack must be refused with
# exactly the spoiled files named; and the maker refuses a text with digits and, with
# Festival, a text Festival would read as other words.
# Usage: voice_pack_check_test.sh LIST_PROGRAM MAKE_VOICE_PACK_SCRIPT CHECK_VOICE_PACK_SCRIPT GAME_DIR
#   GAME_DIR holds the pack made from clean with the engine the set-up chooses (the test
#   voice_pack_made makes it once for this test and voice_pack_generation)
set -euo pipefail
list_program=$1
make_pack=$2
check_pack=$3
made=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "voice pack check: $*" >&2; exit 1; }

engines=(espeak-ng)
if festival -b '(begin (voice_czech_machac) (voice_czech_dita))' >/dev/null 2>&1; then
  engines=(festival espeak-ng)
else
  echo "Festival's Czech voices are not installed: only the espeak-ng pack is checked"
fi
# The set-up's choice is the first engine; its pack is the one already made.
[ "$(cat "$made/zvuky/.engine")" = "${engines[0]}" ] || fail "the set-up's pack was not made by ${engines[0]}"
ln -s "$made" "$work/${engines[0]}"
for engine in "${engines[@]:1}"; do
  "$make_pack" --engine "$engine" "$list_program" "$work/$engine" >/dev/null
  [ "$(cat "$work/$engine/zvuky/.engine")" = "$engine" ] || fail "the $engine pack says it was made by another engine"
done
for engine in "${engines[@]}"; do
  echo "$engine: $("$check_pack" "$list_program" "$work/$engine")"
done

# Spoil a copy: each fault once, and one recording left good beside them.
spoiled=$work/spoiled
cp -r "$work/espeak-ng/." "$spoiled"
z=$spoiled/zvuky
sox -n -r 22050 -c 1 -b 16 "$z/mkarta.wav" trim 0 0.5                    # silence
sox -V1 "$z/mZacinas.wav" "$z/mZacinas.clip.wav" gain 30 && mv "$z/mZacinas.clip.wav" "$z/mZacinas.wav"
sox "$z/mOtacim hromadku.wav" "$z/short.wav" trim 0 0.1 && mv "$z/short.wav" "$z/mOtacim hromadku.wav"
sox "$z/zhra.wav" "$z/long.wav" pad 0 4 && mv "$z/long.wav" "$z/zhra.wav"
sox "$z/z7 srdcova1.wav" -r 44100 "$z/rate.wav" && mv "$z/rate.wav" "$z/z7 srdcova1.wav"
rm "$z/okraj.wav"
cp "$z/mdva.wav" "$z/mnavic.wav"
if "$check_pack" "$list_program" "$spoiled" 2>"$work/faults"; then
  fail "a spoiled pack passed the check"
fi
for expected in "mkarta.wav: silent" "mZacinas.wav: clipped" "mOtacim hromadku.wav: too short" "zhra.wav: too long" \
  "z7 srdcova1.wav: format 44100 Hz" "okraj.wav: missing" "mnavic.wav: not in the list"; do
  grep -q "zvuky/$expected" "$work/faults" || fail "the check did not report '$expected'; it said: $(cat "$work/faults")"
done
[ "$(grep -c '^zvuky/' "$work/faults")" -eq 7 ] || fail "the check reported more than the seven faults: $(cat "$work/faults")"

# One recording, each voice twice as loud as the other: the levels do not match.
level_list=$work/level_list
printf '#!/bin/sh\nprintf "zvuky/mdva.wav\\tm\\t1\\tdva\\nzvuky/zdva.wav\\tz\\t1\\tdva\\n"\n' >"$level_list"
chmod +x "$level_list"
mkdir -p "$work/levels/zvuky"
cp "$work/espeak-ng/zvuky/mdva.wav" "$work/levels/zvuky/"
sox "$work/espeak-ng/zvuky/zdva.wav" "$work/levels/zvuky/zdva.wav" gain -6
"$check_pack" "$level_list" "$work/levels" 2>"$work/faults" && fail "voices 6 dB apart passed the check"
grep -q '^levels: ' "$work/faults" || fail "the check did not report the levels: $(cat "$work/faults")"

# Texts the maker refuses.
odd_list=$work/odd_list
printf '#!/bin/sh\nprintf "zvuky/m17.wav\\tm\\t1\\t17\\n"\n' >"$odd_list"
chmod +x "$odd_list"
"$make_pack" --engine espeak-ng "$odd_list" "$work/odd" 2>"$work/faults" && fail "a text with digits was spoken"
grep -q 'would speak digits' "$work/faults" || fail "no message for digits: $(cat "$work/faults")"
[ -e "$work/odd/zvuky" ] && fail "a refused pack was swapped in"
if [ "${engines[0]}" = festival ]; then
  # Festival spells "km" out: not the words of the text.
  printf '#!/bin/sh\nprintf "zvuky/mkm.wav\\tm\\t1\\tdeset km\\n"\n' >"$odd_list"
  "$make_pack" --engine festival "$odd_list" "$work/odd" 2>"$work/faults" && fail "Festival's other words passed"
  grep -q '^zvuky/mkm.wav: Festival read "deset km" as "deset k m"' "$work/faults" ||
    fail "no message for Festival's other words: $(cat "$work/faults")"
fi
echo "voice pack check: ${engines[*]} checked; faults found in spoiled packs and refused texts"
