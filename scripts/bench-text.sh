#!/usr/bin/env bash
# Builds the text-work benchmark and runs it under Wine (no display needed: COM only).
# Usage: scripts/bench-text.sh [runs] [outer]
#   runs   how many timed runs each figure is the median of (default 9)
#   outer  hold one COM initialisation for the whole run (as a program that initialises COM
#          at start-up does), so that the pairs of each call nest inside it
set -euo pipefail
cd "$(dirname "$0")/.."
arch=$(scripts/wine-arch.sh)
cmake --preset "windows-$arch" -DBRINDEL_BUILD_TESTS=ON >/dev/null
cmake --build --preset "windows-$arch" --target bench_text_work
exec cmake/wine-run.sh "$arch" "$PWD/build/$arch/wineprefix" \
  "build/$arch/tests/engine/bench_text_work.exe" "${1:-9}" ${2:+"$2"}
