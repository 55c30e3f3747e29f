#!/usr/bin/env bash
# Builds everything with warnings as errors, runs each fuzzer briefly, then
# runs every test (last, so that the test summary closes the output).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset ci
cmake --build --preset ci
scripts/fuzz.sh 10
ctest --preset ci -j"$(nproc)"
