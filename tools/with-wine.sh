#!/bin/sh
# Runs a command (usually ctest) inside a virtual display with a warm Wine server.
#
# The first wine process starts Wine's services, which inherit the caller's output
# pipes; started here with all input and output redirected, they no longer keep
# ctest waiting. The warm-up must happen inside the same display as the tests.
# Usage: tools/with-wine.sh <wine prefix> <command...>
set -eu
prefix="$1"
shift
mkdir -p "$prefix"
WINEPREFIX="$(cd "$prefix" && pwd)"
WINEDEBUG=-all
export WINEPREFIX WINEDEBUG
exec xvfb-run -a -s "-screen 0 1280x1024x24" sh -c '
  wineserver -p
  wine cmd /c exit </dev/null >/dev/null 2>&1
  "$@"
  rc=$?
  wineserver -k
  exit $rc' with-wine "$@"
