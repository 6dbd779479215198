#!/usr/bin/env bash
# Builds and runs the benchmarks under Wine on a 16-bit virtual display and
# prints their figures: the drawing core's frame (clear, full-screen keyed
# blit, frame copy) and small keyed blits, the blits, frame show and GDI calls
# on DirectDraw's path and on the library's, Pelmora's GameFrame on both, then
# the sound module's streaming refill and pack load (on an ALSA null device,
# which gives Wine a sound device that plays nothing).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
tools/setup.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j2 --target draw_benchmark game_benchmark sound_benchmark
. tools/wine-session.sh
trap stop_session EXIT
start_session 16
cd build/win32/bin
"$root/cmake/wine-run.sh" ./draw_benchmark.exe 2>/dev/null
"$root/cmake/wine-run.sh" ./game_benchmark.exe 2>/dev/null
mkdir -p "$root/build/win32/sound_benchmark_config/alsa"
echo 'pcm.!default { type null }' >"$root/build/win32/sound_benchmark_config/alsa/asoundrc"
XDG_CONFIG_HOME="$root/build/win32/sound_benchmark_config" \
  "$root/cmake/wine-run.sh" ./sound_benchmark.exe 2>/dev/null
