#!/usr/bin/env bash
# Builds the fuzzers with clang and runs each for the given number of seconds
# (default 10) from the shipped seeds, with a fixed random seed.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-10}
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
for fuzzer in namecodes abilitycodes; do
  corpus=$(mktemp -d)
  cp fuzz/seeds/$fuzzer/* "$corpus"/
  echo "=== ${fuzzer}_fuzzer for ${seconds}s"
  log="$corpus/log"
  if ! build/fuzz/fuzz/${fuzzer}_fuzzer -seed=1 -max_total_time="$seconds" -max_len=4096 \
      -dict=fuzz/fuzzers.dict -artifact_prefix=build/fuzz/ "$corpus" >"$log" 2>&1; then
    tail -n 40 "$log"
    echo "${fuzzer}_fuzzer failed; the input that failed is in build/fuzz/"
    exit 1
  fi
  tail -n 1 "$log"
  rm -rf "$corpus"
done
