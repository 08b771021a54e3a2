#!/usr/bin/env bash
# Installs what is needed, builds with warnings as errors and runs every test,
# then again under the address and undefined-behaviour sanitizers.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
export QT_QPA_PLATFORM=offscreen
# No debug information in the first build and only line tables under the sanitizers
# (enough for their reports to name file and line): compiling is most of the time this
# command takes, and full debug information nearly doubles it.
"$root/scripts/build.sh" build -DTARVEL_WERROR=ON -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -DNDEBUG"
ctest --test-dir "$root/build" --output-on-failure -j "$(nproc)"
"$root/scripts/build.sh" build-asan -DTARVEL_WERROR=ON -DTARVEL_SANITIZE=ON -DTARVEL_BUILD_BENCH=OFF \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG"
ctest --test-dir "$root/build-asan" --output-on-failure -j "$(nproc)"
"$root/scripts/fuzz.sh" 30
# The Debian package: built (no tests inside), checked, installed, played and purged.
"$root/scripts/package_test.sh"
