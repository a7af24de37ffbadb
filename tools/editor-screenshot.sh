#!/bin/sh
# Renders the open editor, as the built DLL draws it under Wine in a virtual display,
# to docs/editor.png (or the file given).
# Usage: tools/editor-screenshot.sh [output.png]
set -eu
cd "$(dirname "$0")/.."
output="${1:-docs/editor.png}"
mkdir -p "$(dirname "$output")"
cmake --preset windows >/dev/null
cmake --build --preset windows --target editor_screenshot QuorvelDelay
tools/with-wine.sh build/windows/wineprefix \
  wine build/windows/tools/editor-screenshot/editor_screenshot.exe \
  "Z:$(pwd)/build/windows/host/QuorvelDelay.dll" "Z:$(cd "$(dirname "$output")" && pwd)/$(basename "$output")"
echo "wrote $output"
