#!/usr/bin/env bash
# Sets the machine up, builds everything and runs every test: native (plain, then under
# AddressSanitizer and UBSan) and the Windows-side tests under Wine. Non-zero on any failure.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

"$PENLET_ROOT/scripts/install-deps.sh"
log "formatting"
"$PENLET_ROOT/scripts/check-format.sh"
# Every build of the tests treats a warning as an error.
export PENLET_WERROR=ON
"$PENLET_ROOT/scripts/build.sh" all
"$PENLET_ROOT/scripts/wine-prefix.sh"
# The print tests print to a server of their own. What this script starts (print server,
# display, Wine server) it ends again whatever the outcome; what ran before it keeps running.
cups_started=""
"$PENLET_ROOT/scripts/cups.sh" status || cups_started=1
"$PENLET_ROOT/scripts/cups.sh"
cleanup() {
  stop_wineserver
  stop_display
  if [ -n "$cups_started" ]; then "$PENLET_ROOT/scripts/cups.sh" stop; fi
}
trap cleanup EXIT
trap 'exit 143' TERM INT
export CUPS_SERVER=$PENLET_BUILD/cups/cups.sock

status=0
log "native unit tests"
ctest --test-dir "$PENLET_BUILD/native" --output-on-failure -j "$(nproc)" || status=1
log "native unit tests under AddressSanitizer and UBSan"
ctest --test-dir "$PENLET_BUILD/native-san" --output-on-failure -j "$(nproc)" || status=1
log "fuzz targets, a few seconds each"; "$PENLET_ROOT/scripts/fuzz.sh" 5 || status=1

ensure_display
ensure_wineserver
# The tests at other screen densities (scripts/at-dpi.sh) restart the server themselves and
# leave the prefix at 96 dots per inch, which the other tests expect.
log "Windows-side tests under Wine (display $DISPLAY)"
ctest --test-dir "$PENLET_BUILD/windows" --output-on-failure || status=1
# Should a density test have been ended before it could set the prefix back, it is set back here.
if [ "$(prefix_dpi)" != 96 ]; then set_prefix_dpi 96; fi
exit $status
