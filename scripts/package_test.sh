#!/usr/bin/env bash
# The Debian packages from end to end: built, split as they should be (the programs in
# tarvel, what they read in tarvel-data for every architecture, the first depending on
# the second at its very version), checked by lintian (no errors, no warnings), the menu
# entry and software-centre file validated, installed with apt-get, the server started
# as its service starts it, the installed client started as a new player would (a fresh
# home folder, no game folder) on Xvfb with its sounds logged, a match dealt with every
# phrase found, the settings written into the home folder and nothing into the
# installed folders, tarvelweb started as its service starts it and its page, recordings and
# WebSocket reached over HTTP, its page in headless Chromium playing a network match at the
# installed server against the installed desktop client with agreeing verdicts, and both
# packages purged again.
# Usage: package_test.sh [--no-build] [OUTPUT_DIR]   (default: build-package)
#   --no-build  tests the package already in OUTPUT_DIR
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=1
if [ "${1:-}" = --no-build ]; then
  build=0
  shift
fi
out=$(realpath -m -- "${1:-$root/build-package}")
as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
fail() { echo "package test: $*" >&2; exit 1; }

start=$(date +%s)
# Built quickly (no optimisation, no debug information): the files and the behaviour
# under test are those of the release build.
[ "$build" -eq 0 ] || "$root/scripts/package.sh" --quick "$out"
deb=$(ls "$out"/tarvel_*.deb)
data_deb=$(ls "$out"/tarvel-data_*.deb)
echo "package test: built $deb and $data_deb in $(($(date +%s) - start)) s"

# The split: the programs depend on the data of their own version; the data is the same
# for every architecture and holds everything under the game's data folder.
version=$(dpkg-deb -f "$deb" Version)
[ "$(dpkg-deb -f "$data_deb" Architecture)" = all ] || fail "tarvel-data is not for every architecture"
[ "$(dpkg-deb -f "$data_deb" Version)" = "$version" ] || fail "tarvel-data has another version than tarvel"
# (Listings are read whole first: grep -q leaving a pipe early would fail it.)
depends=$(dpkg-deb -f "$deb" Depends)
tr ',' '\n' <<<"$depends" | grep -qx " *tarvel-data (= $version)" ||
  fail "tarvel does not depend on tarvel-data (= $version): $depends"
programs=$(dpkg-deb -c "$deb")
data_files=$(dpkg-deb -c "$data_deb")
if grep -q ' \./usr/share/games/' <<<"$programs"; then fail "tarvel holds data that belongs in tarvel-data"; fi
for needed in zvuky/zZacinas.wav zvuky/zZacinas.opus zvuky/zZacinas.mp3 karty/card1.bmp tarvel.txt tarvelsvr.txt \
  svrlist.txt web/index.html web/tarvel.js; do
  grep -q " \./usr/share/games/tarvel/$needed\$" <<<"$data_files" || fail "tarvel-data lacks $needed"
done

# lintian: errors and warnings fail.
lintian --fail-on error,warning --display-level '>=warning' "$deb" "$data_deb"

view=$(mktemp -d)
home=$(mktemp -d)
server_out=$(mktemp)
web_out=$(mktemp)
cleanup() {
  kill "${server:-}" "${web:-}" 2>/dev/null || true
  rm -rf "$view" "$home" "$server_out" "$web_out" "${net_home:-}"
  local package
  for package in tarvel tarvel-data; do
    if dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
      "${as_root[@]}" apt-get purge -y -qq "$package" >/dev/null || true
    fi
  done
}
trap cleanup EXIT
dpkg-deb -x "$deb" "$view"
desktop-file-validate "$view/usr/share/applications/cz.tarvel.Tarvel.desktop"
appstreamcli validate --no-net "$view/usr/share/metainfo/cz.tarvel.Tarvel.metainfo.xml"

DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq "$deb" "$data_deb" >/dev/null
data=/usr/share/games/tarvel
for program in /usr/games/tarvel /usr/games/tarvelsvr /usr/games/tarvelweb; do
  [ -x "$program" ] || fail "$program is not installed"
done
[ -f /etc/tarvel/tarvelsvr.ini ] || fail "the server's settings file is missing"
[ -f /etc/tarvel/tarvelweb.ini ] || fail "tarvelweb's settings file is missing"
unit=$(dpkg -L tarvel | grep '/systemd/system/tarvelsvr.service$') || fail "no systemd unit for the server"
web_unit=$(dpkg -L tarvel | grep '/systemd/system/tarvelweb.service$') || fail "no systemd unit for tarvelweb"
if command -v systemd-analyze >/dev/null; then systemd-analyze verify "$unit" "$web_unit"; fi
# The unit starts what the package installed, with the settings it installed.
grep -qx 'ExecStart=/usr/games/tarvelweb --settings /etc/tarvel/tarvelweb.ini' "$web_unit" ||
  fail "tarvelweb's unit does not start the installed tarvelweb with /etc/tarvel/tarvelweb.ini"

# Run as a player: an unprivileged user where this runs as root, so that a write into
# the installed folders would fail as it does on a player's machine.
player=()
if [ "$(id -u)" -eq 0 ]; then
  player=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
  chown nobody:nogroup "$home" "$server_out"
fi

# The server as the service runs it: its settings from /etc, no display, no desktop.
"${player[@]}" env -i PATH=/usr/bin:/bin HOME="$home" /usr/games/tarvelsvr --settings /etc/tarvel/tarvelsvr.ini \
  >"$server_out" 2>&1 &
server=$!
for _ in $(seq 100); do grep -q '^Port serveru: 1412$' "$server_out" && break; sleep 0.1; done
grep -q '^Port serveru: 1412$' "$server_out" || { cat "$server_out"; fail "the server did not start from /etc"; }

# tarvelweb as its service runs it: settings from /etc, files from the installed data,
# started from a folder that holds nothing of the game.
# (exec: the process killed below is tarvelweb itself, not a shell around it.)
(cd / && exec "${player[@]}" env -i PATH=/usr/bin:/bin HOME="$home" /usr/games/tarvelweb \
  --settings /etc/tarvel/tarvelweb.ini >"$web_out" 2>&1) &
web=$!
for _ in $(seq 100); do grep -q 'http://127.0.0.1:8412/' "$web_out" && break; sleep 0.1; done
page=$(curl -s -i --max-time 5 http://127.0.0.1:8412/) || true
recording=$(curl -s -I --max-time 5 'http://127.0.0.1:8412/zvuky/zZacinas.opus') || true
upgrade=$(curl -s -i --max-time 2 -H 'Connection: Upgrade' -H 'Upgrade: websocket' -H 'Sec-WebSocket-Version: 13' \
  -H 'Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==' -H 'Origin: http://127.0.0.1:8412' \
  http://127.0.0.1:8412/ws) || true
grep -q '^HTTP/1.1 200' <<<"$page" || { cat "$web_out"; fail "tarvelweb did not serve its page from the installed files"; }
grep -qi "^Content-Security-Policy: default-src 'self'" <<<"$page" || fail "the page has no content security policy"
grep -q '^HTTP/1.1 200' <<<"$recording" || fail "tarvelweb did not serve the installed recordings"
grep -qi '^Cache-Control: max-age=' <<<"$recording" || fail "the recordings are served without cache headers"
grep -q '^HTTP/1.1 101' <<<"$upgrade" || fail "tarvelweb's WebSocket did not open: $upgrade"

# The client as a new player starts it: a fresh home, started from the home folder.
cat >"$home/play.sh" <<PLAY
#!/usr/bin/env bash
set -euo pipefail
cd "$home"
TARVEL_AUDIO=log TARVEL_AUDIO_LOG="$home/sound.log" TARVEL_SEED=1 tarvel >"$home/client.out" 2>&1 &
client=\$!
window=\$(timeout 20 xdotool search --sync --onlyvisible --name '^Tarvel\$' | head -n 1)
xdotool windowfocus --sync "\$window"
xdotool key ctrl+n
for _ in \$(seq 100); do grep -q 'Zacinas' "$home/sound.log" 2>/dev/null && break; sleep 0.1; done
for key in Home Return Right Return Right Return; do xdotool key "\$key"; sleep 0.1; done
# The environment settings confirmed: the settings file is written.
xdotool key ctrl+e
sleep 0.5
xdotool key Return
for _ in \$(seq 50); do [ -f "$home/.local/share/tarvel/tarvel.ini" ] && break; sleep 0.1; done
kill "\$client"
PLAY
chmod +x "$home/play.sh"
"${player[@]}" env -i PATH=/usr/games:/usr/bin:/bin HOME="$home" LANG=C.UTF-8 \
  xvfb-run -a -s "-screen 0 1024x768x24" "$home/play.sh"

# A network match of one short game at a named table of the installed server: the page of
# the installed tarvelweb in headless Chromium against the installed desktop client on
# Xvfb, both by keys alone. Both ask for the same rules; the desktop player's
# settings are those of a player who set them in his dialogs.
net_home=$(mktemp -d)
mkdir -p "$net_home/.local/share/tarvel"
# (The settings file is in Windows-1250, as the game writes it.)
iconv -f UTF-8 -t CP1250 >"$net_home/.local/share/tarvel/tarvel.ini" <<'INI'
[game]
pickupforseven=2
kingofspades=0
returntogame=0
playforpoints=1
numberofgames=1
compulsory=0
shufflecards=0
dealtcards=4
playergender=m
usetable=0
[net]
ipaddress=127.0.0.1
port=1412
table=Balík
INI
page_settings='{"pickupForSeven":2,"kingOfSpades":false,"returnToGame":false,"playForPoints":true,"numberOfGames":1,"compulsory":false,"shuffleCards":false,"dealtCards":4,"gender":"z","useTable":false,"computerLevel":0}'
cat >"$net_home/play.sh" <<PLAY
#!/usr/bin/env bash
set -euo pipefail
cd "$net_home"
TARVEL_AUDIO=log TARVEL_AUDIO_LOG="$net_home/sound.log" tarvel >"$net_home/client.out" 2>&1 &
client=\$!
window=\$(timeout 20 xdotool search --sync --onlyvisible --name '^Tarvel\$' | head -n 1)
xdotool windowfocus --sync "\$window"
xdotool key ctrl+i
# No key until both are dealt: Enter would answer the waiting dialog.
for _ in \$(seq 300); do [ -e "$net_home/DEALT" ] && break; sleep 0.1; done
sleep 1
# Each card in turn and then a draw, again and again: a key out of turn is only answered.
for _ in \$(seq 200); do
  [ -e "$net_home/OVER" ] && break
  xdotool search --onlyvisible --name '^Tarvel\$' windowfocus 2>/dev/null || true
  xdotool key --delay 40 Home Return Right Return Right Return Right Return Right Return Right Return space
  sleep 0.3
done
kill "\$client"
PLAY
chmod +x "$net_home/play.sh"
[ ${#player[@]} -eq 0 ] || chown -R nobody:nogroup "$net_home"
"${player[@]}" env -i PATH=/usr/games:/usr/bin:/bin HOME="$net_home" LANG=C.UTF-8 \
  xvfb-run -a -s "-screen 0 1024x768x24" "$net_home/play.sh" &
desktop=$!
page_result=0
TARVEL_SOURCE="$root" node "$root/tests/package/page_meets_desktop.mjs" http://127.0.0.1:8412 Balík \
  "$page_settings" "$net_home" || page_result=$?
touch "$net_home/OVER" 2>/dev/null || true
wait "$desktop" || true
kill "$web" "$server" 2>/dev/null || true
wait "$web" "$server" 2>/dev/null || true
if [ "$page_result" -ne 0 ]; then
  tail -n 20 "$net_home/sound.log" "$net_home/client.out" "$server_out" 2>/dev/null
  fail "no network match between the page and the desktop client"
fi
grep -q 'Balík' "$server_out" || fail "the server never seated the named table"
grep -q '/zvuky/vyhozeni' "$net_home/sound.log" || fail "the desktop player heard no card laid"
if grep $'\tmissing$' "$net_home/sound.log"; then fail "recordings are missing in the network match"; fi
read -r page_wins desktop_wins <"$net_home/WINS"
desktop_heard_won=0
if grep -qi '/zvuky/[mz]\?jsi vitez\.' "$net_home/sound.log"; then desktop_heard_won=1; fi
[ "$desktop_heard_won" -eq "$desktop_wins" ] ||
  fail "the verdicts differ: the page counts $page_wins : $desktop_wins, the desktop player heard he won: $desktop_heard_won"
echo "package test: network match of the page against the desktop client ended, games won (page : desktop) $page_wins : $desktop_wins on both sides"
rm -rf "$net_home"

files=$home/.local/share/tarvel
echo "package test: heard $(wc -l <"$home/sound.log") phrases"
grep -q $'^/usr/share/games/tarvel/zvuky/zZacinas.wav\twait\tfound$' "$home/sound.log" ||
  { cat "$home/sound.log" "$home/client.out"; fail "who begins was not heard from the installed recordings"; }
grep -q '^/usr/share/games/tarvel/zvuky/vyhozeni' "$home/sound.log" || fail "no card was played"
if grep $'\tmissing$' "$home/sound.log"; then fail "recordings are missing"; fi
[ -s "$files/tarvel.ini" ] || fail "the settings were not written into $files"
[ "$(stat -c %s "$files/tarvel.tab")" -eq 320 ] || fail "no starting table of results in $files"
cmp -s "$files/svrlist.txt" "$data/svrlist.txt" || fail "no example list of servers in $files"
# Nothing written into the installed folders: every file is as packaged, none added.
dpkg --verify tarvel tarvel-data || fail "installed files were changed"
extra=$(comm -13 <(dpkg -L tarvel tarvel-data | sort -u) <(find "$data" | sort))
[ -z "$extra" ] || fail "files were added to $data: $extra"

DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get purge -y -qq tarvel tarvel-data >/dev/null
for gone in /usr/games/tarvel /usr/games/tarvelsvr /usr/games/tarvelweb "$data" /etc/tarvel "$unit" "$web_unit"; do
  [ ! -e "$gone" ] || fail "$gone is still there after the purge"
done
echo "package test: passed in $(($(date +%s) - start)) s"
