#!/usr/bin/env bash
# The main job in one command: installs what is missing, builds, starts a virtual display,
# runs the simulated client with a channel where several users arrive over some seconds,
# starts Brindel, operates it as a user would, lets it greet the arrivals, prints what was
# sent and writes a screenshot of each window.
# Usage: scripts/demo.sh [OUTPUT_DIR]   (default: build/<arch>/demo)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
scripts/setup.sh

arch=$(scripts/wine-arch.sh)
demo_targets=(brindel sim_client demo_operator)
configure() {  # configure PRESET WITH_TESTS
  cmake --preset "windows-$1" -DBRINDEL_BUILD_TESTS="$2" >/dev/null
}
if [ "$arch" = x86 ]; then
  configure x86 ON
  cmake --build --preset windows-x86 --target "${demo_targets[@]}"
else
  echo "demo: this kernel runs no 32-bit code; building the 32-bit programs, running a 64-bit build"
  configure x86 OFF
  cmake --build --preset windows-x86
  configure "$arch" ON
  cmake --build --preset "windows-$arch" --target "${demo_targets[@]}"
fi

build=$root/build/$arch
out=$(realpath -m "${1:-$build/demo}")
mkdir -p "$out"
prefix=$build/wineprefix
winpath() { echo "Z:${1//\//\\}"; }
run() { "$root/cmake/wine-run.sh" "$arch" "$prefix" "$@"; }

pids=()
cleanup() {
  local pid
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
}
trap cleanup EXIT

display=90
while [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=:$display
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.2; done

room=31415926
scenario=$out/channel.txt transcript=$out/transcript.txt
cat >"$scenario" <<'SCENARIO'
# The demo channel: a few users arrive over some seconds, one of them twice.
channel 大厅
menu alternate
500 say 管理员：欢迎来到大厅
1500 notice 张三
3000 notice 李四
3200 say 李四：大家好
5000 notice 王五
5200 notice 张三
7000 notice 赵六
7100 notice 孙七
SCENARIO
rm -f "$transcript"

echo "demo: starting the simulated client (room $room) and Brindel on display :$display"
run "$build/tools/sim_client/sim_client.exe" --room "$room" --scenario "$(winpath "$scenario")" \
  --transcript "$(winpath "$transcript")" >"$out/sim_client.log" 2>&1 &
client_pid=$!
pids+=("$client_pid")
for _ in $(seq 300); do [ -s "$transcript" ] && break; sleep 0.2; done
run "$build/app/brindel.exe" >"$out/brindel.log" 2>&1 &
brindel_pid=$!
pids+=("$brindel_pid")
run "$build/tests/e2e/demo_operator.exe" operate "$room"

arrivals=$(grep -c '^ *[0-9]* notice' "$scenario")
echo "demo: waiting for $arrivals greetings"
for _ in $(seq 600); do
  [ "$(grep -c $'\tsent\t' "$transcript" || true)" -ge "$arrivals" ] && break
  sleep 0.1
done
sleep 1

echo
echo "What the client showed and what Brindel sent (ms since the client started):"
awk -F'\t' '$3 == "notice" || $3 == "say" || $3 == "sent" { printf "%7d  %-6s  %s\n", $1, $3, $4 }' \
  "$transcript"
echo
echo "Delay from each arrival's notice to its greeting's Enter:"
awk -F'\t' '
  $3 == "notice" { seen[$4] = $1 }
  $3 == "sent" && match($4, /【.*】/) {
    name = substr($4, RSTART + length("【"), RLENGTH - 2 * length("【"))
    printf "  %-6s %5d ms\n", name, $1 - seen[name]
  }' "$transcript"

xwd -root -silent >"$out/screen.xwd"
while read -r name x y w h; do
  convert "$out/screen.xwd" -crop "${w}x${h}+${x}+${y}" +repage "$out/demo-$name.png"
done < <(run "$build/tests/e2e/demo_operator.exe" geometry | tr -d '\r')
rm -f "$out/screen.xwd"
echo
echo "demo: screenshots: $out/demo-client.png $out/demo-brindel.png"

run "$build/tests/e2e/demo_operator.exe" quit
for pid in "$brindel_pid" "$client_pid"; do
  for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
done
cleanup
kill "$xvfb_pid" 2>/dev/null || true
