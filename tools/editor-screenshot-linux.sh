#!/bin/sh
# Opens the Linux module's editor in a virtual display, through the .so's entry
# point, and saves a PNG picture of it. With a DPI the display's "Xft.dpi" is set to
# it first, as a desktop at a scale does: 192 shows the editor at 200 %. The server
# keeps it after xrdb leaves (-noreset).
# Usage: tools/editor-screenshot-linux.sh [editor-linux.png [DPI]]
#   (default: docs/editor-linux.png at the display's own 96 dpi)
#   e.g.   tools/editor-screenshot-linux.sh docs/editor-linux@2x.png 192
set -eu
cd "$(dirname "$0")/.."
out="${1:-docs/editor-linux.png}"
dpi="${2:-}"
case "$dpi" in
  *[!0-9.]*) echo "editor-screenshot-linux.sh: the DPI must be a number, not '$dpi'" >&2; exit 2 ;;
esac
cmake --preset native-release >/dev/null
cmake --build --preset native-release --target quorvel-editor-screenshot-x11
mkdir -p "$(dirname "$out")"
xvfb-run -a -s "-screen 0 1920x1200x24 -noreset" sh -c '
  if [ -n "$1" ]; then echo "Xft.dpi: $1" | xrdb -nocpp -merge; fi
  exec "$2" "$3" "$4"' sh "$dpi" \
  build/native-release/tools/editor-screenshot-x11/quorvel-editor-screenshot-x11 \
  build/native-release/host/QuorvelDelay.so "$out"
