#!/usr/bin/env bash
# Prepares a Debian machine for building and testing: installs the packages the
# build and the Wine test harness need (skipping what is present) and creates
# the private Wine prefix with the Japanese font substitutes. Safe to re-run.
#   MU_WINEPREFIX  prefix location (default build/wineprefix)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
prefix="${MU_WINEPREFIX:-$root/build/wineprefix}"

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

packages=(cmake g++ googletest python3 g++-mingw-w64-i686 mingw-w64-i686-dev
  wine wine32:i386 wine64 xvfb xauth xdotool x11-apps imagemagick
  fonts-ipafont-gothic fonts-ipafont-mincho alsa-utils
  libxi6:i386)   # Wine confines the cursor only with XInput2
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  dpkg --print-foreign-architectures | grep -qx i386 || as_root dpkg --add-architecture i386
  as_root apt-get update -qq
  DEBIAN_FRONTEND=noninteractive as_root apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
fi

if [ ! -f "$prefix/.mu-ready" ]; then
  echo "setup: creating the Wine prefix $prefix"
  mkdir -p "$prefix"
  export WINEPREFIX="$prefix" WINEARCH=win32 WINEDEBUG=-all
  export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
  # No Mono or Gecko: nothing here needs them, and their installers would ask.
  WINEDLLOVERRIDES="mscoree,mshtml=" DISPLAY= wineboot -i </dev/null >/dev/null 2>&1 || true
  # Font substitutes for the library's two family names, written as a UTF-16
  # .reg file so that the Japanese value names survive unchanged.
  reg="$prefix/mu-fonts.reg"
  printf '%s\r\n' 'Windows Registry Editor Version 5.00' '' \
    '[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes]' \
    '"標準明朝"="IPAMincho"' '"標準ゴシック"="IPAGothic"' \
    | iconv -f UTF-8 -t UTF-16 > "$reg"
  DISPLAY= wine regedit /S "$reg" </dev/null >/dev/null 2>&1
  wineserver -w
  touch "$prefix/.mu-ready"
fi
