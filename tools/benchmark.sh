#!/usr/bin/env bash
# Builds and runs the benchmarks under Wine on a 16-bit virtual display and
# prints their figures: the drawing core's frame (clear, full-screen keyed
# blit, frame copy) and small keyed blits, the blits, frame show and GDI calls
# on DirectDraw's path and on the library's, then Pelmora's GameFrame on both.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
tools/setup.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j2 --target draw_benchmark game_benchmark
. tools/wine-session.sh
trap stop_session EXIT
start_session 16
cd build/win32/bin
"$root/cmake/wine-run.sh" ./draw_benchmark.exe 2>/dev/null
"$root/cmake/wine-run.sh" ./game_benchmark.exe 2>/dev/null
