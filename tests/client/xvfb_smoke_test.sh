#!/usr/bin/env bash
# The real client on a real X display (Xvfb): the window opens, keys pressed with
# xdotool deal a match and play a card, the sound log shows what was heard, and a
# screenshot of the screen is kept for a person to look at.
#
# Usage: xvfb_smoke_test.sh TARVEL PICTURE_PROGRAM SCREENSHOT_PNG
set -euo pipefail
tarvel=$(realpath -- "$1")
pictures=$(realpath -- "$2")
shot=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

QT_QPA_PLATFORM=offscreen "$pictures" "$work/karty" >/dev/null
cat >"$work/run.sh" <<RUN
#!/usr/bin/env bash
set -euo pipefail
cd "$work"
unset QT_QPA_PLATFORM  # the real X display
TARVEL_AUDIO=log TARVEL_AUDIO_LOG="$work/sound.log" TARVEL_SEED=1 "$tarvel" >"$work/client.out" 2>&1 &
client=\$!
window=\$(timeout 20 xdotool search --sync --onlyvisible --name '^Tarvel\$' | head -n 1)
xdotool windowfocus --sync "\$window"
xdotool key ctrl+n
# The deal is announced; then the player lays his first card that fits.
for _ in \$(seq 50); do grep -q 'Zacinas' "$work/sound.log" 2>/dev/null && break; sleep 0.1; done
for key in Home Return Right Return Right Return Right Return Right Return; do xdotool key "\$key"; sleep 0.1; done
sleep 0.5
xwd -root -silent | convert xwd:- "$shot"
kill "\$client"
RUN
chmod +x "$work/run.sh"
xvfb-run -a -s "-screen 0 1024x768x24" "$work/run.sh"

echo "heard:"
cat "$work/sound.log"
grep -q $'^zvuky/z10 krizova1.wav\twait' "$work/sound.log" || { echo "the start card was not announced" >&2; exit 1; }
grep -q $'^zvuky/zZacinas.wav\twait' "$work/sound.log" || { echo "who begins was not announced" >&2; exit 1; }
grep -q '^zvuky/vyhozeni' "$work/sound.log" || { echo "no card was played" >&2; exit 1; }
[ -s "$shot" ] || { echo "no screenshot" >&2; exit 1; }
echo "screenshot: $shot"
