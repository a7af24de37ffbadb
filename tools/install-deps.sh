#!/bin/sh
# Installs the Debian packages the build, the tests and the tools need.
# Safe to run repeatedly: only packages that are missing are installed.
set -eu

packages="cmake ninja-build g++ pkg-config python3 python3-pil fonts-inter imagemagick \
  libgtest-dev googletest libgmock-dev libbenchmark-dev libsndfile1-dev libx11-dev \
  libcairo2-dev libxtst-dev fonts-liberation \
  clang-14 libclang-rt-14-dev llvm-14 \
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 \
  wine wine64 xvfb xauth x11-apps x11-xserver-utils zam-plugins lsp-plugins-vst sox fonts-dejavu-core \
  help2man dpkg-dev lintian zip unzip diffoscope-minimal juce-modules-source-data ardour \
  lv2-dev liblilv-dev lilv-utils jalv sordi nsis locales"

missing=""
for p in $packages; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed"; then
    missing="$missing $p"
  fi
done

if [ -n "$missing" ]; then
  echo "Installing:$missing"
  SUDO=""
  if [ "$(id -u)" != 0 ]; then SUDO=sudo; fi
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  # shellcheck disable=SC2086
  $SUDO apt-get install -y -qq --no-install-recommends $missing >/dev/null
fi
