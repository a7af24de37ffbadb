#!/bin/sh
# Opens the plug-in's editor under Wine in a virtual display, through the DLL's entry
# point, and saves PNG pictures of the editor and, with a second file name, of its
# About box.
# Usage: tools/editor-screenshot.sh [editor.png [about.png]]
#        (default: docs/editor.png docs/about-dialog.png)
# With QUORVEL_SCREENSHOT_DPI=<dpi> (144 for 150 %, 192 for 200 %) the pictures are
# taken on a screen of that DPI, in a Wine prefix of its own.
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
prefix=build/windows/wineprefix
if [ -n "${QUORVEL_SCREENSHOT_DPI:-}" ]; then
  prefix="build/windows/wineprefix-$QUORVEL_SCREENSHOT_DPI"
  tools/wine-dpi-prefix.sh "$prefix" "$QUORVEL_SCREENSHOT_DPI"
fi
# shot <screen.png> <geometry> [--about]: runs the program and takes the screen while
# it is up; it closes itself. Both run inside the same display, which with-wine.sh
# starts and stops. The About box comes from a run of its own, as at high DPI it would
# cover part of the editor.
shot() {
  # shellcheck disable=SC2016
  tools/with-wine.sh "$prefix" sh -c '
    exe=$1 screen=$2 geometry=$3
    shift 3
    wine "$exe" "$@" >"$geometry" 2>/dev/null &
    shown=$!
    sleep 4
    import -window root "$screen"
    wait $shown' screenshot "$exe" "$@"
}
shot "$work/screen.png" "$work/geometry" "$plugin" --exit-after 6000
if [ -n "$about" ]; then shot "$work/about-screen.png" "$work/about-geometry" "$plugin" --exit-after 6000 --about; fi

# crop <name> <file> <run>: cuts the client area the program reported as "<name> x y
# width height" from the screen of run <run> ("" or "about-").
crop() {
  target=$2
  run=$3
  line=$(grep "^$1 " "$work/${run}geometry") || { echo "editor-screenshot: no $1 window" >&2; exit 1; }
  # shellcheck disable=SC2086
  set -- $line
  mkdir -p "$(dirname "$target")"
  convert "$work/${run}screen.png" -crop "${4}x${5}+${2}+${3}" +repage "$target"
  echo "editor-screenshot: wrote $target (${4}x${5})"
}
crop view "$out" ""
if [ -n "$about" ]; then crop about "$about" about-; fi
