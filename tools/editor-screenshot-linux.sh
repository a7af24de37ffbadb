#!/bin/sh
# Opens the Linux module's editor in a virtual display, through the .so's entry
# point, and saves a PNG picture of it.
# Usage: tools/editor-screenshot-linux.sh [editor-linux.png]   (default: docs/editor-linux.png)
set -eu
cd "$(dirname "$0")/.."
out="${1:-docs/editor-linux.png}"
cmake --preset native-release >/dev/null
cmake --build --preset native-release --target quorvel-editor-screenshot-x11
mkdir -p "$(dirname "$out")"
xvfb-run -a -s "-screen 0 1280x1024x24" \
  build/native-release/tools/editor-screenshot-x11/quorvel-editor-screenshot-x11 \
  build/native-release/host/QuorvelDelay.so "$out"
