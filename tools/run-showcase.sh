#!/usr/bin/env bash
# Sets up, builds and starts the showcase. On the user's X display (DISPLAY
# set) it runs until the reader quits; with no display it runs on a virtual
# one, walks through every page and saves a screenshot of each to
# build/showcase/<number>-<page>.png, and what it played to build/showcase/sound.wav.
#   --gallery   (virtual display only) also writes the README's gallery:
#               docs/gallery/<group>.png, one small picture per page group
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
gallery=0
[ "${1:-}" = "--gallery" ] && gallery=1
tools/setup.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j2 --target showcase

if [ -n "${DISPLAY:-}" ] && [ "$gallery" = 0 ]; then
  exec cmake/wine-run.sh build/win32/bin/showcase.exe
fi

. tools/wine-session.sh
trap stop_session EXIT
unset DISPLAY
start_session 16
out=build/showcase
rm -rf "$out" && mkdir -p "$out/run" "$out/config/alsa"
[ "$gallery" = 1 ] && rm -rf docs/gallery && mkdir -p docs/gallery
# Wine plays into a file through an ALSA file device.
echo "pcm.!default { type file slave.pcm \"null\" file \"$root/$out/sound.wav\" format \"wav\" }" \
  >"$out/config/alsa/asoundrc"
export XDG_CONFIG_HOME="$root/$out/config"
(cd "$out/run" && exec "$root/cmake/wine-run.sh" "$root/build/win32/bin/showcase.exe" \
  </dev/null >/dev/null 2>&1) &
program=$!

log() { iconv -f CP932 -t UTF-8 "$out/run/DEBUG.TXT" 2>/dev/null | grep '^page ' || true; }
wait_pages() {   # waits until the log holds $1 page openings
  for _ in $(seq 200); do
    [ "$(log | wc -l)" -ge "$1" ] && return 0
    sleep 0.1
  done
  echo "run-showcase: the showcase did not open page $1" >&2
  return 1
}
wait_pages 1
window=$(xdotool search --name '^mu showcase$' | head -1)
xdotool windowfocus "$window" 2>/dev/null || true
eval "$(xdotool getwindowgeometry --shell "$window")"   # X, Y, WIDTH, HEIGHT of the window
# The client area: 640 x 480 inside equal side and bottom borders, below the caption.
border=$(((WIDTH - 640) / 2))
X=$((X + border)) Y=$((Y + HEIGHT - 480 - border))
xdotool mousemove $((X + 620)) $((Y + 330))
count=$(log | head -1 | sed -E 's/^page [0-9]+ of ([0-9]+):.*/\1/')
for n in $(seq "$count"); do
  wait_pages "$n"
  line=$(log | sed -n "${n}p")
  name=$(echo "$line" | sed -E 's/^page [0-9]+ of [0-9]+: ([a-z0-9]+) .*/\1/')
  group=$(echo "$line" | sed -E 's/^page [^(]*\(([a-z0-9]+)\).*/\1/')
  sleep 1.5
  shot=$(printf '%s/%02d-%s.png' "$out" "$n" "$name")
  import -window root -crop "640x480+$X+$Y" +repage "$shot"
  if [ "$gallery" = 1 ] && [[ "$line" == *", gallery"* ]]; then
    convert "$shot" -resize 50% -colors 96 -define png:compression-level=9 \
      "PNG8:docs/gallery/$group.png"
  fi
  xdotool keydown Right && sleep 0.1 && xdotool keyup Right
done
xdotool key Escape
wait "$program" && echo "the showcase ran through $count pages and ended with exit code 0;" \
  "screenshots: $out/"
