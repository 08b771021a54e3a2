#!/usr/bin/env bash
# The set-up's starting table: made when missing, never over a table that is there.
set -euo pipefail
init=$1
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT

"$init" "$folder/tarvel.tab"
[ "$(wc -c < "$folder/tarvel.tab")" -eq 320 ] || { echo "starting table is not 320 bytes"; exit 1; }
[ -z "$(tr -d '\000' < "$folder/tarvel.tab")" ] || { echo "starting table is not all zero bytes"; exit 1; }

printf 'a player'"'"'s table' > "$folder/tarvel.tab"
"$init" "$folder/tarvel.tab"
[ "$(cat "$folder/tarvel.tab")" = "a player's table" ] || { echo "an existing table was overwritten"; exit 1; }

if "$init" "$folder/tarvel.tab/inside" 2> "$folder/error"; then echo "a failure was not reported"; exit 1; fi
grep -q 'could not be created' "$folder/error" || { echo "unclear message: $(cat "$folder/error")"; exit 1; }
