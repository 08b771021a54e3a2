#!/usr/bin/env bash
# The version is set once, in CMake; the texts that cannot be generated must agree with
# it, and the programs must print it. A release with the changelog moved on and the
# build not (or the other way round) fails here.
# Usage: version_agreement_test.sh VERSION SOURCE_DIR TARVEL TARVELSVR TARVELWEB
set -euo pipefail
version=$1 source=$2 tarvel=$3 tarvelsvr=$4 tarvelweb=$5
failed=0
# agree WHAT FOUND: one line per place that disagrees.
agree() {
  if [ "$2" != "$version" ]; then
    echo "$1 says \"$2\", the build says \"$version\"" >&2
    failed=1
  fi
}
agree debian/changelog "$(sed -n '1s/^tarvel (\([^)]*\)).*/\1/p' "$source/debian/changelog")"
agree README.md "$(sed -n 's/^This is Tarvel \([0-9][0-9.]*\) .*/\1/p' "$source/README.md" | head -n 1)"
agree "the metainfo's newest release" \
  "$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$source/desktop/cz.tarvel.Tarvel.metainfo.xml" | head -n 1)"
for page in tarvel.6 tarvelsvr.6 tarvelweb.6; do
  agree "docs/man/$page" "$(sed -n '1s/^\.TH [^"]*"[^"]*" "Tarvel \([^"]*\)".*/\1/p' "$source/docs/man/$page")"
done
# They answer without a display.
agree "tarvel --version" "$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$tarvel" --version |
  sed -n '1s/^tarvel (Tarvel) //p')"
agree "tarvelsvr --version" "$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$tarvelsvr" --version 2>/dev/null |
  sed -n '1s/^tarvelsvr (Tarvel) //p')"
agree "tarvelweb --version" "$("$tarvelweb" --version | sed -n '1s/^tarvelweb (Tarvel) //p')"
exit "$failed"
