#!/usr/bin/env bash
# Installs the page's npm packages (web/page/package-lock.json) with `npm ci`, only when
# the lock file changed since the last install, so running the set-up again costs nothing.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
page=$root/web/page
if ! command -v npm >/dev/null; then
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends npm
fi
stamp=$page/node_modules/.tarvel-lock
want=$(sha256sum "$page/package-lock.json" | cut -d' ' -f1)
if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$want" ]; then
  exit 0
fi
echo "Installing the page's npm packages"
(cd "$page" && npm ci --no-audit --no-fund --loglevel=error)
printf '%s\n' "$want" >"$stamp"
