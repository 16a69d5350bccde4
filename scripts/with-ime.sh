#!/usr/bin/env bash
# Runs a Windows program of this project under Wine with a real Japanese input method: uim with
# the Anthy engine, over XIM, on the program's display, starting in hiragana. Afterwards,
# whatever the outcome, the input method is stopped and what it made is removed. Used by CTest
# for the input method's test.
#   scripts/with-ime.sh program.exe [argument ...]
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

if ! command -v uim-xim >/dev/null || ! command -v xdotool >/dev/null; then
  log "uim-xim or xdotool is missing (scripts/install-deps.sh installs them)"
  exit 1
fi
ensure_display

# uim keeps its socket under the home of the user's passwd entry, whatever $HOME says.
home=$(getent passwd "$(id -u)" | cut -d: -f6)
uim_dir=$home/.uim.d
had_dir=""
had_socket=""
[ -d "$uim_dir" ] && had_dir=1
[ -e "$uim_dir/socket" ] && had_socket=1

settings=$PENLET_BUILD/ime/settings.scm
mkdir -p "$(dirname "$settings")"
cat >"$settings" <<'SCM'
(define default-im-name 'anthy-utf8)
(define default-widget_anthy_utf8_input_mode 'action_anthy_utf8_hiragana)
SCM

server=""
stop() {
  if [ -n "$server" ]; then
    kill "$server" 2>/dev/null || true
    wait "$server" 2>/dev/null || true
  fi
  if [ -z "$had_dir" ]; then
    rm -rf "$uim_dir"
  elif [ -z "$had_socket" ]; then
    rm -f "$uim_dir/socket"
  fi
}
trap stop EXIT
trap 'exit 143' TERM INT

LIBUIM_USER_SCM_FILE=$settings uim-xim --engine=anthy-utf8 >"$PENLET_BUILD/ime/uim-xim.log" 2>&1 &
server=$!
for _ in $(seq 1 100); do
  xprop -root XIM_SERVERS 2>/dev/null | grep -q '@server=uim' && break
  sleep 0.1
done
if ! xprop -root XIM_SERVERS 2>/dev/null | grep -q '@server=uim'; then
  log "uim-xim did not come up on $DISPLAY"
  exit 1
fi
# The program's own Wine process opens the input method; the display's other clients are left
# alone.
export XMODIFIERS=@im=uim
export PENLET_TEST_IME=1
wine "$@" &
wait $!
