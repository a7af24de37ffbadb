#!/bin/sh
# Runs the toolkit demo under Wine in a virtual display and saves a PNG screenshot
# of the editor's area; with a second file name, also one of the About dialog.
# Build the windows preset first.
# Usage: tools/toolkit-screenshot.sh [editor.png [about.png]]
#        (default: docs/toolkit-demo.png)
set -eu
cd "$(dirname "$0")/.."
out="${1:-docs/toolkit-demo.png}"
about="${2:-}"
exe=build/windows/tools/toolkit-demo/quorvel-toolkit-demo.exe
if [ ! -f "$exe" ]; then
  echo "toolkit-screenshot: $exe is missing; build the windows preset first" >&2
  exit 1
fi
mkdir -p "$(dirname "$out")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
flags="--exit-after 6000"
if [ -n "$about" ]; then flags="$flags --about"; fi

# The demo closes itself; the screen is taken while it is up. Both run inside the
# same display, which with-wine.sh starts and stops.
# shellcheck disable=SC2086
tools/with-wine.sh build/windows/wineprefix sh -c '
  exe=$1 work=$2
  shift 2
  wine "$exe" "$@" >"$work/geometry" 2>/dev/null &
  demo=$!
  sleep 4
  import -window root "$work/screen.png"
  wait $demo' screenshot "$exe" "$work" $flags

# crop <name> <file>: cuts the client area the demo reported as "<name> x y width height".
crop() {
  target=$2
  line=$(grep "^$1 " "$work/geometry") || { echo "toolkit-screenshot: no $1 window" >&2; exit 1; }
  # shellcheck disable=SC2086
  set -- $line
  convert "$work/screen.png" -crop "${4}x${5}+${2}+${3}" +repage "$target"
  echo "toolkit-screenshot: wrote $target (${4}x${5})"
}
crop view "$out"
if [ -n "$about" ]; then crop about "$about"; fi
