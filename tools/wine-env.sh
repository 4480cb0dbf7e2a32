# Sourced by the scripts that run Windows programs of a build under wine64:
# a fresh prefix inside the build tree, a virtual screen, and a persistent
# wineserver warmed up before anything else starts.
#   wine_env_start <build folder>   sets WINEPREFIX, DISPLAY and friends
#   wine_env_stop                   stops the server and the screen
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver

wine_env_start() {
  local build=$1
  export WINEPREFIX="$build/wineprefix"
  export WINEDEBUG=-all
  # No offers to download Mono or Gecko: they would wait for a click forever.
  export WINEDLLOVERRIDES="mscoree,mshtml="

  local n
  for n in $(seq 91 199); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then break; fi
  done
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  XVFB_PID=$!
  export DISPLAY=":$n"
  local i
  for i in $(seq 1 100); do
    [ -e "/tmp/.X11-unix/X$n" ] && break
    sleep 0.05
  done

  rm -rf "$WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  # The server must be persistent and must not hold anyone's output pipes:
  # start it, and every service it spawns, with all three streams on /dev/null.
  "$WINESERVER" -p </dev/null >/dev/null 2>&1
  "$WINE" wineboot -i </dev/null >/dev/null 2>&1
  # There is no window manager on the virtual screen: Wine places, frames and
  # maximises the windows itself, as Windows does, instead of waiting for one.
  "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
  # The first boot leaves the service manager in a state where the COM service
  # (rpcss) never starts, so out-of-process COM servers fail: restart the
  # server on the finished prefix before anything runs.
  "$WINESERVER" -k >/dev/null 2>&1 || true
  "$WINESERVER" -w >/dev/null 2>&1 || true
  "$WINESERVER" -p </dev/null >/dev/null 2>&1
  "$WINE" cmd /c exit </dev/null >/dev/null 2>&1 || true
}

wine_env_stop() {
  "$WINESERVER" -k >/dev/null 2>&1 || true
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" >/dev/null 2>&1 || true
}
