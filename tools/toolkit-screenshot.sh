#!/bin/sh
# Runs the toolkit demo under Wine in a virtual display and saves a PNG screenshot
# of its window. Build the windows preset first.
# Usage: tools/toolkit-screenshot.sh [output.png]   (default: docs/toolkit-demo.png)
set -eu
cd "$(dirname "$0")/.."
out="${1:-docs/toolkit-demo.png}"
exe=build/windows/tools/toolkit-demo/quorvel-toolkit-demo.exe
if [ ! -f "$exe" ]; then
  echo "toolkit-screenshot: $exe is missing; build the windows preset first" >&2
  exit 1
fi
mkdir -p "$(dirname "$out")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The demo closes itself; the screen is taken while it is up. Both run inside the
# same display, which with-wine.sh starts and stops.
tools/with-wine.sh build/windows/wineprefix sh -c '
  wine "$1" --exit-after 6000 >"$2/geometry" 2>/dev/null &
  demo=$!
  sleep 4
  import -window root "$2/screen.png"
  wait $demo' screenshot "$exe" "$work"

read -r _ x y w h <"$work/geometry"
convert "$work/screen.png" -crop "${w}x${h}+${x}+${y}" +repage "$out"
echo "toolkit-screenshot: wrote $out (${w}x${h})"
