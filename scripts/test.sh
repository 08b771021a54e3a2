#!/usr/bin/env bash
# Installs what is needed, builds with warnings as errors and runs every test,
# then again under the address and undefined-behaviour sanitizers.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
export QT_QPA_PLATFORM=offscreen
"$root/scripts/build.sh" build -DTARVEL_WERROR=ON
ctest --test-dir "$root/build" --output-on-failure -j "$(nproc)"
"$root/scripts/build.sh" build-asan -DTARVEL_WERROR=ON -DTARVEL_SANITIZE=ON -DTARVEL_BUILD_BENCH=OFF
ctest --test-dir "$root/build-asan" --output-on-failure -j "$(nproc)"
"$root/scripts/fuzz.sh" 60
# The Debian package: built (no tests inside), checked, installed, played and purged.
"$root/scripts/package_test.sh"
