#!/usr/bin/env bash
# Sets the machine up, builds Penlet and starts it under Wine with the given files.
#   scripts/run.sh [--screenshot FILE.png] [--dpi N] [file ...]
# With --screenshot, the picture of the screen is saved a few seconds after the start; the
# program is then closed and the script returns. --dpi N runs it on a screen of N dots per inch
# (the prefix's LogPixels, set back to what it was afterwards).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

shot=""
dpi=""
args=()
while [ $# -gt 0 ]; do
  case "$1" in
    --screenshot) shot=$2; shift 2 ;;
    --dpi) dpi=$2; shift 2 ;;
    *) args+=("$1"); shift ;;
  esac
done
if [ -n "$dpi" ] && ! [[ "$dpi" =~ ^[0-9]+$ && "$dpi" -ge 48 && "$dpi" -le 480 ]]; then
  log "--dpi wants dots per inch between 48 and 480, not '$dpi'"
  exit 2
fi

"$PENLET_ROOT/scripts/install-deps.sh"
"$PENLET_ROOT/scripts/build.sh" windows
"$PENLET_ROOT/scripts/wine-prefix.sh"

winargs=()
for a in "${args[@]+"${args[@]}"}"; do
  if [ -e "$a" ]; then winargs+=("$(winepath -w "$(realpath "$a")")"); else winargs+=("$a"); fi
done
exe="$PENLET_BUILD/windows/bin/penlet.exe"

# Whatever happens from here on, the prefix gets its density back and what was started stops.
old_dpi=""
cleanup() {
  if [ -n "$old_dpi" ]; then
    set_prefix_dpi "$old_dpi"
    log "screen density set back to $old_dpi dots per inch"
  fi
  stop_wineserver
  stop_display
}
trap cleanup EXIT
trap 'exit 143' TERM INT
if [ -n "$dpi" ]; then
  current=$(prefix_dpi)
  if [ "$current" != "$dpi" ]; then
    if wineserver_running; then
      log "a Wine server of $WINEPREFIX is running: end its programs before changing the density"
      exit 1
    fi
    old_dpi=$current
    set_prefix_dpi "$dpi"
  fi
fi

if [ -z "$shot" ]; then
  ensure_display
  ensure_wineserver
  status=0
  wine "$exe" "${winargs[@]+"${winargs[@]}"}" || status=$?
  exit $status
fi

# A display of its own, large enough for the window at that density, and a virtual desktop that
# draws the window frames a bare X server would not.
scale=${dpi:-96}
width=$((1024 * scale / 96))
height=$((768 * scale / 96))
start_display "${width}x${height}"
ensure_wineserver
wine explorer "/desktop=Penlet,${width}x${height}" "$exe" "${winargs[@]+"${winargs[@]}"}" \
  >/dev/null 2>&1 </dev/null &
launcher=$!
sleep "${PENLET_SHOT_DELAY:-6}"
import -window root "$shot"
log "screenshot saved to $shot"
# Closed as the user would close it: the program asks nothing of a document it only opened.
wine taskkill /im penlet.exe >/dev/null 2>&1 </dev/null || true
for _ in $(seq 1 50); do
  kill -0 "$launcher" 2>/dev/null || break
  sleep 0.2
done
if kill -0 "$launcher" 2>/dev/null; then
  wine taskkill /f /im penlet.exe >/dev/null 2>&1 </dev/null || true
  kill "$launcher" 2>/dev/null || true
fi
wait "$launcher" 2>/dev/null || true
