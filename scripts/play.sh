#!/usr/bin/env bash
# Installs what is needed, builds the programs (the client tarvel, the server tarvelsvr and
# tarvelweb with its page for web browsers) and the set-up tools (the tests are left to
# test.sh), makes the game folder game/ and starts the game from it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
# The same flags and generator as the test command's first build, so the two share what
# they compile.
if command -v ninja >/dev/null && [ ! -f "$root/build/CMakeCache.txt" ]; then export CMAKE_GENERATOR=Ninja; fi
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -DNDEBUG" >/dev/null
cmake --build "$root/build" -j "$(nproc)" --target tarvel tarvelsvr tarvelweb tarvel_page tarvel_voice_pack_list \
    tarvel_card_pictures tarvel_scores_init
"$root/tools/make_voice_pack.sh" "$root/build/tools/tarvel_voice_pack_list" "$root/game"
"$root/tools/make_card_pictures.sh" "$root/build/tools/tarvel_card_pictures" "$root/game"
cmake --install "$root/build" --prefix "$root/game" >/dev/null
# The table of best results starts empty; a player's table is never replaced.
"$root/build/tools/tarvel_scores_init" "$root/game/tarvel.tab"
cd "$root/game"
exec ./tarvel
