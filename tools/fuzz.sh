#!/bin/sh
# Builds the libFuzzer targets (fuzz preset: clang-14, AddressSanitizer,
# UndefinedBehaviorSanitizer) and runs each for the given number of seconds.
# Usage: tools/fuzz.sh <seconds> [target...]   (targets: chunk midi host vst3_state clap_state clap_process lv2_events; default all, one after the other)
# With QUORVEL_FUZZ_RUNS=<n> each target runs n inputs instead, however long that takes.
# Each run starts from the committed corpus fuzz/corpus/<target> and keeps what it
# finds in build/fuzz/corpus/<target>; with QUORVEL_FUZZ_MERGE=1 the new inputs
# that add coverage are merged back into fuzz/corpus/<target>. A crash leaves its
# input in build/fuzz/findings/<target> and makes the script fail.
set -eu
cd "$(dirname "$0")/.."
if [ $# -lt 1 ]; then
  echo "usage: $0 <seconds> [target...]" >&2
  exit 2
fi
seconds="$1"
shift
targets="${*:-chunk midi host vst3_state clap_state clap_process lv2_events}"

cmake --preset fuzz >/dev/null
for target in $targets; do
  cmake --build --preset fuzz --target "${target}_fuzzer"
done

status=0
for target in $targets; do
  work="build/fuzz/corpus/$target"
  findings="build/fuzz/findings/$target"
  mkdir -p "$work" "$findings"
  if [ -n "${QUORVEL_FUZZ_RUNS:-}" ]; then
    limit="-runs=$QUORVEL_FUZZ_RUNS"
    echo "== $target: $QUORVEL_FUZZ_RUNS inputs"
  else
    limit="-max_total_time=$seconds"
    echo "== $target: ${seconds} s"
  fi
  if ! "build/fuzz/fuzz/${target}_fuzzer" "$limit" -print_final_stats=1 \
      -artifact_prefix="$findings/" "$work" "fuzz/corpus/$target"; then
    status=1
  fi
  if [ "${QUORVEL_FUZZ_MERGE:-0}" = 1 ]; then
    "build/fuzz/fuzz/${target}_fuzzer" -merge=1 "fuzz/corpus/$target" "$work"
  fi
done
exit $status
