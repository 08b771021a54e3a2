#!/usr/bin/env bash
# Makes the card pictures GAME_DIR/karty/*.bmp with the picture program.
#
# Usage: make_card_pictures.sh PICTURE_PROGRAM GAME_DIR
#
# Nothing is done when neither the program nor this script nor the font changed since
# the last run (a stamp file holds their hash). The folder is made beside the old one
# and swapped in whole.
set -euo pipefail

if [ $# -ne 2 ]; then
  echo "usage: $0 PICTURE_PROGRAM GAME_DIR" >&2
  exit 2
fi
program=$(realpath -- "$1")
game_dir=$2
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=tools/folder_swap.sh
source "$here/folder_swap.sh"
readonly font=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
[ -r "$font" ] || { echo "$0: the font $font is missing (package fonts-dejavu-core)" >&2; exit 1; }

stamp=$(cat "$program" "$0" "$here/folder_swap.sh" "$font" | sha256sum | cut -d' ' -f1)
mkdir -p "$game_dir"
cd "$game_dir"
lock_folder .
recover_folder karty
if [ -f karty/.stamp ] && [ "$(cat karty/.stamp)" = "$stamp" ]; then
  exit 0
fi

echo "Making the card pictures in $game_dir/karty"
# Qt wants a private runtime folder, which a set-up run from a console as root may lack.
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
  XDG_RUNTIME_DIR=$(mktemp -d)
  export XDG_RUNTIME_DIR
  trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
fi
start_folder karty
"$program" karty.new "$font"
printf '%s\n' "$stamp" >karty.new/.stamp
swap_in_folder karty
