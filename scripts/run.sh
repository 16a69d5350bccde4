#!/usr/bin/env bash
# Sets the machine up, builds Penlet and starts it under Wine with the given files.
#   scripts/run.sh [--screenshot FILE.png] [file ...]
# With --screenshot, the picture of the screen is saved a few seconds after the start.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

shot=""
args=()
while [ $# -gt 0 ]; do
  case "$1" in
    --screenshot) shot=$2; shift 2 ;;
    *) args+=("$1"); shift ;;
  esac
done

"$PENLET_ROOT/scripts/install-deps.sh"
"$PENLET_ROOT/scripts/build.sh" windows
"$PENLET_ROOT/scripts/wine-prefix.sh"
ensure_display
ensure_wineserver

winargs=()
for a in "${args[@]+"${args[@]}"}"; do
  if [ -e "$a" ]; then winargs+=("$(winepath -w "$(realpath "$a")")"); else winargs+=("$a"); fi
done
exe="$PENLET_BUILD/windows/bin/penlet.exe"
if [ -n "$shot" ]; then
  # A virtual desktop draws the window frames that a bare X server would not.
  wine explorer /desktop=Penlet,1024x768 "$exe" "${winargs[@]+"${winargs[@]}"}" >/dev/null 2>&1 </dev/null &
  sleep "${PENLET_SHOT_DELAY:-6}"
  import -window root "$shot"
  log "screenshot saved to $shot"
  wait
else
  exec wine "$exe" "${winargs[@]+"${winargs[@]}"}"
fi
