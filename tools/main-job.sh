#!/bin/sh
# The main job: installs whatever is missing, builds everything (native and
# Windows), shows the delay's parameter table, and renders the project's demo
# phrase through QuorvelDelay.so: a tempo-synced ping-pong (1/8 left, 1/4
# right at 120 bpm) with feedback through a low-pass, written as
# build/demo/demo-output.wav and pictured in docs/demo.png. Last, it builds the
# release packages into dist/ and lists them with their checksums.
set -eu
cd "$(dirname "$0")/.."
tools/install-deps.sh

cmake --preset native-release >/dev/null
cmake --build --preset native-release
cmake --preset windows >/dev/null
cmake --build --preset windows

build/native-release/tools/parameter-table/quorvel-parameter-table

demo=build/demo
plugin=build/native-release/host/QuorvelDelay.so
mkdir -p "$demo"
build/native-release/tools/demo-audio/quorvel-demo-audio "$demo/demo-input.wav"
build/native-release/tools/quorvel-host/quorvel-host render "$plugin" \
  "$demo/demo-input.wav" "$demo/demo-output.wav" --tempo 120 --tail 3 \
  --param "Sync=1" --param "Left Sync=0.5" --param "Right Sync=0.7" \
  --param "Feedback Level=0.75" --param "Filter=1" --param "Filter Type=0" --param "Cutoff Freq=0.4" \
  --param "Pan=1" --param "Wet/Dry Mix=0.6"
/usr/bin/python3 tools/demo-audio/waveform-picture.py "$demo/demo-input.wav" "$demo/demo-output.wav" \
  docs/demo.png "Quorvel Delay: ping-pong 1/8 | 1/4 at 120 bpm, feedback 0.56, low-pass 1.6 kHz" 120
echo "demo: $demo/demo-input.wav -> $demo/demo-output.wav, picture docs/demo.png"

tools/release.sh
echo "release packages in dist/:"
ls -l dist
cat dist/SHA256SUMS
