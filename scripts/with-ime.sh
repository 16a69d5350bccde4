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

# uim keeps its socket, and Anthy its history, under the home of the user's passwd entry,
# whatever $HOME says: what they add there is removed afterwards, and nothing else.
home=$(getent passwd "$(id -u)" | cut -d: -f6)
made=$(mktemp)
for dir in .uim.d .anthy; do
  [ -d "$home/$dir" ] && find "$home/$dir" -mindepth 1 >>"$made.before" 2>/dev/null
done
touch "$made.before"
: >"$made.dirs"
for dir in .uim.d .anthy; do
  [ -d "$home/$dir" ] && echo "$home/$dir" >>"$made.dirs"
done

settings=$PENLET_BUILD/ime/settings.scm
mkdir -p "$(dirname "$settings")"
cat >"$settings" <<'SCM'
(define default-im-name 'anthy-utf8)
(define default-widget_anthy_utf8_input_mode 'action_anthy_utf8_hiragana)
SCM

server=""
keys=""
stop() {
  local pid
  for pid in $keys $server; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  rm -rf "$requests"
  local dir
  for dir in .uim.d .anthy; do
    if [ -d "$home/$dir" ] && ! grep -qx "$home/$dir" "$made.dirs"; then
      rm -rf "${home:?}/$dir"
    elif [ -d "$home/$dir" ]; then
      find "$home/$dir" -mindepth 1 -depth | grep -vxF -f "$made.before" |
        while read -r p; do rm -rf "$p"; done
    fi
  done
  rm -f "$made" "$made.before" "$made.dirs"
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
# The keys: the test leaves "<n>.req" files holding xdotool's arguments in a folder, and finds
# "<n>.done" holding its exit code once they have been typed. (A Unix program started by the
# Windows program itself would take its standard output with it.)
requests=$PENLET_BUILD/ime/requests
rm -rf "$requests"
mkdir -p "$requests"
(
  while :; do
    for request in "$requests"/*.req; do
      [ -e "$request" ] || continue
      read -r arguments <"$request"
      rm -f "$request"
      # shellcheck disable=SC2086 # the arguments are words
      timeout 30 xdotool $arguments </dev/null >/dev/null 2>&1
      echo $? >"${request%.req}.part"
      mv "${request%.req}.part" "${request%.req}.done"
    done
    sleep 0.05
  done
) &
keys=$!
# The program's own Wine process opens the input method; the display's other clients are left
# alone.
export XMODIFIERS=@im=uim
export PENLET_TEST_IME=Z:${requests//\//\\}
wine "$@" &
wait $!
