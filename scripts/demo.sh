#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds the station and runs it as a demo: in a scratch
# directory holding the samples, against a simulated TALVO camera, in real time. A passed write
# ends the process with exit status 1, which is what a production script tests for.
set -uo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh || exit 2
cmake --preset native >/dev/null || exit 2
cmake --build --preset native -j "$(nproc)" --target korvane korvane-image || exit 2

scratch="$(mktemp -d)"
cp samples/FW.hex samples/UI.hex "$scratch"/
echo "Working directory: $scratch"
build/native/src/platform/console/korvane -C "$scratch" --simulate model=TALVO "$@"
status=$?
echo "korvane exited with status $status ($([ $status -eq 1 ] && echo passed || echo not passed))"
ls -l "$scratch"
exit "$status"
