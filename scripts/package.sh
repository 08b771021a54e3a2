#!/usr/bin/env bash
# Builds the Debian packages with debhelper from the files of this checkout (tracked and
# new, not ignored; as they are now), copied into the output folder so the checkout stays
# clean: tarvel_<version>_<arch>.deb, the programs, and tarvel-data_<version>_all.deb,
# what they read (recordings, card pictures, help texts, the example list of servers).
# Only what the packages need is built: no tests, no benchmarks, no fuzzers.
# Usage: package.sh [--quick] [OUTPUT_DIR]   (default: build-package; the .debs are put there)
#   --quick  compiles without optimisation and debug information and makes no debug
#            symbols package: the same files and behaviour for a test of the package,
#            in about half the compiler's time
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
options="nocheck parallel=$(nproc)"
if [ "${1:-}" = --quick ]; then
  options="$options noopt noddebs"
  export DEB_CXXFLAGS_STRIP="-g ${DEB_CXXFLAGS_STRIP:-}"
  shift
fi
out=$(realpath -m -- "${1:-$root/build-package}")
"$root/scripts/setup.sh"
# The source is copied to one fixed place, so a compiler cache, where one is set up, finds
# its earlier work.
source=$out/tarvel
rm -rf "$source" "$out"/tarvel_* "$out"/tarvel-data_* "$out"/tarvel-dbgsym_*
mkdir -p "$source"
if git -C "$root" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  (cd "$root" && git ls-files -z -c -o --exclude-standard | tar --null --ignore-failed-read -T - -cf -) | tar -xf - -C "$source"
else
  tar -C "$root" --exclude='./build*' --exclude=./game -cf - . | tar -xf - -C "$source"
fi
# The page is bundled with the npm packages set-up installed from the lock file (the
# package build itself fetches nothing).
cp -a "$root/web/page/node_modules" "$source/web/page/"
(cd "$source" &&
  DEB_BUILD_OPTIONS="$options ${DEB_BUILD_OPTIONS:-}" dpkg-buildpackage -b -us -uc)
rm -rf "$source"
ls "$out"/tarvel_*.deb "$out"/tarvel-data_*.deb
