#!/usr/bin/env bash
# The one test command: installs what is missing, builds the shipped 32-bit program, and runs
# every test under Wine on a virtual display.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

build() { cmake --preset "windows-$1" >/dev/null && cmake --build --preset "windows-$1"; }

build x86
arch=$(scripts/wine-arch.sh)
if [ "$arch" != x86 ]; then
  echo "test: this kernel runs no 32-bit code under Wine; testing the same sources as a 64-bit build"
  build "$arch"
fi
xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" ctest --preset "windows-$arch" "$@"
