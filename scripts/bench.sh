#!/usr/bin/env bash
# Sets the machine up, builds penlet.exe with the benchmark programs of bench/ and runs them
# under Wine, printing their figures: opening 1, 10 and 50 MB, keystrokes (up to 50 MB), Replace
# All, Save, working set, how long each operation holds the window (1 to 200 MB), the layout of
# all rows and the Send body (10 to 200 MB), words and other programs' questions, memory over a
# long session, and opening 10 MB against Wine's notepad.exe. Figures only: nothing fails.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

"$PENLET_ROOT/scripts/install-deps.sh"
"$PENLET_ROOT/scripts/build.sh" windows
"$PENLET_ROOT/scripts/wine-prefix.sh"
ensure_display
ensure_wineserver

bin=$PENLET_BUILD/windows/bin
out=$PENLET_BUILD/bench
mkdir -p "$out"
# Runs one benchmark in a process of its own. Its output goes to a file, as a pipe would wait
# for every program that Wine started, and is shown in UTF-8.
run() {
  local file=$out/$1.txt
  shift
  (cd "$bin" && wine "$@" >"$file" 2>&1 </dev/null) || log "$1 ended with status $?"
  iconv -f CP932 -t UTF-8 -c "$file"
}

log "opening documents (display $DISPLAY)"
for mb in 1 10 50; do run "open_$mb" open_bench_win32.exe "$mb"; done
log "keystrokes"
run typing typing_bench_win32.exe
# The same at 10 and 50 MB, each in a process of its own.
for mb in 10 50; do run "typing_$mb" typing_bench_win32.exe 200 "$mb"; done
log "Replace All"
for mb in 1 10; do
  for n in 1000 10000 100000; do run "replace_${mb}_$n" replace_bench_win32.exe "$mb" "$n"; done
done
run replace_50_672000 replace_bench_win32.exe 50 672000
log "what holds the window, 1 to 200 MB"
run responsive responsive_bench_win32.exe 1 10 50 200
log "the layout of all rows, and the Send body, 10 to 200 MB, at the designed width and 360 px"
run layout layout_bench_win32.exe 10 50 200
run send send_bench_win32.exe 10 50 200
log "one long paragraph beside lines"
run paragraph paragraph_bench_win32.exe 1 10 50
log "save"
run save save_bench_win32.exe 10
log "words and other programs' questions, 1 to 50 MB"
run words words_bench_win32.exe 1 10 50
log "memory: rounds of Select All, Copy, Paste at 1 and 50 MB, a session at 200 MB"
run memory memory_bench_win32.exe
log "opening 10 MB from the command line: penlet.exe and Wine's notepad.exe"
run compare open_compare_win32.exe 10
# Printing 1 and 10 MB against Wine's notepad.exe goes to the project's own print server, ended
# again whatever the outcome.
"$PENLET_ROOT/scripts/cups.sh"
trap '"$PENLET_ROOT/scripts/cups.sh" stop' EXIT
export CUPS_SERVER=$PENLET_BUILD/cups/cups.sock
log "the steps of printing 1 MB"
run print_steps print_steps_win32.exe 1
log "printing 1 MB, then 10 MB (some 20 minutes), with penlet.exe and Wine's notepad.exe"
run print_1 print_compare_win32.exe 1
run print_10 print_compare_win32.exe --no-pdf 10
wineserver -k >/dev/null 2>&1 || true
