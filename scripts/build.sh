#!/usr/bin/env bash
# Configures and builds one build folder. Usage: build.sh DIR [extra cmake options...]
# A new folder is made for Ninja where it is installed (a folder made before keeps its
# generator).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$1; shift
if command -v ninja >/dev/null && [ ! -f "$root/$dir/CMakeCache.txt" ]; then export CMAKE_GENERATOR=Ninja; fi
cmake -S "$root" -B "$root/$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build "$root/$dir" -j "$(nproc)"
