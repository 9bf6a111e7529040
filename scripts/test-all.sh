#!/usr/bin/env bash
# Every test: the native build and the sanitizer build (warnings as errors), then a short run of
# each fuzz target. Usage: scripts/test-all.sh [fuzz-seconds-per-target]
set -euo pipefail
cd "$(dirname "$0")/.."

fuzz_seconds="${1:-20}"
jobs="$(nproc)"

scripts/setup.sh

for preset in native sanitize; do
  echo "== $preset: build"
  cmake --preset "$preset" -DKORVANE_WERROR=ON >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  echo "== $preset: tests"
  ctest --preset "$preset" -j "$jobs"
done

echo "== fuzz: ${fuzz_seconds}s per target"
scripts/fuzz.sh "$fuzz_seconds"
