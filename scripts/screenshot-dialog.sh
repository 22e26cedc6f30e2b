#!/usr/bin/env bash
# Takes the README's picture of the payment format dialog: runs the reference host's export
# interactively on a virtual X display with Wine's X11 driver and captures the dialog's window
# into docs/payment-format-dialog.png. Run by hand from the repository root (x64 build).
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/preset.sh
build_preset x64 Corvane velmora-host >/dev/null
for p in xvfb imagemagick xdotool; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' ||
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$p" >/dev/null
done

# A prefix of its own: the test prefix runs on the null graphics driver, this one on X11.
prefix="$PWD/build/x64/screenshot-prefix"
display=:97
caption="Velmora Northern Bank Payment Processing"
picture=docs/payment-format-dialog.png

Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
host=""
cleanup() {
  [ -n "$host" ] && kill "$host" 2>/dev/null || true
  bash scripts/wine-prefix.sh stop x64 "$prefix"
  kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
export DISPLAY="$display"

bash scripts/wine-prefix.sh start-display x64 "$prefix"
scripts/wine-exec.sh x64 "$prefix" regsvr32 /s build/x64/module/Corvane.dll </dev/null >/dev/null 2>&1
scripts/wine-exec.sh x64 "$prefix" build/x64/tools/velmora-host/velmora-host.exe export \
  --batch samples/payments.csv --interactive </dev/null >/dev/null 2>&1 &
host=$!

window=""
for _ in $(seq 60); do
  window=$(xdotool search --name "^$caption\$" 2>/dev/null | head -1) && [ -n "$window" ] && break
  sleep 1
done
[ -n "$window" ] || { echo "the payment format dialog did not appear" >&2; exit 1; }
sleep 2 # let the dialog finish painting
mkdir -p docs
import -window "$window" "$picture"
echo "$picture: $(identify -format '%wx%h' "$picture")"
