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

# Bump when the prefix settings below change: existing prefixes then get them too.
stamp=3
if [ "$(cat "$prefix/.mu-ready" 2>/dev/null)" != "$stamp" ]; then
  echo "setup: preparing the Wine prefix $prefix"
  mkdir -p "$prefix"
  export WINEPREFIX="$prefix" WINEARCH=win32 WINEDEBUG=-all
  export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
  # No Mono or Gecko: nothing here needs them, and their installers would ask.
  [ -f "$prefix/system.reg" ] ||
    WINEDLLOVERRIDES="mscoree,mshtml=" DISPLAY= wineboot -i </dev/null >/dev/null 2>&1 || true
  # - Font substitutes for the library's two family names. The .reg file is
  #   UTF-16 so that the Japanese value names survive unchanged.
  # - Windows are not handed to an X window manager (there is none on the test
  #   display): Wine draws their frames itself, and closing a window does not
  #   wait two seconds for a manager's answer.
  reg="$prefix/mu-settings.reg"
  printf '%s\r\n' 'Windows Registry Editor Version 5.00' '' \
    '[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes]' \
    '"標準明朝"="IPAMincho"' '"標準ゴシック"="IPAGothic"' '' \
    '[HKEY_CURRENT_USER\Software\Wine\X11 Driver]' '"Managed"="N"' \
    | iconv -f UTF-8 -t UTF-16 > "$reg"
  DISPLAY= wine regedit /S "$reg" </dev/null >/dev/null 2>&1
  wineserver -w
  echo "$stamp" > "$prefix/.mu-ready"
fi
