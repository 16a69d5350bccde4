#!/usr/bin/env bash
# Runs a Windows program of this project under Wine on a screen of N dots per inch: the
# prefix's LogPixels is set and the Wine server restarted for it, and afterwards, whatever the
# outcome, the prefix is back at 96 with its server as before. Used by CTest for the tests at
# other densities, which learn the density from PENLET_TEST_DPI.
#   scripts/at-dpi.sh N program.exe [argument ...]
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

dpi=$1
shift
was_running=""
wineserver_running && was_running=1
restore() {
  set_prefix_dpi 96
  if [ -n "$was_running" ]; then
    wineserver -p >/dev/null 2>&1 </dev/null &
    wine cmd /c exit >/dev/null 2>&1 </dev/null || true
  fi
}
trap restore EXIT
# A time-out that ends this script ends it through the restore.
trap 'exit 143' TERM INT
set_prefix_dpi "$dpi"
wineserver -p >/dev/null 2>&1 </dev/null &
export PENLET_TEST_DPI=$dpi
# Waited for in the background, so that a signal reaches the restore at once.
wine "$@" &
wait $!
