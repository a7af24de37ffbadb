#!/bin/sh
# Installs whatever is missing, then builds and runs every test of every preset:
# native debug (AddressSanitizer, UndefinedBehaviorSanitizer) and native release in
# a virtual display (the Linux editor's tests drive real X windows), the module,
# editor and thread tests once more under ThreadSanitizer (native-tsan),
# the Windows cross build under Wine with a virtual display, and a short run of
# each fuzz target (clang-14).
set -eu
cd "$(dirname "$0")/.."
tools/install-deps.sh

# Each run looks for a free display from a number of its own, so that runs started
# side by side do not race for the same one.
display_start=$(( $$ % 400 + 100 ))
for preset in native-debug native-release native-tsan; do
  echo "== $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  xvfb-run -a -n "$display_start" -s "-screen 0 1280x1024x24" ctest --preset "$preset"
done

echo "== windows"
cmake --preset windows >/dev/null
cmake --build --preset windows
tools/with-wine.sh build/windows/wineprefix ctest --preset windows

echo "== fuzz (a short run of each target from the committed corpus)"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
tools/fuzz.sh 15
