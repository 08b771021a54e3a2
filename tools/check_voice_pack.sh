#!/usr/bin/env bash
# Checks every recording of a voice pack against its text by measurement, as nobody
# listens to them before the players do:
#   - it is there, a WAV file of the pack's format (22.05 kHz, mono, 16-bit);
#   - its length suits its words: at least 0.12 s and at most 0.45 s a syllable, with
#     0.35 s besides for the breath around them (an effect: 0.05 s to 1.5 s);
#   - its peak stays below full scale (nothing clipped);
#   - its RMS level is above -40 dBFS (not silence, nor a whisper);
#   - the male voice, the female voice and the effects are equally loud: the median RMS
#     of each group is within 1.5 dB of the others;
#   - the folder holds no recording the list does not name.
# Prints one line for each fault and fails when there is any.
#
# Usage: check_voice_pack.sh LIST_PROGRAM GAME_DIR
set -euo pipefail

if [ $# -ne 2 ]; then
  echo "usage: $0 LIST_PROGRAM GAME_DIR" >&2
  exit 2
fi
list_program=$1
game_dir=$2
for tool in sox perl awk; do
  command -v "$tool" >/dev/null || { echo "$0: $tool is not installed" >&2; exit 1; }
done

# Czech syllables: each group of vowels is one (the diphthong "ou" is one), and so is
# an "r" or "l" with no vowel beside it ("srdce", "vlk"). Effects have none.
syllables() {
  perl -CSD -Mutf8 -F'\t' -lane '
    my $vowels = "aáeéěiíoóuúůyý";
    my $words = lc($F[3] // "");
    my $count = 0;
    if ($F[1] ne "effect") {
      $count = () = $words =~ /[$vowels]+/g;
      $count += () = $words =~ /(?<![$vowels])[rl](?![$vowels])/g;
    }
    print join("\t", $F[0], $F[1], $count, $words);'
}

faults=()
fault() { faults+=("$1: $2"); }
levels=$(mktemp)
trap 'rm -f "$levels"' EXIT

while IFS=$'\t' read -r file kind count words; do
  path=$game_dir/$file
  if ! [ -f "$path" ]; then
    fault "$file" "missing"
    continue
  fi
  info=$(sox --i "$path" 2>&1) || { fault "$file" "not a sound file sox can read"; continue; }
  format=$(awk -F' *: *' '/^Channels/ {c = $2} /^Sample Rate/ {r = $2} /^Precision/ {p = $2}
                          END {print r " Hz, " c " channel, " p}' <<<"$info")
  [ "$format" = "22050 Hz, 1 channel, 16-bit" ] || fault "$file" "format $format, not 22050 Hz, 1 channel, 16-bit"
  read -r length peak rms < <(sox "$path" -n stats 2>&1 |
    awk '/^Length s/ {l = $3} /^Pk lev dB/ {p = $4} /^RMS lev dB/ {r = $4} END {print l, p, r}')
  if [ "$kind" = effect ]; then
    low=0.05 high=1.5 what="an effect"
  else
    low=$(awk -v n="$count" 'BEGIN {printf "%.2f", 0.12 * n}')
    high=$(awk -v n="$count" 'BEGIN {printf "%.2f", 0.35 + 0.45 * n}')
    what="\"$words\", $count syllables"
  fi
  verdict=$(awk -v l="$length" -v p="$peak" -v r="$rms" -v low="$low" -v high="$high" 'BEGIN {
      if (r == "-inf" || r + 0 < -40) print "silent or nearly: RMS " r " dBFS";
      else if (l + 0 < low) print "too short: " l " s";
      else if (l + 0 > high) print "too long: " l " s";
      else if (p + 0 > -0.1) print "clipped: peak " p " dBFS";
    }')
  [ -z "$verdict" ] || fault "$file" "$verdict for $what (allowed $low s to $high s)"
  printf '%s\t%s\n' "$kind" "$rms" >>"$levels"
done < <("$list_program" | syllables)

# A recording the game never names is a fault of the list or of the maker.
while IFS= read -r extra; do
  fault "zvuky/$extra" "not in the list"
done < <(comm -23 <(cd "$game_dir/zvuky" && find . -name '*.wav' -printf '%P\n' | sort) \
  <("$list_program" | cut -f1 | sed 's|^zvuky/||' | sort))

# Median RMS of each group: the male voice, the female voice, the effects.
mapfile -t medians < <(awk -F'\t' '$2 != "-inf" {print $1 "\t" $2}' "$levels" | sort -t$'\t' -k1,1 -k2,2g |
  awk -F'\t' '{v[$1, ++n[$1]] = $2} END {for (k in n) printf "%s\t%.2f\n", k, v[k, int((n[k] + 1) / 2)]}' | sort)
spread=$(printf '%s\n' "${medians[@]}" | awk -F'\t' 'NR == 1 {lo = hi = $2} {if ($2 < lo) lo = $2; if ($2 > hi) hi = $2}
  END {printf "%.2f", hi - lo}')
if awk -v s="$spread" 'BEGIN {exit !(s > 1.5)}'; then
  fault "levels" "the median RMS of the groups differs by $spread dB: $(printf '%s; ' "${medians[@]}" | tr '\t' ' ')"
fi

if [ ${#faults[@]} -gt 0 ]; then
  printf '%s\n' "${faults[@]}" >&2
  echo "${#faults[@]} faults in the voice pack in $game_dir/zvuky" >&2
  exit 1
fi
echo "voice pack checked: $(wc -l <"$levels") recordings; median RMS $(printf '%s dBFS, ' "${medians[@]}" | tr '\t' ' ' | sed 's/, $//')"
