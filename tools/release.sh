#!/bin/sh
# Builds the release packages of the checked-out commit into dist/:
#   QuorvelDelay-<version>-windows-x64-setup.exe (the Windows installer),
#   QuorvelDelay-<version>-windows-x64.zip, QuorvelDelay-<version>-linux-x86_64.tar.gz,
#   quorvel-delay_<version>_amd64.deb and SHA256SUMS over the four.
# The bytes depend only on the commit: every date is the last commit's.
set -eu
cd "$(dirname "$0")/.."
tools/install-deps.sh

SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
export SOURCE_DATE_EPOCH
export TZ=UTC LC_ALL=C
umask 022

for preset in native-release windows; do
  echo "== $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
done

rm -rf dist
cpack --preset linux >/dev/null
cpack --preset windows >/dev/null
rm -rf dist/_CPack_Packages
cd dist
sha256sum QuorvelDelay-*-windows-x64-setup.exe QuorvelDelay-*-windows-x64.zip QuorvelDelay-*-linux-x86_64.tar.gz quorvel-delay_*_amd64.deb >SHA256SUMS
