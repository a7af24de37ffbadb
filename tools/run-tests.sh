#!/bin/sh
# Installs whatever is missing, then builds and runs every test of every preset:
# native debug (AddressSanitizer, UndefinedBehaviorSanitizer), native release,
# and the Windows cross build under Wine with a virtual display.
set -eu
cd "$(dirname "$0")/.."
tools/install-deps.sh

for preset in native-debug native-release; do
  echo "== $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done

echo "== windows"
cmake --preset windows >/dev/null
cmake --build --preset windows
tools/with-wine.sh build/windows/wineprefix ctest --preset windows
