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

# What a script starts it stops again, and nothing that was running before it: these remember
# what this shell started.
PENLET_STARTED_XVFB=""
PENLET_STARTED_WINESERVER=""

# Starts a virtual X display when there is no usable one; `ensure_display WxH` gives it that size.
ensure_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    return
  fi
  start_display "${1:-1280x1024}"
}

# Starts a virtual X display of its own, whatever display there is.
start_display() {
  local n
  for n in $(seq 91 199); do
    if [ ! -e /tmp/.X11-unix/X$n ] && [ ! -e /tmp/.X$n-lock ]; then
      Xvfb :$n -screen 0 "${1}x24" -nolisten tcp >/dev/null 2>&1 &
      PENLET_STARTED_XVFB=$!
      export DISPLAY=:$n
      local i
      for i in $(seq 1 50); do
        xdpyinfo >/dev/null 2>&1 && break
        sleep 0.1
      done
      log "started the virtual display $DISPLAY (Xvfb, $1)"
      return
    fi
  done
  log "could not start Xvfb"
  return 1
}

stop_display() {
  if [ -n "$PENLET_STARTED_XVFB" ]; then
    kill "$PENLET_STARTED_XVFB" 2>/dev/null || true
    wait "$PENLET_STARTED_XVFB" 2>/dev/null || true
    PENLET_STARTED_XVFB=""
  fi
}

# Whether a Wine server of this prefix is running: its socket lives in a folder named after the
# prefix's device and inode.
wineserver_running() {
  [ -d "$WINEPREFIX" ] || return 1
  local dir
  dir=/tmp/.wine-$(id -u)/server-$(printf '%x-%x' $(stat -c '%d %i' "$WINEPREFIX"))
  [ -S "$dir/socket" ]
}

# Keeps one wineserver alive with its output away from our pipes, so that test
# programs and their children never hold a caller's pipe open.
ensure_wineserver() {
  if [ -z "$PENLET_STARTED_WINESERVER" ] && ! wineserver_running; then
    PENLET_STARTED_WINESERVER=1
  fi
  wineserver -p >/dev/null 2>&1 </dev/null &
  wine cmd /c exit >/dev/null 2>&1 </dev/null || true
}

# Ends the prefix's server (and every program in it) if this shell started it.
stop_wineserver() {
  if [ -n "$PENLET_STARTED_WINESERVER" ]; then
    wineserver -k >/dev/null 2>&1 || true
    PENLET_STARTED_WINESERVER=""
  fi
}

# The screen density of the prefix, in dots per inch (LogPixels); Wine reads it when its server
# starts, so the server is ended after a change and the next program starts a fresh one.
prefix_dpi() {
  local v
  v=$(wine reg query 'HKCU\Control Panel\Desktop' /v LogPixels 2>/dev/null </dev/null |
    tr -d '\r' | awk '/LogPixels/ {print $3}')
  if [ -z "$v" ]; then echo 96; else echo $((v)); fi
}

set_prefix_dpi() {
  local key
  for key in 'HKCU\Control Panel\Desktop' \
    'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts'; do
    wine reg add "$key" /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1 </dev/null
  done
  # The virtual desktop grows with the density, so that the designed window fits on it as it
  # does at 96.
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default \
    /d "$((1280 * $1 / 96))x$((1024 * $1 / 96))" /f >/dev/null 2>&1 </dev/null
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
}
