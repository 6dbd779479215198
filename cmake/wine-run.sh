#!/bin/sh
# Runs a Windows program under Wine with the project's private prefix and the
# Japanese code page (932), so Shift-JIS texts and lead-byte tests behave as on
# a Japanese Windows. MU_WINEPREFIX overrides the prefix location.
here=$(cd "$(dirname "$0")" && pwd)
export WINEPREFIX="${MU_WINEPREFIX:-$here/../build/wineprefix}"
export WINEARCH=win32
export WINEDEBUG="${WINEDEBUG:--all}"
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
exec wine "$@"
