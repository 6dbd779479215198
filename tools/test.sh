#!/usr/bin/env bash
# Sets up, builds and runs every test: the native suite, then the Windows suite
# under Wine on a 16-bit virtual display and again on a 24-bit one. Stops the
# display and the wineserver it started, also on failure. Screenshots taken by
# the tests land in build/win32/screenshots/<depth>/.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
. tools/wine-session.sh
trap stop_session EXIT

tools/setup.sh || exit 1
cmake --preset host >/dev/null && cmake --build --preset host -j2 || exit 1
cmake --preset win32 >/dev/null && cmake --build --preset win32 -j2 || exit 1

status=0
ctest --preset host || status=1
for depth in 16 24; do
  echo "== Windows tests on a ${depth}-bit display =="
  start_session "$depth"
  MU_SHOTS="$root/build/win32/screenshots/$depth" ctest --preset win32 || status=1
  stop_session
done
exit $status
