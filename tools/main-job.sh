#!/bin/sh
# The main job: installs whatever is missing, builds everything (native and
# Windows) and shows the delay's parameter table.
set -eu
cd "$(dirname "$0")/.."
tools/install-deps.sh

cmake --preset native-release >/dev/null
cmake --build --preset native-release
cmake --preset windows >/dev/null
cmake --build --preset windows

build/native-release/tools/parameter-table/quorvel-parameter-table
