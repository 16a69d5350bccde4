# Shared settings of the project's scripts: where things are built and the Wine environment.
# Sourced, not run.
PENLET_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
PENLET_BUILD=${PENLET_BUILD:-$PENLET_ROOT/build}
export WINEPREFIX=${PENLET_WINEPREFIX:-$PENLET_BUILD/wineprefix}
export WINEARCH=win32
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
export LC_ALL=ja_JP.UTF-8
export LANG=ja_JP.UTF-8
# The tests' own print server (scripts/cups.sh), never a user's: only when it is there.
if [ -S "$PENLET_BUILD/cups/cups.sock" ]; then export CUPS_SERVER=$PENLET_BUILD/cups/cups.sock; fi

log() { printf '[penlet] %s\n' "$*" >&2; }

# Starts a virtual X display when there is no usable one.
ensure_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    return
  fi
  local n
  for n in $(seq 91 199); do
    if [ ! -e /tmp/.X11-unix/X$n ] && [ ! -e /tmp/.X$n-lock ]; then
      Xvfb :$n -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
      export DISPLAY=:$n
      local i
      for i in $(seq 1 50); do
        xdpyinfo >/dev/null 2>&1 && break
        sleep 0.1
      done
      log "no display found: started the virtual display $DISPLAY (Xvfb)"
      return
    fi
  done
  log "could not start Xvfb"
  return 1
}

# Keeps one wineserver alive with its output away from our pipes, so that test
# programs and their children never hold a caller's pipe open.
ensure_wineserver() {
  wineserver -p >/dev/null 2>&1 </dev/null &
  wine cmd /c exit >/dev/null 2>&1 </dev/null || true
}
