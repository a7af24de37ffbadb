#!/bin/sh
# Builds the current commit twice, from clean clones in two different folders,
# with tools/release.sh, and compares the modules (the VST2 modules and the VST3
# bundles' modules and descriptions), the host and the release packages byte for byte;
# diffoscope shows any difference. Uncommitted changes are not part of the check. Exit status 0 when everything is identical.
set -eu
cd "$(dirname "$0")/.."
tools/install-deps.sh

commit=$(git rev-parse HEAD)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
first=$work/first/quorvel-delay
second=$work/second/a/longer/path/quorvel
for tree in "$first" "$second"; do
  git clone -q --no-checkout "$(pwd)" "$tree"
  git -C "$tree" checkout -q "$commit"
  echo "== building $commit in $tree"
  nice -n 10 "$tree/tools/release.sh" >"$tree.log" 2>&1 || { tail -n 30 "$tree.log"; exit 1; }
done

status=0
lv2=build/native-release/host/quorvel-delay.lv2
for file in build/native-release/host/QuorvelDelay.so build/native-release/tools/quorvel-host/quorvel-host \
            build/native-release/host/QuorvelDelay.vst3/Contents/x86_64-linux/QuorvelDelay.so \
            build/native-release/host/QuorvelDelay.vst3/Contents/Resources/moduleinfo.json \
            $lv2/quorvel-delay.so $lv2/quorvel-delay-ui.so $lv2/quorvel-delay.ttl $lv2/manifest.ttl \
            build/windows/host/QuorvelDelay.dll build/windows/host/QuorvelDelay.vst3/Contents/x86_64-win/QuorvelDelay.vst3 \
            build/native-release/host/QuorvelDelay.clap build/windows/host/QuorvelDelay.clap \
            $(cd "$first" && ls dist/*); do
  if cmp -s "$first/$file" "$second/$file"; then
    echo "identical  $file"
  else
    echo "DIFFERENT  $file"
    diffoscope --text - "$first/$file" "$second/$file" || true
    status=1
  fi
done
echo "SHA256SUMS:"
cat "$first/dist/SHA256SUMS"
exit $status
