#!/usr/bin/env bash
# Installs everything the build, the tests and the demo need on a Debian machine.
# Idempotent: when every package is present it returns at once without touching apt.
set -euo pipefail

packages=(
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
  wine wine32:i386 wine64 xvfb xauth googletest cmake ninja-build
  clang libclang-rt-14-dev x11-apps imagemagick fonts-wqy-microhei clang-format
)

missing() {
  local p
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q '^install ok installed$' || echo "$p"
  done
}

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  as_root dpkg --add-architecture i386
fi

todo=$(missing)
if [ -n "$todo" ]; then
  echo "setup: installing: $(echo $todo)"
  export DEBIAN_FRONTEND=noninteractive
  as_root apt-get update -q
  # shellcheck disable=SC2086
  as_root apt-get install -y -q --no-install-recommends $todo
fi

for tool in i686-w64-mingw32-g++-posix x86_64-w64-mingw32-g++-posix cmake ninja xvfb-run; do
  command -v "$tool" >/dev/null || { echo "setup: $tool is missing after install" >&2; exit 1; }
done
