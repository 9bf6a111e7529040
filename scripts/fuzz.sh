#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, ASan, UBSan) and runs each for a bounded time.
# Usage: scripts/fuzz.sh [seconds-per-target]   (default 60; CI runs a short round)
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-60}"
cmake --preset fuzz -DKORVANE_WERROR=ON >/dev/null
cmake --build --preset fuzz -j "$(nproc)"

shopt -s nullglob
targets=(build/fuzz/fuzz/fuzz_*)
if [ ${#targets[@]} -eq 0 ]; then
  echo "no fuzz targets were built" >&2
  exit 1
fi
for target in "${targets[@]}"; do
  [ -x "$target" ] || continue
  name="$(basename "$target")"
  corpus="build/fuzz/corpus/$name"
  mkdir -p "$corpus"
  seeds=()
  [ -d "fuzz/corpus/${name#fuzz_}" ] && seeds=("fuzz/corpus/${name#fuzz_}")
  echo "== $name for ${seconds}s"
  # The scratch corpus comes first, so the committed seeds stay as they are.
  "$target" -max_total_time="$seconds" -max_len=8192 -print_final_stats=1 "$corpus" "${seeds[@]}" \
    2>&1 | tail -n 12
done
