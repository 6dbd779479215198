# Sourced by the run and test scripts: a virtual X display and a persistent
# wineserver for the project's prefix, both stopped by stop_session (also on
# failure, through the caller's trap).
#   start_session DEPTH   start Xvfb (1024x768, DEPTH bits) and the wineserver
#   stop_session          stop what start_session started

root=${root:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export MU_WINEPREFIX="${MU_WINEPREFIX:-$root/build/wineprefix}"
export WINEPREFIX="$MU_WINEPREFIX" WINEARCH=win32 WINEDEBUG=-all
session_xvfb=""

start_session() {
  local depth=$1 fd
  # Xvfb picks a free display number itself and writes it to the pipe, so that
  # several sessions on one machine never share (or fight over) a display.
  exec {fd}<> <(:)
  Xvfb -displayfd "$fd" -screen 0 "1024x768x$depth" -nolisten tcp >/dev/null 2>&1 &
  session_xvfb=$!
  local n=""
  read -r -t 10 n <&"$fd" || true
  exec {fd}>&-
  export DISPLAY=":${n:-99}"
  for _ in $(seq 50); do
    xdotool getdisplaygeometry >/dev/null 2>&1 && break
    sleep 0.1
  done
  # A persistent server, and Wine's own background processes started here
  # with no output pipes, so that ctest never waits on them.
  wineserver -p
  LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 wine wineboot </dev/null >/dev/null 2>&1 || true
}

stop_session() {
  wineserver -k 2>/dev/null || true
  if [ -n "$session_xvfb" ]; then
    kill "$session_xvfb" 2>/dev/null || true
    wait "$session_xvfb" 2>/dev/null || true
    session_xvfb=""
  fi
}
