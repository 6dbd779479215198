#!/usr/bin/env bash
# Runs a Windows program of the build (a tool made on the library) under Wine:
# on a private 24-bit virtual display, with a sound device that writes to
# /dev/null, in a Wine prefix of its own so that a session on the project's
# prefix is never touched. Everything it starts is stopped before it returns,
# so that nothing holds the build's output open. Fails when the program fails
# or when a file it was to make is missing afterwards.
#   run-build-tool.sh PREFIX PROGRAM.exe [FILE MADE...]
set -uo pipefail
prefix=$(realpath -m "$1")
program=$2
shift 2
export WINEPREFIX="$prefix" WINEARCH=win32 WINEDEBUG=-all
if [ ! -f "$prefix/system.reg" ]; then
  mkdir -p "$prefix"
  WINEDLLOVERRIDES="mscoree,mshtml=" DISPLAY= wineboot -i </dev/null >/dev/null 2>&1
  # Its server runs on a while without a display: windows opened meanwhile would fail.
  wineserver -w
fi
config=$(mktemp -d)
mkdir -p "$config/alsa"
echo 'pcm.!default { type file slave.pcm "null" file "/dev/null" format "raw" }' \
  >"$config/alsa/asoundrc"
export XDG_CONFIG_HOME="$config"

exec {fd}<> <(:)
Xvfb -displayfd "$fd" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
n=""
read -r -t 10 n <&"$fd" || true
exec {fd}>&-
export DISPLAY=":${n:-98}"
stop() {
  wineserver -k 2>/dev/null
  kill "$xvfb" 2>/dev/null
  wait "$xvfb" 2>/dev/null
  rm -rf "$config"
}
trap stop EXIT
wineserver -p </dev/null >/dev/null 2>&1
# A program that waits for an answer (an error box) must not hold the build.
LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 timeout 120 wine "$program" </dev/null >/dev/null 2>&1
status=$?
for made in "$@"; do
  [ -s "$made" ] || { echo "run-build-tool: $(basename "$program") did not make $made" >&2; status=1; }
done
[ $status -eq 0 ] || echo "run-build-tool: $(basename "$program") ended with $status" >&2
exit $status
