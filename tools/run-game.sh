#!/usr/bin/env bash
# Sets up, builds and starts the game. On the user's X display (DISPLAY set) it
# runs until the player quits; with no display it runs on a virtual one for a
# few seconds and saves a screenshot to build/screenshot.png.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
tools/setup.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j2 --target pelmora

if [ -n "${DISPLAY:-}" ]; then
  exec cmake/wine-run.sh build/win32/bin/pelmora.exe
fi

. tools/wine-session.sh
trap stop_session EXIT
start_session 16
cmake/wine-run.sh build/win32/bin/pelmora.exe </dev/null >/dev/null 2>&1 &
game=$!
sleep 6
import -window root build/screenshot.png
xdotool search --name '^Pelmora$' windowfocus 2>/dev/null || true
xdotool key Escape
wait "$game" && echo "pelmora ran and ended with exit code 0; screenshot: build/screenshot.png"
