#!/bin/sh
# Opens the plug-in's editor under Wine in a virtual display, through the DLL's entry
# point, and saves PNG pictures of the editor and, with a second file name, of its
# About box.
# Usage: tools/editor-screenshot.sh [editor.png [about.png]]
#        (default: docs/editor.png docs/about-dialog.png)
set -eu
cd "$(dirname "$0")/.."
out="${1:-docs/editor.png}"
about="${2:-}"
if [ $# -eq 0 ]; then about=docs/about-dialog.png; fi
cmake --preset windows >/dev/null
cmake --build --preset windows --target quorvel-editor-screenshot
exe=build/windows/tools/editor-screenshot/quorvel-editor-screenshot.exe
plugin="Z:$(pwd)/build/windows/host/QuorvelDelay.dll"
mkdir -p "$(dirname "$out")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
flags="$plugin --exit-after 6000"
if [ -n "$about" ]; then flags="$flags --about"; fi

# The program closes itself; the screen is taken while it is up. Both run inside the
# same display, which with-wine.sh starts and stops.
# shellcheck disable=SC2016,SC2086
tools/with-wine.sh build/windows/wineprefix sh -c '
  exe=$1 work=$2
  shift 2
  wine "$exe" "$@" >"$work/geometry" 2>/dev/null &
  shown=$!
  sleep 4
  import -window root "$work/screen.png"
  wait $shown' screenshot "$exe" "$work" $flags

# crop <name> <file>: cuts the client area the program reported as "<name> x y width height".
crop() {
  target=$2
  line=$(grep "^$1 " "$work/geometry") || { echo "editor-screenshot: no $1 window" >&2; exit 1; }
  # shellcheck disable=SC2086
  set -- $line
  mkdir -p "$(dirname "$target")"
  convert "$work/screen.png" -crop "${4}x${5}+${2}+${3}" +repage "$target"
  echo "editor-screenshot: wrote $target (${4}x${5})"
}
crop view "$out"
if [ -n "$about" ]; then crop about "$about"; fi
