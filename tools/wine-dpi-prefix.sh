#!/bin/sh
# Makes a Wine prefix whose screen has the given DPI (its LogPixels), for the editor's
# tests at a scale factor. A prefix made before with that DPI is kept as it is.
# Usage: tools/wine-dpi-prefix.sh <prefix> <dpi>
set -eu
prefix="$1"
dpi="$2"
mark="$prefix/quorvel-dpi"
if [ -f "$mark" ] && [ "$(cat "$mark")" = "$dpi" ]; then
  exit 0
fi
mkdir -p "$prefix"
WINEPREFIX="$(cd "$prefix" && pwd)"
WINEDEBUG=-all
export WINEPREFIX WINEDEBUG
# Wine's services inherit the output pipes: all redirected, they keep nobody waiting.
wineboot -i </dev/null >/dev/null 2>&1
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f </dev/null >/dev/null 2>&1
# The server writes the registry out when it ends; the tests start their own.
wineserver -w
echo "$dpi" >"$mark"
