#!/usr/bin/env bash
# The one test command: installs what is missing, builds the shipped 32-bit programs, and runs
# every test under Wine on a virtual display.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

arch=$(scripts/wine-arch.sh)
build() {  # build PRESET WITH_TESTS
  cmake --preset "windows-$1" -DBRINDEL_BUILD_TESTS="$2" >/dev/null
  cmake --build --preset "windows-$1"
}

if [ "$arch" = x86 ]; then
  build x86 ON
else
  echo "test: this kernel runs no 32-bit code; building the 32-bit programs, testing a 64-bit build"
  build x86 OFF
  build "$arch" ON
fi
xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" ctest --preset "windows-$arch" "$@"
