#!/usr/bin/env bash
# The set-up's example server list: installed into a game folder that has none, never
# over a list the player has written.
set -euo pipefail
build=$1
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT

cmake --install "$build" --prefix "$folder" --component server_list >/dev/null
expected=$(printf 'Tento po\350\355ta\350;127.0.0.1;1412\r\n' | od -An -tx1)
[ "$(od -An -tx1 < "$folder/svrlist.txt")" = "$expected" ] || { echo "unexpected example list:"; od -c "$folder/svrlist.txt"; exit 1; }

printf 'Doma;192.168.0.5;6060\r\n' > "$folder/svrlist.txt"
cmake --install "$build" --prefix "$folder" --component server_list >/dev/null
[ "$(cat "$folder/svrlist.txt")" = "$(printf 'Doma;192.168.0.5;6060\r\n')" ] || { echo "the player's list was replaced"; exit 1; }
