#!/usr/bin/env bash
# The set-up step of the card pictures: makes karty/ in a scratch game folder, leaves
# it alone while nothing changed, makes it again when its stamp differs, and sets right
# the folders a run cut short leaves behind.
# Usage: card_pictures_setup_test.sh PICTURE_PROGRAM MAKE_CARD_PICTURES_SCRIPT
set -euo pipefail
program=$1
make_pictures=$2
game=$(mktemp -d)
trap 'rm -rf "$game"' EXIT
fail() { echo "card pictures set-up: $*" >&2; exit 1; }
count() { find "$game/karty" -maxdepth 1 -name '*.bmp' | wc -l; }
make() { "$make_pictures" "$program" "$game" >/dev/null; }
made_again() { [ "$(stat -c %Y "$game/karty/.stamp")" != "$old" ]; }
leftovers() { find "$game" -maxdepth 1 -name 'karty.*' | wc -l; }

make
[ "$(count)" -eq 37 ] || fail "made $(count) pictures, not 37"

touch -d '2000-01-01' "$game/karty/.stamp"
old=$(stat -c %Y "$game/karty/.stamp")
make
made_again && fail "unchanged pictures were made again"

# Cut between the two renames: only karty.old is there. It comes back as it was.
mv "$game/karty" "$game/karty.old"
make
[ -f "$game/karty/card32.bmp" ] || fail "karty was not brought back from karty.old"
made_again && fail "karty brought back from karty.old was made again"
[ "$(leftovers)" -eq 0 ] || fail "karty.old left behind"

# Cut while building, and before the old folder was removed.
mkdir "$game/karty.new" "$game/karty.old"
touch "$game/karty.new/card1.bmp"
make
[ "$(leftovers)" -eq 0 ] || fail "karty.new or karty.old left behind"
made_again && fail "a left-over folder made the pictures again"

# A stamp that differs: the folder is made again and swapped in whole.
echo other >"$game/karty/.stamp"
touch "$game/karty/stale.bmp"
make
[ -e "$game/karty/stale.bmp" ] && fail "the old folder was not replaced whole"
[ "$(count)" -eq 37 ] || fail "made $(count) pictures again, not 37"
[ "$(leftovers)" -eq 0 ] || fail "left-overs after a swap"
echo "card pictures set-up: 37 pictures, stamp and recovery checked"
