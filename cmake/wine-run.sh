#!/usr/bin/env bash
# Runs a Windows program under Wine with the environment the project's programs need:
# code page 936, no debug chatter, a prefix of the build tree's own (made once, reused),
# unmanaged windows (focus and clipboard then work without a window manager) and no crash
# dialog (it would wait for a click and hang the run).
# Usage: wine-run.sh x86|x64 PREFIX program.exe [args...]
set -euo pipefail
arch=$1 prefix=$2
shift 2
case $arch in
  x86) loader=/usr/lib/wine/wine; export WINEARCH=win32 ;;
  x64) loader=/usr/lib/wine/wine64; export WINEARCH=win64 ;;
  *) echo "wine-run: unknown architecture $arch" >&2; exit 2 ;;
esac
export WINEPREFIX=$prefix LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
export WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml="

mkdir -p "$(dirname "$prefix")"
(
  flock 9
  if [ ! -f "$prefix/.brindel-ready" ]; then
    timeout 180 "$loader" wineboot -i >/dev/null 2>&1 || true
    timeout 60 "$loader" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    timeout 60 "$loader" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    touch "$prefix/.brindel-ready"
  fi
) 9>"$prefix.lock"

exec timeout --kill-after=10 "${BRINDEL_WINE_TIMEOUT:-600}" "$loader" "$@"
