#!/usr/bin/env bash
# Builds everything with warnings as errors, runs every test, then runs each
# fuzzer briefly.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset ci
cmake --build --preset ci
ctest --preset ci -j"$(nproc)"
scripts/fuzz.sh 10
