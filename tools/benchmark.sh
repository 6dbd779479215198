#!/usr/bin/env bash
# Builds and runs the benchmarks and prints their figures:
#  - natively (release build, preset bench): every effect kernel on 640 x 480
#    5-6-5 pixels beside memcpy, SDL2 and pixman blits measured in the same run
#    (installs libsdl2-dev and libpixman-1-dev for this, and only for this);
#  - under Wine on a 16-bit virtual display: the drawing core's frame (clear,
#    full-screen keyed blit, frame copy) and small keyed blits, the blits,
#    frame show and GDI calls on DirectDraw's path and on the library's, every
#    effect on the real back screen, Pelmora's GameFrame on both paths, then the
#    sound module's streaming refill and pack load (on an ALSA null device,
#    which gives Wine a sound device that plays nothing).
#   tools/benchmark.sh [native|wine]     (default both)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
what=${1:-both}
tools/setup.sh

if [ "$what" != wine ]; then
  as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }
  missing=()
  for p in libsdl2-dev libpixman-1-dev pkg-config; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "benchmark: installing ${missing[*]}"
    as_root apt-get update -qq
    DEBIAN_FRONTEND=noninteractive as_root apt-get install -y -qq --no-install-recommends \
      "${missing[@]}" >/dev/null
  fi
  cmake --preset bench >/dev/null
  cmake --build --preset bench -j2 --target effects_benchmark
  build/bench/tools/benchmark/native/effects_benchmark 16
fi

if [ "$what" != native ]; then
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
fi
