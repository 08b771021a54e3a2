#!/usr/bin/env bash
# Builds, in build-sanitize, the code that reads what others wrote (the server, the wire,
# the client's handling of server messages, the settings, score and server-list files)
# with the tests that exercise it and the fuzz targets: clang, the address and
# undefined-behaviour sanitizers and libFuzzer's instrumentation, warnings as errors.
# Everything else is built and tested once, in the usual build folder.
# Usage: build_sanitized.sh [extra cmake options...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir="$root/build-sanitize"
if command -v ninja >/dev/null && [ ! -f "$dir/CMakeCache.txt" ]; then export CMAKE_GENERATOR=Ninja; fi
cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -gline-tables-only -DNDEBUG" \
  -DTARVEL_WERROR=ON -DTARVEL_FUZZ=ON -DTARVEL_SANITIZE=ON -DTARVEL_BUILD_BENCH=OFF "$@" >/dev/null
cmake --build "$dir" --target tarvel_untrusted_input_tests -j "$(nproc)"
