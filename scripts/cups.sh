#!/usr/bin/env bash
# Starts the tests' own print server: a CUPS daemon with everything under $PENLET_BUILD/cups and
# one default queue whose cups-pdf backend turns each job into a PDF there. The user's own
# printers, settings and server are left alone. `scripts/cups.sh stop` ends it; `status` tells
# whether it runs.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

dir=$PENLET_BUILD/cups
socket=$dir/cups.sock
# cups-pdf reads its settings only from /etc/cups: cups-pdf-NAME.conf for the device cups-pdf:/NAME.
# A name of this build folder's own keeps two build folders out of each other's output folders.
queue=PenletPDF-$(printf '%s' "$PENLET_BUILD" | cksum | cut -d' ' -f1)
queue_conf=/etc/cups/cups-pdf-$queue.conf

# lpstat answers 0 even when nobody listens on the socket: its words tell.
running() { [ -S "$socket" ] && LC_ALL=C lpstat -h "$socket" -r 2>/dev/null | grep -q "is running"; }

stop() {
  if [ -f "$dir/cupsd.pid" ]; then
    kill "$(cat "$dir/cupsd.pid")" 2>/dev/null || true
    rm -f "$dir/cupsd.pid"
  fi
}

if [ "${1:-start}" = stop ]; then
  stop
  exit 0
fi
# `scripts/cups.sh status`: zero when the server is running.
if [ "${1:-start}" = status ]; then
  running
  exit
fi

if ! command -v cupsd >/dev/null || ! command -v lpadmin >/dev/null || ! command -v pdfinfo >/dev/null ||
  [ ! -x /usr/lib/cups/backend/cups-pdf ]; then
  "$PENLET_ROOT/scripts/install-deps.sh"
fi

if ! running; then
  stop
  mkdir -p "$dir"/{conf,spool,spool/tmp,cache,state,log,pdf,pdf-spool}
  rm -f "$socket"
  cat >"$dir/cups-files.conf" <<EOF
ServerRoot $dir/conf
RequestRoot $dir/spool
TempDir $dir/spool/tmp
CacheDir $dir/cache
StateDir $dir/state
AccessLog $dir/log/access_log
ErrorLog $dir/log/error_log
PageLog $dir/log/page_log
ServerBin /usr/lib/cups
DataDir /usr/share/cups
User lp
Group lp
SystemGroup root
Printcap $dir/state/printcap
EOF
  # Kept job files let a test read what the program asked of the printer (its copy count), as soon
  # as the job is done rather than up to half a minute later.
  cat >"$dir/cupsd.conf" <<EOF
Listen $socket
Browsing No
LogLevel info
PreserveJobFiles Yes
PreserveJobHistory Yes
DirtyCleanInterval 0
MaxJobs 0
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
    Allow all
  </Limit>
</Policy>
EOF
  # The filters run as lp and read the spool and settings through the build folder.
  chmod 755 "$dir" "$dir"/{conf,log} 2>/dev/null || true
  # In a session of its own, so that it outlives the shell that started it.
  setsid cupsd -f -c "$dir/cupsd.conf" -s "$dir/cups-files.conf" >"$dir/log/cupsd.out" 2>&1 </dev/null &
  echo $! >"$dir/cupsd.pid"
  for _ in $(seq 1 100); do
    running && break
    sleep 0.1
  done
  if ! running; then
    log "the print server did not start: see $dir/log"
    exit 1
  fi
  log "print server started: $socket"
fi

cat >"$queue_conf" <<EOF
Out $dir/pdf
AnonDirName $dir/pdf
Spool $dir/pdf-spool
Log $dir/log
LogType 7
Label 0
TitlePref 1
EOF
ppd=$(ls /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd /usr/share/ppd/cups-pdf/*.ppd 2>/dev/null | head -n1)
lpadmin -h "$socket" -p "$queue" -v "cups-pdf:/$queue" -P "$ppd" -E 2>>"$dir/log/lpadmin.out"
lpadmin -h "$socket" -d "$queue"
echo "$queue" >"$dir/queue"
