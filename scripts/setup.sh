#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build, test, fuzz and benchmark the station.
set -euo pipefail

packages=(
  g++ cmake ninja-build           # the native build
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev        # libFuzzer and the fuzz build
  sdcc srecord                    # regenerating samples/ (scripts/make-samples.sh)
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
