#!/usr/bin/env bash
# Checks the voice pack made from clean that every listed recording is a non-empty WAV
# file, that a second run leaves it alone, and that a run cut short between the two
# renames of the swap is set right by the next. Each recording has its browsers' copies
# beside it, Ogg Opus and MP3, and nothing else is there.
# Usage: voice_pack_test.sh LIST_PROGRAM MAKE_VOICE_PACK_SCRIPT GAME_DIR
#   GAME_DIR holds the pack made from clean (the test voice_pack_made makes it once for
#   this test and voice_pack_recordings); the runs after it work on a copy
set -euo pipefail
list_program=$1
make_pack=$2
made=$3
game=$(mktemp -d)
trap 'rm -rf "$game"' EXIT
cp -a "$made/." "$game"

missing=0
while IFS=$'\t' read -r file _; do
  if ! [ -s "$game/$file" ] || [ "$(head -c 4 "$game/$file")" != RIFF ]; then
    echo "not made: $file" >&2
    missing=$((missing + 1))
  fi
  # An Ogg page whose first packet is the Opus header.
  if [ "$(head -c 4 "$game/${file%.wav}.opus" 2>/dev/null)" != OggS ] ||
    [ "$(dd if="$game/${file%.wav}.opus" bs=1 skip=28 count=8 2>/dev/null)" != OpusHead ]; then
    echo "no Opus copy: $file" >&2
    missing=$((missing + 1))
  fi
  # An MP3 file opens with its ID3 tag or with a frame's sync bits.
  if ! [ -s "$game/${file%.wav}.mp3" ] ||
    ! head -c 3 "$game/${file%.wav}.mp3" | od -An -tx1 | grep -Eq '49 44 33|ff f[2-3a-b]'; then
    echo "no MP3 copy: $file" >&2
    missing=$((missing + 1))
  fi
done < <("$list_program")
listed=$("$list_program" | wc -l)
made=$(find "$game/zvuky" -name '*.wav' | wc -l)
others=$(find "$game/zvuky" -type f ! -name '*.wav' ! -name '*.opus' ! -name '*.mp3' ! -name '.*' | wc -l)
copies=$(find "$game/zvuky" -name '*.opus' -o -name '*.mp3' | wc -l)
[ "$missing" -eq 0 ] || { echo "$missing of $listed recordings missing" >&2; exit 1; }
[ "$made" -eq "$listed" ] || { echo "made $made files for $listed listed" >&2; exit 1; }
[ "$copies" -eq $((2 * listed)) ] || { echo "made $copies browser copies for $listed recordings" >&2; exit 1; }
[ "$others" -eq 0 ] || { echo "$others unexpected files in zvuky" >&2; exit 1; }

touch -d '2000-01-01' "$game/zvuky/.stamp"
old=$(stat -c %Y "$game/zvuky/.stamp")
"$make_pack" "$list_program" "$game" >/dev/null
[ "$(stat -c %Y "$game/zvuky/.stamp")" = "$old" ] || { echo "an unchanged pack was made again" >&2; exit 1; }

mv "$game/zvuky" "$game/zvuky.old"
mkdir "$game/zvuky.new"
"$make_pack" "$list_program" "$game" >/dev/null
[ "$(stat -c %Y "$game/zvuky/.stamp" 2>/dev/null)" = "$old" ] ||
  { echo "the pack was not brought back from zvuky.old as it was" >&2; exit 1; }
[ -z "$(find "$game" -maxdepth 1 -name 'zvuky.*')" ] || { echo "zvuky.old or zvuky.new left behind" >&2; exit 1; }
echo "voice pack: $made recordings"
